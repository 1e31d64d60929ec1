#include "jump/landing_check.h"

#include <gtest/gtest.h>

#include "driver_fixture.h"
#include "jump/editor_controls.h"
#include "jump/editor_driver.h"
#include "jump/jump_outcome.h"
#include "platform/common_controls.h"

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
        windowsNt = w.AddTreeItem(editor.tree, microsoft, "Windows NT");
        w.AddTreeItem(editor.tree, windowsNt, "Current");
        target = w.AddTreeItem(editor.tree, windowsNt, "CurrentVersion");
        w.AddTreeItem(editor.tree, windowsNt, "CurrentVersion Extra");
    }

    CheckResult SettleTree(const ResolvedJump& to) {
        TreeControl tree(world.windows, editor.tree);
        return SettleTreeSelection(world.windows, tree, to);
    }
    CheckResult SettleList(const std::string& valueName) {
        ListControl list(world.windows, editor.list);
        return SettleListSelection(world.windows, list, valueName);
    }
    JumpResult Drive(const ResolvedJump& to) {
        return DriveRegistryEditor({world.registry, world.windows, world.processes}, to);
    }

    sim::World world;
    SimEditor editor;
    TreeItem computer = 0, hkcu = 0, windowsNt = 0, wrongLanding = 0, target = 0;
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
    EXPECT_EQ(SettleTree(ntVersion), CheckResult::Corrected);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
}

TEST_F(LandingCheckTest, CorrectLandingIsLeftAlone) {
    world.windows.SetTreeCaret(editor.tree, target);
    EXPECT_EQ(SettleTree(ntVersion), CheckResult::OnTarget);
    EXPECT_TRUE(world.Sent(controls::kTvmSelectItem).empty());
    EXPECT_TRUE(world.Sent(controls::kTvmExpand).empty());
}

TEST_F(LandingCheckTest, RootAloneAndKeysMissingFromTheTree) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(SettleTree({"HKEY_CURRENT_USER", "\\", ""}),
              CheckResult::Corrected);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), hkcu);

    // A key deleted after the registry said it was there.
    EXPECT_EQ(SettleTree({"HKEY_LOCAL_MACHINE", "Software\\Nowhere", ""}), CheckResult::Missing);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), hkcu) << "a failed walk selects nothing";
}

TEST_F(LandingCheckTest, SilentEditorEndsTheCheck) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.MakeUnresponsive(editor.tree);
    EXPECT_EQ(SettleTree(ntVersion), CheckResult::NoAnswer);
    EXPECT_EQ(world.Sent(controls::kTvmGetNextItem).size(), 1u) << "gives up at the first failure";
}

TEST_F(LandingCheckTest, ValueListSelectionIsCorrected) {
    world.windows.SetListItems(editor.list, {"(Default)", "Program", "Program Files", "ProgramX"}, 1);
    EXPECT_EQ(SettleList("program files"), CheckResult::Corrected);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 2);

    EXPECT_EQ(SettleList("Program Files"), CheckResult::OnTarget);
    EXPECT_EQ(world.Sent(controls::kLvmGetItemCount).size(), 1u) << "a right selection is kept";

    EXPECT_EQ(SettleList("Missing"), CheckResult::Missing);
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
    EXPECT_EQ(SettleTree(lower), CheckResult::Corrected);
    EXPECT_EQ(w.TreeCaret(editor.tree), cyrillic);

    w.SetListItems(editor.list, {"(Default)", "\xCE\x91\xCE\xB2", "\xCE\x91"}, 0);
    EXPECT_EQ(SettleList("\xCE\xB1"), CheckResult::Corrected);
    EXPECT_EQ(w.ListSelection(editor.list), 2);
}

// The controls may answer a text request through a buffer of their own; the
// text is read where the answer points, and every block reserved in the
// editor's process is freed again.
TEST_F(LandingCheckTest, TextsKeptInTheControlsOwnMemoryAreReadThere) {
    world.windows.AnswerWithOwnText(editor.tree);
    world.windows.AnswerWithOwnText(editor.list);
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(SettleTree(ntVersion), CheckResult::Corrected);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
    world.windows.SetListItems(editor.list, {"(Default)", "Path", "Path Extra"}, 2);
    EXPECT_EQ(SettleList("Path"), CheckResult::Corrected);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 1);
    EXPECT_EQ(world.windows.ReservedBlocks(), 0);
}

// An item expanded once is not filled again by a later expansion: one the
// editor emptied on a collapse has its "expanded once" state cleared first.
TEST_F(LandingCheckTest, AnItemEmptiedAfterItsFirstExpansionIsFilledAgain) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(SettleTree(ntVersion), CheckResult::Corrected);
    world.windows.DropChildren(editor.tree, windowsNt);
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.log.clear();
    EXPECT_EQ(SettleTree(ntVersion), CheckResult::Corrected);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
    EXPECT_EQ(world.Sent(controls::kTvmSetItemW).size(), 1u) << "only the emptied item";
    // A key the tree has children for, but not that one, is simply missing.
    EXPECT_EQ(SettleTree({"HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows NT\\Gone", ""}),
              CheckResult::Missing);
}

