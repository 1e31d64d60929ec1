#include "ui/app_window.h"

#include <utility>

#include "ui/message_loop.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

constexpr wchar_t kClassName[] = L"Keystride Application";
// Posted to itself: the focus moves on once the activation has settled.
constexpr UINT kWmPassFocusOn = WM_APP + 1;

bool CanTakeActivation(HWND window) {
    return window && IsWindowVisible(window) && IsWindowEnabled(window);
}

BOOL CALLBACK DisableTaskWindow(HWND window, LPARAM data) {
    auto& self = *reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(data);
    if (window != self.first && CanTakeActivation(window)) {
        EnableWindow(window, FALSE);
        self.second->push_back(window);
    }
    return TRUE;
}

}  // namespace

AppWindow::~AppWindow() {
    if (window_) DestroyWindow(window_);
}

bool AppWindow::Create(const std::string& title, HICON icon) {
    if (!RegisterWindowClass(instance_, {kClassName, WindowProc, 0, -1, icon}))
        return false;
    // A captioned pop-up of no size in the middle of the screen: it has a
    // taskbar button and a system menu, and nothing of it is ever seen.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_ = CreateWindowExW(0, kClassName, Wide(title).c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              x, y, 0, 0, nullptr, nullptr, instance_, this);
    return window_ != nullptr;
}

void AppWindow::ShowTaskbarButton() const {
    if (window_ && !IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWNOACTIVATE);
}

LRESULT CALLBACK AppWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner(window, message, lParam, &AppWindow::window_);
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return HandledGuarded(window, 0, [&] { return self->HandleMessage(message, wParam, lParam); });
}

LRESULT AppWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // The taskbar button's Close closes the program the main window's way.
        if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_RESTORE && IsIconic(window_)) {
            const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
            ShowOwnedPopups(window_, TRUE);
            PostMessageW(window_, kWmPassFocusOn, 0, 0);
            return result;
        }
        break;
    case WM_SETFOCUS:
        PostMessageW(window_, kWmPassFocusOn, 0, 0);
        return 0;
    case kWmPassFocusOn:
        PassFocusOn();
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void AppWindow::PassFocusOn() const {
    // The application window has nothing to type into: the focus belongs to
    // the window the user last worked in (the main window or its dialog).
    if (IsIconic(window_) || GetFocus() != window_) return;
    HWND popup = GetLastActivePopup(window_);
    if (popup == window_ || !CanTakeActivation(popup)) popup = main_;
    if (popup != window_ && CanTakeActivation(popup)) SetActiveWindow(popup);
}

TaskWindowsDisabled::TaskWindowsDisabled(HWND application)
    : application_(application), active_(GetActiveWindow()) {
    std::pair<HWND, std::vector<HWND>*> data{application, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableTaskWindow, reinterpret_cast<LPARAM>(&data));
}

TaskWindowsDisabled::~TaskWindowsDisabled() {
    for (HWND window : disabled_)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    // A box owned by the application window hands the activation back to
    // it when it closes; the user's window is the one to get it.
    if (active_ && active_ != application_ && IsWindow(active_) &&
        GetActiveWindow() == application_)
        SetActiveWindow(active_);
}

}  // namespace ks::ui
