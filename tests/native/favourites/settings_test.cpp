#include "favourites/settings.h"

#include <gtest/gtest.h>

#include "shared/utf16_file.h"

#include <algorithm>
#include <random>

#include "favourites/held_files.h"
#include "favourites/settings_session.h"
#include "grammar/wide_text.h"
#include "platform/sim/sim_ansi_code_page.h"
#include "platform/sim/sim_files.h"

namespace ks::test {
namespace {

using namespace std::string_literals;

const std::string kAppData = "C:\\Users\\Ada\\AppData\\Roaming";
const std::string kFolder = kAppData + "\\Korvel\\Keystride\\";
const std::string kPath = kFolder + "options.ini";
const std::string kExeFolder = "C:\\Program Files\\Keystride\\";

const std::string kDefaultPosition =
    "[WindowsPosition]\r\nLeft=342\r\nTop=192\r\nWidth=529\r\nHeight=516\r\nMaximized=0\r\n"
    "NormalLeft=342\r\nNormalTop=192\r\nNormalWidth=529\r\nNormalHeight=516\r\n";

const sim::SimAnsiCodePage ansi;


class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        files.SetAppDataFolder(kAppData);
        files.SetExecutableFolder(kExeFolder);
    }

    void Load() {
        settings = Settings{};
        list = FavouritesList{};
        LoadSettings(files, ansi, settings, list);
    }

    std::optional<std::string> Save(const WindowBounds& bounds = {}, bool maximized = false) {
        return SaveSettings(files, ansi, settings, list, bounds, maximized);
    }

    void SaveOk(const WindowBounds& bounds = {}, bool maximized = false) {
        const std::optional<std::string> error = Save(bounds, maximized);
        ASSERT_EQ(error, std::nullopt);
    }

    std::string File() const { return files.Contents(kPath).value_or("<no file>"); }

    sim::SimFiles files;
    Settings settings;
    FavouritesList list;
};

TEST_F(SettingsTest, OpeningBuildsThePathAndOnlyTheSaveEndsTheBrowserSession) {
    struct Case {
        std::string appData;
        std::string path;
    };
    const Case cases[] = {
        {"C:\\Data", "C:\\Data\\Korvel\\Keystride\\options.ini"},
        {"C:\\Data\\", "C:\\Data\\Korvel\\Keystride\\options.ini"},
        {"D:\\", "D:\\Korvel\\Keystride\\options.ini"},
    };
    for (const Case& c : cases) {
        sim::SimFiles fresh;
        fresh.SetAppDataFolder(c.appData);
        bool firstRun = false;
        EXPECT_EQ(OpenSettingsFile(fresh, firstRun), c.path);
        EXPECT_TRUE(firstRun);
        EXPECT_TRUE(fresh.DirectoryExists(c.path.substr(0, c.path.rfind('\\'))));
        EXPECT_EQ(fresh.BrowserSessionsEnded(), 0);
    }
    // The start does without the browser-session call and its library; the
    // save makes it first.
    Load();
    EXPECT_EQ(files.BrowserSessionsEnded(), 0);
    files.ResetCounts();
    SaveOk();
    ASSERT_FALSE(files.Calls().empty());
    EXPECT_EQ(files.Calls().front(), "EndBrowserSession");
    EXPECT_EQ(files.BrowserSessionsEnded(), 1);
}

TEST_F(SettingsTest, FallsBackToTheExecutableFolder) {
    struct Case {
        const char* name;
        std::string appData;
        bool failCreate;
        bool readOnlyAppData;
        std::string exeFolder;
    };
    const Case cases[] = {
        {"folder cannot be created", kAppData, true, false, kExeFolder},
        {"application data is read-only", kAppData, false, true, kExeFolder},
        {"no application-data folder", "", false, false, kExeFolder},
        {"executable folder without backslash", "", false, false, "E:\\Tools"},
    };
    for (const Case& c : cases) {
        sim::SimFiles fresh;
        fresh.SetAppDataFolder(c.appData);
        fresh.SetExecutableFolder(c.exeFolder);
        fresh.FailCreateDirectories(c.failCreate);
        if (c.readOnlyAppData) fresh.SetReadOnly(c.appData);
        bool firstRun = false;
        const std::string folder = c.exeFolder.back() == '\\' ? c.exeFolder : c.exeFolder + "\\";
        EXPECT_EQ(OpenSettingsFile(fresh, firstRun), folder + "options.ini") << c.name;
        EXPECT_FALSE(fresh.DirectoryExists(kFolder)) << c.name;
    }
}

