// Text nobody should type or copy, given to the real program: paths far
// longer than any key, control characters, bytes above 0x7F, a megabyte on
// the clipboard and a clipboard block without its terminating zero. Each
// ends in the not-found box or in a jump to the key the text names, and the
// program goes on answering with its favourites as they were.
#include <gtest/gtest.h>

#include <string>

#include "e2e/clipboard_support.h"
#include "e2e/fault_support.h"
#include "e2e/main_window_support.h"

namespace ks::test {
namespace {

using namespace std::string_literals;

constexpr char kNotFoundText[] = "Please check whether the registry key or value exist.";

// The registry counts a name's length in 16 bits: a name of 65536 + 8
// characters beginning "Software" reads as "Software", which exists. Counted
// in bytes of UTF-16, 32768 + 8 characters wrap the same way; Wine's
// conversion refuses that one by itself, the program refuses both.
std::string WrappingPath(std::size_t characters) {
    return "HKCU\\Software\\" + std::string(characters - 9, 'k');
}

class BadInput : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveTree(SettingsFolder());
        CloseRegistryEditor();
        // One favourite that every case must leave in place.
        ASSERT_TRUE(WriteSettingsFile(kOneFavourite));
    }
    static void TearDownTestSuite() { CloseRegistryEditor(); }

    // Runs a jump that must end in the not-found box, and closes the box
    // (declining the nearest key where it is offered).
    static void ExpectNotFound(const Keystride& app, int command) {
        app.Command(command);
        HWND box = app.WaitForWindow("Keystride", "#32770");
        ASSERT_TRUE(box) << "no not-found box";
        const std::string text = MessageBoxText(box);
        EXPECT_EQ(text.substr(0, text.find('\r')), kNotFoundText);
        const bool offersNearest = text.find("Jump there?") != std::string::npos;
        PostMessageA(box, WM_COMMAND, offersNearest ? IDNO : IDOK, 0);
        ASSERT_TRUE(app.WaitGone(box));
        ExpectAnswering(app);
        EXPECT_FALSE(FindWindowA("RegEdit_RegEdit", nullptr)) << "no editor for a missing key";
    }

    // The jump is over, the window takes input and answers, and the
    // favourite is there.
    static void ExpectAnswering(const Keystride& app) {
        ASSERT_TRUE(SettledWithin(app, kJumpBoundMs)) << "the jump did not end";
        EXPECT_TRUE(IsWindowEnabled(app.Main()));
        EXPECT_EQ(app.Rows(), OneFavouriteRow());
    }
};

TEST_F(BadInput, TypedPathsThatNameNoKeyShowTheNotFoundBox) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    const std::string cases[] = {
        WrappingPath(32768 + 8),
        WrappingPath(65536 + 8),
        "HKCU\\Software\\" + std::string(65536, 'k'),
        "HKCU\\Software\\\x01\x02\x1b\t\x7f",
        "HKCU\\Soft\x08ware",
        // A single-line box keeps the line break; the second line is no key.
        "HKCU\\Software\r\nHKLM\\Software",
        "HKCU\\Software\\Caf\xE9\\\x80\xFF",
        "HKEY_CURRENT_USER\xA0\\Software",
        "\xC8K\xCB\xCC\\Software",
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        app.SetEditText(text);
        ASSERT_TRUE(app.EditText() == text) << "the box holds the text byte for byte";
        ExpectNotFound(app, IDC_JUMP);
    }
}

