#pragma once
// Where a path that names nothing exists instead: the places the platform
// takes as the same key. A 32-bit program's key lives in the other view, an
// installer wrote for all users what a guide names for one user, a class
// comes from one of the two hives that HKEY_CLASSES_ROOT merges, a report
// names the control set by its number, a legacy program's writes went to the
// virtual store.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "grammar/path_grammar.h"

namespace ks {

class Registry;
class ProcessControl;

struct Counterpart {
    std::string place;   // what the place is: "The 32-bit view", "For all users", ...
    ResolvedJump target;
    bool operator==(const Counterpart&) const = default;
};

// What the rules need to know of this system.
struct CounterpartFacts {
    std::string userSid;                          // the signed-in user's, as HKEY_USERS names it
    std::optional<std::uint32_t> currentControlSet;  // HKLM\SYSTEM\Select, Current
};

// Every place that is the same key as `path` by the platform's rules, in
// their order: the other registry view, the other hive, HKEY_CLASSES_ROOT
// and its two sources, the control set by name and by number, the user's
// hive under HKEY_USERS and HKEY_CURRENT_USER, the virtual store. Each once,
// the path itself never. Pure: nothing is looked up.
std::vector<Counterpart> CounterpartCandidates(const ResolvedJump& path,
                                               const CounterpartFacts& facts);

// The facts, read from the registry and the process (read-only).
CounterpartFacts ReadCounterpartFacts(Registry& registry, ProcessControl& processes);

// The candidates that exist, with the value when the path names one.
std::vector<Counterpart> FindCounterparts(Registry& registry, ProcessControl& processes,
                                          const ResolvedJump& path);

// The line that offers it: "The 32-bit view: HKEY_LOCAL_MACHINE\...".
std::string CounterpartLine(const Counterpart& counterpart);

}  // namespace ks
