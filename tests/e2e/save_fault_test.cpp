// The save on Exit when the settings cannot be written: the file marked
// read-only, its folder made immutable, the disk full, the program killed
// in the middle of it; and a file another program holds for a moment,
// which is waited for. The user is told, the window stays open, and the
// previous file is there byte for byte; a killed save leaves the old file
// or the new one, never a mix.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "e2e/fault_support.h"
#include "e2e/main_window_support.h"
#include "e2e/unix_support.h"

namespace ks::test {
namespace {

// Many rows with comments, so that the file takes a while to write.
std::string LargeSettings(int rows) {
    std::string keys = "[RegistryList]\r\nCount=" + std::to_string(rows) + "\r\n";
    std::string comments = "[CommentList]\r\n";
    for (int i = 0; i < rows; ++i) {
        const std::string index = std::to_string(i);
        keys += index + "=HKCU\\Software\\Keystride\\Row" + index + "\r\n";
        comments += index + "=comment for row " + index + "\r\n";
    }
    return "[Copy]\r\nEnable=0\r\n" + keys + comments;
}

std::int64_t Microseconds() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000000 / frequency.QuadPart;
}

// Waiting and polling without giving up the processor: Sleep and WaitUntil
// are too coarse for the milliseconds a save takes.
void SpinMicroseconds(std::int64_t microseconds) {
    const std::int64_t end = Microseconds() + microseconds;
    while (Microseconds() < end) {
    }
}

bool SpinUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done())
        if (GetTickCount() - start >= kWaitMs) return false;
    return true;
}

std::string UnableToWriteText() { return "Unable to write to " + SettingsFile() + "."; }

class SaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveTree(SettingsFolder());
        if (GetFileAttributesA(SettingsFolder().c_str()) != INVALID_FILE_ATTRIBUTES) {
            // Left immutable by a run that died in the middle.
            if (const std::optional<std::string> folder = UnixPath(SettingsFolder()))
                RunUnixShell("chattr -i " + ShellQuoted(*folder));
            RemoveTree(SettingsFolder());
        }
        ASSERT_TRUE(WriteSettingsFile(kPrevious));
    }

    // Exit is refused with the error box; the window stays, the file is as
    // it was and no temporary file is left beside it.
    static void ExpectRefusedExit(const Keystride& app, const std::string& previous) {
        app.Command(IDC_EXIT);
        HWND box = app.WaitForWindow("Keystride", "#32770");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), UnableToWriteText());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(app.WaitGone(box));
        EXPECT_FALSE(app.Process().Wait(500));
        EXPECT_TRUE(IsWindowVisible(app.Main()));
        EXPECT_TRUE(ReadWholeFile(SettingsFile()) == previous) << "the previous file changed";
        EXPECT_EQ(FolderEntries(SettingsFolder()), std::vector<std::string>{"options.ini"});
    }

    static constexpr char kPrevious[] =
        "[Copy]\r\nEnable=0\r\n; the user's own note\r\n[RegistryList]\r\nCount=1\r\n"
        "0=HKCU\\Software\r\n[CommentList]\r\n0=kept\r\n";
};

TEST_F(SaveFault, ReadOnlyFileIsNotReplaced) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Send(IDC_AUTO_COPY, BM_CLICK);
    ASSERT_TRUE(SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectRefusedExit(app, kPrevious);

    ASSERT_TRUE(SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(app.Exit());
    const std::string saved = ReadWholeFile(SettingsFile());
    EXPECT_NE(saved.find("Enable=1"), std::string::npos);
    EXPECT_NE(saved.find("; the user's own note"), std::string::npos);
}

TEST_F(SaveFault, ImmutableFolderTakesNoFile) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Send(IDC_AUTO_COPY, BM_CLICK);
    {
        ImmutableFolder locked(SettingsFolder());
        if (!locked.Immutable())
            GTEST_SKIP() << "chattr +i is not allowed here (no CAP_LINUX_IMMUTABLE, or a file "
                            "system without the flag); the read-only file case still runs";
        ExpectRefusedExit(app, kPrevious);
    }
    ASSERT_TRUE(app.Exit());
    EXPECT_NE(ReadWholeFile(SettingsFile()).find("Enable=1"), std::string::npos);
}

TEST_F(SaveFault, AFileHeldElsewhereForAMomentIsSavedWithoutABox) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Send(IDC_AUTO_COPY, BM_CLICK);
    // Another program has the file open without sharing it, as a scanner
    // does, when Exit is pressed, and lets it go half a second later.
    HANDLE held = CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    app.Command(IDC_EXIT);
    Sleep(500);
    EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"));
    EXPECT_FALSE(app.Process().Wait(0)) << "it cannot have saved yet";
    CloseHandle(held);
    DWORD code = 1;
    ASSERT_TRUE(app.Process().Wait(kWaitMs, &code)) << "the close went no further";
    EXPECT_EQ(code, 0u);
    const std::string saved = ReadWholeFile(SettingsFile());
    EXPECT_NE(saved.find("Enable=1"), std::string::npos);
    EXPECT_NE(saved.find("; the user's own note"), std::string::npos);
    EXPECT_EQ(FolderEntries(SettingsFolder()), std::vector<std::string>{"options.ini"});
}

