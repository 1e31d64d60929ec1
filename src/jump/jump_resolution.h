#pragma once
// Every jump, whatever starts it, passes through JumpToRegistryPath: the
// text is read, checked against the registry and handed to the driver. The
// caller tells the user what came of it (ShowJumpOutcome).
#include <cstdint>
#include <string_view>

#include "jump/jump_outcome.h"

namespace ks {

class Registry;
class WindowSystem;
class ProcessControl;

struct JumpPlatform {
    Registry& registry;
    WindowSystem& windows;
    ProcessControl& processes;
};

inline constexpr std::uint32_t kJumpAccessMask = 0x20119;   // KEY_READ | KEY_WOW64_64KEY
inline constexpr std::uint32_t kExistenceTestMask = 0x20009;

JumpOutcome JumpToRegistryPath(const JumpPlatform& platform, std::string_view text);

}  // namespace ks
