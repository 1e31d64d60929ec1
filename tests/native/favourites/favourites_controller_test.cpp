#include "favourites/favourites_controller.h"

#include <gtest/gtest.h>

#include "texts.h"
#include "ui/rules/main_window_design.h"

#include "favourites/editor_favourites.h"
#include "favourites/recent_paths.h"
#include "ui/rules/app_commands.h"
#include "user_error.h"
#include "jump/driver_fixture.h"
#include "platform/sim/sim_clipboard.h"

namespace ks::test {
namespace {

using Rows = std::vector<FavouriteEntry>;
using Texts = std::vector<std::string>;
constexpr RegKey kHkcu = 0x80000001u;

// The main window as the commands reach it: the list view's rows and
// selection, the key box, and the favourite editor answering as told. The
// rest goes into the world's log, among the boxes.
class SimWindow final : public FavouritesDisplay, public FavouriteEditor, public AppWindowPort {
public:
    explicit SimWindow(sim::World& events) : world(events) {}
    sim::World& world;
    Rows rows;
    int selected = kNoSelection;
    std::string keyText;
    std::optional<FavouriteEntry> answer;  // nothing: Cancel
    std::function<void()> whileAsking;
    std::vector<std::pair<FavouriteEditing, FavouriteEntry>> asked;

    void InsertRow(int index, const FavouriteEntry& entry) override {
        rows.insert(rows.begin() + index, entry);
    }
    void ShowRow(int index, const FavouriteEntry& entry) override { rows.at(index) = entry; }
    void RemoveRow(int index) override { rows.erase(rows.begin() + index); }
    void SelectRow(int index) override { selected = index; }
    std::string KeyText() override { return keyText; }
    void FocusKeyBox() override { world.Record({.call = "FocusKeyBox"}); }
    void CloseSuggestions() override { world.Record({.call = "CloseSuggestions"}); }
    void WhileModal(const std::function<void()>& boxes) override {
        world.Record({.call = "Modal"});
        boxes();
        world.Record({.call = "ModalEnd"});
    }
    void RestartAsAdministrator(const std::string& path) override {
        world.Record({.call = "Restart", .text = path});
    }
    std::optional<FavouriteEntry> Ask(FavouriteEditing purpose,
                                      const FavouriteEntry& start) override {
        asked.emplace_back(purpose, start);
        if (whileAsking) whileAsking();
        return answer;
    }
};

class FavouritesControllerTest : public ::testing::Test {
protected:
    void SetRows(const Rows& rows) {
        for (const FavouriteEntry& row : rows) favourites.Append(row);
        window.rows = rows;
    }
    void Select(int row) {  // as the user does in the list view
        favourites.Select(row);
        window.selected = row;
    }
    // The model and the list view hold these rows and this selection.
    void ExpectShown(const Rows& rows, int selected) const {
        EXPECT_EQ(favourites.Rows(), rows);
        EXPECT_EQ(window.rows, rows);
        EXPECT_EQ(favourites.Selected(), selected);
        EXPECT_EQ(window.selected, selected);
    }
    // The enable rules of Jump (Edit, Remove, Copy), Up, Down and Clear
    // Recent Paths; Add is always enabled.
    std::vector<bool> Enabled() const {
        return {commands.CanActOnSelection(), commands.CanMoveUp(), commands.CanMoveDown(),
                app.CanClearRecentPaths()};
    }
    // The window's calls and the boxes, in order.
    Texts WindowCalls() const {
        Texts calls;
        for (const sim::Event& e : world.log)
            if (e.call == "MessageBox" || e.call == "Modal" || e.call == "ModalEnd" ||
                e.call == "FocusKeyBox" || e.call == "CloseSuggestions")
                calls.push_back(e.call == "MessageBox" ? e.text : e.call);
            else if (e.call == "Restart")
                calls.push_back("Restart " + e.text);
        return calls;
    }

