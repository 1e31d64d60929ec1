// keystride.exe as a user meets it, driven from outside through its windows:
// start-up, the favourites with their actions and rules, the jumps into the
// real Registry Editor, the settings kept across runs, and a failed save.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "e2e/clipboard_support.h"
#include "e2e/main_window_support.h"
#include "e2e/sample_favourites.h"
#include "jump/editor_controls.h"
#include "platform/win32/win32_window_system.h"

namespace ks::test {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

constexpr char kNotFoundText[] = "Please check whether the registry key or value exist.";

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(SettingsFolder()); }
    static void TearDownTestSuite() { CloseRegistryEditor(); }

    // Adds a row through the favourite editor: the edit box holds `editText`,
    // the editor's fields are set to `key` and `comment`, then OK.
    static void AddThroughEditor(const Keystride& app, const std::string& editText,
                                 const std::string& key, const std::string& comment) {
        app.SetEditText(editText);
        app.Command(IDM_ADD_FAVOURITE);
        HWND editor = app.WaitForWindow("Add Favorite");
        ASSERT_TRUE(editor);
        EXPECT_EQ(WindowText(FindControl(editor, IDC_EDITOR_KEY)), editText);
        FillEditor(editor, key, comment);
        ClickOk(app, editor);
    }

    static void FillEditor(HWND editor, const std::string& key, const std::string& comment) {
        SendMessageA(FindControl(editor, IDC_EDITOR_KEY), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(key.c_str()));
        SendMessageA(FindControl(editor, IDC_EDITOR_COMMENT), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(comment.c_str()));
    }

    static void ClickOk(const Keystride& app, HWND editor) {
        HWND ok = FindControl(editor, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(ok) != FALSE; }));
        PostMessageA(ok, BM_CLICK, 0, 0);
        ASSERT_TRUE(app.WaitGone(editor));
        app.Settle();
    }

    static void Select(const Keystride& app, int row) {
        Win32WindowSystem windows;
        ASSERT_TRUE(ListControl(windows, reinterpret_cast<Window>(app.List())).Select(row));
        app.Settle();
    }

    static void ExpectListButtons(const Keystride& app, bool jump, bool edit, bool up, bool down,
                                  bool remove) {
        EXPECT_TRUE(app.WaitEnabled(IDC_ADD_FAVOURITE, true));
        EXPECT_TRUE(app.WaitEnabled(IDC_JUMP_TO_FAVOURITE, jump));
        EXPECT_TRUE(app.WaitEnabled(IDC_EDIT_FAVOURITE, edit));
        EXPECT_TRUE(app.WaitEnabled(IDC_MOVE_UP, up));
        EXPECT_TRUE(app.WaitEnabled(IDC_MOVE_DOWN, down));
        EXPECT_TRUE(app.WaitEnabled(IDC_REMOVE_FAVOURITE, remove));
    }
};

TEST_F(MainWindow, FirstStartIsCentredEmptyAndOffersOnlyAdd) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(BoundsOf(app.Main()),
              (Bounds{(GetSystemMetrics(SM_CXSCREEN) - 529) / 2,
                      (GetSystemMetrics(SM_CYSCREEN) - 516) / 2, 529, 516}));
    EXPECT_FALSE(IsZoomed(app.Main()));
    EXPECT_EQ(WindowText(app.Main()), "Keystride 3.1");
    // The application window carries the taskbar button and owns the main
    // window.
    HWND application = GetWindow(app.Main(), GW_OWNER);
    ASSERT_TRUE(application);
    EXPECT_EQ(WindowText(application), "Keystride");

    EXPECT_EQ(app.RowCount(), 0);
    EXPECT_FALSE(app.Checked(IDC_AUTO_COPY));
    EXPECT_TRUE(app.Checked(IDC_ROOT_ITEM0));
    for (int item = 1; item < 6; ++item) EXPECT_FALSE(app.Checked(IDC_ROOT_ITEM0 + item));
    ExpectListButtons(app, false, false, false, false, false);
    EXPECT_EQ(WindowText(app.Control(IDC_ADD_FAVOURITE)), "&Add");
    EXPECT_EQ(WindowText(app.Control(IDC_JUMP_TO_FAVOURITE)), "&Jump");

    EXPECT_TRUE(app.SaveScreenshot("first-start"));
}