// The not-found box keeps its first sentence and names what is missing on
// the line after it; a clipboard without a path says so in a box of its own.
TEST_F(BadInput, TheBoxesSayWhatIsMissing) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    const std::pair<std::string, std::string> cases[] = {
        {"HKCU\\Software\\Wine\\NoSuchKeyForKeystride\\Below",
         "HKEY_CURRENT_USER\\Software\\Wine has no subkey \"NoSuchKeyForKeystride\"."},
        {"HKCU\\Software\\Wine /v NoSuchValueForKeystride",
         "HKEY_CURRENT_USER\\Software\\Wine has no value \"NoSuchValueForKeystride\"."},
        {"hello world",
         "The text is not a registry path: it names no root such as HKLM or HKEY_CURRENT_USER."},
    };
    for (const auto& [text, missing] : cases) {
        SCOPED_TRACE(text);
        app.SetEditText(text);
        app.Command(IDC_JUMP);
        HWND box = app.WaitForWindow("Keystride", "#32770");
        ASSERT_TRUE(box);
        const std::string shown = MessageBoxText(box);
        EXPECT_EQ(shown.substr(0, shown.find("\r\nThe nearest")),
                  std::string(kNotFoundText) + "\r\n" + missing);
        PostMessageA(box, WM_COMMAND, shown.find("Jump there?") != std::string::npos ? IDNO : IDOK,
                     0);
        ASSERT_TRUE(app.WaitGone(box));
        ExpectAnswering(app);
        EXPECT_EQ(app.Focus(), app.Control(IDC_KEY_BOX)) << "the user corrects the path";
    }
    ASSERT_TRUE(PutClipboardText("no path here"));
    app.Command(IDM_JUMP_FROM_CLIPBOARD);
    HWND box = app.WaitForWindow("Keystride", "#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), "The clipboard holds no registry path.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitGone(box));
    ExpectAnswering(app);
}

TEST_F(BadInput, UnpairedSurrogatesAndZerosInUnicodeTextEndClearly) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    // Lone surrogates are kept as they are, then name no key.
    const std::wstring lone[] = {L"HKCU\\Software\\\xD800", L"HKCU\\Software\\\xDC00Wine",
                                 L"HKCU\\Software\\Wine\xDBFF"};
    for (const std::wstring& text : lone) {
        app.SetEditText(text);
        ASSERT_EQ(app.WideEditText(), text) << "the box holds the text unit for unit";
        ExpectNotFound(app, IDC_JUMP);
        ASSERT_TRUE(PutClipboardUnicodeText(text));
        ExpectNotFound(app, IDM_JUMP_FROM_CLIPBOARD);
    }
    // The clipboard's text ends at its first zero unit.
    ASSERT_TRUE(PutClipboardUnicodeText(L"HKCU\\Software\\Wine\0\\Nothing"s));
    app.Command(IDM_JUMP_FROM_CLIPBOARD);
    ExpectAnswering(app);
    EXPECT_TRUE(EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software\\Wine")) << RegeditStatus();
    EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"));
}

TEST_F(BadInput, RunOfBackslashesJumpsToTheKeyBeforeIt) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    // Each backslash was a Right press with half a second after it.
    app.SetEditText("HKCU\\Software" + std::string(200, '\\'));
    app.Command(IDC_JUMP);
    ExpectAnswering(app);
    EXPECT_TRUE(EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software")) << RegeditStatus();
    EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"));
}

TEST_F(BadInput, MegabyteOnTheClipboardJumpsNowhere) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(PutClipboardText("  " + WrappingPath(65536 + 8) + std::string(1 << 20, 'k') + " \r\n"));
    ExpectNotFound(app, IDM_JUMP_FROM_CLIPBOARD);
    // A megabyte without a terminating zero anywhere.
    ASSERT_TRUE(PutClipboardBlock(WrappingPath(65536 + 8) + std::string(1 << 20, 'k')));
    ExpectNotFound(app, IDM_JUMP_FROM_CLIPBOARD);
}

TEST_F(BadInput, ClipboardBlockWithoutATerminatingZeroIsReadToItsEnd) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    // Another program's block, every byte of it text. Wine gives up the
    // block's last byte for a terminating zero where Windows hands the
    // block over as it is; the blank at the end is trimmed either way. A
    // read past the block's end would add whatever lies after it.
    ASSERT_TRUE(PutClipboardBlock("HKCU\\Software\\Wine "));
    app.Command(IDM_JUMP_FROM_CLIPBOARD);
    ExpectAnswering(app);
    EXPECT_TRUE(EndsWith(RegeditStatus(), "HKEY_CURRENT_USER\\Software\\Wine")) << RegeditStatus();
    EXPECT_FALSE(FindProcessWindow(app.ProcessId(), "Keystride", "#32770"));
}

}  // namespace
}  // namespace ks::test
