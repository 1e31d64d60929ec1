// Jumps into Wine's real Registry Editor, checked through what the editor
// itself shows: its status bar (the selected key) and its value list.
#include <gtest/gtest.h>

#include <string>

#include "grammar/wide_text.h"
#include "jump/editor_controls.h"
#include "jump/editor_driver.h"
#include "jump/editor_last_key.h"
#include "jump/jump_resolution.h"
#include "platform/common_controls.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "platform/win32/window_text.h"
#include "ui/control_ids.h"
#include "ui/elevated_restart.h"
#include "ui/main_window.h"
#include "e2e/clipboard_support.h"
#include "e2e/main_window_support.h"
#include "win32/win32_support.h"

namespace ks::test {
namespace {

struct EditorView {
    std::string key;    // the status bar's path without the computer's name
    std::string value;  // the selected value, empty for none
    std::string focus;  // the class of the editor's window with the keyboard focus
    bool active = false;  // the editor is the foreground window
};

EditorView ReadEditor(Win32WindowSystem& windows) {
    EditorView view;
    HWND editor = FindWindowA("RegEdit_RegEdit", nullptr);
    if (!editor) return view;
    HWND status = FindWindowExA(editor, nullptr, "msctls_statusbar32", nullptr);
    view.key = ks::WindowText(status);
    if (const std::size_t cut = view.key.find('\\'); cut != std::string::npos)
        view.key.erase(0, cut + 1);
    if (const Window list = FindListView(windows, reinterpret_cast<Window>(editor))) {
        ListControl values(windows, list);
        const auto selected = values.Selected();
        if (selected && *selected >= 0) view.value = values.Text(*selected).value_or("");
    }
    GUITHREADINFO state{};
    state.cbSize = sizeof state;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &state) && state.hwndFocus) {
        char name[64] = {};
        GetClassNameA(state.hwndFocus, name, sizeof name);
        view.focus = name;
    }
    view.active = GetForegroundWindow() == editor;
    return view;
}

// The real window system, with the selections it makes in the editor's
// tree counted.
class CountingWindows final : public Win32WindowSystem {
public:
    SendAnswer Send(Window window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam, std::uint32_t timeout) override {
        if (message == controls::kTvmSelectItem) ++treeSelections;
        return Win32WindowSystem::Send(window, message, wParam, lParam, timeout);
    }
    int treeSelections = 0;
};

class RegeditJump : public ::testing::Test {
protected:
    static void TearDownTestSuite() { CloseRegistryEditor(); }

    // Every jump here lands by the route Wine's editor gets: its items
    // selected directly, and read back.
    EditorView Jump(const std::string& text) {
        EXPECT_EQ(JumpToRegistryPath({registry, windows, processes}, text).result,
                  JumpResult::Landed)
            << text;
        return ReadEditor(windows);
    }

    Win32Registry registry;
    Win32WindowSystem windows;
    Win32ProcessControl processes;
};

TEST_F(RegeditJump, KeyWithValueFromTheExample) {
    const EditorView view =
        Jump("hklm\\software\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir");
    EXPECT_EQ(view.key, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_EQ(view.value, "ProgramFilesDir");
}

// The pane of the target has the keyboard focus, so that its selection is
// drawn as selected and Enter or F2 works there; the editor is in front.
TEST_F(RegeditJump, KeyAloneWithTheTreeFocused) {
    const EditorView value = Jump("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir");
    EXPECT_EQ(value.focus, "SysListView32");
    const EditorView key = Jump("HKLM\\Software\\Microsoft");
    EXPECT_EQ(key.key, "HKEY_LOCAL_MACHINE\\Software\\Microsoft");
    EXPECT_EQ(key.focus, "SysTreeView32") << "after a value jump, the key's pane again";
    EXPECT_TRUE(key.active);
}

// With the editor closed, the jump tells the editor where to open before it
// starts it: it comes up at the key, with nothing to select in its tree,
// and the value is selected and focused in its list.
TEST_F(RegeditJump, ColdJumpOpensTheEditorAtTheKey) {
    CloseRegistryEditor();
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kEditorSettingsKey, kEditorLastKeyValue, REG_SZ,
                              "HKEY_CLASSES_ROOT", sizeof "HKEY_CLASSES_ROOT"),
              ERROR_SUCCESS);
    CountingWindows counting;
    const std::string text = "hklm\\software\\Microsoft\\Windows NT\\CurrentVersion\\SystemRoot";
    EXPECT_EQ(JumpToRegistryPath({registry, counting, processes}, text).result, JumpResult::Landed);
    EXPECT_EQ(counting.treeSelections, 0) << "it opened there by itself";
    const EditorView view = ReadEditor(windows);
    EXPECT_EQ(view.key, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion");
    EXPECT_EQ(view.value, "SystemRoot");
    EXPECT_EQ(view.focus, "SysListView32");
    EXPECT_TRUE(view.active);
}