TEST_F(SettingsTest, FirstRunFollowsTheFileAtEveryOpening) {
    bool firstRun = false;
    files.AddDirectory(kFolder);
    EXPECT_EQ(OpenSettingsFile(files, firstRun), kPath);
    EXPECT_TRUE(firstRun);
    EXPECT_EQ(std::count(files.Calls().begin(), files.Calls().end(), "CreateDirectories"), 0);
    files.PutFile(kPath, "");
    static_cast<void>(OpenSettingsFile(files, firstRun));
    EXPECT_FALSE(firstRun);

    sim::SimFiles other;
    Settings fresh;
    fresh.firstRun = true;
    FavouritesList none;
    ASSERT_EQ(SaveSettings(other, ansi, fresh, none, {}, false), std::nullopt);
    EXPECT_TRUE(fresh.firstRun);  // the file did not exist when the save opened it
    ASSERT_EQ(SaveSettings(other, ansi, fresh, none, {}, false), std::nullopt);
    EXPECT_FALSE(fresh.firstRun);
}

TEST_F(SettingsTest, FirstStartGivesDefaultsAndWritesAllFourSections) {
    Load();
    EXPECT_TRUE(settings.firstRun);
    EXPECT_TRUE(files.DirectoryExists(kFolder));
    EXPECT_FALSE(settings.autoCopyEnabled);
    EXPECT_EQ(settings.savedWindowBounds, (WindowBounds{342, 192, 529, 516}));
    EXPECT_FALSE(settings.savedMaximized);
    EXPECT_EQ(settings.savedNormalBounds, (WindowBounds{342, 192, 529, 516}));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(files.FileExists(kPath));

    SaveOk(settings.savedWindowBounds, false);
    EXPECT_EQ(File(), "[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=0\r\n[CommentList]\r\n" +
                          kDefaultPosition);
}

TEST_F(SettingsTest, EmptyRowKeyIsSkippedAndTheNextSaveClosesTheGap) {
    files.PutFile(kPath,
                  "[RegistryList]\r\nCount=3\r\n0=HKLM\\A\r\n1=\r\n2=HKCU\\C\r\n"
                  "[CommentList]\r\n0=a\r\n1=b\r\n2=c\r\n");
    Load();
    EXPECT_FALSE(settings.firstRun);
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{{"HKLM\\A", "a"}, {"HKCU\\C", "c"}}));
    EXPECT_EQ(list.Selected(), kNoSelection);

    SaveOk();
    EXPECT_EQ(File(),
              "[RegistryList]\r\nCount=2\r\n0=HKLM\\A\r\n1=HKCU\\C\r\n2=HKCU\\C\r\n"
              "[CommentList]\r\n0=a\r\n1=c\r\n2=c\r\n[Copy]\r\nEnable=0\r\n" +
                  kDefaultPosition);
    Load();
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(SettingsTest, CountDecidesWhichRowsLoad) {
    const std::string rows =
        "0=HKLM\\0\r\n1=HKLM\\1\r\n2=HKLM\\2\r\n[CommentList]\r\n0=c0\r\n2=c2\r\n";
    struct Case {
        std::string count;
        std::vector<FavouriteEntry> rows;
    };
    const Case cases[] = {
        {"Count=3", {{"HKLM\\0", "c0"}, {"HKLM\\1", ""}, {"HKLM\\2", "c2"}}},
        {"Count=2", {{"HKLM\\0", "c0"}, {"HKLM\\1", ""}}},
        {"Count=10", {{"HKLM\\0", "c0"}, {"HKLM\\1", ""}, {"HKLM\\2", "c2"}}},
        {"Count=0x2", {{"HKLM\\0", "c0"}, {"HKLM\\1", ""}}},
        {"Count=0", {}},
        {"Count=-1", {}},
        {"Count=-2147483648", {}},
        {"Count=three", {}},
        {"Count=", {}},
        {"NoCount=3", {}},
    };
    for (const Case& c : cases) {
        files.PutFile(kPath, "[RegistryList]\r\n" + c.count + "\r\n" + rows);
        Load();
        EXPECT_EQ(list.Rows(), c.rows) << c.count;
    }
}

TEST_F(SettingsTest, OnlyRowKeysInTheirOwnSpellingAreRows) {
    files.PutFile(kPath,
                  "[RegistryList]\r\nCount=5\r\n3=three\r\n01=leading zero\r\n+2=sign\r\n"
                  " 0 =zero\r\n3=second three\r\n-1=minus\r\n4 =four\r\n"
                  "[CommentList]\r\n00=not zero\r\n0=c0\r\n");
    Load();
    EXPECT_EQ(list.Rows(),
              (std::vector<FavouriteEntry>{{"zero", "c0"}, {"three", ""}, {"four", ""}}));
}