// On every platform, an editor that can be read gets no keystroke: the
// target is selected, read back, and its pane given the focus, the tree for
// a key and the list for a value, the editor in front.
TEST_F(LandingCheckTest, ReadableEditorIsSelectedDirectlyOnEveryPlatform) {
    constexpr RegKey kHklm = 0x80000002;
    world.registry.AddValue(kHklm, ntVersion.keyPath, "Path");
    world.registry.AddValue(kHklm, ntVersion.keyPath, "Path Extra");
    const ResolvedJump withValue{ntVersion.rootName, ntVersion.keyPath, "Path"};
    for (const bool wine : {false, true}) {
        world.processes.wine = wine;
        world.windows.SetTreeCaret(editor.tree, wrongLanding);
        world.windows.SetListItems(editor.list, {"(Default)", "Path", "Path Extra"}, 2);
        world.log.clear();
        EXPECT_EQ(Drive(withValue), JumpResult::Landed) << wine;
        EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
        EXPECT_EQ(world.windows.ListSelection(editor.list), 1);
        EXPECT_EQ(world.windows.Focused(), editor.list);
        EXPECT_EQ(world.windows.Foreground(), editor.top);
        EXPECT_TRUE(world.Keystrokes().empty()) << wine;
        EXPECT_TRUE(world.EventsOf("Sleep").empty()) << "the list was the key's already";

        EXPECT_EQ(Drive(ntVersion), JumpResult::Landed) << "a key after a value";
        EXPECT_EQ(world.windows.Focused(), editor.tree);
        EXPECT_EQ(Drive({"HKEY_LOCAL_MACHINE", "Software\\Vanished", ""}), JumpResult::NotReached);
        EXPECT_EQ(world.windows.ReservedBlocks(), 0);
    }
    // Where it cannot be read, the keystrokes alone decide.
    world.windows.MakeUnreadable(editor.top);
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(Drive(withValue), JumpResult::Unverified);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), wrongLanding);
    EXPECT_FALSE(world.Keystrokes().empty());
}

// The editor fills its list a moment after the tree's selection changes:
// until it holds as many rows as the key has values (and the default row),
// a value of the same name in the previous key's list is not taken.
TEST_F(LandingCheckTest, TheNewKeysListIsWaitedFor) {
    constexpr RegKey kHklm = 0x80000002;
    world.registry.AddValue(kHklm, ntVersion.keyPath, "Path");
    world.registry.AddValue(kHklm, ntVersion.keyPath, "");  // the default value, set
    world.registry.AddValue(kHklm, ntVersion.keyPath, "Later");
    const ResolvedJump withValue{ntVersion.rootName, ntVersion.keyPath, "Path"};
    EXPECT_EQ(ExpectedListRows(world.registry, withValue).count, 3) << "the default row counted once";

    world.windows.LinkList(editor.tree, editor.list, 300);
    world.windows.SetItemRows(editor.tree, target, {"(Default)", "Later", "Path"});
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.SetListItems(editor.list, {"(Default)", "Path"});  // the previous key's
    const std::uint32_t before = world.now;
    EXPECT_EQ(Drive(withValue), JumpResult::Landed);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 2) << "in the new list";
    EXPECT_GE(world.now - before, 300u);

    // A value that never shows is given up at the bound, with its box.
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    const std::uint32_t again = world.now;
    EXPECT_EQ(Drive({ntVersion.rootName, ntVersion.keyPath, "Gone"}), JumpResult::NotReached);
    EXPECT_LE(world.now - again, kListFillBound + 1000);
}

// The default value is the list's first row, whatever word the editor's
// language draws there.
TEST_F(LandingCheckTest, TheDefaultValueIsTheFirstRow) {
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.SetListItems(editor.list, {"(Standard)", "Path"}, 1);
    ResolvedJump defaultValue{ntVersion.rootName, ntVersion.keyPath, "", true};
    EXPECT_EQ(Drive(defaultValue), JumpResult::Landed);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 0);
    EXPECT_EQ(world.windows.Focused(), editor.list);
}

// A virtual list has no texts to give: the value is typed to it, and the
// jump is not called lost.
TEST_F(LandingCheckTest, VirtualListGetsTheValueTypedUnverified) {
    world.windows.MakeVirtual(editor.list);
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    EXPECT_EQ(Drive({ntVersion.rootName, ntVersion.keyPath, "Path"}), JumpResult::Unverified);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target) << "the tree is still selected directly";
    std::string typed;
    for (const sim::Event& e : world.Keystrokes()) {
        EXPECT_EQ(e.handle, editor.list);
        if (e.call == "Character") typed += static_cast<char>(e.wParam);
    }
    EXPECT_EQ(typed, "Path");
    EXPECT_EQ(world.windows.Focused(), editor.list);
}

// A key whose security refuses this user: its values cannot be counted or
// checked here. The value is selected when the editor lists it; otherwise
// the key is where the jump ends, and the box says why.
TEST_F(LandingCheckTest, ValueOfAKeyThatCannotBeReadIsTakenWhenListed) {
    world.registry.DenyOpen(0x80000002, ntVersion.keyPath);
    const ResolvedJump locked{ntVersion.rootName, ntVersion.keyPath, "Path"};
    world.windows.SetTreeCaret(editor.tree, wrongLanding);
    world.windows.SetListItems(editor.list, {"(Default)"});
    EXPECT_EQ(Drive(locked), JumpResult::ValueUnreadable);
    EXPECT_EQ(world.windows.TreeCaret(editor.tree), target);
    EXPECT_EQ(world.windows.Focused(), editor.tree);

    world.windows.SetListItems(editor.list, {"(Default)", "Path"});
    EXPECT_EQ(Drive(locked), JumpResult::Landed);
    EXPECT_EQ(world.windows.ListSelection(editor.list), 1);
}

}  // namespace
}  // namespace ks::test