// A restart as administrator: the copy that hands over starts keystride.exe
// through "runas" with the path as one argument and waits for its word; the
// new copy takes the window's place and jumps there. (Wine runs "runas" as
// a plain start, without a prompt.)
TEST_F(RegeditJump, ACopyStartedAsAdministratorTakesOverAndJumps) {
    ASSERT_EQ(FindWindowA(ui::kMainWindowClass, nullptr), nullptr);
    Jump("HKCU");
    const std::string path = "HKEY_CURRENT_USER\\Control Panel\\Desktop\\WheelScrollLines";
    ASSERT_EQ(ui::HandOverToElevatedCopy(nullptr, path, KS_BUILD_DIR "/keystride.exe"),
              ui::HandOver::Done);
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (main = FindWindowA(ui::kMainWindowClass, nullptr)); }));
    ASSERT_TRUE(WaitUntil([&] { return ReadEditor(windows).value == "WheelScrollLines"; }));
    EXPECT_EQ(ReadEditor(windows).key, "HKEY_CURRENT_USER\\Control Panel\\Desktop");
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageA(main, WM_COMMAND, IDC_EXIT, 0);
    EXPECT_EQ(WaitForSingleObject(process.Get(), kWaitMs), WAIT_OBJECT_0);
}

TEST_F(RegeditJump, RootAlone) {
    EXPECT_EQ(Jump("HKCU").key, "HKEY_CURRENT_USER");
}

TEST_F(RegeditJump, DeepKey) {
    EXPECT_EQ(Jump("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
                   "\\Shell Folders")
                  .key,
              "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
              "\\Shell Folders");
}

// Keys whose names hold characters Wine's type-ahead skips, with a sibling
// that shares the part before them.
TEST_F(RegeditJump, KeysThatTypeAheadAloneWouldMiss) {
    EXPECT_EQ(Jump("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion").key,
              "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion");
    const EditorView zone = Jump(
        "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\Pacific Standard Time\\Std");
    EXPECT_EQ(zone.key, "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion"
                        "\\Time Zones\\Pacific Standard Time");
    EXPECT_EQ(zone.value, "Std");
}