TEST_F(SaveFault, FullDiskKeepsThePreviousFile) {
    // The previous file is larger than the limit: reading it is allowed,
    // writing as much again is not.
    const std::string previous = LargeSettings(400);
    constexpr std::size_t kLimit = 4096;
    ASSERT_GT(previous.size(), 4 * kLimit);
    ASSERT_TRUE(WriteSettingsFile(previous));
    SizeLimitedKeystride app(kLimit);
    if (!app.Available()) GTEST_SKIP() << "no prlimit on the Unix side to set the limit with";
    ASSERT_TRUE(app.Started());
    app.Command(IDC_EXIT);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (box = FindProcessWindow(app.ProcessId(), "Keystride", "#32770")); }));
    EXPECT_EQ(MessageBoxText(box), UnableToWriteText());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    EXPECT_FALSE(app.Ended(500));
    EXPECT_TRUE(IsWindowVisible(app.Main()));
    EXPECT_TRUE(ReadWholeFile(SettingsFile()) == previous) << "the previous file changed";
    EXPECT_EQ(FolderEntries(SettingsFolder()), std::vector<std::string>{"options.ini"});
}

TEST_F(SaveFault, KilledSaveLeavesTheOldFileOrTheNewOne) {
    // Twenty thousand rows and twenty megabytes of the user's own notes:
    // long enough to write that a kill can fall in the middle.
    const std::string old =
        LargeSettings(20000) + "[Notes]\r\n" + std::string(20 * 1024 * 1024, 'n') + "\r\n";
    const std::string temporary = SettingsFile() + ".tmp";
    const auto temporaryExists = [&] {
        return GetFileAttributesA(temporary.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    // A close that runs to its end gives the new file, and how long the
    // temporary file lives on this machine.
    ASSERT_TRUE(WriteSettingsFile(old));
    std::int64_t lifetime = 0;
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        app.Send(IDC_AUTO_COPY, BM_CLICK);
        app.Command(IDC_EXIT);
        ASSERT_TRUE(SpinUntil(temporaryExists));
        const std::int64_t shown = Microseconds();
        ASSERT_TRUE(SpinUntil([&] { return !temporaryExists(); }));
        lifetime = Microseconds() - shown;
        DWORD code = 1;
        ASSERT_TRUE(app.Process().Wait(kWaitMs, &code));
        ASSERT_EQ(code, 0u);
    }
    const std::string fresh = ReadWholeFile(SettingsFile());
    ASSERT_NE(fresh, old);

    // Kills before the save, then from the moment the temporary file shows,
    // later and later, to several times the time it lived above: a save
    // slowed down by the machine is met in the middle all the same.
    constexpr int kEighths[] = {0, 1, 2, 4, 6, 8, 12, 16, 24, 32, 48, 64};
    constexpr int kMoments = static_cast<int>(std::size(kEighths));
    int olds = 0;
    int strays = 0;
    for (int moment = -1; moment < kMoments; ++moment) {
        SCOPED_TRACE(moment);
        ASSERT_TRUE(WriteSettingsFile(old));
        Keystride app;
        ASSERT_TRUE(app.Started());
        app.Send(IDC_AUTO_COPY, BM_CLICK);
        app.Command(IDC_EXIT);
        if (moment >= 0) {
            SpinUntil([&] { return temporaryExists() || app.Process().Wait(0); });
            SpinMicroseconds(lifetime * kEighths[moment] / 8);
        }
        TerminateProcess(app.Process().Handle(), 1);
        ASSERT_TRUE(app.Process().Wait(kWaitMs));

        const std::string left = ReadWholeFile(SettingsFile());
        EXPECT_TRUE(left == old || left == fresh) << "neither the old file nor the new one";
        olds += left == old;
        // One temporary file at most, under its one name: the next save
        // writes over it.
        const std::vector<std::string> entries = FolderEntries(SettingsFolder());
        const bool stray = entries == std::vector<std::string>{"options.ini", "options.ini.tmp"};
        EXPECT_TRUE(stray || entries == std::vector<std::string>{"options.ini"});
        strays += stray;
    }
    std::printf("temporary file lived %lld us; %d kills left the old file, %d the new one, "
                "%d a temporary file\n",
                static_cast<long long>(lifetime), olds, kMoments + 1 - olds, strays);

    // A save that is let finish takes a stray temporary file with it.
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        ASSERT_TRUE(app.Exit());
    }
    EXPECT_EQ(FolderEntries(SettingsFolder()), std::vector<std::string>{"options.ini"});
}

}  // namespace
}  // namespace ks::test
