#include "jump/editor_driver.h"

#include <string_view>

#include "grammar/ascii.h"
#include "grammar/wide_text.h"
#include "jump/editor_controls.h"
#include "jump/editor_last_key.h"
#include "jump/landing_check.h"
#include "platform/process_control.h"
#include "platform/registry.h"
#include "platform/window_system.h"

namespace ks {
namespace {

constexpr int kCollapsePresses = 30;
constexpr std::uint32_t kPauseAfterCollapse = 10;
constexpr std::uint32_t kInputIdleWait = 1000;
constexpr std::uint32_t kStartPollWindow = 3000;
constexpr std::uint32_t kStartPollInterval = 100;

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

// No value to select: neither a named one nor the default one.
bool IsKeyAlone(const ResolvedJump& target) noexcept {
    return target.valueName.empty() && !target.defaultValue;
}

JumpResult Failed(SendResult sent) noexcept {
    return sent == SendResult::Refused ? JumpResult::EditorRefused : JumpResult::EditorNotAnswering;
}

JumpResult Failed(CheckResult check) noexcept {
    return check == CheckResult::NoAnswer ? JumpResult::EditorNotAnswering : JumpResult::NotReached;
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

SendResult TypeValueName(const JumpPlatform& platform, Window list, const std::string& valueName) {
    const KeystrokeHabits habits = KeystrokeHabitsOf(platform.processes.IsWine());
    Keyboard keyboard(platform.windows, habits.marking);
    if (const SendResult sent = keyboard.Press(list, Key::Down); sent != SendResult::Delivered)
        return sent;
    platform.processes.Sleep(habits.pauseAfterStep);
    return keyboard.TypeAll(list, valueName);
}

// An editor that cannot be read: the keystrokes are the whole drive, and
// nobody can say where they ended.
JumpResult TypeToTarget(const JumpPlatform& platform, Window editor, Window tree,
                        const ResolvedJump& target) {
    WindowSystem& windows = platform.windows;
    const KeystrokeHabits habits = KeystrokeHabitsOf(platform.processes.IsWine());
    Keyboard keyboard(windows, habits.marking);
    const SendResult walked =
        WalkTree(keyboard, platform.processes, tree, BuildTreePath(target), habits.pauseAfterStep);
    if (walked != SendResult::Delivered) return Failed(walked);
    if (IsKeyAlone(target)) {
        windows.FocusControl(editor, tree);
        return JumpResult::Unverified;
    }
    const Window list = FindListView(windows, editor);
    if (!list) return JumpResult::NotReached;
    const SendResult typed = TypeValueName(platform, list, target.valueName);
    if (typed != SendResult::Delivered) return Failed(typed);
    windows.FocusControl(editor, list);
    return JumpResult::Unverified;
}

// An editor that can be read: the target is selected, read back, and its
// pane handed the focus, so that the selection is drawn as selected and
// Enter or F2 works there at once.
JumpResult SelectTarget(const JumpPlatform& platform, Window editor, Window tree,
                        const ResolvedJump& target) {
    WindowSystem& windows = platform.windows;
    TreeControl keys(windows, tree);
    const CheckResult treeCheck = SettleTreeSelection(windows, keys, target);
    if (keys.Refused()) return JumpResult::EditorRefused;
    if (treeCheck == CheckResult::NoAnswer || treeCheck == CheckResult::Missing)
        return Failed(treeCheck);
    if (IsKeyAlone(target)) {
        windows.FocusControl(editor, tree);
        return JumpResult::Landed;
    }
    const Window list = FindListView(windows, editor);
    if (!list) return JumpResult::NotReached;
    ListControl values(windows, list);
    if (values.IsVirtual()) {
        // Its texts are its owner's: the value is typed, as to an editor
        // that cannot be read.
        const SendResult typed = TypeValueName(platform, list, target.valueName);
        if (typed != SendResult::Delivered) return Failed(typed);
        windows.FocusControl(editor, list);
        return JumpResult::Unverified;
    }
    const ListRows rows = ExpectedListRows(platform.registry, target);
    const CheckResult listCheck =
        target.defaultValue
            ? SelectDefaultValueOnceListed(platform.processes, values, rows.count)
            : SelectValueOnceListed(windows, platform.processes, values, target.valueName,
                                    rows.count);
    if (values.Refused()) return JumpResult::EditorRefused;
    if (listCheck == CheckResult::Missing && rows.refused) {
        // Its key lets nobody here read its values: the key is as far as
        // anyone gets.
        windows.FocusControl(editor, tree);
        return JumpResult::ValueUnreadable;
    }
    if (listCheck == CheckResult::NoAnswer || listCheck == CheckResult::Missing)
        return Failed(listCheck);
    windows.FocusControl(editor, list);
    return JumpResult::Landed;
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

// Waits up to three seconds for the window of the editor just started.
Window WaitForStartedEditor(const JumpPlatform& platform) {
    ProcessControl& processes = platform.processes;
    const std::uint32_t t0 = processes.GetTickCount();
    while (static_cast<std::uint32_t>(processes.GetTickCount() - t0) < kStartPollWindow) {
        if (Window editor = platform.windows.FindTopWindow(kEditorWindowClass)) return editor;
        processes.Sleep(kStartPollInterval);
    }
    return 0;
}

// An editor with higher rights takes nothing from here. One this jump
// started opened at the key all the same; its value stays out of reach.
JumpResult OutOfReach(bool started, const ResolvedJump& target) noexcept {
    if (!started) return JumpResult::EditorRefused;
    return IsKeyAlone(target) ? JumpResult::Unverified : JumpResult::OpenedElevated;
}

}  // namespace

KeystrokeHabits KeystrokeHabitsOf(bool underWine) noexcept {
    if (underWine) return {.marking = KeystrokeMarking::RepeatCountOne, .pauseAfterStep = 500};
    return {.marking = KeystrokeMarking::Bare, .pauseAfterStep = 10};
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

ListRows ExpectedListRows(Registry& registry, const ResolvedJump& target) {
    const std::optional<RegKey> root = PredefinedRootKey(target.rootName);
    if (!root) return {};
    std::string_view keyPath = target.keyPath;
    if (!keyPath.empty() && keyPath.front() == '\\') keyPath.remove_prefix(1);
    RegKey key = 0;
    const long opened = registry.OpenKey(*root, std::string(keyPath), KeyAccess::Read, key);
    if (opened != kErrorSuccess) return {std::nullopt, opened == kErrorAccessDenied};
    std::uint32_t values = 0;
    const bool counted = registry.ValueCount(key, values) == kErrorSuccess;
    const bool defaultSet = registry.QueryValue(key, "") == kErrorSuccess;
    registry.CloseKey(key);
    if (!counted) return {};
    return {static_cast<int>(values) + (defaultSet ? 0 : 1), false};
}

StartOutcome StartEditorProgram(ProcessControl& processes, ShowState show, bool forAJump) {
    ProgramStart start;
    start.verb = "open";
    // The full path: a bare name would be looked up in the current folder
    // first, where a planted regedit.exe would be started instead.
    const std::string windowsFolder = processes.WindowsDirectory();
    if (windowsFolder.empty()) return StartOutcome::Failed;
    start.file = windowsFolder + "\\regedit.exe";
    start.show = show;
    // A jump waits for the editor; a failed start would put up the shell's
    // own error box, which would hold the jump and the window under it
    // until someone answered.
    start.keepProcess = forAJump;
    start.quiet = forAJump;

    void* redirection = nullptr;
    processes.DisableFsRedirection(redirection);
    ProcessHandle process = 0;
    const StartOutcome started = processes.StartProgram(start, process);
    if (started == StartOutcome::Started && process) {
        processes.WaitForInputIdle(process, kInputIdleWait);
        processes.CloseHandle(process);
    }
    processes.RevertFsRedirection(redirection);
    return started;
}

JumpResult DriveRegistryEditor(const JumpPlatform& platform, const ResolvedJump& target) {
    WindowSystem& windows = platform.windows;
    ProcessControl& processes = platform.processes;

    Window editor = windows.FindTopWindow(kEditorWindowClass);
    const bool started = !editor;
    if (started) {
        RememberTargetInEditor(platform.registry, target, processes.IsWine());
        // Shown maximised from its start: an editor that runs as
        // administrator takes no showing from here afterwards.
        if (StartEditorProgram(processes, ShowState::Maximised, true) == StartOutcome::Declined)
            return JumpResult::EditorStartDeclined;
        editor = WaitForStartedEditor(platform);
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

    // An editor with higher rights drops every message: better to say so
    // before the first one than to leave a walk half done.
    const WindowAccess access = windows.AccessTo(editor);
    if (access.higherRights) return OutOfReach(started, target);
    const JumpResult result = access.readable ? SelectTarget(platform, editor, tree, target)
                                              : TypeToTarget(platform, editor, tree, target);
    return result == JumpResult::EditorRefused ? OutOfReach(started, target) : result;
}

}  // namespace ks