// The commands themselves are the favourites controller's (native suite):
// here the window's buttons, keys and commands reach it, its enable rules
// reach the buttons, and the list view shows its rows.
TEST_F(MainWindow, ButtonsKeysAndCommandsReachTheFavouritesAndTheListShowsThem) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    AddThroughEditor(app, "HKLM\\SOFTWARE", "HKLM\\SOFTWARE", "machine");
    AddThroughEditor(app, "", "HKCU\\Environment", "env");
    EXPECT_EQ(app.Rows(), (Rows{{"HKLM\\SOFTWARE", "machine"}, {"HKCU\\Environment", "env"}}));
    ExpectListButtons(app, true, true, true, false, true);
    // After the editor's OK, and its Cancel, the user types on in the key box.
    EXPECT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(IDC_KEY_BOX); }));
    app.Command(IDM_ADD_FAVOURITE);
    HWND cancelled = app.WaitForWindow("Add Favorite");
    ASSERT_TRUE(cancelled);
    PostMessageA(FindControl(cancelled, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(app.WaitGone(cancelled));
    EXPECT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(IDC_KEY_BOX); }));

    // F2 in the list edits, as the Edit button does.
    Select(app, 0);
    app.Key(VK_F2, app.List());
    HWND editor = app.WaitForWindow("Edit Favorite");
    ASSERT_TRUE(editor);
    EXPECT_EQ(WindowText(FindControl(editor, IDC_EDITOR_KEY)), "HKLM\\SOFTWARE");
    FillEditor(editor, "hkcu\\Console", "console");
    ClickOk(app, editor);
    app.Command(IDC_MOVE_DOWN);
    app.Settle();
    EXPECT_EQ(app.Rows(), (Rows{{"HKCU\\Environment", "env"}, {"hkcu\\Console", "console"}}));

    // Remove selects the row now at the removed one's place, here the new
    // last; Undo Remove puts the removed row back, selected.
    PostMessageA(app.Control(IDC_REMOVE_FAVOURITE), BM_CLICK, 0, 0);
    app.Settle();
    EXPECT_EQ(app.Rows(), (Rows{{"HKCU\\Environment", "env"}}));
    EXPECT_EQ(app.SelectedRow(), 0);
    ExpectListButtons(app, true, true, false, false, true);
    EXPECT_TRUE(app.SaveScreenshot("favourites"));
    app.Command(IDM_UNDO_REMOVE);
    EXPECT_TRUE(WaitUntil([&] { return app.RowCount() == 2; }));
    EXPECT_EQ(app.Rows(), (Rows{{"HKCU\\Environment", "env"}, {"hkcu\\Console", "console"}}));
    EXPECT_EQ(app.SelectedRow(), 1);
    // Delete in the list removes the selected row; with the last one gone
    // the focus leaves the buttons Remove disabled, for the list.
    for (int left : {1, 0}) {
        app.Key(VK_DELETE, app.List());
        EXPECT_TRUE(WaitUntil([&] { return app.RowCount() == left; }));
    }
    ExpectListButtons(app, false, false, false, false, false);
    app.Command(IDM_UNDO_REMOVE);
    EXPECT_TRUE(WaitUntil([&] { return app.RowCount() == 1; }));
    EXPECT_EQ(app.Rows(), (Rows{{"HKCU\\Environment", "env"}}));
}

TEST_F(MainWindow, NamesInEveryScriptAreTypedListedAndCopiedUnitForUnit) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    int row = 0;
    for (const std::wstring& name : kScriptNames) {
        const std::wstring path = L"HKEY_CURRENT_USER\\Software\\" + name;
        app.SetEditText(path);
        EXPECT_EQ(app.WideEditText(), path);
        app.Command(IDM_ADD_FAVOURITE);
        HWND editor = app.WaitForWindow("Add Favorite");
        ASSERT_TRUE(editor);
        EXPECT_EQ(WideWindowText(FindControl(editor, IDC_EDITOR_KEY)), path);
        SetWideWindowText(FindControl(editor, IDC_EDITOR_COMMENT), name);
        ClickOk(app, editor);
        ASSERT_EQ(app.RowCount(), row + 1);
        EXPECT_EQ(WideListCellText(app.List(), row, 0), path);
        EXPECT_EQ(WideListCellText(app.List(), row, 1), name);
        ++row;
    }
    // The row with the pair of surrogates, copied as Unicode text.
    Select(app, row - 1);
    app.Command(IDM_COPY_TO_CLIPBOARD);
    app.Settle();
    EXPECT_EQ(ClipboardUnicodeText(), L"HKEY_CURRENT_USER\\Software\\" + kScriptNames[row - 1]);
}