TEST_F(SettingsTest, BooleanAndIntegerSettingsFollowTheReadingRules) {
    struct Case {
        std::string enable;
        bool autoCopy;
    };
    const Case cases[] = {
        {"Enable=2", true},     {"Enable=1", true},    {"Enable=-1", true}, {"Enable=0x1", true},
        {"Enable=0", false},    {"Enable=yes", false}, {"Enable=", false},  {"", false},
        {"Enable=\"1\"", true}, {"enable = 1 ", true},
    };
    for (const Case& c : cases) {
        files.PutFile(kPath, "[Copy]\r\n" + c.enable + "\r\n");
        Load();
        EXPECT_EQ(settings.autoCopyEnabled, c.autoCopy) << c.enable;
    }

    files.PutFile(
        kPath,
        "[WindowsPosition]\r\nLeft=0x10\r\nTop=-20\r\nWidth=12abc\r\nHeight=4294967296\r\n"
        "Maximized=7\r\nNormalLeft=0X1F\r\nNormalTop=\r\nNormalWidth=800\r\n"
        "NormalHeight=600\r\n");
    Load();
    EXPECT_EQ(settings.savedWindowBounds, (WindowBounds{16, -20, 529, 516}));
    EXPECT_TRUE(settings.savedMaximized);
    EXPECT_EQ(settings.savedNormalBounds, (WindowBounds{31, 192, 800, 600}));
}

TEST_F(SettingsTest, EmptyCommentIsWrittenAsAnEmptyValue) {
    list.Append({"HKCU\\Software", ""});
    list.Append({"HKLM\\Software", "machine"});
    SaveOk();
    EXPECT_EQ(File(),
              "[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=2\r\n0=HKCU\\Software\r\n"
              "1=HKLM\\Software\r\n[CommentList]\r\n0=\r\n1=machine\r\n" +
                  kDefaultPosition);
    Load();
    EXPECT_EQ(list.Rows(),
              (std::vector<FavouriteEntry>{{"HKCU\\Software", ""}, {"HKLM\\Software", "machine"}}));
}

TEST_F(SettingsTest, MaximisedWindowWritesItsBoundsAndTheRememberedNormalOnes) {
    settings.autoCopyEnabled = true;
    settings.savedNormalBounds = {100, -50, 640, 480};
    SaveOk({-8, -8, 1936, 1056}, true);
    EXPECT_EQ(File(),
              "[Copy]\r\nEnable=1\r\n[RegistryList]\r\nCount=0\r\n[CommentList]\r\n"
              "[WindowsPosition]\r\nLeft=-8\r\nTop=-8\r\nWidth=1936\r\nHeight=1056\r\n"
              "Maximized=1\r\nNormalLeft=100\r\nNormalTop=-50\r\nNormalWidth=640\r\n"
              "NormalHeight=480\r\n");
    Load();
    EXPECT_TRUE(settings.autoCopyEnabled);
    EXPECT_EQ(settings.savedWindowBounds, (WindowBounds{-8, -8, 1936, 1056}));
    EXPECT_TRUE(settings.savedMaximized);
    EXPECT_EQ(settings.savedNormalBounds, (WindowBounds{100, -50, 640, 480}));
}

TEST_F(SettingsTest, ShrinkingTheListLeavesTheOldKeysUnread) {
    for (int i = 0; i < 5; ++i)
        list.Append({"HKLM\\Key" + std::to_string(i), "c" + std::to_string(i)});
    SaveOk();
    list.Select(1);
    list.RemoveSelected();
    list.Select(3);
    list.RemoveSelected();
    SaveOk();
    EXPECT_EQ(File(),
              "[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=3\r\n0=HKLM\\Key0\r\n"
              "1=HKLM\\Key2\r\n2=HKLM\\Key3\r\n3=HKLM\\Key3\r\n4=HKLM\\Key4\r\n"
              "[CommentList]\r\n0=c0\r\n1=c2\r\n2=c3\r\n3=c3\r\n4=c4\r\n" +
                  kDefaultPosition);
    Load();
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{
                               {"HKLM\\Key0", "c0"}, {"HKLM\\Key2", "c2"}, {"HKLM\\Key3", "c3"}}));
}

