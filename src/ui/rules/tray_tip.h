#pragma once
// The notification area's tip for Keystride's icon: the program's name, as
// every program there is named, and the hotkey that reaches it from
// anywhere, when there is one. The shell shows at most 63 characters.
#include <string>
#include <string_view>

namespace ks {

inline constexpr std::size_t kMostTrayTipCharacters = 63;

// `jumpHotkey` and `showHotkey` as registered ("" for none).
std::string TrayTip(std::string_view jumpHotkey, std::string_view showHotkey);

}  // namespace ks
