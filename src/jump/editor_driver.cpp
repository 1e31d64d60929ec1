#include "jump/editor_driver.h"

#include <string_view>

#include "grammar/ascii.h"
#include "jump/landing_check.h"
#include "platform/process_control.h"
#include "platform/window_system.h"

namespace ks {
namespace {

constexpr unsigned kVkLeft = 0x25;
constexpr unsigned kVkRight = 0x27;
constexpr unsigned kVkDown = 0x28;
constexpr int kCollapsePresses = 30;
constexpr std::uint32_t kPauseAfterCollapse = 10;
constexpr std::uint32_t kInputIdleWait = 1000;
constexpr std::uint32_t kStartPollWindow = 3000;
constexpr std::uint32_t kStartPollInterval = 100;

// Key presses and characters for one editor window. Every send reports
// whether the editor handled it; the first failure ends the drive.
class Keyboard {
public:
    Keyboard(WindowSystem& windows, KeystrokeStyle style) : windows_(windows), style_(style) {}

    [[nodiscard]] bool Press(Window target, unsigned virtualKey) {
        return windows_.Send(target, kWmKeyDown, virtualKey, style_.lParam) &&
               windows_.Send(target, kWmKeyUp, virtualKey, style_.lParam);
    }

    [[nodiscard]] bool Type(Window target, char byte) {
        return windows_.Send(target, kWmChar, static_cast<unsigned char>(byte),
                                    style_.lParam);
    }

    [[nodiscard]] bool TypeAll(Window target, std::string_view text) {
        for (char byte : text)
            if (!Type(target, byte)) return false;
        return true;
    }

private:
    WindowSystem& windows_;
    KeystrokeStyle style_;
};

Window FindDescendantOfClass(WindowSystem& windows, Window parent, std::string_view wanted) {
    Window result = 0;
    // Each visited window's own children are searched by a nested walk before
    // the outer walk goes on; the outer walk then meets the same first match
    // and stops there, so the result is the first match in walk order.
    std::function<bool(Window)> visit = [&](Window window) {
        if (EqualsIgnoringAsciiCase(windows.ClassName(window), wanted)) {
            result = window;
            return false;
        }
        windows.EnumChildWindows(window, visit);
        return true;
    };
    windows.EnumChildWindows(parent, visit);
    return result;
}

// Starts the editor hidden and waits up to three seconds for its window.
Window StartEditor(const EditorPlatform& platform) {
    ProcessControl& processes = platform.processes;
    ProgramStart start;
    // Without its flag a failed start puts up the shell's own error box,
    // which holds the jump, and the window under it, until someone answers.
    start.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagNoUi;
    start.verb = "open";
    // The full path: a bare name would be looked up in the current folder
    // first, where a planted regedit.exe would be started instead.
    const std::string windowsFolder = processes.WindowsDirectory();
    start.file = windowsFolder + "\\regedit.exe";
    start.show = kSwHide;

    void* redirection = nullptr;
    processes.DisableFsRedirection(redirection);
    ProcessHandle process = 0;
    if (!windowsFolder.empty() && processes.StartProgram(start, process)) {
        processes.WaitForInputIdle(process, kInputIdleWait);
        processes.CloseHandle(process);
    }
    processes.RevertFsRedirection(redirection);

    const std::uint32_t t0 = processes.GetTickCount();
    while (static_cast<std::uint32_t>(processes.GetTickCount() - t0) < kStartPollWindow) {
        if (Window editor = platform.windows.FindTopWindow(kEditorWindowClass)) return editor;
        processes.Sleep(kStartPollInterval);
    }
    return 0;
}

}  // namespace

KeystrokeStyle KeystrokeStyleFor(bool underWine) noexcept {
    return underWine ? KeystrokeStyle{1, 500} : KeystrokeStyle{0, 10};
}

std::string BuildTreePath(const ResolvedJump& target) {
    std::string path = target.rootName + '\\';
    for (char byte : target.keyPath)
        if (byte != '\\' || path.back() != '\\') path += byte;
    return path;
}

Window FindTreeView(WindowSystem& windows, Window editor) {
    return FindDescendantOfClass(windows, editor, kTreeViewClass);
}

Window FindListView(WindowSystem& windows, Window editor) {
    return FindDescendantOfClass(windows, editor, kListViewClass);
}

void DriveRegistryEditor(const EditorPlatform& platform, const ResolvedJump& target) {
    WindowSystem& windows = platform.windows;
    ProcessControl& processes = platform.processes;
    const std::string treePath = BuildTreePath(target);

    Window editor = windows.FindTopWindow(kEditorWindowClass);
    if (!editor) {
        editor = StartEditor(platform);
        if (!editor) return;
        windows.ShowWindow(editor, kSwShowMaximized);
        windows.SetForegroundWindow(editor);
    }
    windows.ShowWindow(editor, kSwShow);
    windows.SetForegroundWindow(editor);

    const Window tree = FindTreeView(windows, editor);
    if (!tree) return;
    windows.SetForegroundWindow(tree);

    const KeystrokeStyle style = KeystrokeStyleFor(processes.IsWine());
    Keyboard keyboard(windows, style);
    for (int i = 0; i < kCollapsePresses; ++i)
        if (!keyboard.Press(tree, kVkLeft)) return;
    processes.Sleep(kPauseAfterCollapse);
    if (!keyboard.Press(tree, kVkRight)) return;
    processes.Sleep(style.pauseAfterStep);
    for (char byte : treePath) {
        if (byte == '\\') {
            if (!keyboard.Press(tree, kVkRight)) return;
            processes.Sleep(style.pauseAfterStep);
        } else if (!keyboard.Type(tree, byte)) {
            return;
        }
    }

    const Window list = FindListView(windows, editor);
    if (list) {
        windows.SetForegroundWindow(list);
        if (!target.valueName.empty()) {
            if (!keyboard.Press(list, kVkDown)) return;
            processes.Sleep(style.pauseAfterStep);
            if (!keyboard.TypeAll(list, target.valueName)) return;
        }
    }

    // Wine's type-ahead skips some characters and can land on a sibling;
    // there the result is checked and put right. On Windows the keystrokes
    // are the whole drive.
    if (!processes.IsWine()) return;
    if (!SettleTreeSelection(windows, tree, target)) return;
    if (list && !target.valueName.empty()) (void)SettleListSelection(windows, list, target.valueName);
}

}  // namespace ks