TEST_F(SettingsTest, FailedSaveLeavesThePreviousFileAndNamesIt) {
    const std::string previous = "[Copy]\r\nEnable=1\r\n; mine\r\n";
    enum class Failure { Replace, ReadOnlyFolder, ReadOnlyFile, UnreadableFile, HeldLonger };
    for (const Failure failure : {Failure::Replace, Failure::ReadOnlyFolder, Failure::ReadOnlyFile,
                                  Failure::UnreadableFile, Failure::HeldLonger}) {
        sim::SimFiles fresh;
        fresh.SetAppDataFolder(kAppData);
        fresh.PutFile(kPath, previous);
        if (failure == Failure::Replace) fresh.FailReplaceFile();
        if (failure == Failure::ReadOnlyFolder) fresh.SetReadOnly(kFolder);
        if (failure == Failure::ReadOnlyFile) fresh.SetReadOnly(kPath);
        if (failure == Failure::UnreadableFile) fresh.SetUnreadable(kPath);
        if (failure == Failure::HeldLonger) fresh.HoldFile(kPath, 60000);
        FavouritesList rows;
        rows.Append({"HKLM", "new"});
        Settings values;
        EXPECT_EQ(SaveSettings(fresh, ansi, values, rows, {}, false), "Unable to write to " + kPath)
            << static_cast<int>(failure);
        EXPECT_EQ(fresh.Contents(kPath), previous) << static_cast<int>(failure);
        EXPECT_FALSE(fresh.Contents(kPath + ".tmp")) << static_cast<int>(failure);

        // The window stays open; a later close tries again.
        fresh.HoldFile(kPath, 0);
        fresh.FailReplaceFile(false);
        fresh.SetReadOnly(kFolder, false);
        fresh.SetReadOnly(kPath, false);
        fresh.SetUnreadable(kPath, false);
        EXPECT_EQ(SaveSettings(fresh, ansi, values, rows, {}, false), std::nullopt);
        EXPECT_NE(fresh.Contents(kPath), previous);
    }
}

// A settings file another program holds open (an antivirus scanner, the
// indexer, a synchronised profile): the replacement is asked for again for
// two seconds; the old file is never lost and the temporary file never stays.
TEST_F(SettingsTest, AFileHeldElsewhereIsWaitedForAndNeverLost) {
    const auto pauses = [&] {
        return std::count(files.Calls().begin(), files.Calls().end(), "Pause");
    };
    const auto moves = [&] {
        return std::count(files.Calls().begin(), files.Calls().end(), "MoveOver");
    };
    list.Append({"HKLM\\First", ""});
    SaveOk();
    const std::string first = File();

    // The first renames are refused, then one goes through; from then on
    // every one is refused.
    files.ScriptMoves({FileOutcome::Held, FileOutcome::Held, FileOutcome::Held, FileOutcome::Done},
                      FileOutcome::Held);
    files.ResetCounts();
    list.Append({"HKLM\\Second", ""});
    const std::uint32_t start = files.Now();
    SaveOk();
    EXPECT_EQ(moves(), 4);
    EXPECT_EQ(files.Now() - start, 3 * kHeldFileRetryPause);
    EXPECT_NE(File().find("HKLM\\Second"), std::string::npos);
    EXPECT_FALSE(files.Contents(kPath + ".tmp"));
    const std::string second = File();

    files.ResetCounts();
    list.Append({"HKLM\\Third", ""});
    const std::uint32_t held = files.Now();
    EXPECT_EQ(Save(), "Unable to write to " + kPath);
    EXPECT_EQ(files.Now() - held, kHeldFilePatience) << "the wait is bounded";
    EXPECT_EQ(moves(), pauses() + 1);
    EXPECT_EQ(File(), second) << "the old file stays";
    EXPECT_FALSE(files.Contents(kPath + ".tmp")) << "the temporary file goes";
    EXPECT_NE(first, second);

    // The session's end saves without a box, waiting the same way.
    SettingsSession session(files, ansi);
    files.ScriptMoves({FileOutcome::Held, FileOutcome::Done});
    session.SaveAtSessionEnd(list, {}, false);
    EXPECT_TRUE(session.SavedForSessionEnd());
    EXPECT_NE(File().find("HKLM\\Third"), std::string::npos);

    // Any other failure is not waited for.
    files.ScriptMoves({FileOutcome::Failed});
    files.ResetCounts();
    EXPECT_EQ(Save(), "Unable to write to " + kPath);
    EXPECT_EQ(moves(), 1);
    EXPECT_EQ(pauses(), 0);
    EXPECT_FALSE(files.Contents(kPath + ".tmp"));

    // Held at the start for half a second: read once it is free, not taken
    // for unreadable.
    files.HoldFile(kPath, 500);
    Load();
    EXPECT_FALSE(settings.unreadAtLoad);
    EXPECT_EQ(list.Count(), 3);
}

