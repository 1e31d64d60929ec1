#pragma once
// What became of a jump, for the caller to tell the user.
#include <optional>

#include "grammar/path_grammar.h"

namespace ks {

enum class JumpResult {
    Landed,              // the editor shows the target, read back from it
    Corrected,           // the keystrokes ended elsewhere; the target was selected directly
    Unverified,          // the keystrokes were sent; the editor could not be read back
    NotFound,            // the text names no existing key or value
    EditorNotStarted,    // no editor window appeared
    EditorRefused,       // the editor runs with higher rights and drops our messages
    EditorNotAnswering,  // a message to the editor was not handled within its bound
    NotReached,          // the editor could be read, and the target is not in it
};

struct JumpOutcome {
    JumpResult result = JumpResult::NotFound;
    // The key and value the text names (for NotFound: as far as it was read).
    ResolvedJump target;
    // NotFound with a known root: the deepest key of the path that exists
    // (an empty key path for the root itself).
    std::optional<ResolvedJump> nearest;
    // The jump went to the nearest key, which the user took from the offer.
    bool offerTaken = false;
    bool operator==(const JumpOutcome&) const = default;
};

// The editor shows the target, as far as anyone can tell.
constexpr bool HasLanded(JumpResult result) noexcept {
    return result == JumpResult::Landed || result == JumpResult::Corrected ||
           result == JumpResult::Unverified;
}

}  // namespace ks
