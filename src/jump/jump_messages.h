#pragma once
// The boxes that tell the user what came of a jump, shown by whoever started
// it: nothing when it landed, the not-found box (with the offer of the
// nearest key that exists, when there is one), or a warning that says why
// the editor could not be brought there.
#include <string>
#include <string_view>

#include "jump/jump_outcome.h"
#include "jump/jump_resolution.h"

namespace ks {

class WindowSystem;

// The path as the user would type it: root, key path, then value name.
std::string DisplayPath(const ResolvedJump& target);

// The not-found box's line that names what is missing: the first key of the
// path that is not there and the key it is missing from, the value, or that
// the text names no root or is empty. Empty when there is nothing to name.
std::string MissingLine(const JumpOutcome& outcome);
// The not-found sentence, then that line.
std::string NotFoundText(const JumpOutcome& outcome);

// The text of the box for an outcome; empty when there is nothing to say.
std::string JumpOutcomeText(const JumpOutcome& outcome);

// Shows the outcome's box, if it has one. True when the box made an offer
// (the nearest key, or a restart as administrator) and the user took it.
bool ShowJumpOutcome(WindowSystem& windows, const JumpOutcome& outcome);

// A jump as the user starts it: the jump and its box, then, when the user
// takes the offer of the nearest key, the jump there and its box. The
// outcome of the last jump made (not found when the offer was declined),
// with restartElevated set when the user chose to restart as administrator.
JumpOutcome JumpAndReport(const JumpPlatform& platform, std::string_view text);

// What a restarted Keystride jumps to, for the outcome of a jump to `text`:
// the text itself, or the nearest key when the user took it.
std::string PathToJumpAgain(const JumpOutcome& outcome, std::string_view text);

}  // namespace ks
