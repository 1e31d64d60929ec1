#pragma once
// After a drive, the editor's tree and list are read back; when they do not
// show the target (a keystroke dropped, type-ahead skipping blanks, quotes or
// colons and landing on a sibling that shares the name up to one), the
// target is selected directly and read back again.
#include <string>
#include <vector>

#include "grammar/path_grammar.h"
#include "platform/handles.h"

namespace ks {

class WindowSystem;

enum class CheckResult {
    OnTarget,   // it already showed the target
    Corrected,  // it did not; now it does
    Missing,    // the target is not among the editor's items
    NoAnswer,   // the editor stopped answering while being read
};

// The root name and every non-empty component of the key path.
std::vector<std::string> TreeComponents(const ResolvedJump& target);

// Component lists whose names the registry takes as the same, name by name
// (WindowSystem::SameName).
bool SamePath(WindowSystem& windows, const std::vector<std::string>& a,
              const std::vector<std::string>& b);

// Makes the tree's selection the target key.
CheckResult SettleTreeSelection(WindowSystem& windows, Window tree, const ResolvedJump& target);

// Makes the list's selection the named value.
CheckResult SettleListSelection(WindowSystem& windows, Window list, const std::string& valueName);

}  // namespace ks
