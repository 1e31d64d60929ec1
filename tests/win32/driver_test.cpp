// The driver against a recording stand-in editor in another process: what
// arrives there, in which order, with which lParam and pauses.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "jump/editor_controls.h"
#include "jump/editor_driver.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "win32/drive_routes.h"
#include "win32/win32_support.h"

namespace ks::test {
namespace {

struct Received {
    DWORD time;
    std::string windowClass;
    unsigned message;
    unsigned long long wParam;
    long long lParam;
};

std::vector<Received> ParseLog(const std::string& text) {
    std::vector<Received> result;
    std::istringstream in(text);
    Received r{};
    while (in >> r.time >> r.windowClass >> r.message >> r.wParam >> r.lParam) result.push_back(r);
    return result;
}

class DriverUnderWine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA("RegEdit_RegEdit", nullptr), nullptr)
            << "another editor is running; the driver would talk to it";
    }
    std::string logPath = TempFilePath("keystride-fake-editor.log");
    std::string fakeEditor = std::string(KS_HELPER_DIR) + "/fake_regedit.exe";
    // The editor's top window, once its tree and list are there too: the
    // top window is found as soon as it exists, its controls come after,
    // the list last.
    HWND WaitForEditorTree() {
        HWND top = WaitForTopWindow("RegEdit_RegEdit", 10000);
        const DWORD start = GetTickCount();
        while (top && (!FindTreeView(windows, reinterpret_cast<Window>(top)) ||
                       !FindListView(windows, reinterpret_cast<Window>(top)))) {
            if (GetTickCount() - start >= 10000) return nullptr;
            Sleep(20);
        }
        return top;
    }

    // The recording editor answers no control queries: the keystrokes are
    // the whole drive, as where an editor cannot be read back.
    KeystrokesOnlyWindows windows;
    Win32ProcessControl processes;
    Win32Registry registry;
};

// Which window of the thread behind `window` has the keyboard focus.
HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO state{};
    state.cbSize = sizeof state;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &state)) return nullptr;
    return state.hwndFocus;
}

TEST_F(DriverUnderWine, RecordingEditorReceivesTheWholeSequence) {
    ChildProcess editor(Quoted(fakeEditor) + " " + Quoted(logPath));
    ASSERT_TRUE(editor.Started());
    HWND top = WaitForEditorTree();
    ASSERT_NE(top, nullptr);

    // Names in other scripts: each character arrives as its UTF-16 units,
    // 表 (0x5C in its code page 932 form) with no Right press inside.
    EXPECT_EQ(DriveRegistryEditor({registry, windows, processes},
                                  {"HKEY_CURRENT_USER", "Software\\Фу表", "Bar𠀋"}),
              JumpResult::Unverified);
    PostMessageA(top, WM_CLOSE, 0, 0);
    ASSERT_TRUE(editor.Wait(10000));

    const std::vector<Received> log = ParseLog(ReadWholeFile(logPath));
    const long long lParam = processes.IsWine() ? 1 : 0;
    std::u16string sequence;  // L, R, D for presses, the characters' UTF-16 units
    for (std::size_t i = 0; i < log.size(); ++i) {
        const Received& r = log[i];
        EXPECT_EQ(r.lParam, lParam) << "message " << i;
        if (r.message == WM_KEYDOWN) {
            ASSERT_LT(i + 1, log.size());
            EXPECT_EQ(log[i + 1].message, static_cast<unsigned>(WM_KEYUP));
            EXPECT_EQ(log[i + 1].wParam, r.wParam);
            sequence += r.wParam == VK_LEFT ? u'L' : r.wParam == VK_RIGHT ? u'R' : u'D';
        } else if (r.message == WM_CHAR) {
            sequence += static_cast<char16_t>(r.wParam);
        }
        const bool toList = sequence.find(u'D') != std::u16string::npos;
        EXPECT_EQ(r.windowClass, toList ? "SysListView32" : "SysTreeView32") << "message " << i;
    }
    EXPECT_TRUE(sequence == std::u16string(30, u'L') +
                                u"RHKEY_CURRENT_USERRSoftwareR\u0424\u0443\u8868DBar\xD840\xDC0B");

    // Each character after a Right or Down press must start a new search.
    const DWORD minimumGap = processes.IsWine() ? 450 : 10;
    for (std::size_t i = 1; i < log.size(); ++i) {
        if (log[i].message == WM_CHAR && log[i - 1].message == WM_KEYUP &&
            log[i - 1].wParam != VK_LEFT)
            EXPECT_GE(log[i].time - log[i - 1].time, minimumGap) << "message " << i;
    }
}

