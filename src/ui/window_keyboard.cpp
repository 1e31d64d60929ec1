// The main window's keyboard: which button Enter presses, where the focus
// goes when its control stops taking it, when a box has been answered and
// when the window is activated again, and the favourites list's own keys.
#include "ui/window_keyboard.h"

#include <commctrl.h>

#include "ui/control_ids.h"
#include "ui/dialog_keyboard.h"
#include "ui/ui_kit.h"

namespace ks::ui {

int WindowKeyboard::DefaultButtonId() const {
    // The focused button or link answers Enter itself; the key box and the
    // roots around it have Jump, the list has its own Jump.
    HWND focus = GetFocus();
    if (!focus || !IsChild(window_, focus)) return 0;
    if (IsPushButton(focus) || banner_.IsLink(focus)) return GetDlgCtrlID(focus);
    if (focus == controls_[ControlRole::FavouritesList]) return IDC_JUMP_TO_FAVOURITE;
    if (IsChild(controls_[ControlRole::KeyGroup], focus)) return IDC_JUMP;
    return 0;
}

void WindowKeyboard::ShowDefaultButtonNow() {
    // Run whenever the window falls idle, which is after every keystroke:
    // the buttons are looked at only when the focus or its button moved.
    const int id = DefaultButtonId();
    const HWND focus = GetFocus();
    if (id == shownDefaultId_ && focus == shownForFocus_) return;
    shownDefaultId_ = id;
    shownForFocus_ = focus;
    HWND button = id == IDC_JUMP ? controls_[ControlRole::JumpButton] : id ? GetDlgItem(window_, id) : nullptr;
    ShowDefaultButton(window_, IsPushButton(button) ? button : nullptr);
}

HWND WindowKeyboard::FallbackFocus() const {
    return favourites_.Count() > 0 ? controls_[ControlRole::FavouritesList] : controls_[ControlRole::KeyBox];
}

void WindowKeyboard::KeepFocusUsable() {
    // A control disabled or hidden while it had the focus leaves the keyboard
    // with nowhere to go (the system takes the focus away, or leaves it on
    // a control that ignores keys).
    if (GetActiveWindow() != window_ || !IsWindowEnabled(window_)) return;
    HWND focus = GetFocus();
    if (focus && focus != window_ && !IsChild(window_, focus)) return;
    if (focus && focus != window_ && IsWindowEnabled(focus) && IsWindowVisible(focus)) return;
    FocusControl(FallbackFocus());
}

void WindowKeyboard::FocusFirst() {
    lastFocus_ = controls_[ControlRole::KeyBox];
    if (GetActiveWindow() == window_) SetFocus(controls_[ControlRole::KeyBox]);
}

void WindowKeyboard::OnActivate(WPARAM state) {
    // The focus comes back to the control that had it, as in a dialog.
    if (LOWORD(state) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        return;
    }
    if (HIWORD(state)) return;  // minimised
    if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_) &&
        IsWindowVisible(lastFocus_))
        SetFocus(lastFocus_);
    else
        SetFocus(FallbackFocus());
}

void WindowKeyboard::FocusKeyBox() {
    // After a box the user most likely corrects the path: the key box has
    // the focus and its text selected, wherever the command came from.
    if (!controls_[ControlRole::KeyBox] || !IsWindow(controls_[ControlRole::KeyBox])) return;
    lastFocus_ = controls_[ControlRole::KeyBox];
    SendMessageW(controls_[ControlRole::KeyBox], EM_SETSEL, 0, -1);
    if (GetActiveWindow() == window_) SetFocus(controls_[ControlRole::KeyBox]);
}

void WindowKeyboard::OnListKey(WORD key) {
    // Posted, so that the list has finished with the key before a command
    // changes its rows or opens the editor over it.
    const int command = ListKeyCommand(key, GetKeyState(VK_CONTROL) < 0);
    if (command) PostMessageW(window_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

int WindowKeyboard::RowUnder(HWND control, LPARAM position) const {
    HWND list = controls_[ControlRole::FavouritesList];
    if (control != list || position == -1) return -1;
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(list, &hit.pt);
    const int row =
        static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return row >= 0 && row < favourites_.Count() ? row : -1;
}

POINT WindowKeyboard::ListMenuPoint(HWND control, LPARAM position) const {
    if (position != -1)
        return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const UINT dpi = DpiOf(window_);
    HWND list = controls_[ControlRole::FavouritesList];
    RECT rect{};
    if (control == list && favourites_.HasSelection()) {
        rect.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(favourites_.Selected()),
                     reinterpret_cast<LPARAM>(&rect));
        POINT corner{rect.left + Scale(8, dpi), rect.bottom};
        ClientToScreen(list, &corner);
        return corner;
    }
    GetWindowRect(control, &rect);
    return {rect.left + Scale(8, dpi), rect.top + Scale(8, dpi)};
}

}  // namespace ks::ui