TEST_F(SettingsTest, HugeCountReadsOnlyTheRowsPresent) {
    files.PutFile(kPath,
                  "[RegistryList]\r\nCount=2147483647\r\n2=HKU\r\n0=HKLM\r\n1000000=HKCU\r\n"
                  "[CommentList]\r\n1000000=far\r\n0=near\r\n");
    Load();
    EXPECT_EQ(list.Rows(),
              (std::vector<FavouriteEntry>{{"HKLM", "near"}, {"HKU", ""}, {"HKCU", "far"}}));
}

TEST_F(SettingsTest, RecentJumpsRoundTripInTheirOwnSectionNewestFirst) {
    const auto paths = [this] {
        std::vector<std::string> held;
        for (const RecentPath& recent : settings.recentPaths.Paths()) held.push_back(recent.path);
        return held;
    };
    // Junk rows, a copy by the duplicate rule and a huge Count read as the
    // favourites' rows do; more than the bound are dropped.
    std::string stored = "[RecentList]\r\nCount=2147483647\r\n1=hklm\\A\r\nx=junk\r\n0=HKLM\\A\r\n";
    for (int i = 2; i < 30; ++i) stored += std::to_string(i) + "=HKCU\\K" + std::to_string(i) + "\r\n";
    stored += "Value3=1\r\n";
    files.PutFile(kPath, stored);
    Load();
    ASSERT_EQ(paths().size(), 20u);
    EXPECT_EQ(paths()[0], "HKLM\\A");
    EXPECT_EQ(paths()[1], "HKCU\\K2");
    EXPECT_EQ(paths()[19], "HKCU\\K20");
    EXPECT_TRUE(settings.recentPaths.Paths()[2].value) << "row 3 names a value";
    EXPECT_FALSE(settings.recentPaths.Paths()[1].value);

    settings.recentPaths.Remember({"HKCU\\K5\r\nInjected=1"});
    settings.recentPaths.Remember({"hkcu\\k2", true});
    SaveOk();
    Load();
    ASSERT_EQ(paths().size(), 20u);
    EXPECT_EQ(paths()[0], "hkcu\\k2");
    EXPECT_TRUE(settings.recentPaths.Paths()[0].value);
    EXPECT_EQ(paths()[1], "HKCU\\K5  Injected=1");
    EXPECT_EQ(paths()[2], "HKLM\\A");
    const std::vector<std::string> saved = paths();
    EXPECT_EQ(std::count(saved.begin(), saved.end(), "HKCU\\K2"), 0);
    EXPECT_EQ(File().find("x=junk"), std::string::npos) << "the section holds what there is";

    // Cleared: no recent path is left in the file, not even the old rows.
    settings.recentPaths.Clear();
    SaveOk();
    Load();
    EXPECT_TRUE(settings.recentPaths.Paths().empty());
    const std::string file = File();
    const std::size_t section = file.find("[RecentList]\r\n");
    ASSERT_NE(section, std::string::npos);
    EXPECT_EQ(file.substr(section, file.find('[', section + 1) - section),
              "[RecentList]\r\nCount=0\r\n");
}

// The hotkeys: the defaults for a file without them (and no section
// written for them), an empty value for none, one that cannot be read kept
// as it was written.
TEST_F(SettingsTest, HotkeysKeepTheirTextsAndDefaultWithoutASection) {
    files.PutFile(kPath, "[Copy]\r\nEnable=1\r\n");
    Load();
    EXPECT_EQ(settings.jumpFromClipboardHotkey, "Ctrl+Alt+Shift+J");
    EXPECT_EQ(settings.showWindowHotkey, "Ctrl+Alt+Shift+K");
    SaveOk();
    EXPECT_EQ(File().find("[Hotkeys]"), std::string::npos) << "the defaults need no section";

    files.PutFile(kPath, "[Hotkeys]\r\nJumpFromClipboard=Hyper+Q\r\nShowWindow=\r\n");
    Load();
    EXPECT_EQ(settings.jumpFromClipboardHotkey, "Hyper+Q");
    EXPECT_EQ(ReadHotkey(settings.jumpFromClipboardHotkey), std::nullopt);
    EXPECT_EQ(settings.showWindowHotkey, "");
    SaveOk();
    EXPECT_NE(File().find("[Hotkeys]\r\nJumpFromClipboard=Hyper+Q\r\nShowWindow=\r\n"),
              std::string::npos);

    settings.showWindowHotkey = "Win+F9";
    SaveOk();
    Load();
    EXPECT_EQ(settings.showWindowHotkey, "Win+F9");
}