// keystride.exe with a path in the notations people paste: the jump runs
// without the window, lands in the real editor, and the exit code says so.
TEST_F(RegeditJump, CommandLineJumpsInEveryNotation) {
    struct Case {
        const char* arguments;
        EditorView shown;
    };
    const Case cases[] = {
        {"Computer\\HKEY_LOCAL_MACHINE\\Software\\Microsoft",
         {"HKEY_LOCAL_MACHINE\\Software\\Microsoft", ""}},
        {"\"HKLM:\\Software\\Microsoft\\Windows NT\\CurrentVersion\"",
         {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion", ""}},
        {"[HKEY_CURRENT_USER\\Control Panel\\Desktop]", {"HKEY_CURRENT_USER\\Control Panel\\Desktop", ""}},
        {"\\Registry\\Machine\\Software\\Microsoft\\Windows\\CurrentVersion /v ProgramFilesDir",
         {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"}},
        {"hkey_current_user/Control Panel", {"HKEY_CURRENT_USER\\Control Panel", ""}},
        // One argument quoted by the platform's rules, with quotes in it.
        {"\"\\\"HKCU\\Control Panel\\Desktop\\\"\"", {"HKEY_CURRENT_USER\\Control Panel\\Desktop", ""}},
        {"\"`<HKLM>\\Software\\Microsoft`\"", {"HKEY_LOCAL_MACHINE\\Software\\Microsoft", ""}},
        {"reg query \"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\" /v ProgramFilesDir",
         {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"}},
    };
    for (const Case& c : cases) {
        const CommandLineRun run = RunKeystride(c.arguments);
        ASSERT_TRUE(run.ended) << c.arguments;
        EXPECT_EQ(run.exitCode, 0u) << c.arguments;
        EXPECT_EQ(run.box, "") << c.arguments;
        EXPECT_FALSE(run.window) << c.arguments;
        const EditorView view = ReadEditor(windows);
        EXPECT_EQ(view.key, c.shown.key) << c.arguments;
        EXPECT_EQ(view.value, c.shown.value) << c.arguments;
    }
}

TEST_F(RegeditJump, CommandLineOffersTheNearestKeyAndFromTheClipboard) {
    const std::string missing = "HKLM\\Software\\Microsoft\\NoSuchKeyForKeystride\\Deeper";
    Jump("HKCU\\Control Panel");
    CommandLineRun run = RunKeystride(missing, IDNO);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 1u) << "declined";
    EXPECT_NE(run.box.find("HKEY_LOCAL_MACHINE\\Software\\Microsoft. Jump there?"), std::string::npos)
        << run.box;
    EXPECT_EQ(ReadEditor(windows).key, "HKEY_CURRENT_USER\\Control Panel") << "No changes nothing";

    run = RunKeystride(missing, IDYES);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadEditor(windows).key, "HKEY_LOCAL_MACHINE\\Software\\Microsoft");

    // The wide command line: a name in another script reaches the reader
    // whole and ends in the same offer.
    run = RunKeystride("\"HKCU\\Control Panel\\Программы Keystride\\表示\"", IDNO);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.box.find("HKEY_CURRENT_USER\\Control Panel. Jump there?"), std::string::npos)
        << run.box;

    run = RunKeystride("NoRootHere\\At\\All");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.box, "Please check whether the registry key or value exist.\r\nThe text is not a "
                       "registry path: it names no root such as HKLM or HKEY_CURRENT_USER.");

    ASSERT_TRUE(PutClipboardText("  HKCU:\\Control Panel\\Desktop\r\n"));
    for (const char* flag : {"-c", "/C", "--clipboard"}) {
        Jump("HKCU");
        run = RunKeystride(flag);
        EXPECT_EQ(run.exitCode, 0u) << flag;
        EXPECT_EQ(ReadEditor(windows).key, "HKEY_CURRENT_USER\\Control Panel\\Desktop") << flag;
    }
    // A checklist block copied from a web page.
    ASSERT_TRUE(PutClipboardText("Registry Hive: HKEY_LOCAL_MACHINE\r\n"
                                 "Registry Path: \\Software\\Microsoft\\Windows\\CurrentVersion\\\r\n\r\n"
                                 "Value Name: ProgramFilesDir\r\nValue Type: REG_SZ\r\n"));
    Jump("HKCU");
    run = RunKeystride("-c");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.box, "");
    EXPECT_EQ(ReadEditor(windows).value, "ProgramFilesDir");

    // Another computer's path: its own box, not found for the exit code.
    run = RunKeystride("\\\\PC-7\\HKLM\\Software\\Microsoft");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.box, "\\\\PC-7\\HKLM\\Software\\Microsoft is on another computer (PC-7). "
                       "Keystride opens this computer's registry only.");

    ASSERT_TRUE(PutClipboardText("just words"));
    run = RunKeystride("-c");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.box, "") << "nothing on the clipboard to jump to, as in the window";
}

// Keys made for the test and removed after it: one only in the 32-bit view
// (under Wow6432Node), one only for all users, one with its default value set.
class RegeditJumpToWhereTheKeyIs : public RegeditJump {
protected:
    static constexpr const char* kThirtyTwoBit = "Software\\Wow6432Node\\KeystrideViewTest";
    static constexpr const char* kMachineOnly = "Software\\KeystrideMachineOnly";
    static constexpr const char* kWithDefault = "Software\\KeystrideDefault";
    static void Create(HKEY root, const char* path, bool withDefault = false) {
        HKEY created = nullptr;
        if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                            &created, nullptr) != ERROR_SUCCESS)
            return;
        if (withDefault) {
            RegSetValueExA(created, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("set"), 4);
            RegSetValueExA(created, "Other", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
        }
        RegCloseKey(created);
    }
    static void SetUpTestSuite() {
        TearDownKeys();
        Create(HKEY_LOCAL_MACHINE, kThirtyTwoBit);
        Create(HKEY_LOCAL_MACHINE, kMachineOnly);
        Create(HKEY_CURRENT_USER, kWithDefault, true);
    }
    static void TearDownKeys() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kThirtyTwoBit);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kMachineOnly);
        RegDeleteTreeA(HKEY_CURRENT_USER, kWithDefault);
    }
    static void TearDownTestSuite() {
        TearDownKeys();
        RegeditJump::TearDownTestSuite();
    }
};

TEST_F(RegeditJumpToWhereTheKeyIs, RegExeSwitchesLandInTheirView) {
    EXPECT_EQ(Jump("HKLM\\Software\\KeystrideViewTest /reg:32").key,
              "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\KeystrideViewTest");
    const EditorView defaultRow = Jump("HKCU\\Software\\KeystrideDefault /ve");
    EXPECT_EQ(defaultRow.key, "HKEY_CURRENT_USER\\Software\\KeystrideDefault");
    EXPECT_NE(defaultRow.value, "Other") << "the first row, whatever its word";
    EXPECT_FALSE(defaultRow.value.empty());
    EXPECT_EQ(Jump("HKCU\\Software\\KeystrideDefault\\(default)").value, defaultRow.value);
}

