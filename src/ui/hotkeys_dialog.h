#pragma once
// The hotkeys dialog: one hotkey control for Jump from Clipboard (501), one
// for Show Keystride (502), OK and Cancel. OK tries the hotkeys at once; one
// another program holds is named in a box and the dialog stays open.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ks::ui {

// Registers the two hotkeys given as text; the ones another program holds.
using TryHotkeys = std::function<std::vector<std::string>(const std::string& jumpFromClipboard,
                                                           const std::string& showWindow)>;

// True on an OK whose hotkeys could all be registered; the texts are then
// the dialog's ("" for none). Otherwise they are left as they were.
bool RunHotkeysDialog(HWND owner, std::string& jumpFromClipboard, std::string& showWindow,
                      const TryHotkeys& tryHotkeys);

}  // namespace ks::ui
