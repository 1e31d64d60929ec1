#include "jump/editor_driver.h"

#include <string_view>

#include "grammar/ascii.h"
#include "grammar/wide_text.h"
#include "jump/landing_check.h"
#include "platform/process_control.h"
#include "platform/window_system.h"

namespace ks {
namespace {

constexpr int kCollapsePresses = 30;
constexpr std::uint32_t kPauseAfterCollapse = 10;
constexpr std::uint32_t kInputIdleWait = 1000;
constexpr std::uint32_t kStartPollWindow = 3000;
constexpr std::uint32_t kStartPollInterval = 100;
constexpr int kListFillRetries = 5;
constexpr std::uint32_t kListFillPause = 100;

// Key presses and characters for one editor window. Every send says what
// became of it; anything but delivery ends the drive.
class Keyboard {
public:
    Keyboard(WindowSystem& windows, KeystrokeMarking marking)
        : windows_(windows), marking_(marking) {}

    // A Right press expands a key, which may first read thousands of
    // subkeys: it gets the longer bound.
    [[nodiscard]] SendResult Press(Window target, Key key) {
        const std::uint32_t timeout = key == Key::Right ? kSlowSendTimeout : kSendTimeout;
        return windows_.PressKey(target, key, marking_, timeout);
    }

    // One character message per UTF-16 unit: a character outside the Basic
    // Multilingual Plane goes as its two surrogates, as typing it would.
    [[nodiscard]] SendResult TypeAll(Window target, std::string_view text) {
        for (char16_t unit : ToUtf16(text)) {
            const SendResult sent = windows_.TypeCharacter(target, unit, marking_, kSendTimeout);
            if (sent != SendResult::Delivered) return sent;
        }
        return SendResult::Delivered;
    }

private:
    WindowSystem& windows_;
    KeystrokeMarking marking_;
};

JumpResult Failed(SendResult sent) noexcept {
    return sent == SendResult::Refused ? JumpResult::EditorRefused : JumpResult::EditorNotAnswering;
}

// The tree walk: collapse everything, open the root, then type each
// component and open it. The first send that is not delivered ends it.
SendResult WalkTree(Keyboard& keyboard, ProcessControl& processes, Window tree,
                    const std::string& treePath, std::uint32_t pauseAfterStep) {
    for (int i = 0; i < kCollapsePresses; ++i)
        if (const SendResult sent = keyboard.Press(tree, Key::Left); sent != SendResult::Delivered)
            return sent;
    processes.Sleep(kPauseAfterCollapse);
    if (const SendResult sent = keyboard.Press(tree, Key::Right); sent != SendResult::Delivered)
        return sent;
    processes.Sleep(pauseAfterStep);
    // In the program's text a backslash byte is the character U+005C and
    // nothing else, so the path splits on bytes.
    std::string_view rest = treePath;
    for (;;) {
        const std::size_t cut = rest.find('\\');
        if (const SendResult sent = keyboard.TypeAll(tree, rest.substr(0, cut));
            sent != SendResult::Delivered)
            return sent;
        if (cut == std::string_view::npos) return SendResult::Delivered;
        if (const SendResult sent = keyboard.Press(tree, Key::Right); sent != SendResult::Delivered)
            return sent;
        processes.Sleep(pauseAfterStep);
        rest.remove_prefix(cut + 1);
    }
}

SendResult TypeValueName(Keyboard& keyboard, ProcessControl& processes, Window list,
                         const std::string& valueName, std::uint32_t pauseAfterStep) {
    if (const SendResult sent = keyboard.Press(list, Key::Down); sent != SendResult::Delivered)
        return sent;
    processes.Sleep(pauseAfterStep);
    return keyboard.TypeAll(list, valueName);
}

// The value list is the editor's to fill once a key is selected, and it may
// do that a moment later: a value not there yet is looked for again.
CheckResult SettleListSelectionOnceFilled(WindowSystem& windows, ProcessControl& processes,
                                          Window list, const std::string& valueName) {
    CheckResult check = SettleListSelection(windows, list, valueName);
    for (int retry = 0; check == CheckResult::Missing && retry < kListFillRetries; ++retry) {
        processes.Sleep(kListFillPause);
        check = SettleListSelection(windows, list, valueName);
    }
    return check;
}

// What the read-back of the tree and then the list says about the drive.
JumpResult CheckLanding(const EditorPlatform& platform, Window tree, Window list,
                        const ResolvedJump& target) {
    const CheckResult treeCheck = SettleTreeSelection(platform.windows, tree, target);
    if (treeCheck == CheckResult::NoAnswer) return JumpResult::EditorNotAnswering;
    if (treeCheck == CheckResult::Missing) return JumpResult::NotReached;
    CheckResult listCheck = CheckResult::OnTarget;
    if (!target.valueName.empty()) {
        if (!list) return JumpResult::NotReached;
        listCheck = SettleListSelectionOnceFilled(platform.windows, platform.processes, list,
                                                  target.valueName);
        if (listCheck == CheckResult::NoAnswer) return JumpResult::EditorNotAnswering;
        if (listCheck == CheckResult::Missing) return JumpResult::NotReached;
    }
    const bool corrected = treeCheck == CheckResult::Corrected || listCheck == CheckResult::Corrected;
    return corrected ? JumpResult::Corrected : JumpResult::Landed;
}

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
    start.keepProcess = true;
    // Otherwise a failed start puts up the shell's own error box, which holds
    // the jump, and the window under it, until someone answers.
    start.quiet = true;
    start.verb = "open";
    // The full path: a bare name would be looked up in the current folder
    // first, where a planted regedit.exe would be started instead.
    const std::string windowsFolder = processes.WindowsDirectory();
    start.file = windowsFolder + "\\regedit.exe";
    start.show = ShowState::Hidden;

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

EditorHabits EditorHabitsOf(bool underWine) noexcept {
    if (underWine)
        return {.keystrokes = KeystrokeMarking::RepeatCountOne,
                .pauseAfterStep = 500,
                .selectsReadableItems = true};
    return {.keystrokes = KeystrokeMarking::Bare,
            .pauseAfterStep = 10,
            .selectsReadableItems = false};
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

JumpResult DriveRegistryEditor(const EditorPlatform& platform, const ResolvedJump& target) {
    WindowSystem& windows = platform.windows;
    ProcessControl& processes = platform.processes;

    Window editor = windows.FindTopWindow(kEditorWindowClass);
    if (!editor) {
        editor = StartEditor(platform);
        if (!editor) return JumpResult::EditorNotStarted;
        windows.ShowWindow(editor, ShowState::Maximised);
        windows.SetForegroundWindow(editor);
    }
    // A minimised editor is brought back, or the user would not see where
    // the jump went.
    windows.ShowWindow(editor,
                       windows.IsMinimised(editor) ? ShowState::Restored : ShowState::Shown);
    windows.SetForegroundWindow(editor);

    const Window tree = FindTreeView(windows, editor);
    if (!tree) return JumpResult::NotReached;
    windows.SetForegroundWindow(tree);

    // An editor with higher rights drops every message: better to say so
    // before the first one than to leave a walk half done.
    const WindowAccess access = windows.AccessTo(editor);
    if (access.higherRights) return JumpResult::EditorRefused;
    const EditorHabits habits = EditorHabitsOf(processes.IsWine());
    const bool selectDirectly = habits.selectsReadableItems && access.readable;

    Keyboard keyboard(windows, habits.keystrokes);
    if (!selectDirectly) {
        const SendResult walked =
            WalkTree(keyboard, processes, tree, BuildTreePath(target), habits.pauseAfterStep);
        if (walked != SendResult::Delivered) return Failed(walked);
    }

    const Window list = FindListView(windows, editor);
    if (list) {
        windows.SetForegroundWindow(list);
        if (!selectDirectly && !target.valueName.empty()) {
            const SendResult typed =
                TypeValueName(keyboard, processes, list, target.valueName, habits.pauseAfterStep);
            if (typed != SendResult::Delivered) return Failed(typed);
        }
    }

    if (!access.readable) return list || target.valueName.empty() ? JumpResult::Unverified
                                                                   : JumpResult::NotReached;
    const JumpResult landing = CheckLanding(platform, tree, list, target);
    // Selecting directly is the route itself, not a correction.
    if (selectDirectly && landing == JumpResult::Corrected)
        return JumpResult::Landed;
    return landing;
}

}  // namespace ks
