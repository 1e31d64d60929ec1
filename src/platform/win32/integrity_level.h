#pragma once
// Whether another program's window belongs to a process that runs with
// higher rights than this one: its messages from here would be dropped.
#include <windows.h>

namespace ks {

// True only when both integrity levels could be read and the window's
// process stands higher; false when it does not or when that is unknown.
bool OutranksThisProcess(HWND window);

}  // namespace ks
