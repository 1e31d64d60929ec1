#include "ui/rules/clipboard_watcher.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_clipboard.h"
#include "platform/sim/sim_world.h"
#include "ui/rules/clipboard_text.h"

namespace ks {
namespace {

class ClipboardWatcherTest : public ::testing::Test {
protected:
    ClipboardWatcherTest() : watcher(world.processes, clipboard) {}

    // The notice of a change, and the read its timer brings, `elapsed` ms
    // apart as the timer fires them. The last step's key text.
    std::optional<std::string> NoticeAndRead(bool autoCopy = true) {
        const AutoCopyStep notice = watcher.OnClipboardUpdate(autoCopy);
        if (!notice.readIn) return std::nullopt;
        return RunTimer(*notice.readIn, autoCopy);
    }

    // Fires the read timer, and the retries it asks for, until it stops.
    std::optional<std::string> RunTimer(std::uint32_t in, bool autoCopy = true) {
        retries = 0;
        for (std::optional<std::uint32_t> due = in; due;) {
            world.now += *due;
            const AutoCopyStep step = watcher.OnReadDue(autoCopy);
            if (step.keyText) return step.keyText;
            due = step.readIn;
            if (due) ++retries;
        }
        return std::nullopt;
    }

    sim::World world;
    sim::SimClipboard clipboard;
    ClipboardWatcher watcher;
    int retries = 0;
};

TEST_F(ClipboardWatcherTest, TheNoticeOnlySchedulesTheReadAfterTheSettleTime) {
    clipboard.Copy("HKCU\\Software");
    const AutoCopyStep notice = watcher.OnClipboardUpdate(true);
    EXPECT_EQ(notice.readIn, 100u);
    EXPECT_FALSE(notice.keyText);
    EXPECT_EQ(clipboard.opens, 0) << "nothing is read while the copying program may still write";
    EXPECT_TRUE(world.EventsOf("Sleep").empty()) << "nobody waits on the notice";
    world.now += *notice.readIn;
    EXPECT_EQ(watcher.OnReadDue(true).keyText, "HKCU\\Software");
    EXPECT_EQ(clipboard.reads, 1);
    EXPECT_FALSE(clipboard.IsOpen());
}

TEST_F(ClipboardWatcherTest, EachChangeIsReadOnce) {
    clipboard.Copy("HKCU\\Software");
    // The system may tell of one change twice; a change already read is
    // not read again, nor scheduled.
    EXPECT_EQ(watcher.OnClipboardUpdate(true).readIn, 100u);
    EXPECT_FALSE(watcher.OnClipboardUpdate(true).readIn);
    EXPECT_EQ(RunTimer(100), "HKCU\\Software");
    EXPECT_FALSE(watcher.OnClipboardUpdate(true).readIn);
    EXPECT_FALSE(watcher.OnReadDue(true).keyText) << "a stray timer reads nothing";
    EXPECT_EQ(clipboard.reads, 1);

    // A second change before the first was read: one read, of the last.
    clipboard.Copy("HKLM\\First");
    EXPECT_EQ(watcher.OnClipboardUpdate(true).readIn, 100u);
    clipboard.Copy("HKLM\\Second");
    EXPECT_EQ(watcher.OnClipboardUpdate(true).readIn, 100u) << "the read is put off again";
    EXPECT_EQ(RunTimer(100), "HKLM\\Second");
    EXPECT_EQ(clipboard.reads, 2);

    // Without a sequence number every notice is a change of its own.
    clipboard.sequence = 0;
    EXPECT_EQ(NoticeAndRead(), "HKLM\\Second");
    EXPECT_EQ(NoticeAndRead(), "HKLM\\Second");
}

TEST_F(ClipboardWatcherTest, AutoCopyTakesTrimmedRegistryPathsOnly) {
    struct Case {
        const char* copied;
        std::optional<std::string> keyText;
    };
    const Case cases[] = {
        {"  hklm\\Software\\x \r\n", "hklm\\Software\\x"},
        {"a plain sentence", std::nullopt},
        {"\t\"\\Registry\\Machine\\SOFTWARE\" \r\n", "\"\\Registry\\Machine\\SOFTWARE\""},
        {"", std::nullopt},
        // Blocks of lines fill the one-line box with the path they name.
        {"Registry Hive: HKEY_LOCAL_MACHINE\r\nRegistry Path: \\Software\\Policies\\Vendor\\\r\n"
         "Value Name: Setting\r\nValue Type: REG_DWORD\r\n",
         "HKEY_LOCAL_MACHINE\\Software\\Policies\\Vendor\\Setting"},
        {"HKCU\\Software\\Vendor\nValue Name: Setting", "HKEY_CURRENT_USER\\Software\\Vendor\\Setting"},
        {"first line\r\nsecond line", std::nullopt},
    };
    for (const Case& c : cases) {
        clipboard.Copy(c.copied);
        EXPECT_EQ(NoticeAndRead(), c.keyText) << c.copied;
    }
    clipboard.Copy(std::string("HKCU\0hidden", 11));
    EXPECT_EQ(NoticeAndRead(), "HKCU") << "the text ends at a zero";
}

TEST_F(ClipboardWatcherTest, AutoCopyOffReadsNothing) {
    clipboard.Copy("HKCU\\Software");
    EXPECT_FALSE(watcher.OnClipboardUpdate(false).readIn);
    // Switched off between the notice and the read.
    ASSERT_TRUE(watcher.OnClipboardUpdate(true).readIn);
    world.now += 100;
    EXPECT_FALSE(watcher.OnReadDue(false).keyText);
    EXPECT_EQ(clipboard.opens, 0);
    // Switched on again: the change was never read, the next notice reads it.
    EXPECT_EQ(NoticeAndRead(), "HKCU\\Software");
}

TEST_F(ClipboardWatcherTest, AHeldClipboardIsAskedForAgainAndThenLetGoSilently) {
    // Held for a moment: asked for again every 25 ms, then read.
    clipboard.Copy("HKCU\\Software\\Wine");
    clipboard.heldForOpens = 3;
    EXPECT_EQ(NoticeAndRead(), "HKCU\\Software\\Wine");
    EXPECT_EQ(retries, 3);

    // Held throughout: 250 ms more, and then the change is let go without
    // a word, never retried.
    clipboard.Copy("HKCU\\Software");
    clipboard.heldByAnotherProgram = true;
    const std::uint32_t noticed = world.now;
    EXPECT_EQ(NoticeAndRead(), std::nullopt);
    EXPECT_EQ(world.now - noticed, 100u + 250u);
    EXPECT_EQ(retries, 10);
    EXPECT_FALSE(watcher.OnClipboardUpdate(true).readIn) << "the change counts as handled";
    EXPECT_TRUE(world.EventsOf("Sleep").empty()) << "the retries are timers, not waits";

    // The next change is read as usual.
    clipboard.heldByAnotherProgram = false;
    clipboard.Copy("HKLM\\Next");
    EXPECT_EQ(NoticeAndRead(), "HKLM\\Next");
    EXPECT_EQ(retries, 0);

    // A change during the retries starts its own read with its own patience.
    clipboard.Copy("HKLM\\Held");
    clipboard.heldByAnotherProgram = true;
    ASSERT_TRUE(watcher.OnClipboardUpdate(true).readIn);
    world.now += 100 + 200;
    (void)watcher.OnReadDue(true);
    clipboard.heldByAnotherProgram = false;
    clipboard.Copy("HKLM\\After");
    EXPECT_EQ(NoticeAndRead(), "HKLM\\After");
}

TEST_F(ClipboardWatcherTest, UnicodeTextFirstAndTheAnsiTextByItsLocale) {
    constexpr std::uint32_t kRussian = 0x0419;
    constexpr std::uint32_t kEnglish = 0x0409;
    struct Case {
        const char* name;
        std::optional<std::string> unicode;
        std::optional<std::string> ansi;
        std::optional<std::uint32_t> locale;
        bool unicodeRenderFails;
        std::string text;
    };
    const Case cases[] = {
        {"both offered: the Unicode text", "HKCU\\\xD0\x9A\xD0\xB8\xD1\x82", "HKCU\\Kit", kEnglish,
         false, "HKCU\\\xD0\x9A\xD0\xB8\xD1\x82"},
        {"8-bit text of the Russian locale", std::nullopt, "HKCU\\\xCA\xE8\xF2", kRussian, false,
         "HKCU\\\xD0\x9A\xD0\xB8\xD1\x82"},
        {"8-bit text without a locale: the ANSI code page", std::nullopt, "HKCU\\Caf\xE9",
         std::nullopt, false, "HKCU\\Caf\xC3\xA9"},
        {"a locale the system does not know: the ANSI code page", std::nullopt, "HKCU\\Caf\xE9",
         0x0401, false, "HKCU\\Caf\xC3\xA9"},
        {"the Unicode text does not render: the 8-bit one", "HKCU\\Unicode", "HKCU\\\xCA\xE8\xF2",
         kRussian, true, "HKCU\\\xD0\x9A\xD0\xB8\xD1\x82"},
        {"8-bit text up to its first zero", std::nullopt, std::string("HKCU\\A\0B", 8), kEnglish,
         false, "HKCU\\A"},
    };
    for (const Case& c : cases) {
        clipboard.text = c.unicode;
        clipboard.ansiText = c.ansi;
        clipboard.locale = c.locale;
        clipboard.unicodeRenderFails = c.unicodeRenderFails;
        ++clipboard.sequence;
        EXPECT_EQ(NoticeAndRead(), c.text) << c.name;
        EXPECT_EQ(ReadClipboardForJump(clipboard, world.processes).text, c.text) << c.name;
    }
}

TEST_F(ClipboardWatcherTest, JumpFromClipboardWaitsAMomentAndThenReports) {
    clipboard.Copy("HKCU\\Software");
    clipboard.heldForOpens = 5;
    EXPECT_EQ(ReadClipboardForJump(clipboard, world.processes).text, "HKCU\\Software");
    EXPECT_FALSE(clipboard.IsOpen());

    clipboard.heldByAnotherProgram = true;
    const std::uint32_t start = world.now;
    const ClipboardOutcome outcome = ReadClipboardForJump(clipboard, world.processes);
    EXPECT_TRUE(outcome.cannotOpen) << "the command's box";
    EXPECT_EQ(world.now - start, kClipboardPatience);
    EXPECT_FALSE(WriteClipboardText(clipboard, world.processes, "HKLM"));

    clipboard.heldByAnotherProgram = false;
    ASSERT_TRUE(WriteClipboardText(clipboard, world.processes, std::string("HKLM\\x\0y", 8)));
    EXPECT_EQ(clipboard.text, "HKLM\\x") << "written up to its first zero";
    EXPECT_FALSE(clipboard.IsOpen());
}

TEST_F(ClipboardWatcherTest, NoTextOnTheClipboardChangesNothing) {
    clipboard.text.reset();
    ++clipboard.sequence;
    EXPECT_FALSE(NoticeAndRead());
    EXPECT_FALSE(ReadClipboardForJump(clipboard, world.processes).text.has_value());
    EXPECT_EQ(clipboard.opens, 0);
}

TEST_F(ClipboardWatcherTest, JumpTextNeedsOnlyTheTwoLettersOrAPath) {
    const auto jumpText = [&](const char* copied) {
        clipboard.Copy(copied);
        return ReadClipboardForJump(clipboard, world.processes).text;
    };
    EXPECT_EQ(jumpText("\t hkcu\\Software\\Foo\n"), "hkcu\\Software\\Foo");
    EXPECT_FALSE(jumpText("Software\\Foo").has_value());
    EXPECT_EQ(jumpText(" \\registry\\user\\S-1-5-18\n"), "\\registry\\user\\S-1-5-18");
    EXPECT_FALSE(jumpText("\\Registry\\Nowhere").has_value());
    // Passes the jump test though no root is named.
    EXPECT_EQ(jumpText("thk"), "thk");
}

}  // namespace
}  // namespace ks
