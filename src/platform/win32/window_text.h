#pragma once
// The one way the program reads a window's text: the program's own windows,
// and another program's controls (the Registry Editor's status bar).
#include <windows.h>

#include <string>

#include "platform/window_system.h"

namespace ks {

// The window's whole text through WM_GETTEXT in its W form, in the
// program's own 8-bit form. For another program's window each message waits
// at most `timeout` ms; empty when the window has no text or did not answer.
std::string WindowText(HWND window, UINT timeout = kSendTimeout);

}  // namespace ks