// A key named in Cyrillic and outside the Basic Multilingual Plane, reached
// from the box and the command line, and its favourite still there after a
// restart (the list and the clipboard hand their texts on as they are:
// native suite).
TEST_F(MainWindow, NamesInAnotherScriptLandFromTheBoxAndTheCommandLineAndSurviveARestart) {
    const std::wstring key = L"Software\\KeystrideScriptJumps\\\u0422\u0435\u0441\u0442 \U0002000B";
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
    struct Cleanup {
        ~Cleanup() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KeystrideScriptJumps"); }
    } cleanup;
    const std::wstring path = L"HKCU\\" + key;
    const std::string shown = "HKEY_CURRENT_USER\\" + Narrow(key);
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        app.SetEditText(path);
        app.Command(IDC_JUMP);
        EXPECT_TRUE(WaitUntil([&] { return EndsWith(RegeditStatus(), shown); })) << RegeditStatus();
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
        EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"));

        app.SetEditText(path);
        app.Command(IDM_ADD_FAVOURITE);
        HWND editor = app.WaitForWindow("Add Favorite");
        ASSERT_TRUE(editor);
        PostMessageA(editor, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(app.WaitGone(editor));
        ASSERT_TRUE(app.Exit());
    }
    Keystride again;
    ASSERT_TRUE(again.Started());
    ASSERT_EQ(again.RowCount(), 1);
    EXPECT_EQ(WideListCellText(again.List(), 0, 0), path);

    // And from the command line, beside the running window.
    CloseRegistryEditor();
    const CommandLineRun run = RunKeystride("\"" + Narrow(path) + "\"");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.box;
    EXPECT_TRUE(EndsWith(RegeditStatus(), shown)) << RegeditStatus();
    CloseRegistryEditor();
}

// The Registry Editor's favourites, made in the test prefix, come into the
// list in the editor's order; a box says how many.
TEST_F(MainWindow, ImportsTheRegistryEditorsFavourites) {
    const wchar_t kFavorites[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit\\Favorites";
    RegDeleteTreeW(HKEY_CURRENT_USER, kFavorites);
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kFavorites, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    const std::pair<std::wstring, std::wstring> stored[] = {
        {L"Run keys", L"Computer\\HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {L"\u041c\u043e\u0438", L"Computer\\HKEY_CURRENT_USER\\Console"},
    };
    for (const auto& [name, path] : stored)
        RegSetValueExW(created, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(created);
    struct Cleanup {
        const wchar_t* key;
        ~Cleanup() { RegDeleteTreeW(HKEY_CURRENT_USER, key); }
    } cleanup{kFavorites};

    const auto import = [](const Keystride& app, const std::string& report) {
        app.Command(IDM_IMPORT_EDITOR_FAVOURITES);
        HWND box = app.WaitForWindow("Keystride", "#32770");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), report);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(app.WaitGone(box));
    };
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        import(app, "Added 2 of the Registry Editor's favorites; 0 were in the list already.");
        ASSERT_EQ(app.RowCount(), 2);
        EXPECT_EQ(WideListCellText(app.List(), 1, 0), L"HKEY_CURRENT_USER\\Console");
        EXPECT_EQ(WideListCellText(app.List(), 1, 1), stored[1].first);
        ASSERT_TRUE(app.Exit());
    }
    // A row that names the same key in other words is the same favourite.
    RemoveTree(SettingsFolder());
    Keystride app;
    ASSERT_TRUE(app.Started());
    AddThroughEditor(app, "hkcu\\console", "hkcu\\console", "");
    import(app, "Added 1 of the Registry Editor's favorites; 1 were in the list already.");
    EXPECT_EQ(app.Rows(),
              (Rows{{"hkcu\\console", ""},
                    {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                     "Run keys"}}));
}

// Keys as the keyboard sends them to the focused key box: a press for the
// keys that have no character, characters for the rest.
void Type(const Keystride& app, const std::string& text) {
    for (char c : text) PostMessageA(app.Control(IDC_KEY_BOX), WM_CHAR, static_cast<unsigned char>(c), 1);
    // Typing marks the box modified, so Settle cannot tell when it is done.
    WaitUntil([&] { return EndsWith(app.EditText(), text); });
}

void Press(const Keystride& app, WPARAM key) {
    PostMessageA(app.Control(IDC_KEY_BOX), WM_KEYDOWN, key, 1);
    PostMessageA(app.Control(IDC_KEY_BOX), WM_KEYUP, key, 0xC0000001);
    app.Settle();
}

// The suggestions on show; empty when the list is closed.
std::vector<std::string> Suggested(const Keystride& app) {
    HWND popup = FindProcessWindow(app.ProcessId(), "", "Keystride Suggestions");
    HWND list = popup ? FindControl(popup, IDC_SUGGESTIONS) : nullptr;
    std::vector<std::string> names;
    const int count = list ? static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t name[512] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(std::size(name)))
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
        names.push_back(Narrow(name));
    }
    return names;
}

