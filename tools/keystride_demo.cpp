// keystride-demo: shows the whole program at work, driven from outside the
// way the end-to-end tests drive it. keystride.exe starts with a settings
// file holding a few favourites (the user's own settings folder is set aside
// and put back afterwards), one favourite is selected and jumped to, the
// editor's view is printed by editor-probe.exe, and Keystride is closed with
// its Exit button. Screenshots of Keystride's window and of the screen with
// the editor are saved as PNG in the folder given; then Keystride starts
// again at 150 % scaling and its window and favourite editor are saved too.
//   keystride-demo <screenshot folder>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "e2e/folder_set_aside.h"
#include "e2e/main_window_support.h"
#include "e2e/sample_favourites.h"
#include "grammar/ascii.h"
#include "jump/editor_controls.h"
#include "jump/editor_driver.h"
#include "platform/win32/win32_window_system.h"
#include "texts.h"
#include "win32/screenshot.h"
#include "win32/win32_support.h"

namespace {

using namespace ks::test;

// The favourite the demonstration jumps to: a key and one of its values.
constexpr int kDemoRow = 1;
constexpr char kDemoKey[] = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion";
constexpr DWORD kJumpWaitMs = 30000;

bool SaveScreenPng(const std::string& path, const RECT& rect) {
    const std::vector<std::uint8_t> rgb = CaptureScreen(rect);
    return !rgb.empty() && WritePng(path, rect.right - rect.left, rect.bottom - rect.top, rgb);
}

bool SaveWindowShot(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Sleep(300);  // let the X server finish painting before the copy
    RECT rect{};
    GetWindowRect(window, &rect);
    return SaveScreenPng(path, rect);
}

bool SaveWholeScreen(const std::string& path) {
    Sleep(300);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenPng(path, screen);
}

// editor-probe.exe beside this program, writing to this program's output.
bool RunEditorProbe() {
    char self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::string probe(self);
    probe.erase(probe.find_last_of("\\/") + 1);
    probe += "editor-probe.exe";

    std::fflush(stdout);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE handle : {startup.hStdOutput, startup.hStdError})
        SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION info{};
    std::string command = Quoted(probe);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    ks::KernelHandle process(info.hProcess);
    ks::KernelHandle thread(info.hThread);
    DWORD code = 1;
    const bool ended = WaitForSingleObject(process.Get(), 10000) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process.Get(), &code);
    if (!ended) TerminateProcess(process.Get(), 1);
    return ended && code == 0;
}

// The steps, each reported; false at the first one that fails.
bool Demonstrate(const std::string& shots) {
    if (const auto error = WriteSampleSettings()) {
        std::printf("demo: cannot write the settings: %s\n", error->c_str());
        return false;
    }
    Keystride app;
    if (!app.Started()) {
        std::printf("demo: keystride.exe did not show its window\n");
        return false;
    }
    std::printf("demo: Keystride started with %d favourites:\n", app.RowCount());
    for (const auto& [key, comment] : app.Rows())
        std::printf("  %-66s %s\n", key.c_str(), comment.c_str());

    ks::Win32WindowSystem windows;
    if (!ks::ListControl(windows, reinterpret_cast<ks::Window>(app.List())).Select(kDemoRow)) {
        std::printf("demo: cannot select favourite %d\n", kDemoRow + 1);
        return false;
    }
    app.Settle();
    const std::string keystrideShot = shots + "/demo-keystride.png";
    SetForegroundWindow(app.Main());
    app.Settle();
    if (!SaveWindowShot(app.Main(), keystrideShot)) {
        std::printf("demo: cannot save %s\n", keystrideShot.c_str());
        return false;
    }
    std::printf("demo: screenshot of Keystride: %s\n", keystrideShot.c_str());

    std::printf("demo: jumping to favourite %d, %s\n", kDemoRow + 1,
                app.Rows()[kDemoRow].first.c_str());
    app.Command(IDM_JUMP_TO_FAVOURITE);
    const bool shown = WaitUntil(
        [] {
            const std::string status = RegeditStatus();
            const std::size_t cut = status.find('\\');
            return cut != std::string::npos &&
                   ks::EqualsIgnoringAsciiCase(status.substr(cut + 1), kDemoKey);
        },
        kJumpWaitMs);
    // The jump runs inside the command; the window answers again once it is over.
    app.Settle();
    if (!shown || !WaitUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; })) {
        std::printf("demo: the editor did not show %s (it shows \"%s\")\n", kDemoKey,
                    RegeditStatus().c_str());
        return false;
    }
    const std::string editorShot = shots + "/demo-editor.png";
    if (!SaveWholeScreen(editorShot)) {
        std::printf("demo: cannot save %s\n", editorShot.c_str());
        return false;
    }
    std::printf("demo: screenshot of the screen with the editor: %s\n", editorShot.c_str());
    std::printf("demo: the Registry Editor now shows:\n");
    if (!RunEditorProbe()) {
        std::printf("demo: editor-probe.exe failed\n");
        return false;
    }
    std::fflush(stdout);

    if (!app.Exit()) {
        std::printf("demo: Keystride did not end through its Exit button\n");
        return false;
    }
    std::printf("demo: Keystride closed through its Exit button\n");
    return true;
}

// Keystride at 150 % scaling: its window with the favourites, and the
// favourite editor open on one of them.
bool DemonstrateAt150Percent(const std::string& shots) {
    if (WriteSampleSettings()) return false;
    const DisplayScaling scaling(144);
    Keystride app;
    if (!app.Started()) {
        std::printf("demo: keystride.exe did not show its window at 150 %%\n");
        return false;
    }
    ks::Win32WindowSystem windows;
    ks::ListControl(windows, reinterpret_cast<ks::Window>(app.List())).Select(kDemoRow);
    SetForegroundWindow(app.Main());
    app.Settle();
    const std::string windowShot = shots + "/demo-keystride-150.png";
    if (!SaveWindowShot(app.Main(), windowShot)) return false;
    std::printf("demo: screenshot of Keystride at 150 %%: %s\n", windowShot.c_str());

    app.Command(IDM_EDIT_FAVOURITE);
    HWND editor = app.WaitForWindow(KS_TEXT_EDITOR_EDIT_CAPTION);
    const std::string editorShot = shots + "/demo-favourite-editor-150.png";
    if (!editor || !SaveWindowShot(editor, editorShot)) {
        std::printf("demo: the favourite editor did not show at 150 %%\n");
        return false;
    }
    std::printf("demo: screenshot of the favourite editor at 150 %%: %s\n", editorShot.c_str());
    PostMessageA(editor, WM_CLOSE, 0, 0);
    return app.WaitGone(editor) && app.Exit();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: keystride-demo <screenshot folder>\n");
        return 2;
    }
    const std::string shots = argv[1];
    CreateDirectoryA(shots.c_str(), nullptr);
    FolderSetAside settings(SettingsFolder());
    if (!settings.Ready()) {
        std::printf("demo: the settings folder could not be set aside; if %s exists, an "
                    "earlier run left it: move it back by hand\n",
                    settings.SavedPath().c_str());
        return 1;
    }
    const bool shown = Demonstrate(shots) && DemonstrateAt150Percent(shots);
    CloseRegistryEditor();
    const bool restored = settings.Restore();
    if (!restored) std::printf("demo: the settings folder could not be put back\n");
    return shown && restored ? 0 : 1;
}
