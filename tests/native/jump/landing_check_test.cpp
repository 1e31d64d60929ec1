#include "jump/landing_check.h"

#include <gtest/gtest.h>

#include "driver_fixture.h"
#include "jump/editor_driver.h"
#include "jump/jump_outcome.h"

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
    auto& w = world.windows;
    EXPECT_TRUE(SamePath(w, {"HKEY_USERS", "Control Panel"}, {"hkey_users", "CONTROL PANEL"}));
    EXPECT_FALSE(SamePath(w, {"HKEY_USERS", "Control"}, {"HKEY_USERS", "Control Panel"}));
    EXPECT_FALSE(SamePath(w, {"HKEY_USERS"}, {"HKEY_USERS", "x"}));
    // Case is ignored in every script the registry folds, not only in ASCII.
    EXPECT_TRUE(SamePath(w, {"\xD1\x82\xD0\xB5\xD1\x81\xD1\x82"},  // Cyrillic
                         {"\xD0\xA2\xD0\x95\xD0\xA1\xD0\xA2"}));
    EXPECT_TRUE(SamePath(w, {"\xCE\xB1\xCF\x89"}, {"\xCE\x91\xCE\xA9"}));  // Greek
    EXPECT_FALSE(SamePath(w, {"\xD1\x82"}, {"\xD1\x83"}));
    // Two different characters outside the BMP share their high surrogate.
    EXPECT_FALSE(SamePath(w, {"\xF0\xA0\x80\x8B"}, {"\xF0\xA0\x80\x8C"}));
}

TEST_F(LandingCheckTest, WrongSiblingIsReplacedByTheTarget) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(SettleTreeSelection(world.windows, editor.tree, ntVersion), CheckResult::Corrected);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
}

TEST_F(LandingCheckTest, CorrectLandingIsLeftAlone) {
    world.windows.SetTreeCaret(editor.tree, target);
    EXPECT_EQ(SettleTreeSelection(world.windows, editor.tree, ntVersion), CheckResult::OnTarget);
    EXPECT_TRUE(world.EventsOf("TreeSelect").empty());
    EXPECT_TRUE(world.EventsOf("TreeExpand").empty());
}

TEST_F(LandingCheckTest, RootAloneAndKeysMissingFromTheTree) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(SettleTreeSelection(world.windows, editor.tree, {"HKEY_CURRENT_USER", "\\", ""}),
              CheckResult::Corrected);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), hkcu);

    // A key deleted after the registry said it was there.
    EXPECT_EQ(SettleTreeSelection(world.windows, editor.tree,
                                  {"HKEY_LOCAL_MACHINE", "Software\\Nowhere", ""}),
              CheckResult::Missing);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), hkcu) << "a failed walk selects nothing";
}

TEST_F(LandingCheckTest, SilentEditorEndsTheCheck) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.MakeUnresponsive(editor.tree);
    EXPECT_EQ(SettleTreeSelection(world.windows, editor.tree, ntVersion), CheckResult::NoAnswer);
    EXPECT_EQ(world.EventsOf("TreeNextItem").size(), 1u) << "gives up at the first failure";
}

TEST_F(LandingCheckTest, ValueListSelectionIsCorrected) {
    world.windows.SetListItems(editor.list, {"(Default)", "Program", "Program Files", "ProgramX"}, 1);
    EXPECT_EQ(SettleListSelection(world.windows, editor.list, "program files"), CheckResult::Corrected);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 2);

    EXPECT_EQ(SettleListSelection(world.windows, editor.list, "Program Files"), CheckResult::OnTarget);
    EXPECT_TRUE(world.EventsOf("ListItemCount").size() == 1u) << "a right selection is kept";

    EXPECT_EQ(SettleListSelection(world.windows, editor.list, "Missing"), CheckResult::Missing);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 2);
}

