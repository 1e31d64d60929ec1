#include "jump/landing_check.h"

#include <gtest/gtest.h>

#include "driver_fixture.h"
#include "jump/editor_driver.h"

namespace ks::test {
namespace {

// A tree laid out as the editor shows it under Wine: the computer at the top,
// the roots below it, and siblings that share a name up to a blank.
class LandingCheckTest : public ::testing::Test {
protected:
    LandingCheckTest() {
        editor = AddEditor(world);
        auto& w = world.windows;
        computer = w.AddTreeItem(editor.tree, 0, "My Computer");
        w.AddTreeItem(editor.tree, computer, "HKEY_CLASSES_ROOT");
        hkcu = w.AddTreeItem(editor.tree, computer, "HKEY_CURRENT_USER");
        const TreeItem hklm = w.AddTreeItem(editor.tree, computer, "HKEY_LOCAL_MACHINE");
        const TreeItem software = w.AddTreeItem(editor.tree, hklm, "Software");
        const TreeItem microsoft = w.AddTreeItem(editor.tree, software, "Microsoft");
        const TreeItem windows = w.AddTreeItem(editor.tree, microsoft, "Windows");
        wrongLanding = w.AddTreeItem(editor.tree, windows, "CurrentVersion");
        const TreeItem windowsNt = w.AddTreeItem(editor.tree, microsoft, "Windows NT");
        w.AddTreeItem(editor.tree, windowsNt, "Current");
        target = w.AddTreeItem(editor.tree, windowsNt, "CurrentVersion");
        w.AddTreeItem(editor.tree, windowsNt, "CurrentVersion Extra");
    }

    sim::World world;
    SimEditor editor;
    TreeItem computer = 0, hkcu = 0, wrongLanding = 0, target = 0;
    const ResolvedJump ntVersion{"HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                 ""};
};

TEST_F(LandingCheckTest, ComponentsSkipEmptyPartsAndCompareIgnoringCase) {
    EXPECT_EQ(TreeComponents({"HKEY_USERS", "", ""}), std::vector<std::string>{"HKEY_USERS"});
    EXPECT_EQ(TreeComponents({"HKEY_USERS", "\\a\\\\b\\", ""}),
              (std::vector<std::string>{"HKEY_USERS", "a", "b"}));
    EXPECT_TRUE(SamePath({"HKEY_USERS", "Control Panel"}, {"hkey_users", "CONTROL PANEL"}));
    EXPECT_FALSE(SamePath({"HKEY_USERS", "Control"}, {"HKEY_USERS", "Control Panel"}));
    EXPECT_FALSE(SamePath({"HKEY_USERS"}, {"HKEY_USERS", "x"}));
}

TEST_F(LandingCheckTest, WrongSiblingIsReplacedByTheTarget) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_TRUE(SettleTreeSelection(world.windows, editor.tree, ntVersion));
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
}

TEST_F(LandingCheckTest, CorrectLandingIsLeftAlone) {
    world.windows.SetTreeCaret(editor.tree, target);
    EXPECT_TRUE(SettleTreeSelection(world.windows, editor.tree, ntVersion));
    EXPECT_TRUE(world.EventsOf("TreeSelect").empty());
    EXPECT_TRUE(world.EventsOf("TreeExpand").empty());
}

TEST_F(LandingCheckTest, RootAloneAndKeysMissingFromTheTree) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_TRUE(SettleTreeSelection(world.windows, editor.tree, {"HKEY_CURRENT_USER", "\\", ""}));
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), hkcu);

    EXPECT_FALSE(SettleTreeSelection(world.windows, editor.tree,
                                     {"HKEY_LOCAL_MACHINE", "Software\\Nowhere", ""}));
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), hkcu) << "a failed walk selects nothing";
}

TEST_F(LandingCheckTest, SilentEditorEndsTheCheck) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.MakeUnresponsive(editor.tree);
    EXPECT_FALSE(SettleTreeSelection(world.windows, editor.tree, ntVersion));
    EXPECT_EQ(world.EventsOf("TreeNextItem").size(), 1u) << "gives up at the first failure";
}

TEST_F(LandingCheckTest, ValueListSelectionIsCorrected) {
    world.windows.SetListItems(editor.list, {"(Default)", "Program", "Program Files", "ProgramX"}, 1);
    EXPECT_TRUE(SettleListSelection(world.windows, editor.list, "program files"));
    EXPECT_EQ(world.windows.ListSelection(editor.list), 2);

    EXPECT_TRUE(SettleListSelection(world.windows, editor.list, "Program Files"));
    EXPECT_TRUE(world.EventsOf("ListItemCount").size() == 1u) << "a right selection is kept";

    EXPECT_FALSE(SettleListSelection(world.windows, editor.list, "Missing"));
    EXPECT_EQ(world.windows.ListSelection(editor.list), 2);
}

TEST_F(LandingCheckTest, DriverChecksTheLandingOnlyUnderWine) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.SetListItems(editor.list, {"(Default)", "Path", "Path Extra"}, 2);
    const ResolvedJump withValue{ntVersion.rootName, ntVersion.keyPath, "Path"};

    DriveRegistryEditor({world.windows, world.processes}, withValue);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), wrongLanding);
    EXPECT_TRUE(world.EventsOf("TreeNextItem").empty()) << "Windows gets the keystrokes alone";

    world.processes.wine = true;
    DriveRegistryEditor({world.windows, world.processes}, withValue);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 1);
}

}  // namespace
}  // namespace ks::test
