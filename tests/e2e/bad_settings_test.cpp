// Settings files the program did not write, given to the real program:
// seeded random bytes, junk around the sections it knows, fifty megabytes,
// UTF-16 files, whole and cut short, and a file another program holds while
// Keystride starts. It starts, shows
// what it can read, and writes nothing until it closes; then every byte it
// did not understand is kept where it was.
#include <gtest/gtest.h>

#include "shared/utf16_file.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "e2e/fault_support.h"
#include "e2e/main_window_support.h"

namespace ks::test {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

constexpr char kKnownSections[] =
    "[RegistryList]\r\nCount=2\r\n0=HKCU\\Software\r\n1=HKLM\\System\r\n"
    "[CommentList]\r\n0=first\r\n1=second\r\n";
const Rows kKnownRows{{"HKCU\\Software", "first"}, {"HKLM\\System", "second"}};

// What a save adds to a file that holds the rows but no other setting: the
// two sections missing, on a line of their own, after everything there was.
constexpr char kAddedSections[] = "\r\n[Copy]\r\nEnable=0\r\n[WindowsPosition]\r\nLeft=";


class BadSettings : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(SettingsFolder()); }

    // The box that says the file could not be read, up as soon as the
    // window is; answered.
    static void AnswerUnreadableBox(const Keystride& app) {
        HWND box = app.WaitForWindow("Keystride", "#32770");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box),
                  "Unable to read " + SettingsFile() +
                      ". Favorites and settings changed now will not be saved.");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(app.WaitGone(box));
    }

    // One run that is ended from outside, one that exits through its
    // button; each shows `rows`. The first writes nothing; the second keeps
    // the old text whole at the front of the file and adds its sections.
    static void ExpectReadAndKept(const std::string& text, const Rows& rows,
                                  const std::string& added) {
        ASSERT_TRUE(WriteSettingsFile(text));
        {
            Keystride app;
            ASSERT_TRUE(app.Started());
            EXPECT_EQ(app.Rows(), rows);
            TerminateProcess(app.Process().Handle(), 1);
            ASSERT_TRUE(app.Process().Wait(kWaitMs));
        }
        EXPECT_TRUE(ReadWholeFile(SettingsFile()) == text) << "written without a save";
        {
            Keystride app;
            ASSERT_TRUE(app.Started());
            EXPECT_EQ(app.Rows(), rows);
            ASSERT_TRUE(app.Exit());
        }
        const std::string saved = ReadWholeFile(SettingsFile());
        ASSERT_GT(saved.size(), text.size());
        EXPECT_TRUE(saved.compare(0, text.size(), text) == 0) << "the old bytes were changed";
        EXPECT_EQ(saved.substr(text.size(), added.size()), added);
    }
};

TEST_F(BadSettings, RandomBytesShowNothingAndAreKept) {
    const std::string junk = SeededBytes(64 * 1024, 20240601);
    ExpectReadAndKept(junk, {},
                      "\r\n[Copy]\r\nEnable=0\r\n[RegistryList]\r\nCount=0\r\n[CommentList]\r\n"
                      "[WindowsPosition]\r\nLeft=");
}

TEST_F(BadSettings, SectionsAmongJunkAreShownAndTheJunkIsKept) {
    const std::string text = SeededBytes(32 * 1024, 11) + "\r\n" + kKnownSections +
                             SeededBytes(32 * 1024, 12);
    ExpectReadAndKept(text, kKnownRows, kAddedSections);
}

TEST_F(BadSettings, FiftyMegabytesStartAndAreKept) {
    const std::string text = std::string(kKnownSections) + "[Notes]\r\n" +
                             SeededBytes(50 * 1024 * 1024, 50);
    ExpectReadAndKept(text, kKnownRows, kAddedSections);
}

TEST_F(BadSettings, Utf16FileWithACyrillicNameIsWrittenBackInItsForm) {
    // What the list shows of the name is not looked at here, only the file.
    const std::u16string text =
        u"[RegistryList]\r\nCount=2\r\n"
        u"0=HKCU\\Software\\\u0421\u0442\u0443\u043F\u0438\u043D\r\n"
        u"1=HKLM\\System\r\n[CommentList]\r\n0=\u0437\u0430\u043C\u0435\u0442\u043A\u0430\r\n"
        u"1=second\r\n";
    const std::string file = Utf16File(text);
    ASSERT_TRUE(WriteSettingsFile(file));
    {
        Keystride app;
        ASSERT_TRUE(app.Started());
        EXPECT_EQ(app.RowCount(), 2);
        ASSERT_TRUE(app.Exit());
    }
    const std::string saved = ReadWholeFile(SettingsFile());
    const std::string added =
        Utf16File(u"[Copy]\r\nEnable=0\r\n[WindowsPosition]\r\nLeft=").substr(2);
    ASSERT_GT(saved.size(), file.size());
    EXPECT_TRUE(saved.compare(0, file.size(), file) == 0) << "the old units were changed";
    EXPECT_EQ(saved.substr(file.size(), added.size()), added);
}

TEST_F(BadSettings, FileMarkedUtf16WithAnOddByteCountIsReportedAndNeverWrittenOver) {
    const std::string file = Utf16File(u"[Copy]\r\nEnable=1\r\n") + "\r";
    ASSERT_TRUE(WriteSettingsFile(file));
    Keystride app;
    ASSERT_TRUE(app.Started());
    AnswerUnreadableBox(app);
    EXPECT_FALSE(app.Checked(IDC_AUTO_COPY));
    ASSERT_TRUE(app.Exit());
    EXPECT_TRUE(ReadWholeFile(SettingsFile()) == file) << "the file was written over";
}

TEST_F(BadSettings, FileHeldByAnotherProgramAtStartIsReportedAndNeverWrittenOver) {
    ASSERT_TRUE(WriteSettingsFile(kKnownSections));
    FileHandle held(CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    // Held throughout the start's wait for it.
    Keystride app;
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(app.RowCount(), 0) << "nothing could be read";
    // The user hears of it as soon as the window is up.
    AnswerUnreadableBox(app);

    // Readable again by the time the program closes: a save now would store
    // the empty list over the two rows. The program ends and leaves the
    // file as it was.
    held.Reset();
    app.SetEditText("HKCU\\Software");
    app.Send(IDC_AUTO_COPY, BM_CLICK);
    ASSERT_TRUE(app.Exit());
    EXPECT_EQ(ReadWholeFile(SettingsFile()), kKnownSections);
}

}  // namespace
}  // namespace ks::test
