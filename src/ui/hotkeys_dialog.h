#pragma once
// The hotkeys dialog: one hotkey control for Jump from Clipboard (501), one
// for Show Keystride (502), OK and Cancel. OK tries the hotkeys at once; one
// another program holds is named in a box and the dialog stays open, as it
// does, after a box, for keys that make no hotkey and for one hotkey given
// to both commands.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ks::ui {

// Registers the two hotkeys given as text; the ones another program holds.
using TryHotkeys = std::function<std::vector<std::string>(const std::string& jumpFromClipboard,
                                                           const std::string& showWindow)>;

// True on an OK whose hotkeys could all be registered; the texts are then
// the dialog's ("" for none; a Windows-key hotkey, which the control cannot
// show, is kept while its field is left alone). Otherwise they are left as
// they were, but the hotkeys last tried may be registered: the caller
// registers its own again.
bool RunHotkeysDialog(HWND owner, std::string& jumpFromClipboard, std::string& showWindow,
                      const TryHotkeys& tryHotkeys);

}  // namespace ks::ui