// The registry finds a name typed in another case in any script; the check
// must find it in the editor too, or a sound jump would be reported as lost.
TEST_F(LandingCheckTest, NamesInOtherScriptsMatchIgnoringCase) {
    auto& w = world.windows;
    const TreeItem software = w.AddTreeItem(editor.tree, hkcu, "Software");
    const TreeItem cyrillic =
        w.AddTreeItem(editor.tree, software, "\xD0\xA2\xD0\x95\xD0\xA1\xD0\xA2");
    w.SetTreeCaret(editor.tree, software);
    const ResolvedJump lower{"HKEY_CURRENT_USER", "Software\\\xD1\x82\xD0\xB5\xD1\x81\xD1\x82", ""};
    EXPECT_EQ(SettleTreeSelection(w, editor.tree, lower), CheckResult::Corrected);
    EXPECT_EQ(w.TreeCaret(editor.tree), cyrillic);

    w.SetListItems(editor.list, {"(Default)", "\xCE\x91\xCE\xB2", "\xCE\x91"}, 0);
    EXPECT_EQ(SettleListSelection(w, editor.list, "\xCE\xB1"), CheckResult::Corrected);
    EXPECT_EQ(w.ListSelection(editor.list), 2);
}

// What the driver reports after its keystrokes on Windows, by what the
// read-back finds.
TEST_F(LandingCheckTest, DriverReadsTheLandingBackOnWindows) {
    const ResolvedJump withValue{ntVersion.rootName, ntVersion.keyPath, "Path"};
    auto drive = [&](const ResolvedJump& to) {
        return DriveRegistryEditor({world.windows, world.processes}, to);
    };
    world.windows.SetListItems(editor.list, {"(Default)", "Path", "Path Extra"}, 2);

    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(drive(withValue), JumpResult::Corrected);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 1);
    // The whole keystroke sequence goes out first, down to the value's last
    // character; the read-back follows it.
    std::size_t lastKey = 0, firstRead = world.log.size();
    for (std::size_t i = 0; i < world.log.size(); ++i) {
        if (world.log[i].call == "KeyPress" || world.log[i].call == "Character") lastKey = i;
        if (world.log[i].call == "TreeNextItem" && firstRead == world.log.size()) firstRead = i;
    }
    EXPECT_EQ(world.log[lastKey].wParam, static_cast<unsigned char>('h'));
    EXPECT_LT(lastKey, firstRead);

    EXPECT_EQ(drive(withValue), JumpResult::Landed) << "now the keystrokes' landing is right";

    // The editor may fill its list a moment after the key is selected; a
    // value that never comes is given up after half a second.
    world.windows.SetListItems(editor.list, {"(Default)"});
    world.windows.FillListLater(editor.list, {"(Default)", "Late"}, world.now + 250);
    EXPECT_EQ(drive({ntVersion.rootName, ntVersion.keyPath, "Late"}), JumpResult::Corrected);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 1);
    const std::uint32_t before = world.now;
    EXPECT_EQ(drive({ntVersion.rootName, ntVersion.keyPath, "Gone"}), JumpResult::NotReached);
    EXPECT_LE(world.now - before, 1000u);
    EXPECT_EQ(drive({"HKEY_LOCAL_MACHINE", "Software\\Vanished", ""}), JumpResult::NotReached);

    world.windows.MakeUnreadable(editor.top);
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.log.clear();
    EXPECT_EQ(drive(withValue), JumpResult::Unverified) << "the keystrokes alone decide";
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), wrongLanding);
    EXPECT_TRUE(world.EventsOf("TreeNextItem").empty());
}

// Under Wine, where the editor can be read, its items are selected directly
// and no keystroke is sent; where it cannot, the paced keystrokes stay.
TEST_F(LandingCheckTest, UnderWineTheTargetIsSelectedDirectly) {
    world.processes.wine = true;
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.SetListItems(editor.list, {"(Default)", "Path", "Path Extra"}, 2);
    const ResolvedJump withValue{ntVersion.rootName, ntVersion.keyPath, "Path"};

    EXPECT_EQ(DriveRegistryEditor({world.windows, world.processes}, withValue), JumpResult::Landed);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 1);
    EXPECT_TRUE(world.Keystrokes().empty());
    EXPECT_TRUE(world.EventsOf("Sleep").empty());

    world.windows.MakeUnreadable(editor.top);
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.log.clear();
    EXPECT_EQ(DriveRegistryEditor({world.windows, world.processes}, withValue),
              JumpResult::Unverified);
    EXPECT_FALSE(world.Keystrokes().empty());
    const auto counted = static_cast<std::intptr_t>(sim::Code(KeystrokeMarking::RepeatCountOne));
    for (const sim::Event& e : world.Keystrokes()) EXPECT_EQ(e.lParam, counted);
}

}  // namespace
}  // namespace ks::test
