#include "ui/dialog_keyboard.h"

namespace ks::ui {
namespace {

struct DefaultSearch {
    HWND defaultButton;
};

BOOL CALLBACK MarkDefault(HWND child, LPARAM data) {
    if (!IsPushButton(child)) return TRUE;
    const HWND wanted = reinterpret_cast<const DefaultSearch*>(data)->defaultButton;
    const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
    const LONG style = child == wanted ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (type != style) SendMessageW(child, BM_SETSTYLE, static_cast<WPARAM>(style), TRUE);
    return TRUE;
}

}  // namespace

bool IsPushButton(HWND control) noexcept {
    if (!control) return false;
    const LRESULT code = SendMessageW(control, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void FocusControl(HWND control) noexcept {
    if (!control) return;
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(control, EM_SETSEL, 0, -1);
    SetFocus(control);
}

void MoveDialogFocus(HWND window, WPARAM wParam, LPARAM lParam) noexcept {
    HWND next = reinterpret_cast<HWND>(wParam);
    if (!LOWORD(lParam)) {
        HWND focus = GetFocus();
        next = GetNextDlgTabItem(window, focus && IsChild(window, focus) ? focus : nullptr,
                                 wParam != 0);
    }
    if (next && IsChild(window, next)) FocusControl(next);
}

void ShowDefaultButton(HWND window, HWND defaultButton) noexcept {
    DefaultSearch search{defaultButton};
    EnumChildWindows(window, MarkDefault, reinterpret_cast<LPARAM>(&search));
}

}  // namespace ks::ui
