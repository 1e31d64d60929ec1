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
