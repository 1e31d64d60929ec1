// The clipboard as a source of paths: auto-copy into the key edit box when
// another program copies one, also while the clipboard is held elsewhere,
// Copy to Clipboard, and the clipboard-viewer chain that Keystride leaves
// to the programs in it.
#include <gtest/gtest.h>

#include <string>

#include "e2e/clipboard_support.h"
#include "e2e/main_window_support.h"
#include "jump/editor_controls.h"
#include "platform/win32/win32_window_system.h"
#include "ui/rules/clipboard_watcher.h"

namespace ks::test {
namespace {

// A box of the program's own, if one is up.
HWND AnyBox(const Keystride& app) { return FindProcessWindow(app.ProcessId(), "Keystride", "#32770"); }

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveTree(SettingsFolder());
        CloseRegistryEditor();
    }
    static void TearDownTestSuite() { CloseRegistryEditor(); }

    // Copies as another program does and waits until the key box shows
    // `expected`.
    static bool CopyAndWaitFor(const Keystride& app, const std::string& text,
                               const std::string& expected) {
        return PutClipboardText(text) && WaitUntil([&] { return app.EditText() == expected; });
    }
    static bool CopyAndWaitFor(const Keystride& app, const std::wstring& text,
                               const std::wstring& expected) {
        return PutClipboardUnicodeText(text) &&
               WaitUntil([&] { return app.WideEditText() == expected; });
    }

    // Copies as another program does and lets Keystride's read of the
    // change come and go: the settle time, the patience with a held
    // clipboard, and some to spare.
    static void CopyAndLetTheReadPass(const Keystride& app, const std::string& text) {
        ASSERT_TRUE(PutClipboardText(text));
        Sleep(kClipboardSettleWait + kAutoCopyPatience + 250);
        app.Settle();
    }

    static void SetAutoCopy(const Keystride& app, bool on) {
        if (app.Checked(IDC_AUTO_COPY) != on) app.Send(IDC_AUTO_COPY, BM_CLICK);
        ASSERT_EQ(app.Checked(IDC_AUTO_COPY), on);
    }
};

TEST_F(Clipboard, AutoCopyTakesTrimmedPathsOnlyAndNeverJumps) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);
    app.SetEditText("typed");

    EXPECT_TRUE(CopyAndWaitFor(app, "  \thkcu\\Software\\Wine\\Fonts \r\n", "hkcu\\Software\\Wine\\Fonts"));
    EXPECT_FALSE(FindWindowA("RegEdit_RegEdit", nullptr)) << "auto-copy never jumps";
    EXPECT_FALSE(AnyBox(app));
    EXPECT_TRUE(app.Checked(IDC_ROOT_ITEM0)) << "the root switcher is left alone";

    CopyAndLetTheReadPass(app, "The quick brown fox jumps over the lazy dog.");
    EXPECT_EQ(app.EditText(), "hkcu\\Software\\Wine\\Fonts");

    SetAutoCopy(app, false);
    CopyAndLetTheReadPass(app, "HKEY_LOCAL_MACHINE\\Software");
    EXPECT_EQ(app.EditText(), "hkcu\\Software\\Wine\\Fonts");
    EXPECT_FALSE(FindWindowA("RegEdit_RegEdit", nullptr));
}

TEST_F(Clipboard, AutoCopyTakesUnicodeTextAndAnsiTextInItsCodePage) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);
    for (const std::wstring& name : kScriptNames) {
        const std::wstring path = L"HKEY_CURRENT_USER\\Software\\" + name;
        EXPECT_TRUE(CopyAndWaitFor(app, L" " + path + L"\r\n", path));
    }
    // A program that offers only ANSI text: its bytes are characters of its
    // locale's code page (here the system's), not of any other encoding.
    const std::string ansi = "HKCU\\Software\\Caf\xE9";
    wchar_t expected[64] = {};
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, expected, 64), 0);
    ASSERT_TRUE(PutClipboardText(ansi));
    EXPECT_TRUE(WaitUntil([&] { return app.WideEditText() == expected; }));
    EXPECT_FALSE(AnyBox(app));
}

