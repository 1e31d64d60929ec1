#include "favourites/favourites_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "favourites/editor_favourites.h"
#include "favourites/recent_paths.h"
#include "platform/sim/sim_world.h"

namespace ks::test {
namespace {

FavouritesList ListOf(std::initializer_list<FavouriteEntry> rows) {
    FavouritesList list;
    for (const FavouriteEntry& row : rows) list.Append(row);
    return list;
}

struct Enabled {
    bool act, up, down;
    bool operator==(const Enabled&) const = default;
};

Enabled EnabledOf(const FavouritesList& list) {
    return {list.CanActOnSelection(), list.CanMoveUp(), list.CanMoveDown()};
}

TEST(FavouritesList, EmptyListEnablesOnlyAddAndIgnoresSelectionActions) {
    FavouritesList list;
    EXPECT_EQ(EnabledOf(list), (Enabled{false, false, false}));
    list.Select(0);
    EXPECT_FALSE(list.HasSelection());
    list.EditSelected({"HKLM", "x"});
    list.RemoveSelected();
    list.MoveSelectedUp();
    list.MoveSelectedDown();
    EXPECT_EQ(list.Count(), 0);
}

TEST(FavouritesList, AppendLeavesTheSelectionAlone) {
    FavouritesList list = ListOf({{"HKCU", ""}, {"HKLM", ""}});
    EXPECT_EQ(list.Selected(), kNoSelection);
    list.Select(0);
    list.Append({"HKU", ""});
    EXPECT_EQ(list.Selected(), 0);
}

TEST(FavouritesList, SelectOutsideTheRowsClearsTheSelection) {
    FavouritesList list = ListOf({{"a", ""}, {"b", ""}});
    for (const int index : {-1, 2, 100, -100}) {
        list.Select(1);
        list.Select(index);
        EXPECT_EQ(list.Selected(), kNoSelection) << index;
    }
}

TEST(FavouritesList, DuplicateTestUsesTheEditTextNotTheDialogText) {
    FavouritesList list = ListOf({{"HKLM\\SOFTWARE", "sw"}, {"HKCU", ""}});
    list.Select(1);
    EXPECT_FALSE(list.Add("hklm\\software", {"HKCR\\Something\\Else", "other"}));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Selected(), 1);
}

TEST(FavouritesList, DuplicateTestComparesWholeAsciiUpperCasedTexts) {
    struct Case {
        const char* row;
        const char* edit;
        bool added;
    };
    const Case cases[] = {
        {"HKLM\\Software", "hklm\\SOFTWARE", false},
        {"HKLM\\Software", "HKEY_LOCAL_MACHINE\\SOFTWARE", true},  // no expansion
        {"HKLM\\Software", " HKLM\\Software", true},               // no trimming
        {"HKLM\\Software", "HKLM\\Software ", true},
        {"HKLM\\Software", "HKLM\\Soft", true},         // no prefix match
        {"HKCU\\\xC9t\xE9", "hkcu\\\xC9t\xE9", false},  // ASCII letters only...
        {"HKCU\\\xC9t\xE9", "HKCU\\\xE9t\xE9", true},   // ...others as they are
        {"", "", false},
        {"HKCU", "", true},
    };
    for (const Case& c : cases) {
        FavouritesList list = ListOf({{c.row, "c"}});
        EXPECT_EQ(list.Add(c.edit, {"new", ""}), c.added) << c.row << " / " << c.edit;
        EXPECT_EQ(list.Count(), c.added ? 2 : 1) << c.row << " / " << c.edit;
    }
}

TEST(FavouritesList, AddAppendsAndSelectsTheNewRow) {
    FavouritesList list = ListOf({{"HKCU", "a"}, {"HKLM", "b"}});
    list.Select(0);
    ASSERT_TRUE(list.Add("", {"HKU\\.DEFAULT", "users"}));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_EQ(list.Row(2), (FavouriteEntry{"HKU\\.DEFAULT", "users"}));
    EXPECT_EQ(list.Row(0), (FavouriteEntry{"HKCU", "a"}));
}

TEST(FavouritesList, EnableRulesFollowTheSelection) {
    FavouritesList list = ListOf({{"a", ""}, {"b", ""}, {"c", ""}});
    struct Case {
        int selected;
        Enabled enabled;
    };
    const Case cases[] = {
        {kNoSelection, {false, false, false}},
        {0, {true, false, true}},
        {1, {true, true, true}},
        {2, {true, true, false}},
    };
    for (const Case& c : cases) {
        list.Select(c.selected);
        EXPECT_EQ(EnabledOf(list), c.enabled) << c.selected;
    }
    FavouritesList single = ListOf({{"a", ""}});
    single.Select(0);
    EXPECT_EQ(EnabledOf(single), (Enabled{true, false, false}));
}

TEST(FavouritesList, MovesKeepTheRowWithItsCommentSelected) {
    FavouritesList list = ListOf({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    list.Select(2);
    list.MoveSelectedUp();
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_EQ(list.Row(1), (FavouriteEntry{"c", "3"}));
    list.MoveSelectedUp();
    EXPECT_EQ(list.Selected(), 0);
    list.MoveSelectedUp();  // disabled on the first row
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{{"c", "3"}, {"a", "1"}, {"b", "2"}}));

    list.MoveSelectedDown();
    list.MoveSelectedDown();
    EXPECT_EQ(list.Selected(), 2);
    list.MoveSelectedDown();  // disabled on the last row
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{{"a", "1"}, {"b", "2"}, {"c", "3"}}));
}

