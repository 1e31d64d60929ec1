#pragma once
// Every jump, whatever starts it, passes through JumpToRegistryPath: the
// text is read, checked against the registry and handed to the driver. The
// caller tells the user what came of it (ShowJumpOutcome).
#include <string_view>

#include "jump/jump_outcome.h"
#include "jump/jump_platform.h"

namespace ks {

JumpOutcome JumpToRegistryPath(const JumpPlatform& platform, std::string_view text);

}  // namespace ks