    sim::World world;
    sim::SimClipboard clipboard;
    FavouritesList favourites;
    RecentPaths recent;
    SimWindow window{world};
    FavouritesController commands{favourites, world.registry, world.windows, window, window};
    AppCommands app{JumpPlatform{world.registry, world.windows, world.processes}, clipboard, recent,
                    window};
    const std::function<std::string()> keyBox = [this] { return window.keyText; };
    // As the window runs them: the selected favourite's key text.
    void JumpToFavourite() {
        if (const auto text = commands.SelectedKeyText()) app.JumpTo(*text);
    }
    void CopyFavourite() {
        if (const auto text = commands.SelectedKeyText()) app.CopyToClipboard(*text);
    }
};

TEST_F(FavouritesControllerTest, AddStartsFromTheKeyBoxAndTestsDuplicatesOnItAfterTheEditor) {
    EXPECT_EQ(Enabled(), (std::vector{false, false, false, false}));
    for (const std::string key : {"HKLM\\SOFTWARE", "HKCU\\Software"}) {
        window.keyText = key;
        window.answer = FavouriteEntry{key + "\\Edited", "mine"};
        commands.Add(keyBox);
        EXPECT_EQ(window.asked.back(), (std::pair{FavouriteEditing::Add, FavouriteEntry{key, ""}}));
        if (favourites.Count() == 1) EXPECT_EQ(Enabled(), (std::vector{true, false, false, false}));
    }
    const Rows added{{"HKLM\\SOFTWARE\\Edited", "mine"}, {"HKCU\\Software\\Edited", "mine"}};
    ExpectShown(added, 1);  // the new row, the last
    EXPECT_EQ(Enabled(), (std::vector{true, true, false, false}));

    // Neither the editor's key text nor the key box before it counts: the
    // key box as it stands when the editor closes does.
    Select(0);
    window.keyText = "HKCU\\New";
    window.answer = FavouriteEntry{"HKCU\\New", ""};
    window.whileAsking = [&] { window.keyText = "hkcu\\software\\edited"; };
    commands.Add(keyBox);
    window.whileAsking = nullptr;
    window.answer.reset();
    commands.Add(keyBox);  // Cancel
    ExpectShown(added, 0);
}

TEST_F(FavouritesControllerTest, EditChangesTheRowItOpenedOnOkWithoutTheDuplicateTest) {
    SetRows({{"HKLM\\SOFTWARE", "machine"}, {"HKCU\\Software", ""}, {"HKCU\\Environment", ""}});
    commands.Edit();  // no selection, no editor
    Select(1);
    commands.Edit();  // Cancel
    EXPECT_EQ(window.asked, (decltype(window.asked){
                                {FavouriteEditing::Edit, FavouriteEntry{"HKCU\\Software", ""}}}));
    // Another program moves the selection while the editor is up.
    window.answer = FavouriteEntry{"hklm\\software", "again"};
    window.whileAsking = [&] { favourites.Select(2); };
    commands.Edit();
    const Rows edited{
        {"HKLM\\SOFTWARE", "machine"}, {"hklm\\software", "again"}, {"HKCU\\Environment", ""}};
    ExpectShown(edited, 1);
    // The row opened is gone when the editor closes: nothing changes.
    Select(2);
    window.whileAsking = [&] { favourites.RemoveSelected(); };
    commands.Edit();
    EXPECT_EQ(favourites.Rows(), (Rows{edited[0], edited[1]}));
}

TEST_F(FavouritesControllerTest, MovesKeepTheRowSelectedRemoveSelectsTheNextCopyTakesTheKey) {
    SetRows({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    Select(2);
    commands.MoveUp();
    EXPECT_EQ(Enabled(), (std::vector{true, true, true, false}));
    for (int i = 0; i < 2; ++i) commands.MoveUp();  // the last one off at the top
    ExpectShown({{"c", "3"}, {"a", "1"}, {"b", "2"}}, 0);
    EXPECT_EQ(Enabled(), (std::vector{true, false, true, false}));
    for (int i = 0; i < 3; ++i) commands.MoveDown();  // the last one off at the bottom
    ExpectShown({{"a", "1"}, {"b", "2"}, {"c", "3"}}, 2);
    EXPECT_EQ(Enabled(), (std::vector{true, true, false, false}));
    CopyFavourite();
    EXPECT_EQ(clipboard.text, "c");

    // The row that takes the removed one's place is selected; after the
    // last row, the new last; none when the list is empty.
    EXPECT_FALSE(commands.CanUndoRemove());
    Select(1);
    commands.Remove();
    ExpectShown({{"a", "1"}, {"c", "3"}}, 1);
    commands.Remove();
    ExpectShown({{"a", "1"}}, 0);
    commands.Remove();
    ExpectShown({}, kNoSelection);
    EXPECT_EQ(Enabled(), (std::vector{false, false, false, false}));
    clipboard.text.reset();
    for (auto command : {&FavouritesController::Remove, &FavouritesController::MoveUp,
                         &FavouritesController::MoveDown})
        (commands.*command)();
    EXPECT_FALSE(commands.SelectedKeyText());
    EXPECT_FALSE(clipboard.text);
    EXPECT_TRUE(world.log.empty());

    // Undo Remove puts them back at their places, the last removed first,
    // each selected.
    ASSERT_TRUE(commands.CanUndoRemove());
    commands.UndoRemove();
    ExpectShown({{"a", "1"}}, 0);
    commands.UndoRemove();
    ExpectShown({{"a", "1"}, {"c", "3"}}, 1);
    Select(0);
    commands.UndoRemove();
    ExpectShown({{"a", "1"}, {"b", "2"}, {"c", "3"}}, 1);
    EXPECT_FALSE(commands.CanUndoRemove());
    commands.UndoRemove();
    ExpectShown({{"a", "1"}, {"b", "2"}, {"c", "3"}}, 1);
    // Removed from the end and then the start, they come back where they
    // were, a row added since staying where it is.
    Select(2);
    commands.Remove();
    Select(0);
    commands.Remove();
    favourites.Append({"x", ""});
    window.rows.push_back({"x", ""});
    ExpectShown({{"b", "2"}, {"x", ""}}, 0);
    commands.UndoRemove();
    commands.UndoRemove();
    ExpectShown({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"x", ""}}, 2);

    // A clipboard held by another program is the user's to hear of.
    Select(0);
    clipboard.text = "HKCU";
    clipboard.heldByAnotherProgram = true;
    try {
        CopyFavourite();
        ADD_FAILURE() << "no failure reported";
    } catch (const UserError& failure) {
        EXPECT_STREQ(failure.what(), "Cannot open clipboard");
    }
    EXPECT_THROW(app.JumpFromClipboard(), UserError);
}

// Their boxes come while the window is held, the focus goes to the key box
// after one, and each landing is remembered once, a key without its
// trailing backslash.
TEST_F(FavouritesControllerTest, JumpsReportWhileModalAndRememberWhereTheyLanded) {
    const SimEditor editor = AddUnreadableEditor(world);
    world.registry.AddKey(kHkcu, "Software\\Wine");
    world.registry.AddValue(kHkcu, "Environment", "Path");
    SetRows({{"HKCU\\Software\\Wine\\", ""}, {"HKCU\\Nowhere", ""}});
    Select(0);
    JumpToFavourite();
    EXPECT_EQ(WindowCalls(), (Texts{"CloseSuggestions", "Modal", "ModalEnd"}));
    clipboard.text = "  HKCU\\Environment\\Path\r\n";
    app.JumpFromClipboard();
    world.log.clear();
    for (const std::optional<std::string> text : {std::optional<std::string>("no root here"),
                                                  std::optional<std::string>()}) {
        clipboard.text = text;
        app.JumpFromClipboard();
    }
    EXPECT_EQ(WindowCalls(),
              (Texts{"Modal", "Keystride|The clipboard holds no registry path.", "ModalEnd",
                     "FocusKeyBox", "Modal", "Keystride|The clipboard holds no registry path.",
                     "ModalEnd", "FocusKeyBox"}))
        << "no jump, and a box that says why";
    app.JumpTo("hkcu\\software\\wine");
    // Each as the jump read it, a value marked as one.
    EXPECT_EQ(recent.Paths(), (std::vector<RecentPath>{{"HKEY_CURRENT_USER\\software\\wine", false},
                                                       {"HKEY_CURRENT_USER\\Environment\\Path", true}}));

    world.log.clear();
    Select(1);
    JumpToFavourite();  // the offer of the nearest key declined
    EXPECT_EQ(WindowCalls(), (Texts{"CloseSuggestions", "Modal",
                                    "Keystride|Please check whether the registry key or value "
                                    "exist.\r\nHKEY_CURRENT_USER has no subkey or value "
                                    "\"Nowhere\".\r\nThe nearest key that exists is HKEY_CURRENT_USER. "
                                    "Jump there?",
                                    "ModalEnd", "FocusKeyBox"}));
    EXPECT_EQ(recent.Paths().size(), 2u);
    world.windows.answersYes = true;
    world.log.clear();
    JumpToFavourite();  // taken: the box was answered all the same
    EXPECT_EQ(recent.Paths().front().path, "HKEY_CURRENT_USER");
    EXPECT_EQ(WindowCalls().back(), "FocusKeyBox");

    // An editor out of reach: after the box, Yes hands the same path to a
    // restart as administrator, once the window is free again.
    world.windows.MakeRefusing(editor.tree, false);
    world.log.clear();
    app.JumpTo("HKCU\\Software\\Wine");
    const Texts calls = WindowCalls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[3], "ModalEnd");
    EXPECT_EQ(calls[4], "FocusKeyBox");
    EXPECT_EQ(calls[5], "Restart HKCU\\Software\\Wine");
    world.windows.answersYes = false;
    world.log.clear();
    app.JumpTo("HKCU\\Software\\Wine");
    EXPECT_EQ(WindowCalls().size(), 5u) << "No: no restart";

    world.log.clear();
    EXPECT_TRUE(Enabled()[3]);
    app.ClearRecentPaths();
    EXPECT_FALSE(Enabled()[3]);
    EXPECT_EQ(WindowCalls(), (Texts{"CloseSuggestions"}));
}

// The favourite editor's Launch Registry Editor: a text that names a key is
// jumped to as Jump does; any other starts the editor as it is, with no box
// and nothing remembered.
TEST_F(FavouritesControllerTest, LaunchShowsTheKeyOfTheEditorsBoxOrStartsTheEditorAsItIs) {
    AddUnreadableEditor(world);
    world.registry.AddKey(kHkcu, "Software\\Wine");
    std::vector<ProgramStart> starts;
    world.processes.onStart = [&](const ProgramStart& start) {
        starts.push_back(start);
        return true;
    };
    app.ShowInEditor("HKCU\\Software\\Wine");
    EXPECT_EQ(WindowCalls(), (Texts{"CloseSuggestions", "Modal", "ModalEnd"}));
    ASSERT_EQ(recent.Paths().size(), 1u);
    EXPECT_EQ(recent.Paths().front().path, "HKEY_CURRENT_USER\\Software\\Wine");
    EXPECT_TRUE(starts.empty()) << "the editor was running: the jump went to it";

    for (const char* notAKey : {"", "hello world"}) {
        world.log.clear();
        starts.clear();
        app.ShowInEditor(notAKey);
        EXPECT_EQ(WindowCalls(), Texts{}) << notAKey;
        ASSERT_EQ(starts.size(), 1u) << notAKey;
        EXPECT_EQ(starts[0].show, ShowState::Shown);
        EXPECT_NE(starts[0].file.find("regedit"), std::string::npos) << starts[0].file;
    }
    EXPECT_EQ(recent.Paths().size(), 1u);
}

// Copy As writes what the text names as a jump reads it: a last name is a
// value only where the key holds one; a path the registry lacks is written
// as a key; a text that is no path says why.
TEST_F(FavouritesControllerTest, CopyAsWritesWhatTheTextNamesInEachNotation) {
    world.registry.AddKey(kHkcu, "Software\\Vendor");
    world.registry.AddValue(kHkcu, "Software\\Vendor", "Setting");
    struct Case {
        const char* text;
        int command;
        const char* copied;
    };
    const Case cases[] = {
        {"HKCU\\Software\\Vendor\\Setting", IDM_COPY_AS_REG_QUERY,
         "reg query \"HKCU\\Software\\Vendor\" /v \"Setting\""},
        {"HKCU\\Software\\Vendor", IDM_COPY_AS_REG_QUERY, "reg query \"HKCU\\Software\\Vendor\""},
        {"hkcu/software/vendor/setting", IDM_COPY_AS_LONG_NAMES,
         "HKEY_CURRENT_USER\\software\\vendor\\setting"},
        {"HKCU\\Software\\Nowhere\\Deeper", IDM_COPY_AS_REG_HEADER,
         "[HKEY_CURRENT_USER\\Software\\Nowhere\\Deeper]"},
        {"HKEY_CURRENT_USER\\Software\\Vendor", IDM_COPY_AS_SHORT_NAMES, "HKCU\\Software\\Vendor"},
    };
    for (const Case& c : cases) {
        clipboard.text.reset();
        app.CopyAs(c.text, *CopyAsForm(c.command));
        EXPECT_EQ(clipboard.text, c.copied) << c.text;
    }
    for (const auto& [text, why] : {std::pair{"hello", KS_TEXT_NOT_A_PATH}, {"  ", KS_TEXT_BOX_EMPTY}}) {
        try {
            app.CopyAs(text, PathForm::LongNames);
            ADD_FAILURE() << "no failure for \"" << text << "\"";
        } catch (const UserError& failure) {
            EXPECT_STREQ(failure.what(), why);
        }
    }
    // The seven commands in the order of their notations.
    EXPECT_EQ(CopyAsForm(IDM_COPY_AS_LONG_NAMES), PathForm::LongNames);
    EXPECT_EQ(CopyAsForm(IDM_COPY_AS_LINK), PathForm::Link);
    EXPECT_FALSE(CopyAsForm(IDM_COPY_AS_LINK + 1));
    EXPECT_FALSE(CopyAsForm(IDM_COPY_TO_CLIPBOARD));
}

// The Registry Editor's favourites come in the editor's order, read in the
// address bar's form, each once by the list's duplicate rule, named by their
// comment; the selection stays where it was, and a box says how many.
TEST_F(FavouritesControllerTest, ImportShowsTheNewRowsInTheEditorsOrderAndReportsInABox) {
    for (const auto& [name, path] :
         {std::pair{"Run keys", "Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Run"},
          {"Mine", "Ordinateur\\HKEY_CURRENT_USER\\Software"},
          {"Again", "Computer\\hkey_current_user\\software"},
          {"Not a path", "somewhere else"},
          {"Console", "HKEY_CURRENT_USER\\Console"}})
        world.registry.AddTextValue(kHkcu, kEditorFavouritesKey, name, path);
    SetRows({{"HKEY_CURRENT_USER\\CONSOLE", "mine already"}});
    Select(0);
    commands.ImportEditorFavourites();
    const Rows rows{{"HKEY_CURRENT_USER\\CONSOLE", "mine already"},
                    {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Run", "Run keys"},
                    {"HKEY_CURRENT_USER\\Software", "Mine"}};
    ExpectShown(rows, 0);
    EXPECT_EQ(WindowCalls(), (Texts{"Modal",
                                    "Keystride|Added 2 of the Registry Editor's favorites; 2 were "
                                    "in the list already. 1 did not hold a registry path and were "
                                    "left out.",
                                    "ModalEnd"}));
    EXPECT_EQ(world.registry.OpenHandleCount(), 0);
    commands.ImportEditorFavourites();
    ExpectShown(rows, 0);
    EXPECT_NE(world.EventsOf("MessageBox").back().text.find("Added 0 "), std::string::npos);
    sim::World empty;  // an editor without favourites
    EXPECT_EQ(ImportEditorFavourites(empty.registry, favourites), FavouritesImport{});
}

}  // namespace
}  // namespace ks::test
