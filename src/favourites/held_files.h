#pragma once
// Reading and replacing a file that another program may hold open for a
// moment: each step is asked for again for a while before it counts as
// failed, and a replacement never leaves half a file, the old file lost, or
// its temporary file behind.
#include <cstdint>
#include <optional>
#include <string>

namespace ks {

class Files;

// How long a file another program holds is asked for again, and how often.
inline constexpr std::uint32_t kHeldFilePatience = 2000;
inline constexpr std::uint32_t kHeldFileRetryPause = 50;

// The whole file, or nothing when it does not exist or cannot be read.
std::optional<std::string> ReadWhenFree(Files& files, const std::string& path);

// Writes the whole file beside the old one (`path` + ".tmp") and then puts
// it in the old one's place. False when anything failed, and for a file
// marked read-only: the old file is then as it was and the temporary file
// is gone.
bool ReplaceWhenFree(Files& files, const std::string& path, const std::string& contents);

}  // namespace ks