TEST_F(SettingsTest, LineBreaksInTextsCannotAddLinesOrSections) {
    list.Append({"HKLM\\A\r\n[Copy]", "one\r\nEnable=1\rtwo\nthree"});
    list.Append({"HKLM\\B", "b"});
    SaveOk();
    EXPECT_EQ(File(),
              "[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=2\r\n0=HKLM\\A  [Copy]\r\n"
              "1=HKLM\\B\r\n[CommentList]\r\n0=one  Enable=1 two three\r\n1=b\r\n" +
                  kDefaultPosition);
    Load();
    EXPECT_FALSE(settings.autoCopyEnabled);
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{
                               {"HKLM\\A  [Copy]", "one  Enable=1 two three"}, {"HKLM\\B", "b"}}));
}

TEST_F(SettingsTest, TextsLoseEnclosingBlanksAndQuotesAsTheFormatReadsThem) {
    list.Append({"  HKLM\\Padded  ", "\"quoted\""});
    list.Append({"'HKCU'", " "});
    SaveOk();
    Load();
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{{"HKLM\\Padded", "quoted"}, {"HKCU", ""}}));
}

TEST_F(SettingsTest, UnknownSectionsKeysAndRowsAboveCountStayAsTheyWere) {
    files.PutFile(kPath,
                  "; kept comment\n[Other]\nAnswer = 42\n\n[Copy]\r\nEnable=0\r\nSound=on\r\n"
                  "\r\n[RegistryList]\r\nCount=1\r\n0=HKLM\r\n1=stale\r\n\r\n"
                  "[WindowsPosition]\r\nLeft=1\r\nTheme=dark\r\n[Tail]\r\nx=\0y"s);
    Load();
    list.Append({"HKCU", "second"});
    settings.autoCopyEnabled = true;
    SaveOk({5, 6, 700, 800}, false);
    EXPECT_EQ(File(),
              "; kept comment\n[Other]\nAnswer = 42\n\n[Copy]\r\nEnable=1\r\nSound=on\r\n"
              "\r\n[RegistryList]\r\nCount=2\r\n0=HKLM\r\n1=HKCU\r\n\r\n"
              "[WindowsPosition]\r\nLeft=5\r\nTheme=dark\r\nTop=6\r\nWidth=700\r\nHeight=800\r\n"
              "Maximized=0\r\nNormalLeft=342\r\nNormalTop=192\r\nNormalWidth=529\r\n"
              "NormalHeight=516\r\n[Tail]\r\nx=\0y\r\n[CommentList]\r\n0=\r\n1=second\r\n"s);
}

TEST_F(SettingsTest, ReadsTheFileOnceAndWritesItOnce) {
    for (int i = 0; i < 50; ++i) list.Append({"HKLM\\" + std::to_string(i), "c"});
    SaveOk();
    files.ResetCounts();
    Load();
    EXPECT_EQ(files.ReadCount(), 1);
    EXPECT_EQ(files.WriteCount(), 0);
    files.ResetCounts();
    SaveOk();
    EXPECT_EQ(files.ReadCount(), 1);
    EXPECT_EQ(files.WriteCount(), 1);
}

TEST_F(SettingsTest, UnreadableFileLoadsDefaults) {
    files.PutFile(kPath, "[Copy]\r\nEnable=1\r\n");
    files.SetUnreadable(kPath);
    Load();
    EXPECT_FALSE(settings.firstRun);
    EXPECT_FALSE(settings.autoCopyEnabled);
    EXPECT_EQ(settings.savedWindowBounds, WindowBounds{});
}

TEST_F(SettingsTest, FileUnreadAtStartUpIsNotWrittenOverWhenItCanBeReadAgain) {
    // Held by another program while the program started: the list came up
    // empty, and saving it would have set Count=0 over the stored rows.
    const std::string stored = "[RegistryList]\r\nCount=1\r\n0=HKCU\\Software\r\n";
    files.PutFile(kPath, stored);
    files.SetUnreadable(kPath);
    Load();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(settings.unreadAtLoad);
    EXPECT_EQ(settings.path, kPath);
    files.SetUnreadable(kPath, false);
    list.Append({"HKLM\\Added", ""});
    EXPECT_EQ(Save(), "Unable to write to " + kPath);
    EXPECT_EQ(File(), stored);

    // With the file gone there is nothing left to lose.
    sim::SimFiles emptied;
    emptied.SetAppDataFolder(kAppData);
    EXPECT_EQ(SaveSettings(emptied, ansi, settings, list, {}, false), std::nullopt);
    EXPECT_NE(emptied.Contents(kPath).value_or("").find("0=HKLM\\Added"), std::string::npos);

    // A load that read the file clears the mark.
    Load();
    SaveOk();
}