bool Suggests(const Keystride& app, const std::string& name) {
    return WaitUntil([&] {
        const std::vector<std::string> names = Suggested(app);
        return std::find(names.begin(), names.end(), name) != names.end();
    });
}

TEST_F(MainWindow, SuggestionsCompleteLevelByLevelAndLandingsAreOfferedAgain) {
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        Type(app, "hkcu\\softw");
        ASSERT_TRUE(Suggests(app, "Software"));
        Press(app, VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return app.EditText() == "hkcu\\Software\\"; }));
        ASSERT_TRUE(Suggests(app, "Wine"));
        Type(app, "wIN");
        Press(app, VK_DOWN);
        Press(app, VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return app.EditText() == "hkcu\\Software\\Wine\\"; }));
        Press(app, VK_ESCAPE);
        EXPECT_TRUE(Suggested(app).empty());
        Press(app, VK_DOWN);
        EXPECT_TRUE(Suggests(app, "X11 Driver"));
        Press(app, VK_RETURN);
        EXPECT_TRUE(WaitUntil(
            [] { return EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software\\Wine"); }));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
        // The jump closed them; the next keystroke brings them back.
        app.Settle();
        EXPECT_TRUE(Suggested(app).empty());
        app.ClickInto(app.Control(IDC_KEY_BOX));
        app.Send(IDC_KEY_BOX, EM_SETSEL, 0x7FFF, 0x7FFF);
        Type(app, "x");
        EXPECT_TRUE(Suggests(app, "X11 Driver"));
        Press(app, VK_ESCAPE);
        ASSERT_TRUE(app.Exit());
    }
    Keystride again;
    ASSERT_TRUE(again.Started());
    Press(again, VK_DOWN);
    EXPECT_TRUE(Suggests(again, "HKEY_CURRENT_USER\\Software\\Wine"));
    Press(again, VK_ESCAPE);
    again.Command(IDM_CLEAR_RECENT_PATHS);
    again.Settle();
    Press(again, VK_DOWN);
    EXPECT_TRUE(Suggested(again).empty());
    // A jump from the command line, made while the window runs, is among
    // its recent paths too.
    const CommandLineRun run = RunKeystride("HKCU\\Environment");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.box;
    again.ClickInto(again.Control(IDC_KEY_BOX));
    Press(again, VK_DOWN);
    EXPECT_TRUE(Suggests(again, "HKEY_CURRENT_USER\\Environment"));
}

TEST_F(MainWindow, JumpsFromTheListAndTheEditBoxReachTheEditor) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    AddThroughEditor(app, "HKLM\\Software\\Microsoft", "HKLM\\Software\\Microsoft", "");
    AddThroughEditor(app, "HKCU\\Software", "HKCU\\Software", "");

    // Enter in the list jumps to the selected row.
    const std::optional<RECT> first = ListRowRect(app.List(), 0);
    ASSERT_TRUE(first);
    app.ClickInto(app.List(), {first->left + 20, (first->top + first->bottom) / 2});
    ASSERT_EQ(app.SelectedRow(), 0);
    app.Key(VK_RETURN);
    EXPECT_TRUE(WaitUntil(
        [] { return EndsWith(RegeditStatus(), "HKEY_LOCAL_MACHINE\\Software\\Microsoft"); }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));

    // A double-click on a row selects it and jumps.
    const std::optional<RECT> row = ListRowRect(app.List(), 1);
    ASSERT_TRUE(row);
    const LPARAM at = MAKELPARAM(row->left + 20, (row->top + row->bottom) / 2);
    PostMessageA(app.List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(app.List(), WM_LBUTTONUP, 0, at);
    PostMessageA(app.List(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(app.List(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(WaitUntil([] { return EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software"); }));
    EXPECT_EQ(app.SelectedRow(), 1);
    // The window takes no input until the jump is over.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));

    // The root switcher replaces the root of the edit text, however it is
    // written; Jump puts it back on "No Action" and jumps to the text as it
    // stands.
    app.SetEditText("HKCU\\Software\\Wine");
    app.Send(IDC_ROOT_ITEM0 + 3, BM_CLICK);
    EXPECT_EQ(app.EditText(), "HKEY_LOCAL_MACHINE\\Software\\Wine");
    EXPECT_TRUE(app.Checked(IDC_ROOT_ITEM0 + 3));
    // Enter in the key box jumps as Jump does.
    app.SetEditText("HKLM\\Software\\Wine");
    app.ClickInto(app.Control(IDC_KEY_BOX));
    app.Key(VK_RETURN);
    EXPECT_TRUE(
        WaitUntil([] { return EndsWith(RegeditStatus(), "HKEY_LOCAL_MACHINE\\Software\\Wine"); }));
    EXPECT_TRUE(app.Checked(IDC_ROOT_ITEM0));
    EXPECT_EQ(app.EditText(), "HKLM\\Software\\Wine");
}

// Launch Registry Editor in the favourite editor jumps to the key its box
// names, as Jump does, and the editor stays open for OK or Cancel.
TEST_F(MainWindow, LaunchInTheFavouriteEditorLandsOnItsKey) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Command(IDM_ADD_FAVOURITE);
    HWND editor = app.WaitForWindow("Add Favorite");
    ASSERT_TRUE(editor);
    FillEditor(editor, "HKCU\\Software\\Wine", "");
    PostMessageA(FindControl(editor, IDC_EDITOR_LAUNCH), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([] { return EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software\\Wine"); }))
        << RegeditStatus();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(editor) != FALSE; }));
    EXPECT_EQ(WindowText(FindControl(editor, IDC_EDITOR_KEY)), "HKCU\\Software\\Wine");
    PostMessageA(FindControl(editor, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(app.WaitGone(editor));
    EXPECT_EQ(app.RowCount(), 0);
}

// Copy As writes the key box's text while the box has the focus, the
// selected favourite otherwise, in each notation.
TEST_F(MainWindow, CopyAsWritesEachNotation) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    AddThroughEditor(app, "HKLM\\Software\\Microsoft", "HKLM\\Software\\Microsoft", "");
    app.SetEditText("hkcu\\Software\\Wine");
    app.ClickInto(app.Control(IDC_KEY_BOX));
    const std::pair<int, std::string> forms[] = {
        {IDM_COPY_AS_LONG_NAMES, "HKEY_CURRENT_USER\\Software\\Wine"},
        {IDM_COPY_AS_SHORT_NAMES, "HKCU\\Software\\Wine"},
        {IDM_COPY_AS_POWERSHELL, "HKCU:\\Software\\Wine"},
        {IDM_COPY_AS_REG_HEADER, "[HKEY_CURRENT_USER\\Software\\Wine]"},
        {IDM_COPY_AS_REG_QUERY, "reg query \"HKCU\\Software\\Wine\""},
        {IDM_COPY_AS_SOURCE_STRING, "\"HKEY_CURRENT_USER\\\\Software\\\\Wine\""},
        {IDM_COPY_AS_LINK, "keystride:HKEY_CURRENT_USER\\Software\\Wine"},
    };
    for (const auto& [command, copied] : forms) {
        ASSERT_TRUE(PutClipboardText("before"));
        app.Command(command);
        EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == copied; }))
            << command << ": " << ClipboardText().value_or("(none)");
    }
    const std::optional<RECT> row = ListRowRect(app.List(), 0);
    ASSERT_TRUE(row);
    app.ClickInto(app.List(), {row->left + 20, (row->top + row->bottom) / 2});
    ASSERT_EQ(app.SelectedRow(), 0);
    app.Command(IDM_COPY_AS_SHORT_NAMES);
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "HKLM\\Software\\Microsoft"; }))
        << ClipboardText().value_or("(none)");
}

TEST_F(MainWindow, MissingKeyShowsTheNotFoundBoxOverADisabledWindow) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    const std::string missing = "HKCU\\Software\\NoSuchKeyForKeystride\\Missing";
    app.SetEditText(missing);
    // Clicked: the focus is on the button while the box is up.
    PostMessageA(app.Control(IDC_JUMP), BM_CLICK, 0, 0);
    HWND box = app.WaitForWindow("Keystride", "#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), std::string(kNotFoundText) +
                                       "\r\nHKEY_CURRENT_USER\\Software has no subkey "
                                       "\"NoSuchKeyForKeystride\".\r\nThe nearest key that exists is "
                                       "HKEY_CURRENT_USER\\Software. Jump there?");
    EXPECT_FALSE(IsWindowEnabled(app.Main()));
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(app.WaitGone(box));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
    // The focus is back in the key box with its text selected, ready for a
    // correction.
    EXPECT_TRUE(WaitUntil([&] { return app.FocusId() == IDC_KEY_BOX; }));
    EXPECT_EQ(app.Send(IDC_KEY_BOX, EM_GETSEL),
              MAKELRESULT(0, static_cast<WORD>(missing.size())));
}

TEST_F(MainWindow, RootGroupAppliesOnlyWhenTheSelectionMovesOrTheFreeAreaIsClicked) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.SetEditText("Software\\Classes");
    app.Send(IDC_ROOT_ITEM0 + 2, BM_CLICK);
    EXPECT_EQ(app.EditText(), "HKEY_CURRENT_USER\\Software\\Classes");
    // The selected item clicked again: nothing is applied.
    app.SetEditText("Software");
    app.Send(IDC_ROOT_ITEM0 + 2, BM_CLICK);
    EXPECT_EQ(app.EditText(), "Software");
    // A click on the group's free area applies the selected root again.
    HWND group = app.Control(IDC_ROOT_SWITCHER);
    SendMessageA(group, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(group, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(app.EditText(), "HKEY_CURRENT_USER\\Software");

    // A path far longer than an edit box usually takes is kept whole.
    const std::string longPath = "Software\\" + std::string(65536, 'k');
    app.SetEditText(longPath);
    app.Send(IDC_ROOT_ITEM0 + 4, BM_CLICK);
    EXPECT_EQ(app.EditText(), "HKEY_USERS\\" + longPath);
}

// Tab visits the controls as the eye reads them; the roots are one stop
// whose items the arrow keys walk in reading order, without reaching Jump.
TEST_F(MainWindow, TabAndArrowsFollowTheVisualOrder) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.ClickInto(app.Control(IDC_KEY_BOX));
    ASSERT_EQ(app.FocusId(), IDC_KEY_BOX);
    // With the list empty, its buttons but Add are off and skipped.
    for (int id : {IDC_JUMP, IDC_ROOT_ITEM0, IDC_AUTO_COPY, IDC_FAVOURITES, IDC_ADD_FAVOURITE,
                   IDC_ABOUT, IDC_EXIT, IDC_UPDATE_LINK, IDC_MAKER_LINK, IDC_KEY_BOX, IDC_JUMP,
                   IDC_ROOT_ITEM0}) {
        app.Key(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return app.FocusId() == id; })) << "tab to " << id;
    }
    for (int item : {2, 4, 1, 3, 5, 0}) {
        app.Key(VK_RIGHT);
        EXPECT_TRUE(WaitUntil([&] { return app.FocusId() == IDC_ROOT_ITEM0 + item; }))
            << "arrow to item " << item;
    }
}

