#pragma once
// This keystride.exe's full path, as the commands it registers must name it.
#include <string>

namespace ks::ui {

// Empty when the system cannot say.
std::wstring ThisProgram();

}  // namespace ks::ui
