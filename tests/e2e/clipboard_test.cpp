// The clipboard as a source of paths: auto-copy into the key edit box when
// another program copies one, "Jump from Clipboard", and Keystride's place
// in the clipboard-viewer chain while it runs and after it ends.
#include <gtest/gtest.h>

#include <string>

#include "e2e/clipboard_support.h"
#include "e2e/main_window_support.h"
#include "jump/editor_controls.h"
#include "platform/win32/win32_window_system.h"

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

    // Copies `text` as another program would and waits until Keystride has
    // handled the change: the viewer after it has heard of it, and what
    // Keystride posted to itself meanwhile is done.
    static void CopyAndSettle(const Keystride& app, const ClipboardViewer& after,
                              const std::string& text) {
        const int before = after.Notifications();
        ASSERT_TRUE(PutClipboardText(text));
        ASSERT_TRUE(WaitUntil([&] { return after.Notifications() > before; }));
        app.Settle();
    }

    static void CopyAndSettle(const Keystride& app, const ClipboardViewer& after,
                              const std::wstring& text) {
        const int before = after.Notifications();
        ASSERT_TRUE(PutClipboardUnicodeText(text));
        ASSERT_TRUE(WaitUntil([&] { return after.Notifications() > before; }));
        app.Settle();
    }

    static void SetAutoCopy(const Keystride& app, bool on) {
        if (app.Checked(IDC_CBAUTOCOPY) != on) app.Send(IDC_CBAUTOCOPY, BM_CLICK);
        ASSERT_EQ(app.Checked(IDC_CBAUTOCOPY), on);
    }
};

TEST_F(Clipboard, AutoCopyTakesTrimmedPathsOnlyAndNeverJumps) {
    ClipboardViewer after;  // joined before Keystride: it follows Keystride in the chain
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);
    app.SetEditText("typed");

    CopyAndSettle(app, after, "  \thkcu\\Software\\Wine\\Fonts \r\n");
    EXPECT_EQ(app.EditText(), "hkcu\\Software\\Wine\\Fonts");
    EXPECT_FALSE(FindWindowA("RegEdit_RegEdit", nullptr)) << "auto-copy never jumps";
    EXPECT_FALSE(AnyBox(app));
    EXPECT_TRUE(app.Checked(IDC_RGPRE_ITEM0)) << "the root switcher is left alone";

    CopyAndSettle(app, after, "The quick brown fox jumps over the lazy dog.");
    EXPECT_EQ(app.EditText(), "hkcu\\Software\\Wine\\Fonts");

    SetAutoCopy(app, false);
    CopyAndSettle(app, after, "HKEY_LOCAL_MACHINE\\Software");
    EXPECT_EQ(app.EditText(), "hkcu\\Software\\Wine\\Fonts");
    EXPECT_FALSE(FindWindowA("RegEdit_RegEdit", nullptr));
}

TEST_F(Clipboard, AutoCopyTakesUnicodeTextAndAnsiTextInItsCodePage) {
    ClipboardViewer after;
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);
    for (const std::wstring& name : kScriptNames) {
        const std::wstring path = L"HKEY_CURRENT_USER\\Software\\" + name;
        CopyAndSettle(app, after, L" " + path + L"\r\n");
        EXPECT_EQ(app.WideEditText(), path);
    }
    // A program that offers only ANSI text: its bytes are characters of the
    // ANSI code page, not of any other encoding.
    const std::string ansi = "HKCU\\Software\\Caf\xE9";
    wchar_t expected[64] = {};
    ASSERT_GT(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, expected, 64), 0);
    CopyAndSettle(app, after, ansi);
    EXPECT_EQ(app.WideEditText(), expected);
    EXPECT_FALSE(AnyBox(app));
}

TEST_F(Clipboard, AutoCopyWorksWhileTheWindowIsInTheTray) {
    ClipboardViewer after;
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(app.Main()); }));
    CopyAndSettle(app, after, "HKLM\\Software\\Classes");
    EXPECT_EQ(app.EditText(), "HKLM\\Software\\Classes");
    EXPECT_FALSE(IsWindowVisible(app.Main())) << "the window is not brought back";
}

TEST_F(Clipboard, AClipboardHeldForAMomentIsWaitedForAndOneHeldLongerIsReported) {
    ASSERT_TRUE(WriteSettingsFile("[RegistryList]\r\nCount=1\r\n0=HKLM\\Software\r\n"));
    ClipboardViewer after;
    Keystride app;
    ASSERT_TRUE(app.Started());
    SetAutoCopy(app, true);

    // Auto-copy: the viewer after Keystride takes the clipboard as soon as
    // it hears of the change, before Keystride reads it. A tenth of a second
    // is waited for; two seconds are not.
    after.HoldClipboardOnNextChange(100);
    CopyAndSettle(app, after, "HKCU\\Software\\Wine");
    EXPECT_EQ(app.EditText(), "HKCU\\Software\\Wine");
    EXPECT_FALSE(AnyBox(app));

    // Copy to Clipboard likewise.
    Win32WindowSystem windows;
    ASSERT_TRUE(ListControl(windows, reinterpret_cast<Window>(app.List())).Select(0));
    after.HoldClipboardNow(100);
    app.Command(IDM_ACOPYTOCLIPBOARD);
    app.Settle();
    EXPECT_EQ(ClipboardText(), "HKLM\\Software");
    EXPECT_FALSE(AnyBox(app));

    app.SetEditText("kept");
    after.HoldClipboardOnNextChange(2000);
    ASSERT_TRUE(PutClipboardText("HKCU\\Software"));
    HWND box = app.WaitForWindow("Keystride", "#32770");
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageBoxText(box), "Cannot open clipboard.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitGone(box));
    after.ReleaseClipboard();
    app.Settle();
    EXPECT_EQ(app.EditText(), "kept");

    // Once the clipboard is free again everything works as before.
    CopyAndSettle(app, after, "HKCU\\Software\\Wine");
    EXPECT_EQ(app.EditText(), "HKCU\\Software\\Wine");
}

TEST_F(Clipboard, ChainStaysLinkedWhenAViewerLeavesAndWhenKeystrideEnds) {
    ClipboardViewer last;   // after `leaving`
    ClipboardViewer leaving;  // directly after Keystride
    Keystride app;
    ASSERT_TRUE(app.Started());
    ClipboardViewer first;  // before Keystride
    ASSERT_TRUE(first.InChain() && leaving.InChain() && last.InChain());

    // The viewer after Keystride leaves: later changes skip it and still
    // reach the one after it.
    leaving.Leave();
    app.Settle();
    const int leavingHeard = leaving.Notifications();
    int lastHeard = last.Notifications();
    ASSERT_TRUE(PutClipboardText("first change"));
    EXPECT_TRUE(WaitUntil([&] { return last.Notifications() > lastHeard; }));
    EXPECT_EQ(leaving.Notifications(), leavingHeard);

    // Keystride ends: the viewers before and after it stay linked.
    ASSERT_TRUE(app.Exit());
    const int firstHeard = first.Notifications();
    lastHeard = last.Notifications();
    ASSERT_TRUE(PutClipboardText("second change"));
    EXPECT_TRUE(WaitUntil([&] { return first.Notifications() > firstHeard; }));
    EXPECT_TRUE(WaitUntil([&] { return last.Notifications() > lastHeard; }));
}

}  // namespace
}  // namespace ks::test