// A right click on a row while none is selected selects it, and the menu
// opens with the entries that row allows: its Jump goes there.
TEST_F(MainWindow, RightClickOnARowSelectsItForTheMenu) {
    ASSERT_FALSE(WriteSampleSettings());
    Keystride app;
    ASSERT_TRUE(app.Started());
    RECT list{};
    GetClientRect(app.List(), &list);
    app.ClickInto(app.List(), {list.right / 2, list.bottom - 4});  // below the rows
    ASSERT_EQ(app.SelectedRow(), -1);
    ASSERT_TRUE(app.WaitEnabled(IDC_JUMP_TO_FAVOURITE, false));

    const std::optional<RECT> row = ListRowRect(app.List(), 2);
    ASSERT_TRUE(row);
    POINT point{row->left + 20, (row->top + row->bottom) / 2};
    const LPARAM at = MAKELPARAM(point.x, point.y);
    // The menu opens where the mouse is, as the system reports it.
    ClientToScreen(app.List(), &point);
    SetCursorPos(point.x, point.y);
    PostMessageA(app.List(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(app.List(), WM_RBUTTONUP, 0, at);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        menu = FindWindowA("#32768", nullptr);
        return menu && IsWindowVisible(menu);
    }));
    EXPECT_EQ(app.SelectedRow(), 2);
    PostMessageA(app.Main(), WM_CHAR, 'j', 1);  // "&Jump"
    EXPECT_TRUE(WaitUntil([] { return EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Environment"); }));
    if (IsWindowVisible(menu)) PostMessageA(app.Main(), WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(MainWindow, ListMenuOnlyOnTheControlsThatHaveIt) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    const auto menuVisible = [] {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu && IsWindowVisible(menu);
    };
    // A right click as the control receives it; the menu, when one opens,
    // is closed again with Escape.
    const auto menuShownFor = [&](int id) {
        HWND control = app.Control(id);
        PostMessageA(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
        PostMessageA(control, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
        app.Settle();
        const bool shown = WaitUntil(menuVisible, 1000);
        if (shown) {
            PostMessageA(app.Main(), WM_KEYDOWN, VK_ESCAPE, 0);
            WaitUntil([&] { return !menuVisible(); });
        }
        return shown;
    };
    for (int id : {IDC_FAVOURITES, IDC_JUMP, IDC_EXIT, IDC_ADD_FAVOURITE, IDC_TAGLINE,
                   IDC_BANNER})
        EXPECT_TRUE(menuShownFor(id)) << id;
    // The edit box has the system's own menu, which is not the program's.
    for (int id : {IDC_ROOT_SWITCHER, IDC_ROOT_ITEM0, IDC_AUTO_COPY, IDC_PROGRAM_ICON, IDC_UPDATE_ICON,
                   IDC_KEY_GROUP})
        EXPECT_FALSE(menuShownFor(id)) << id;
}

TEST_F(MainWindow, ExitAndRestartKeepRowsCheckBoxAndBounds) {
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        AddThroughEditor(app, "HKCU\\Software", "HKCU\\Software", "first");
        AddThroughEditor(app, "HKLM\\System", "HKLM\\System", "");
        app.Send(IDC_AUTO_COPY, BM_CLICK);
        SetWindowPos(app.Main(), nullptr, 100, 80, 600, 560, SWP_NOZORDER | SWP_NOACTIVATE);
        app.Settle();
        ASSERT_TRUE(app.Exit());
    }
    Keystride again;
    ASSERT_TRUE(again.Started());
    EXPECT_EQ(again.Rows(), (Rows{{"HKCU\\Software", "first"}, {"HKLM\\System", ""}}));
    EXPECT_EQ(again.SelectedRow(), -1);
    EXPECT_TRUE(again.Checked(IDC_AUTO_COPY));
    EXPECT_EQ(BoundsOf(again.Main()), (Bounds{100, 80, 600, 560}));
}

// Sizes are kept in units of 96 DPI: a window closed at 150 % opens at the
// same physical size at 100 %.
TEST_F(MainWindow, BoundsSavedAt150PercentReopenAtTheSamePhysicalSizeAt100) {
    {
        const DisplayScaling scaling(144);
        Keystride app;
        ASSERT_TRUE(app.Started());
        ASSERT_EQ(BoundsOf(app.Main()).width, 794) << "the designed 529 at 150 %";
        SetWindowPos(app.Main(), nullptr, 100, 80, 900, 840, SWP_NOZORDER | SWP_NOACTIVATE);
        app.Settle();
        ASSERT_TRUE(app.Exit());
    }
    Keystride again;
    ASSERT_TRUE(again.Started());
    EXPECT_EQ(BoundsOf(again.Main()), (Bounds{100, 80, 600, 560}));
}

TEST_F(MainWindow, StoredBoundsAreHeldToTheMinimumAndOnTheScreenAndMaximisedIsKept) {
    const auto writeSettings = [](const std::string& position) {
        ASSERT_TRUE(WriteSettingsFile("[WindowsPosition]\r\n" + position));
    };
    writeSettings("Left=50\r\nTop=40\r\nWidth=300\r\nHeight=200\r\n");
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        // Not a first run: placed where stored, not centred.
        EXPECT_EQ(BoundsOf(app.Main()), (Bounds{50, 40, 529, 516}));
        EXPECT_FALSE(IsZoomed(app.Main()));
    }
    // Stored on a monitor that is gone: as near as the work area allows.
    writeSettings("Left=6000\r\nTop=-4000\r\nWidth=600\r\nHeight=550\r\n");
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        RECT work{};
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
        EXPECT_EQ(BoundsOf(app.Main()), (Bounds{work.right - 600, work.top, 600, 550}));
    }
    // Partly off the screen, as bounds saved at 150 % come back: whole
    // inside the work area, moved as little as it takes.
    writeSettings("Left=600\r\nTop=300\r\nWidth=963\r\nHeight=845\r\n");
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        RECT work{};
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
        const int width = std::min<int>(963, work.right - work.left);
        const int height = std::min<int>(845, work.bottom - work.top);
        EXPECT_EQ(BoundsOf(app.Main()),
                  (Bounds{work.right - width, work.bottom - height, width, height}));
    }
    writeSettings("Left=0\r\nTop=0\r\nWidth=1280\r\nHeight=1000\r\nMaximized=1\r\n"
                  "NormalLeft=60\r\nNormalTop=70\r\nNormalWidth=600\r\nNormalHeight=550\r\n");
    Keystride app;
    ASSERT_TRUE(app.Started());
    EXPECT_TRUE(IsZoomed(app.Main()));
    EXPECT_EQ(WindowText(app.Main()), "Keystride 3.1");  // shown maximised, shown all the same
    RECT client{};
    RECT banner{};
    GetClientRect(app.Main(), &client);
    GetWindowRect(app.Control(IDC_BANNER), &banner);
    EXPECT_EQ(banner.right - banner.left, client.right);
    // The stored normal bounds are the ones the window comes back to.
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(app.Main()); }));
    app.Settle();
    EXPECT_EQ(BoundsOf(app.Main()), (Bounds{60, 70, 600, 550}));
}