TEST_F(SettingsTest, FileKeepsTheAnsiFormWhileEveryTextSurvivesItAndTurnsUtf16Otherwise) {
    struct Case {
        const char* name;
        std::u16string keyText;
        std::u16string comment;
        std::string ansiRow;  // the row's two lines as an ANSI file holds them
    };
    const Case cases[] = {
        {"ASCII", u"HKCU\\Software", u"plain", "0=HKCU\\Software\r\n[CommentList]\r\n0=plain"},
        {"Windows-1252", u"HKCU\\Software\\Caf\u00E9 \u20AC", u"\u0152uvre \u2122",
         "0=HKCU\\Software\\Caf\xE9 \x80\r\n[CommentList]\r\n0=\x8Cuvre \x99"},
        {"Cyrillic", u"HKCU\\Software\\\u0421\u0442\u0443\u043F\u0438\u043D", u"", ""},
        {"CJK", u"HKCU\\Software\\\u6CE8\u518C\u8868", u"\u65E5\u672C", ""},
        {"outside the BMP", u"HKCU\\Software\\\U0001F600", u"", ""},
        {"lone surrogate", u"HKCU\\Software\\a\xD800z", u"", ""},
        {"comment alone", u"HKCU\\Software", u"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1", ""},
    };
    for (const Case& c : cases) {
        sim::SimFiles fresh;
        fresh.SetAppDataFolder(kAppData);
        FavouritesList rows;
        rows.Append({FromUtf16(c.keyText), FromUtf16(c.comment)});
        Settings values;
        ASSERT_EQ(SaveSettings(fresh, ansi, values, rows, {}, false), std::nullopt) << c.name;
        const std::string text = "[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=1\r\n";
        if (!c.ansiRow.empty()) {
            EXPECT_EQ(fresh.Contents(kPath), text + c.ansiRow + "\r\n" + kDefaultPosition)
                << c.name;
        } else {
            const std::u16string row = u"0=" + c.keyText + u"\r\n[CommentList]\r\n0=" + c.comment;
            EXPECT_EQ(fresh.Contents(kPath),
                      Utf16File(ToUtf16(text) + row + u"\r\n" + ToUtf16(kDefaultPosition)))
                << c.name;
        }
        FavouritesList read;
        LoadSettings(fresh, ansi, values, read);
        EXPECT_EQ(read.Rows(), rows.Rows()) << c.name;
    }
}

TEST_F(SettingsTest, Utf16FileFromAnotherToolReadsAndKeepsItsForm) {
    // A U+0000 is a character, as a NUL byte is in an ANSI file.
    const std::u16string text =
        u"; \u0437\u0430\u043C\u0435\u0442\u043A\u0438 \0 kept\r\n"s +
        u"[RegistryList]\r\nCount=2\r\n"
        u"0=HKCU\\Software\\\u0421\u0442\u0443\u043F\u0438\u043D\r\n1=HKCU\\\xDC00\r\n"
        u"[CommentList]\r\n0=Caf\u00E9\r\n";
    files.PutFile(kPath, Utf16File(text));
    Load();
    EXPECT_FALSE(settings.unreadAtLoad);
    EXPECT_EQ(list.Rows(), (std::vector<FavouriteEntry>{
                               {FromUtf16(u"HKCU\\Software\\\u0421\u0442\u0443\u043F\u0438\u043D"),
                                FromUtf16(u"Caf\u00E9")},
                               {FromUtf16(u"HKCU\\\xDC00"), ""}}));
    SaveOk();
    EXPECT_EQ(File(),
              Utf16File(text + u"1=\r\n[Copy]\r\nEnable=0\r\n" + ToUtf16(kDefaultPosition)));

    // Unless its ANSI bytes would begin with the mark.
    const std::u16string marked = u"\u00FF\u00FE=x\r\n";
    files.PutFile(kPath, Utf16File(marked));
    Load();
    SaveOk();
    EXPECT_EQ(File().substr(0, Utf16File(marked).size()), Utf16File(marked));

    // Once every text fits the code page again, the file is ANSI as before.
    files.PutFile(kPath, Utf16File(u"[Copy]\r\nEnable=1\r\n[Other]\r\nName=Caf\u00E9\r\n"));
    Load();
    EXPECT_TRUE(settings.autoCopyEnabled);
    SaveOk();
    EXPECT_EQ(File(),
              "[Copy]\r\nEnable=1\r\n[Other]\r\nName=Caf\xE9\r\n[RegistryList]\r\nCount=0\r\n"
              "[CommentList]\r\n" +
                  kDefaultPosition);
}

