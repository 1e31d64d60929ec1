#pragma once
// Brings the system's Registry Editor to a target. Where the editor can be
// read (its process opened from here, its pointers as wide as ours), the
// target is selected directly in its tree and list and read back, on every
// platform alike; where it cannot, keystroke messages walk it there,
// unverified. Either way the editor ends in front with the target's pane
// holding the keyboard focus.
#include <cstdint>
#include <optional>
#include <string>

#include "grammar/path_grammar.h"
#include "jump/jump_outcome.h"
#include "jump/jump_platform.h"
#include "platform/handles.h"
#include "platform/process_control.h"
#include "platform/window_system.h"

namespace ks {

inline constexpr const char* kEditorWindowClass = "RegEdit_RegEdit";
inline constexpr const char* kTreeViewClass = "SysTreeView32";
inline constexpr const char* kListViewClass = "SysListView32";

// How keystrokes reach an editor that cannot be read: the one place where
// Windows and Wine differ. Windows' controls take them bare with short
// pauses; Wine's ignore characters without a repeat count and join
// characters that arrive within 450 ms into one search, so each component
// needs a fresh one.
struct KeystrokeHabits {
    KeystrokeMarking marking = KeystrokeMarking::Bare;
    std::uint32_t pauseAfterStep = 10;  // after each Right and Down press
};

KeystrokeHabits KeystrokeHabitsOf(bool underWine) noexcept;

// Root name, a backslash, then the key path (one backslash for an empty one).
// A run of backslashes counts as one: no key has an empty name, and each
// backslash costs a Right press and its pause.
std::string BuildTreePath(const ResolvedJump& target);

// The first descendant of the editor's top window whose class matches,
// ignoring ASCII case, each window before its own children; 0 for none.
Window FindTreeView(WindowSystem& windows, Window editor);
Window FindListView(WindowSystem& windows, Window editor);

// How many rows the editor's list shows for the target's key: its values,
// and the default row, which it draws whether the default value is set or
// not. Not known when the key cannot be opened; `refused` when its security
// keeps this user from reading it.
struct ListRows {
    std::optional<int> count;
    bool refused = false;
};
ListRows ExpectedListRows(Registry& registry, const ResolvedJump& target);

// Starts the system's Registry Editor by its full path, with the file
// system's redirection off (the 64-bit editor from a 32-bit Keystride).
// For a jump the start is quiet and waits until the editor takes input.
StartOutcome StartEditorProgram(ProcessControl& processes, ShowState show, bool forAJump);

// Finds or starts the editor (at the target's key, through its own
// remembered key), brings it to the target and says where it ended. Shows
// nothing itself.
JumpResult DriveRegistryEditor(const JumpPlatform& platform, const ResolvedJump& target);

}  // namespace ks
