#pragma once
// What the user may let Keystride write to the registry for the shell: its
// start with Windows (the per-user Run key) and its keystride: links (a
// per-user URL protocol). Each is written as the user chooses and taken
// back exactly; each item shows whether it starts this keystride.exe.
#include <string>
#include <string_view>

namespace ks {

class Registry;

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValue[] = "Keystride";
inline constexpr char kProtocolKey[] = "Software\\Classes\\keystride";
inline constexpr char kProtocolCommandKey[] = "Software\\Classes\\keystride\\shell\\open\\command";

// The commands, for the program at `program` (its full path).
std::string StartWithWindowsCommand(std::string_view program);  // "...\keystride.exe" --tray
std::string LinkCommand(std::string_view program);              // "...\keystride.exe" "%1"

bool StartsWithWindows(Registry& registry, std::string_view program);
// False when the registry refused the change.
bool SetStartWithWindows(Registry& registry, std::string_view program, bool on);

bool OpensLinks(Registry& registry, std::string_view program);
bool SetOpensLinks(Registry& registry, std::string_view program, bool on);

}  // namespace ks