TEST_F(Clipboard, AutoCopyWorksWhileTheWindowIsInTheTray) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
    EXPECT_TRUE(CopyAndWaitFor(app, "HKLM\\Software\\Classes", "HKLM\\Software\\Classes"));
    EXPECT_FALSE(IsWindowVisible(app.Main())) << "the window is not brought back";
}

TEST_F(Clipboard, AClipboardHeldElsewhereIsWaitedForAMomentThenLeftAloneOrReported) {
    ASSERT_TRUE(WriteSettingsFile("[RegistryList]\r\nCount=1\r\n0=HKLM\\Software\r\n"));
    ClipboardViewer holder;  // this process, another one than Keystride
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);

    // Auto-copy: the other program takes the clipboard as soon as it hears
    // of the change, before Keystride reads it. A tenth of a second is
    // waited for.
    holder.HoldClipboardOnNextChange(100);
    EXPECT_TRUE(CopyAndWaitFor(app, "HKCU\\Software\\Wine", "HKCU\\Software\\Wine"));
    EXPECT_FALSE(AnyBox(app));

    // Held for a second: no box, then or later, and the change after it is
    // read as any other.
    const int heard = holder.Notifications();
    holder.HoldClipboardOnNextChange(1000);
    ASSERT_TRUE(PutClipboardText("HKCU\\Software\\Held"));
    ASSERT_TRUE(WaitUntil([&] { return holder.Notifications() > heard && !holder.Holding(); }));
    app.Settle();
    EXPECT_FALSE(AnyBox(app)) << "auto-copy shows no box";
    EXPECT_TRUE(CopyAndWaitFor(app, "HKCU\\Software\\Next", "HKCU\\Software\\Next"));
    EXPECT_FALSE(AnyBox(app));

    // Copy to Clipboard, a command: a moment is waited for, longer is
    // reported.
    Win32WindowSystem windows;
    ASSERT_TRUE(ListControl(windows, reinterpret_cast<Window>(app.List())).Select(0));
    holder.HoldClipboardNow(100);
    app.Command(IDM_COPY_TO_CLIPBOARD);
    app.Settle();
    EXPECT_EQ(ClipboardText(), "HKLM\\Software");
    EXPECT_FALSE(AnyBox(app));

    holder.HoldClipboardNow();
    PostMessageA(app.Main(), WM_COMMAND, IDM_COPY_TO_CLIPBOARD, 0);
    HWND box = app.WaitForWindow("Keystride", "#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), "Cannot open clipboard.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitGone(box));
    holder.ReleaseClipboard();
}

TEST_F(Clipboard, KeystrideIsNoViewerAndTheViewersAroundItHearEveryChange) {
    ClipboardViewer first;
    Keystride app;
    ASSERT_TRUE(app.Started());
    app.Settle();
    EXPECT_EQ(GetClipboardViewer(), first.Window()) << "Keystride has not joined the chain";
    ClipboardViewer last;
    EXPECT_EQ(last.Next(), first.Window()) << "nothing stands between the two viewers";
    ASSERT_TRUE(first.InChain() && last.InChain());

    SetAutoCopy(app, true);
    const auto everyoneHears = [&](const std::string& text) {
        const int firstHeard = first.Notifications();
        const int lastHeard = last.Notifications();
        return PutClipboardText(text) &&
               WaitUntil([&] { return first.Notifications() == firstHeard + 1; }) &&
               WaitUntil([&] { return last.Notifications() == lastHeard + 1; });
    };
    for (const char* text : {"HKCU\\Software", "plain words", "HKLM\\Software"})
        EXPECT_TRUE(everyoneHears(text)) << text;
    EXPECT_TRUE(WaitUntil([&] { return app.EditText() == "HKLM\\Software"; }));

    ASSERT_TRUE(app.Exit());
    EXPECT_TRUE(everyoneHears("after Keystride"));
    EXPECT_EQ(GetClipboardViewer(), last.Window());
}

}  // namespace
}  // namespace ks::test
