#pragma once
// The target selected directly in the editor's tree and list, and read back
// as the user will see it: the tree walked from its top by the names of the
// path, each level expanded as it is reached, and the value selected once
// the list shows the key's values.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grammar/path_grammar.h"
#include "platform/handles.h"

namespace ks {

class WindowSystem;
class ProcessControl;
class ListControl;
class TreeControl;

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
CheckResult SettleTreeSelection(WindowSystem& windows, TreeControl& tree,
                                const ResolvedJump& target);

// Makes the list's selection the named value.
CheckResult SettleListSelection(WindowSystem& windows, ListControl& list,
                                const std::string& valueName);

// The editor fills its list when the tree's selection changes, and may do so
// a moment later: the value is selected once the list holds `rows` items
// (the key's values and the default row) and the value among them, or, with
// `rows` unknown, once the value shows; each within its bound.
inline constexpr std::uint32_t kListFillBound = 5000;
inline constexpr std::uint32_t kUnknownListFillBound = 1000;
inline constexpr std::uint32_t kListFillPoll = 50;
CheckResult SelectValueOnceListed(WindowSystem& windows, ProcessControl& processes,
                                  ListControl& list, const std::string& valueName,
                                  std::optional<int> rows);
// The same for the default value, the list's first row, whatever word the
// editor's language draws there.
CheckResult SelectDefaultValueOnceListed(ProcessControl& processes, ListControl& list,
                                         std::optional<int> rows);

}  // namespace ks
