#include "favourites/favourites_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "favourites/recent_paths.h"

namespace ks::test {
namespace {

FavouritesList ListOf(std::initializer_list<FavouriteEntry> rows) {
    FavouritesList list;
    for (const FavouriteEntry& row : rows) list.Append(row);
    return list;
}

TEST(FavouritesList, EmptyListIgnoresSelectionActions) {
    FavouritesList list;
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

// Imported favourites are duplicates when they name the same key, however
// written; the favourite editor's Add keeps comparing texts.
TEST(FavouritesList, ImportsCompareKeysNotTexts) {
    struct Case {
        const char* stored;
        const char* imported;
        bool same;
    };
    const Case cases[] = {
        {"HKLM\\Software\\Microsoft", "HKEY_LOCAL_MACHINE\\Software\\Microsoft", true},
        {"HKLM\\Software\\Microsoft", "Computer\\hkey_local_machine\\SOFTWARE\\microsoft\\", true},
        {"HKCU\\Software\\\\Vendor", "HKCU:\\Software\\Vendor", true},
        {"HKCU\\Software\\\xD0\xA2\xD0\x95\xD0\xA1\xD0\xA2", "HKCU\\Software\\\xD1\x82\xD0\xB5\xD1\x81\xD1\x82", true},
        {"HKCU\\Software\\A", "HKCU\\Software\\B", false},
        {"HKCU\\Software", "HKLM\\Software", false},
        {"HKCU\\Environment /v Path", "HKCU\\Environment", false},
        {"no path", "NO PATH", true},
        {"no path", "HKCU", false},
    };
    for (const Case& c : cases) {
        FavouritesList list = ListOf({{c.stored, ""}});
        EXPECT_EQ(!list.AppendIfNew({c.imported, ""}), c.same) << c.stored << " / " << c.imported;
    }
    FavouritesList list = ListOf({{"HKLM\\Software\\Microsoft", ""}});
    EXPECT_TRUE(list.Add("HKEY_LOCAL_MACHINE\\Software\\Microsoft", {"x", ""}))
        << "the editor's Add compares texts";
}

TEST(FavouritesList, AStoredKeyTextLosesItsTrailingBackslash) {
    EXPECT_EQ(StoredKeyText("HKCU\\Software\\"), "HKCU\\Software");
    EXPECT_EQ(StoredKeyText("HKCU\\Software\\\\\\"), "HKCU\\Software");
    EXPECT_EQ(StoredKeyText("HKCU\\"), "HKCU");
    EXPECT_EQ(StoredKeyText("not a path\\"), "not a path\\");
    EXPECT_EQ(StoredKeyText("\\"), "\\");
    EXPECT_EQ(StoredKeyText("\"HKCU\\Software\\\""), "\"HKCU\\Software\\\"");
}

TEST(RecentPaths, NewestFirstEachOnceByTheDuplicateRuleAndTwentyAtMost) {
    RecentPaths recent;
    for (int i = 0; i < 25; ++i) recent.Remember({"HKCU\\K" + std::to_string(i)});
    recent.Remember({"hkcu\\k20", true});
    recent.Remember({""});
    std::vector<std::string> paths;
    for (const RecentPath& held : recent.Paths()) paths.push_back(held.path);
    ASSERT_EQ(paths.size(), 20u);
    EXPECT_EQ(paths[0], "hkcu\\k20");
    EXPECT_TRUE(recent.Paths()[0].value) << "the newer jump says what it named";
    EXPECT_EQ(paths[1], "HKCU\\K24");
    EXPECT_EQ(paths[19], "HKCU\\K5");  // K5 to K24 are the newest twenty
    EXPECT_EQ(std::count(paths.begin(), paths.end(), "HKCU\\K20"), 0);
}


}  // namespace
}  // namespace ks::test