TEST_F(MainWindow, MinimiseTakesTheApplicationWindowAlongAndRestoreBringsBoth) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    HWND application = GetWindow(app.Main(), GW_OWNER);
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return IsIconic(application) && !IsWindowVisible(app.Main()); }));
    PostMessageA(application, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return !IsIconic(application) && IsWindowVisible(app.Main()); }));
    EXPECT_FALSE(IsIconic(app.Main()));
}

TEST_F(MainWindow, FailedSaveKeepsTheWindowOpenUntilASaveSucceeds) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    AddThroughEditor(app, "HKCU\\Software", "HKCU\\Software", "kept");
    // The save writes a temporary file beside options.ini and puts it in
    // place; a folder of that name makes the write fail.
    const std::string blocker = SettingsFolder() + "\\options.ini.tmp";
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    app.Command(IDC_EXIT);
    HWND box = app.WaitForWindow("Keystride", "#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), "Unable to write to " + SettingsFolder() + "\\options.ini.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitGone(box));
    EXPECT_FALSE(app.Process().Wait(500));
    EXPECT_TRUE(IsWindowVisible(app.Main()));
    EXPECT_EQ(app.RowCount(), 1);

    ASSERT_TRUE(RemoveDirectoryA(blocker.c_str()));
    ASSERT_TRUE(app.Exit());
    EXPECT_NE(ReadWholeFile(SettingsFolder() + "\\options.ini").find("0=HKCU\\Software"),
              std::string::npos);
}

