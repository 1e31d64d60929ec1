#pragma once
// Every jump, whatever starts it, passes through JumpToRegistryPath: the
// text is read, checked against the registry and handed to the driver. The
// caller tells the user what came of it (ShowJumpOutcome).
#include <optional>
#include <string_view>

#include "jump/jump_outcome.h"
#include "jump/jump_platform.h"

namespace ks {

JumpOutcome JumpToRegistryPath(const JumpPlatform& platform, std::string_view text);

// What the text names, read and checked as a jump reads and checks it (a
// last name is a value only where the key holds one), without a jump: the
// first reading that names a key or value, else the first reading as it
// was looked for. Nothing for a text that is no registry path.
std::optional<ResolvedJump> ResolveRegistryPath(Registry& registry, std::string_view text);

}  // namespace ks
