#pragma once
// The key box's context menu: the edit box's own commands, then Copy As.
// The edit commands are carried out here; a Copy As choice comes back for
// the window's command list.
#include <windows.h>

namespace ks::ui {

// At `position` (screen coordinates; -1 from the keyboard: under the box).
// The Copy As command chosen, 0 for none or an edit command.
int ShowKeyBoxMenu(HWND keyBox, HWND owner, LPARAM position);

}  // namespace ks::ui