TEST_F(MainWindow, SessionEndSavesWithoutABoxAndAFailedSaveKeepsTheOldFile) {
    const std::string file = SettingsFolder() + "\\options.ini";
    std::string saved;
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        AddThroughEditor(app, "HKCU\\Software", "HKCU\\Software", "kept");
        // The system's own end of the session: every window is asked, then
        // told, and the programs end.
        ChildProcess wineboot("wineboot.exe --end-session");
        ASSERT_TRUE(wineboot.Started());
        ASSERT_TRUE(wineboot.Wait(30000));
        EXPECT_TRUE(app.Process().Wait(kWaitMs)) << "ended with the session";
        saved = ReadWholeFile(file);
        EXPECT_NE(saved.find("0=HKCU\\Software"), std::string::npos);
        EXPECT_NE(saved.find("0=kept"), std::string::npos);
    }

    // A save that cannot be written holds nothing up: each message is
    // answered at once, no box shows, and the file stays as it was.
    Keystride app;
    ASSERT_TRUE(app.Started());
    ASSERT_EQ(app.RowCount(), 1);
    const std::string blocker = SettingsFolder() + "\\options.ini.tmp";
    ASSERT_TRUE(CreateDirectoryA(blocker.c_str(), nullptr));
    AddThroughEditor(app, "HKLM\\System", "HKLM\\System", "lost");
    for (const auto& [message, wParam] :
         {std::pair<UINT, WPARAM>{WM_QUERYENDSESSION, 0}, {WM_ENDSESSION, TRUE}}) {
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(app.Main(), message, wParam, ENDSESSION_LOGOFF,
                                        SMTO_ABORTIFHUNG, 5000, &answer))
            << message;
        if (message == WM_QUERYENDSESSION) EXPECT_EQ(answer, TRUE) << "the end is not held";
    }
    app.Settle();
    EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"));
    EXPECT_EQ(ReadWholeFile(file), saved);
    EXPECT_TRUE(RemoveDirectoryA(blocker.c_str()));

    // The Restart Manager (an installer replacing keystride.exe) asks the
    // program to end while the session goes on: saved, it ends.
    for (const UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION}) {
        DWORD_PTR answer = 0;
        EXPECT_TRUE(SendMessageTimeoutA(app.Main(), message, TRUE, ENDSESSION_CLOSEAPP,
                                        SMTO_ABORTIFHUNG, 5000, &answer))
            << message;
    }
    EXPECT_TRUE(app.Process().Wait(kWaitMs)) << "still running after the Restart Manager's close";
    EXPECT_NE(ReadWholeFile(file).find("1=HKLM\\System"), std::string::npos);
}

TEST_F(MainWindow, AboutOpensByItsAccessKeyAndCloses) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    PostMessageA(app.Main(), WM_SYSCHAR, 'b', 1 << 29);  // Alt+B, "A&bout"
    HWND about = app.WaitForWindow("About Korvel Keystride");
    ASSERT_TRUE(about);
    EXPECT_FALSE(IsWindowEnabled(app.Main()));
    PostMessageA(FindControl(about, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(app.WaitGone(about));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }));
}

}  // namespace
}  // namespace ks::test
