#pragma once
// Texts between the program and its windows. Every window of the program is
// a Unicode window; its texts go through the W calls and come back in the
// program's own 8-bit form, so any name the system allows can be typed,
// shown and stored.
#include <windows.h>

#include "platform/win32/wide_strings.h"
#include "platform/win32/window_text.h"

#include <string>
#include <string_view>

namespace ks::ui {

using ks::Narrow;
using ks::Wide;
using ks::WindowText;

bool SetWindowTextTo(HWND window, std::string_view text);

}  // namespace ks::ui