TEST_F(DriverUnderWine, HungEditorEndsTheDriveWithinTheBound) {
    ChildProcess editor(Quoted(fakeEditor) + " " + Quoted(logPath) + " --hang");
    ASSERT_TRUE(editor.Started());
    ASSERT_NE(WaitForEditorTree(), nullptr);

    const DWORD start = GetTickCount();
    EXPECT_EQ(DriveRegistryEditor({registry, windows, processes},
                                  {"HKEY_CURRENT_USER", "Software", ""}),
              JumpResult::EditorNotAnswering);
    const DWORD elapsed = GetTickCount() - start;
    // One message is taken and never answered; the send gives up after its
    // bound, and nothing else is sent.
    EXPECT_LT(elapsed, 30000u);
    EXPECT_EQ(ParseLog(ReadWholeFile(logPath)).size(), 1u);
}

// Real tree and list controls that swallow every keystroke: the target is
// reached only by selecting it directly, which every platform's route does
// where the editor can be read; its pane then has the keyboard focus.
TEST_F(DriverUnderWine, DeafEditorIsSelectedDirectlyOnEveryPlatform) {
    ChildProcess editor(Quoted(fakeEditor) + " " + Quoted(logPath) + " --deaf");
    ASSERT_TRUE(editor.Started());
    HWND top = WaitForEditorTree();
    ASSERT_NE(top, nullptr);
    Win32WindowSystem real;
    const Window tree = FindTreeView(real, reinterpret_cast<Window>(top));
    const Window list = FindListView(real, reinterpret_cast<Window>(top));
    TreeControl keys(real, tree);
    ListControl values(real, list);
    auto selection = [&] {
        std::string shown;
        if (const auto caret = keys.Next(TreeRelation::Caret, 0); caret && *caret)
            shown = keys.Text(*caret).value_or("?");
        if (const auto row = values.Selected(); row && *row >= 0)
            shown += "|" + values.Text(*row).value_or("?");
        return shown;
    };
    const ResolvedJump target{"HKEY_CURRENT_USER", "Software\\Foo", "Bar"};
    // The controls exist before the stand-in has filled them.
    const DWORD start = GetTickCount();
    while (values.Count().value_or(0) < 3 && GetTickCount() - start < 10000) Sleep(20);

    AsOnWindowsProcesses windowsRoute;
    for (ProcessControl* platform : {static_cast<ProcessControl*>(&processes),
                                     static_cast<ProcessControl*>(&windowsRoute)}) {
        ASSERT_TRUE(keys.Select(*keys.Next(TreeRelation::Root, 0)));
        EXPECT_EQ(DriveRegistryEditor({registry, real, *platform}, target), JumpResult::Landed);
        EXPECT_EQ(selection(), "Foo|Bar");
        EXPECT_EQ(FocusOfThreadOf(top), reinterpret_cast<HWND>(list)) << "the value's pane";
        EXPECT_TRUE(ParseLog(ReadWholeFile(logPath)).empty()) << "selected without a keystroke";

        EXPECT_EQ(DriveRegistryEditor({registry, real, *platform},
                                      {"HKEY_CURRENT_USER", "Software\\Foo", ""}),
                  JumpResult::Landed);
        EXPECT_EQ(FocusOfThreadOf(top), reinterpret_cast<HWND>(tree)) << "the key's pane";
    }

    // A key deleted since the registry was read.
    EXPECT_EQ(DriveRegistryEditor({registry, real, processes},
                                  {"HKEY_CURRENT_USER", "Software\\Gone", ""}),
              JumpResult::NotReached);
    EXPECT_EQ(DriveRegistryEditor({registry, real, processes},
                                  {"HKEY_CURRENT_USER", "Software\\Foo", "Gone"}),
              JumpResult::NotReached);

    PostMessageA(top, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.Wait(10000));
}

}  // namespace
}  // namespace ks::test
