#pragma once
// Where type-ahead cannot be trusted (Wine's tree skips blanks, quotes,
// colons and a few other characters, so a sibling that shares the name up to
// such a character is chosen instead), the driver reads where the editor's
// tree and list stand after the keystrokes and, when they are off, selects
// the target directly.
#include <string>
#include <vector>

#include "grammar/path_grammar.h"
#include "platform/handles.h"

namespace ks {

class WindowSystem;

// The root name and every non-empty component of the key path.
std::vector<std::string> TreeComponents(const ResolvedJump& target);

// Component lists equal ignoring ASCII case.
bool SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b);

// Makes the tree's selection the target key. False when the editor stopped
// answering or the key is not in the tree.
[[nodiscard]] bool SettleTreeSelection(WindowSystem& windows, Window tree,
                                       const ResolvedJump& target);

// Makes the list's selection the named value. False as above.
[[nodiscard]] bool SettleListSelection(WindowSystem& windows, Window list,
                                       const std::string& valueName);

}  // namespace ks
