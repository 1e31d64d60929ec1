#pragma once
// Drives the system's Registry Editor to a target with keystroke messages:
// the key tree first, then the value list.
#include <cstdint>
#include <string>

#include "grammar/path_grammar.h"
#include "jump/jump_outcome.h"
#include "platform/handles.h"
#include "platform/window_system.h"

namespace ks {

class ProcessControl;

struct EditorPlatform {
    WindowSystem& windows;
    ProcessControl& processes;
};

inline constexpr const char* kEditorWindowClass = "RegEdit_RegEdit";
inline constexpr const char* kTreeViewClass = "SysTreeView32";
inline constexpr const char* kListViewClass = "SysListView32";

// How the editor is driven on the system at hand: the one place where
// Windows and Wine differ. Windows' controls take bare keystrokes with short
// pauses, and the landing is read back afterwards where the editor can be
// read. Wine's controls ignore characters without a repeat count and join
// characters that arrive within 450 ms into one search, so each component
// needs a fresh one; where the editor can be read there, its items are
// selected directly instead, since paced keystrokes cost half a second a
// level and the check had to put them right anyway.
struct EditorHabits {
    KeystrokeMarking keystrokes = KeystrokeMarking::Bare;
    std::uint32_t pauseAfterStep = 10;  // after each Right and Down press
    bool selectsReadableItems = false;  // a readable editor is not typed to
};

EditorHabits EditorHabitsOf(bool underWine) noexcept;

// Root name, a backslash, then the key path (one backslash for an empty one).
// A run of backslashes counts as one: no key has an empty name, and each
// backslash costs a Right press and its pause.
std::string BuildTreePath(const ResolvedJump& target);

// The first descendant of the editor's top window whose class matches,
// ignoring ASCII case, each window before its own children; 0 for none.
Window FindTreeView(WindowSystem& windows, Window editor);
Window FindListView(WindowSystem& windows, Window editor);

// Finds or starts the editor, walks it to the target and says where the
// walk ended. Shows nothing itself.
JumpResult DriveRegistryEditor(const EditorPlatform& platform, const ResolvedJump& target);

}  // namespace ks
