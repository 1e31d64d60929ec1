#include "ui/rules/clipboard_watcher.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_world.h"

namespace ks {
namespace {

class ClipboardWatcherTest : public ::testing::Test {
protected:
    ClipboardWatcherTest() : watcher(world.windows, world.processes, clipboard) {
        next = world.windows.AddWindow(0, "NextViewer");
        watcher.SetNextViewer(next);
    }
    sim::World world;
    sim::SimClipboard clipboard;
    ClipboardWatcher watcher;
    Window next = 0;
};

TEST_F(ClipboardWatcherTest, NotificationIsPassedOnAfterTheWaitWhateverAutoCopySays) {
    for (bool autoCopy : {false, true}) {
        world.log.clear();
        clipboard.text = "plain words";
        (void)watcher.OnDrawClipboard(7, 9, autoCopy);
        ASSERT_EQ(world.log.size(), 2u);
        EXPECT_EQ(world.log[0].call, "Sleep");
        EXPECT_EQ(world.log[0].wParam, 100u);
        EXPECT_EQ(world.log[1].call, "PassOnClipboardChange");
        EXPECT_EQ(world.log[1].handle, next);
        EXPECT_EQ(world.log[1].wParam, 7u);
        EXPECT_EQ(world.log[1].lParam, 9);
    }
}

TEST_F(ClipboardWatcherTest, WaitsOnlyWhenSomebodyLooksAfterwards) {
    // Joining the chain at start-up: no next viewer yet, auto-copy not set.
    watcher.SetNextViewer(0);
    clipboard.text = "HKCU\\Software";
    world.log.clear();
    EXPECT_FALSE(watcher.OnDrawClipboard(0, 0, false).text.has_value());
    EXPECT_TRUE(world.log.empty());
    EXPECT_EQ(clipboard.reads, 0);

    // Auto-copy on: the wait comes before the clipboard is read.
    EXPECT_EQ(watcher.OnDrawClipboard(0, 0, true).text, "HKCU\\Software");
    ASSERT_FALSE(world.log.empty());
    EXPECT_EQ(world.log[0].call, "Sleep");
    EXPECT_EQ(world.log[0].wParam, 100u);
    EXPECT_EQ(clipboard.reads, 1);
}

TEST_F(ClipboardWatcherTest, AutoCopyTakesTrimmedRegistryPathsOnly) {
    clipboard.text = "  hklm\\Software\\x \r\n";
    EXPECT_EQ(watcher.OnDrawClipboard(0, 0, true).text, "hklm\\Software\\x");
    clipboard.text = "a plain sentence";
    EXPECT_FALSE(watcher.OnDrawClipboard(0, 0, true).text.has_value());
    clipboard.text = "\t\"\\Registry\\Machine\\SOFTWARE\" \r\n";  // taken as copied
    EXPECT_EQ(watcher.OnDrawClipboard(0, 0, true).text, "\"\\Registry\\Machine\\SOFTWARE\"");
    clipboard.text = "  hklm\\Software\\x ";
    EXPECT_FALSE(watcher.OnDrawClipboard(0, 0, false).text.has_value());
    EXPECT_EQ(clipboard.reads, 3) << "auto-copy off does not even open the clipboard";
    clipboard.text = std::string("HKCU\0hidden", 11);
    EXPECT_EQ(watcher.OnDrawClipboard(0, 0, true).text, "HKCU") << "CF_TEXT ends at a zero";
}

TEST_F(ClipboardWatcherTest, ClipboardHeldElsewhereIsReportedAfterPassingOn) {
    clipboard.text = "HKCU";
    clipboard.heldByAnotherProgram = true;
    const ClipboardOutcome outcome = watcher.OnDrawClipboard(0, 0, true);
    EXPECT_TRUE(outcome.cannotOpen);
    EXPECT_EQ(world.EventsOf("PassOnClipboardChange").size(), 1u);
}

TEST_F(ClipboardWatcherTest, NoTextOnTheClipboardChangesNothing) {
    clipboard.text.reset();
    EXPECT_FALSE(watcher.OnDrawClipboard(0, 0, true).text.has_value());
    EXPECT_FALSE(ReadClipboardForJump(clipboard).text.has_value());
    EXPECT_EQ(clipboard.reads, 0);
}

TEST_F(ClipboardWatcherTest, JumpTextNeedsOnlyTheTwoLettersOrAPath) {
    clipboard.text = "\t hkcu\\Software\\Foo\n";
    EXPECT_EQ(ReadClipboardForJump(clipboard).text, "hkcu\\Software\\Foo");
    clipboard.text = "Software\\Foo";
    EXPECT_FALSE(ReadClipboardForJump(clipboard).text.has_value());
    clipboard.text = " \\registry\\user\\S-1-5-18\n";  // a path without "HK"
    EXPECT_EQ(ReadClipboardForJump(clipboard).text, "\\registry\\user\\S-1-5-18");
    clipboard.text = "\\Registry\\Nowhere";
    EXPECT_FALSE(ReadClipboardForJump(clipboard).text.has_value());
    clipboard.text = "thk";  // passes the jump test though no root is named
    EXPECT_EQ(ReadClipboardForJump(clipboard).text, "thk");
}

TEST_F(ClipboardWatcherTest, ChainStaysLinkedWhenViewersLeave) {
    const Window after = world.windows.AddWindow(0, "AfterNext");
    const Window elsewhere = world.windows.AddWindow(0, "Elsewhere");

    watcher.OnChangeChain(elsewhere, 0);  // not ours: passed on unchanged
    auto sends = world.EventsOf("PassOnViewerLeaving");
    ASSERT_EQ(sends.size(), 1u);
    EXPECT_EQ(sends[0].handle, next);
    EXPECT_EQ(sends[0].wParam, elsewhere);

    watcher.OnChangeChain(next, after);  // our next viewer leaves
    EXPECT_EQ(watcher.NextViewer(), after);
    EXPECT_EQ(world.EventsOf("PassOnViewerLeaving").size(), 1u);

    world.log.clear();
    (void)watcher.OnDrawClipboard(0, 0, false);
    EXPECT_EQ(world.EventsOf("PassOnClipboardChange").at(0).handle, after);

    watcher.OnChangeChain(after, 0);  // the last one leaves: nothing to pass to
    world.log.clear();
    (void)watcher.OnDrawClipboard(0, 0, false);
    EXPECT_TRUE(world.EventsOf("PassOnClipboardChange").empty());
}

}  // namespace
}  // namespace ks
