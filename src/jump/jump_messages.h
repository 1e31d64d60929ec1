#pragma once
// The boxes that tell the user what came of a jump, shown by whoever started
// it: nothing when it landed, the not-found box, or a warning that says why
// the editor could not be brought there.
#include <string>

#include "jump/jump_outcome.h"

namespace ks {

class WindowSystem;

inline constexpr unsigned kNotFoundBoxFlags = 0x40;     // MB_OK | MB_ICONINFORMATION
inline constexpr unsigned kJumpWarningBoxFlags = 0x30;  // MB_OK | MB_ICONWARNING

// The text of the box for an outcome; empty when there is nothing to say.
std::string JumpOutcomeText(const JumpOutcome& outcome);

void ShowJumpOutcome(WindowSystem& windows, const JumpOutcome& outcome);

}  // namespace ks
