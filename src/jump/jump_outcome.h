#pragma once
// What became of a jump, for the caller to tell the user.
#include <optional>

#include <vector>

#include "grammar/path_grammar.h"
#include "jump/counterparts.h"

namespace ks {

enum class JumpResult {
    Landed,              // the editor shows the target, read back from it
    Unverified,          // the editor was brought there; it could not be read back
    NotFound,            // the text names no existing key or value
    EditorNotStarted,    // no editor window appeared
    EditorStartDeclined, // the user said No when the system asked to start the editor
    EditorRefused,       // the running editor has higher rights and drops our messages
    OpenedElevated,      // the editor this jump started opened at the key, but runs
                         // with higher rights: its value could not be selected
    EditorNotAnswering,  // a message to the editor was not handled within its bound
    NotReached,          // the editor could be read, and the target is not in it
    ValueUnreadable,     // the editor shows the key; its values cannot be read here,
                         // and the value was not among them
    DefaultValueNotSet,  // the path names the key's default value, which is not set:
                         // the editor shows the key
    OnAnotherComputer,   // the path names another computer's registry
};

struct JumpOutcome {
    JumpResult result = JumpResult::NotFound;
    // The key and value the text names (for NotFound: as far as it was read).
    ResolvedJump target;
    // NotFound with a known root: the deepest key of the path that exists
    // (an empty key path for the root itself).
    std::optional<ResolvedJump> nearest;
    // OnAnotherComputer: that computer's name; NotFound and OnAnotherComputer:
    // the text as given.
    std::string computer;
    std::string text;
    // NotFound: where the path exists instead, by the platform's rules.
    std::vector<Counterpart> counterparts;
    // The jump went where the not-found box offered (the nearest key, or a
    // place where the path exists), as the user chose.
    bool offerTaken = false;
    // The editor was out of reach, and the user chose to restart Keystride
    // as administrator to jump there.
    bool restartElevated = false;
    bool operator==(const JumpOutcome&) const = default;
};

// The text names nothing here to select: no key or value, another
// computer's, or a default value that is not set.
constexpr bool NamesNothingHere(JumpResult result) noexcept {
    return result == JumpResult::NotFound || result == JumpResult::OnAnotherComputer ||
           result == JumpResult::DefaultValueNotSet;
}

// The editor shows the target, as far as anyone can tell.
constexpr bool HasLanded(JumpResult result) noexcept {
    return result == JumpResult::Landed || result == JumpResult::Unverified;
}

}  // namespace ks
