#pragma once
// The dialog keyboard in the program's own windows, which are not of the
// system's dialog class: IsDialogMessage asks them where the focus goes
// (WM_NEXTDLGCTL) and which button Enter presses (DM_GETDEFID), and leaves
// showing the default button to them.
#include <windows.h>

namespace ks::ui {

// Whether `control` is a push button (default or not).
bool IsPushButton(HWND control) noexcept;

// Gives `control` the focus; an edit box has its whole text selected, as
// when the user tabs into it.
void FocusControl(HWND control) noexcept;

// WM_NEXTDLGCTL: wParam names the control when lParam is set, otherwise it
// says whether the focus goes to the previous tab stop or the next.
void MoveDialogFocus(HWND window, WPARAM wParam, LPARAM lParam) noexcept;

// Draws `defaultButton` (may be null) as the one default push button among
// the window's descendants.
void ShowDefaultButton(HWND window, HWND defaultButton) noexcept;

// DM_GETDEFID's answer for the button `id` (0: there is none).
inline LRESULT DefaultIdAnswer(int id) noexcept { return id ? MAKELRESULT(id, DC_HASDEFID) : 0; }

}  // namespace ks::ui
