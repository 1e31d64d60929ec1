// Jumps from the real program when the editor cannot take them: an editor
// whose process is stopped, and no editor program at all. The jump ends
// within its bounds in a box of the program's own that says why (no other
// box, the shell's included), and once it is closed the window answers
// again with its favourites as they were.
#include <gtest/gtest.h>

#include <string>

#include "e2e/fault_support.h"
#include "e2e/main_window_support.h"

namespace ks::test {
namespace {

constexpr char kAsideSuffix[] = ".keystride-test-aside";

std::string EditorProgram() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\regedit.exe";
}

struct BoxSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<BoxSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) || ClassOf(window) != "#32770")
        return TRUE;
    search.found = window;
    return FALSE;
}

// A visible box or dialog of the process, if there is one.
HWND AnyBoxOf(DWORD processId) {
    BoxSearch search{processId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class EditorFault : public ::testing::Test {
protected:
    void SetUp() override {
        // A run that died with the editor program moved aside puts it back.
        const std::string aside = EditorProgram() + kAsideSuffix;
        if (GetFileAttributesA(EditorProgram().c_str()) == INVALID_FILE_ATTRIBUTES)
            MoveFileExA(aside.c_str(), EditorProgram().c_str(), 0);
        RemoveTree(SettingsFolder());
        CloseRegistryEditor();
        ASSERT_TRUE(WriteSettingsFile(kOneFavourite));
    }
    static void TearDownTestSuite() { CloseRegistryEditor(); }

    // Jumps to a key that exists and waits for the box that says why it
    // did not land; once that is closed the window takes input, shows no
    // other box, and the row is there.
    static void JumpAndExpectItEnds(const Keystride& app, const std::string& says) {
        app.SetEditText("HKCU\\Software");
        app.Command(IDC_JUMP);
        // The program's own box: its caption, and a text that says why (the
        // box is looked for until both are there, as it fills them in
        // after it appears).
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                box = FindProcessWindow(app.ProcessId(), "Keystride", "#32770");
                return box && MessageBoxText(box).find(says) != std::string::npos;
            },
            kJumpBoundMs))
            << "no box saying \"" << says << "\"; " << WindowText(AnyBoxOf(app.ProcessId()))
            << ": " << MessageBoxText(AnyBoxOf(app.ProcessId()));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(app.WaitGone(box));
        ASSERT_TRUE(SettledWithin(app, kJumpBoundMs)) << "the jump did not end";
        EXPECT_TRUE(IsWindowEnabled(app.Main()));
        box = AnyBoxOf(app.ProcessId());
        EXPECT_FALSE(box) << WindowText(box) << ": " << MessageBoxText(box);
        EXPECT_EQ(app.Rows(), OneFavouriteRow());
    }
};

TEST_F(EditorFault, StoppedEditorHoldsEachJumpOnlyForItsBound) {
    ChildProcess editor(Quoted(std::string(KS_HELPER_DIR) + "/fake_regedit.exe") + " " +
                        Quoted(TempFilePath("keystride-fake-editor.log")));
    ASSERT_TRUE(editor.Started());
    HWND top = WaitForTopWindow("RegEdit_RegEdit", kWaitMs);
    ASSERT_TRUE(top);
    Keystride app;
    ASSERT_TRUE(app.Started());
    {
        // Stopped before the jump: not even showing its window can be asked
        // of it and waited for.
        SuspendedThread stopped(GetWindowThreadProcessId(top, nullptr));
        ASSERT_TRUE(stopped.Suspended());
        JumpAndExpectItEnds(app, "stopped answering");
        JumpAndExpectItEnds(app, "stopped answering");  // by now the system counts it as hung
    }
    PostMessageA(top, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.Wait(kWaitMs));
}

TEST_F(EditorFault, MissingEditorProgramEndsTheJumpAfterTheStartPoll) {
    // The Wine prefix is the test's own: its editor program is moved aside
    // for the test and put back after it, whatever happens in between.
    MovedAside aside(EditorProgram(), EditorProgram() + kAsideSuffix);
    ASSERT_TRUE(aside.Moved());
    Keystride app;
    ASSERT_TRUE(app.Started());
    // The shell's own "file not found" box is not shown: it held the jump,
    // and the window under it, until someone closed it.
    JumpAndExpectItEnds(app, "did not start");
    EXPECT_FALSE(FindWindowA("RegEdit_RegEdit", nullptr));
    // From the command line the same box, and the exit code for an editor
    // that could not be brought there.
    const CommandLineRun run = RunKeystride("HKCU\\Software");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.box.find("did not start"), std::string::npos) << run.box;
}

}  // namespace
}  // namespace ks::test
