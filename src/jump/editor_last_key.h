#pragma once
// The Registry Editor opens at the key it showed when it was last closed,
// which it keeps under HKEY_CURRENT_USER. A jump that must start the editor
// writes the target's key there first, so that the editor opens at it
// whatever rights it runs with, with no keystroke and no expansion from the
// top. It is the one value the program ever writes to the registry, and
// the editor itself writes it again at every close.
#include <optional>
#include <string>

#include "grammar/path_grammar.h"

namespace ks {

class Registry;

inline constexpr char kEditorSettingsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
inline constexpr char kEditorLastKeyValue[] = "LastKey";

// The value that makes the editor open at the target's key, in the form the
// editor writes: whatever stands before the root name in `present` (the
// tree's top item in the system's language: "Computer\" on Windows 10 and
// 11), or, without a value to follow, the platform's own form: the long root
// name first under Wine, after "Computer\" elsewhere.
std::string EditorLastKeyFor(const ResolvedJump& target, const std::optional<std::string>& present,
                             bool underWine);

// Reads the editor's value and writes the target's key into it. False when
// the write failed (the editor then opens where it last was).
bool RememberTargetInEditor(Registry& registry, const ResolvedJump& target, bool underWine);

}  // namespace ks
