#include "ui/modal_dialog.h"

#include <algorithm>

#include "ui/dialog_keyboard.h"
#include "ui/message_loop.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

RECT WorkAreaNear(const RECT& area) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor))
        return monitor.rcWork;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Where a window of `size` goes: centred on the owner when it can be seen,
// else on the screen, and moved back inside the work area so that its
// caption can always be reached.
POINT CentredPosition(HWND owner, SIZE size) {
    RECT area{};
    const bool onOwner = owner && IsWindowVisible(owner) && !IsIconic(owner) &&
                         GetWindowRect(owner, &area);
    const RECT work = WorkAreaNear(onOwner ? area : RECT{0, 0, 1, 1});
    if (!onOwner) area = work;
    POINT position{area.left + (area.right - area.left - size.cx) / 2,
                   area.top + (area.bottom - area.top - size.cy) / 2};
    position.x = std::max(work.left, std::min(position.x, work.right - size.cx));
    position.y = std::max(work.top, std::min(position.y, work.bottom - size.cy));
    return position;
}

}  // namespace

ModalDialog::~ModalDialog() { Destroy(); }

void ModalDialog::Destroy() noexcept {
    if (!window_) return;
    // The object is going: later messages must not reach it.
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
}

bool ModalDialog::Create(HWND owner, const char* className, const char* caption) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const std::wstring wideClassName = Wide(className);
    if (!RegisterWindowClass(instance, {wideClassName.c_str(), WindowProc, 0, COLOR_BTNFACE}))
        return false;

    owner_ = owner;
    // Made where the owner is, so that it starts at the owner's DPI, and
    // large enough to have a client area, from which the frame is measured.
    RECT at{};
    if (owner) GetWindowRect(owner, &at);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    return CreateWindowExW(exStyle, wideClassName.c_str(), Wide(caption).c_str(), style, at.left,
                           at.top, 320, 240, owner, nullptr, instance, this) != nullptr;
}

SIZE ModalDialog::FrameAround(SIZE clientSize) const {
    // The frame's size is what the system makes of it on this display; take
    // it from the window rather than computing it.
    RECT outer{};
    RECT inner{};
    GetWindowRect(window_, &outer);
    GetClientRect(window_, &inner);
    return {clientSize.cx + (outer.right - outer.left) - inner.right,
            clientSize.cy + (outer.bottom - outer.top) - inner.bottom};
}

void ModalDialog::Place(SIZE clientSize) {
    if (!window_) return;
    const SIZE size = FrameAround(clientSize);
    const POINT position = CentredPosition(owner_, size);
    SetWindowPos(window_, nullptr, position.x, position.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT ModalDialog::TakeMessageFont(UINT dpi) {
    Font font = CreateMessageFont(dpi);
    ApplyFont(window_, font.Get());
    font_ = std::move(font);
    return font_.Get();
}

HWND ModalDialog::AddControl(const char* className, const char* text, DWORD style, int id,
                             RECT bounds, DWORD exStyle) {
    return CreateWindowExW(exStyle, Wide(className).c_str(), Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left,
                           bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                           window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

int ModalDialog::ShowModal(const std::function<void()>& onIdle) {
    if (!window_) return 0;
    result_ = 0;
    RunModal(window_, owner_, [this] { return result_ != 0 || !window_; },
             [this, &onIdle] {
                 if (onIdle) onIdle();
                 if (window_) ShowDefaultButton(window_, GetDlgItem(window_, DefaultId()));
             });
    return result_;
}

int ModalDialog::DefaultId() const {
    // A focused push button is the one Enter presses, as in any dialog;
    // otherwise OK.
    HWND focus = GetFocus();
    if (focus && IsChild(window_, focus) && IsPushButton(focus)) return GetDlgCtrlID(focus);
    return IDOK;
}

void ModalDialog::RestoreFocus() {
    if (focus_ && IsWindow(focus_) && IsWindowEnabled(focus_) && IsWindowVisible(focus_)) {
        SetFocus(focus_);
        return;
    }
    // The first time: the first control in the tab order, its text selected
    // as a dialog does.
    FocusControl(GetNextDlgTabItem(window_, nullptr, FALSE));
}

LRESULT ModalDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) focus_ = focus;
        } else if (!HIWORD(wParam)) {
            RestoreFocus();
        }
        return 0;
    case DM_GETDEFID:
        return DefaultIdAnswer(DefaultId());
    case WM_NEXTDLGCTL:
        MoveDialogFocus(window_, wParam, lParam);
        return 0;
    case WM_CLOSE:
        EndModal(IDCANCEL);
        return 0;
    case WM_DPICHANGED: {
        // At the place the system suggests, in the frame of the new DPI,
        // then at the size the controls need there.
        if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        const SIZE size = FrameAround(LayOut(HIWORD(wParam)));
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    }
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) {
            const SIZE size = FrameAround(LayOut(DpiOf(window_)));
            SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(window_, nullptr, TRUE);
        }
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

LRESULT CALLBACK ModalDialog::WindowProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    auto* self = WindowOwner(window, message, lParam, &ModalDialog::window_);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed from outside (its owner went): the modal showing ends as
        // cancelled.
        if (self->result_ == 0) self->result_ = IDCANCEL;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // A creation that raised must fail, not leave a dialog without controls.
    return HandledGuarded(window, message == WM_CREATE ? -1 : 0,
                          [&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace ks::ui