TEST_F(SettingsTest, AnsiFileIsWrittenBackByteForByte) {
    // The code page's undefined bytes too (0x81, 0x8D, 0x8F, 0x90, 0x9D).
    std::string stored = "[Other]\r\nAll=";
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n') stored.push_back(static_cast<char>(byte));
    stored += "\r\n[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=1\r\n0=HKCU\\\x81\x8D\x8F\x90\x9D"
              "\r\n[CommentList]\r\n0=\xFF\xFE\r\n" + kDefaultPosition;
    files.PutFile(kPath, stored);
    Load();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Row(0).keyText, FromUtf16(u"HKCU\\\u0081\u008D\u008F\u0090\u009D"));
    EXPECT_EQ(list.Row(0).comment, FromUtf16(u"\u00FF\u00FE"));
    SaveOk();
    EXPECT_EQ(File(), stored);
}

TEST_F(SettingsTest, FileMarkedUtf16ThatIsNotIsReadLikeAnUnreadableOne) {
    const std::string valid = Utf16File(u"[Copy]\r\nEnable=1\r\n");
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"odd byte count", valid + "x"},
        {"UTF-32LE, one character short", "\xFF\xFE\0\0[\0\0\0]\0\0"s},
        {"mark and one byte", "\xFF\xFE["},
    };
    for (const Case& c : cases) {
        files.PutFile(kPath, c.bytes);
        Load();
        EXPECT_TRUE(settings.unreadAtLoad) << c.name;
        EXPECT_FALSE(settings.autoCopyEnabled) << c.name;
        EXPECT_EQ(Save(), "Unable to write to " + kPath) << c.name;
        EXPECT_EQ(File(), c.bytes) << c.name;
    }
    // The mark alone is an empty file.
    files.PutFile(kPath, "\xFF\xFE");
    Load();
    EXPECT_FALSE(settings.unreadAtLoad);
    SaveOk();
    EXPECT_EQ(File(), "[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=0\r\n[CommentList]\r\n" +
                          kDefaultPosition);
}

TEST_F(SettingsTest, RandomBytesLoadAndSaveOverThem) {
    std::mt19937 random(7);
    for (int round = 0; round < 10; ++round) {
        std::string junk(65536, '\0');
        for (char& c : junk) c = static_cast<char>(random() % 256);
        files.PutFile(kPath, junk);
        Load();
        list = FavouritesList{};
        list.Append({"HKLM\\After", "junk"});
        settings.autoCopyEnabled = true;
        SaveOk({1, 2, 3, 4}, true);
        Load();
        EXPECT_TRUE(settings.autoCopyEnabled) << round;
        EXPECT_EQ(settings.savedWindowBounds, (WindowBounds{1, 2, 3, 4})) << round;
        ASSERT_GE(list.Count(), 1) << round;
        EXPECT_EQ(list.Row(0), (FavouriteEntry{"HKLM\\After", "junk"})) << round;
    }
}

TEST_F(SettingsTest, FiftyMegabyteFileLoads) {
    std::string text = "[Copy]\r\nEnable=1\r\n[Padding]\r\n";
    const std::string line = "; " + std::string(97, 'x') + "\r\n";
    while (text.size() < 25'000'000) text += line;
    text += "[WindowsPosition]\r\nLeft=77\r\nHuge=" + std::string(25'000'000, 'v') + "\r\n";
    files.PutFile(kPath, text);
    Load();
    EXPECT_TRUE(settings.autoCopyEnabled);
    EXPECT_EQ(settings.savedWindowBounds.left, 77);
    SaveOk();
    const std::size_t untouched = text.find("[WindowsPosition]");
    EXPECT_EQ(File().compare(0, untouched, text, 0, untouched), 0);
    EXPECT_EQ(File().size(), text.size() + 1 +
                                 std::string("Top=192\r\nWidth=529\r\n"
                                             "Height=516\r\nMaximized=0\r\n"
                                             "NormalLeft=342\r\nNormalTop=192\r\n"
                                             "NormalWidth=529\r\nNormalHeight=516"
                                             "\r\n[RegistryList]\r\nCount=0\r\n"
                                             "[CommentList]\r\n")
                                     .size());
}

TEST_F(SettingsTest, TenThousandRowsRoundTrip) {
    std::vector<FavouriteEntry> rows;
    for (int i = 0; i < 10'000; ++i)
        rows.push_back({"HKEY_CURRENT_USER\\Software\\Vendor\\Product" + std::to_string(i),
                        i % 3 == 0 ? "" : "comment " + std::to_string(i)});
    for (const FavouriteEntry& row : rows) list.Append(row);
    SaveOk();
    Load();
    EXPECT_EQ(list.Rows(), rows);
    SaveOk();
    Load();
    EXPECT_EQ(list.Rows(), rows);
}

}  // namespace
}  // namespace ks::test