// A path that names nothing where it is written is offered where it is: the
// command link jumps there (1001 is the first place offered).
TEST_F(RegeditJumpToWhereTheKeyIs, TheNotFoundBoxOffersWhereTheKeyIs) {
    Jump("HKCU");
    CommandLineRun run = RunKeystride("HKLM\\Software\\KeystrideViewTest", 1001);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadEditor(windows).key, "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\KeystrideViewTest");
    Jump("HKCU");
    run = RunKeystride("HKCU\\Software\\KeystrideMachineOnly", 1001);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(ReadEditor(windows).key, "HKEY_LOCAL_MACHINE\\Software\\KeystrideMachineOnly");
    Jump("HKCU");
    run = RunKeystride("HKCU\\Software\\KeystrideMachineOnly", IDCANCEL);
    EXPECT_EQ(run.exitCode, 1u) << "Cancel";
    EXPECT_EQ(ReadEditor(windows).key, "HKEY_CURRENT_USER");
}

// Keys and values named in other scripts, created for the test and removed
// after it.
class RegeditJumpInEveryScript : public RegeditJump {
protected:
    static constexpr const wchar_t* kRoot = L"Software\\KeystrideScripts";
    static void SetUpTestSuite() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
        // 表 (U+8868) ends in 0x5C in code page 932; 𠀋 lies outside the
        // Basic Multilingual Plane. The values go into the deepest keys.
        for (const char* key : {"ТЕСТ\\Ελληνικά", "表示\\𠀋"}) {
            HKEY created = nullptr;
            const std::u16string path = u"Software\\KeystrideScripts\\" + ToUtf16(key);
            if (RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(path.c_str()),
                                0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                                nullptr) != ERROR_SUCCESS)
                continue;
            const wchar_t data[] = L"x";
            for (const char* value : {"Значение", "値𠀋"})
                RegSetValueExW(created, reinterpret_cast<const wchar_t*>(ToUtf16(value).c_str()), 0,
                               REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data);
            RegCloseKey(created);
        }
    }
    static void TearDownTestSuite() {
        RegDeleteTreeW(HKEY_CURRENT_USER, kRoot);
        RegeditJump::TearDownTestSuite();
    }
};

TEST_F(RegeditJumpInEveryScript, KeysAndValuesLandWithTheirOwnNames) {
    struct Case {
        std::string text;
        EditorView shown;
    };
    const std::string base = "HKEY_CURRENT_USER\\Software\\KeystrideScripts\\";
    const Case cases[] = {
        {"HKCU\\Software\\KeystrideScripts\\ТЕСТ\\Ελληνικά", {base + "ТЕСТ\\Ελληνικά", ""}},
        {"HKCU\\Software\\KeystrideScripts\\тест\\ελληνικά\\значение",
         {base + "ТЕСТ\\Ελληνικά", "Значение"}},
        {"HKCU\\Software\\KeystrideScripts\\表示", {base + "表示", ""}},
        {"HKCU\\Software\\KeystrideScripts\\表示\\𠀋", {base + "表示\\𠀋", ""}},
        {"HKCU\\Software\\KeystrideScripts\\表示\\𠀋\\値𠀋", {base + "表示\\𠀋", "値𠀋"}},
    };
    for (const Case& c : cases) {
        const EditorView view = Jump(c.text);
        EXPECT_EQ(view.key, c.shown.key) << c.text;
        EXPECT_EQ(view.value, c.shown.value) << c.text;
    }
}

// keystride-jump takes its path from the wide command line.
TEST_F(RegeditJumpInEveryScript, JumpToolTakesAPathInAnyScript) {
    Jump("HKCU");
    const std::u16string line = u"\"" + ToUtf16(KS_BUILD_DIR "/keystride-jump.exe") +
                                u"\" \"HKCU\\Software\\KeystrideScripts\\表示\\𠀋\"";
    std::wstring mutableLine(reinterpret_cast<const wchar_t*>(line.c_str()), line.size());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    CloseHandle(info.hThread);
    const bool ended = WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0;
    DWORD exitCode = 99;
    GetExitCodeProcess(info.hProcess, &exitCode);
    if (!ended) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    ASSERT_TRUE(ended);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadEditor(windows).key,
              "HKEY_CURRENT_USER\\Software\\KeystrideScripts\\表示\\𠀋");
}

}  // namespace
}  // namespace ks::test