TEST(FavouritesList, EditReplacesTheSelectedRowWithoutDuplicateTest) {
    FavouritesList list = ListOf({{"HKLM", "one"}, {"HKCU", "two"}});
    list.Select(1);
    list.EditSelected({"HKLM", ""});
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{{"HKLM", "one"}, {"HKLM", ""}}));
    EXPECT_EQ(list.Selected(), 1);
}

TEST(FavouritesList, RemoveLeavesNoSelection) {
    FavouritesList list = ListOf({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    list.Select(1);
    list.RemoveSelected();
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{{"a", "1"}, {"c", "3"}}));
    EXPECT_EQ(list.Selected(), kNoSelection);
    EXPECT_EQ(EnabledOf(list), (Enabled{false, false, false}));
    list.RemoveSelected();
    EXPECT_EQ(list.Count(), 2);
}

// The Registry Editor's favourites come in the editor's order, read in the
// address bar's form, each once by the list's duplicate rule, named by their
// comment; the selection stays where it was.
TEST(EditorFavourites, ImportAppendsTheNewOnesInTheEditorsOrder) {
    sim::World world;
    constexpr RegKey kHkcu = 0x80000001u;
    const std::pair<const char*, const char*> stored[] = {
        {"Run keys", "Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {"Mine", "Ordinateur\\HKEY_CURRENT_USER\\Software"},
        {"Again", "Computer\\hkey_current_user\\software"},
        {"Not a path", "somewhere else"},
        {"Console", "HKEY_CURRENT_USER\\Console"},
    };
    for (const auto& [name, path] : stored)
        world.registry.AddTextValue(kHkcu, kEditorFavouritesKey, name, path);

    FavouritesList list = ListOf({{"HKEY_CURRENT_USER\\CONSOLE", "mine already"}});
    list.Select(0);
    EXPECT_EQ(ImportEditorFavourites(world.registry, list), (FavouritesImport{2, 2, 1}));
    EXPECT_EQ(list.Rows(),
              (std::vector<FavouriteEntry>{
                  {"HKEY_CURRENT_USER\\CONSOLE", "mine already"},
                  {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Run keys"},
                  {"HKEY_CURRENT_USER\\Software", "Mine"}}));
    EXPECT_EQ(list.Selected(), 0);
    EXPECT_EQ(world.registry.OpenHandleCount(), 0);

    // A second import finds them all there; an editor without favourites
    // adds nothing.
    EXPECT_EQ(ImportEditorFavourites(world.registry, list), (FavouritesImport{0, 4, 1}));
    sim::World empty;
    EXPECT_EQ(ImportEditorFavourites(empty.registry, list), FavouritesImport{});
}

TEST(RecentPaths, NewestFirstEachOnceByTheDuplicateRuleAndTwentyAtMost) {
    RecentPaths recent;
    for (int i = 0; i < 25; ++i) recent.Remember("HKCU\\K" + std::to_string(i));
    recent.Remember("hkcu\\k20");
    recent.Remember("");
    const std::vector<std::string>& paths = recent.Paths();
    ASSERT_EQ(paths.size(), 20u);
    EXPECT_EQ(paths[0], "hkcu\\k20");
    EXPECT_EQ(paths[1], "HKCU\\K24");
    EXPECT_EQ(paths[19], "HKCU\\K5");  // K5 to K24 are the newest twenty
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "HKCU\\K20"), 0);
}


}  // namespace
}  // namespace ks::test
