#pragma once
// A landing worth remembering among the recent paths, and the message that
// hands one from a command-line jump to the window already running, so that
// jumps made from scripts are offered again like the window's own.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "jump/jump_outcome.h"
#include "jump/path_suggestions.h"

namespace ks {

// The WM_COPYDATA tag of a handed-over recent path.
inline constexpr unsigned long kRecentPathHandover = 0x4B535250;  // "KSRP"
// A path longer than this is no landing: the message is ignored.
inline constexpr std::size_t kMostHandoverBytes = 64 * 1024;

// Where a landed jump went, as the recent paths keep it: a key without its
// trailing backslashes, a value marked as one. Nothing for a jump that did
// not land.
std::optional<RecentPath> LandingToRemember(const JumpOutcome& outcome);

// The message's bytes: "K" or "V", then the path in UTF-8.
std::string HandoverText(const RecentPath& path);
// Nothing for bytes that are not such a message (another program's data).
std::optional<RecentPath> ReadHandover(std::string_view bytes);

}  // namespace ks
