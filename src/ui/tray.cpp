#include "ui/tray.h"

#include <shellapi.h>

#include <cstring>

#include "texts.h"
#include "ui/control_ids.h"

namespace ks::ui {
namespace {

// The record's first layout: the 64-character tip and nothing after it.
constexpr DWORD kTrayRecordSize = NOTIFYICONDATAA_V1_SIZE;
static_assert(kTrayRecordSize == (sizeof(void*) == 8 ? 104 : 88),
              "the first layout: 88 bytes with 4-byte handles, 104 with 8-byte ones");

// The program's name, as the notification area names every program, and
// what TrayTip adds; cut to the record's field.
void CopyTip(const TrayWindows& windows, NOTIFYICONDATAA& data) {
    const std::string tip = windows.tip.empty() ? KS_TEXT_PRODUCT_NAME : windows.tip;
    std::strncpy(data.szTip, tip.c_str(), sizeof data.szTip - 1);
}

void RestoreApplicationWindow(HWND application) {
    DefWindowProcW(application, WM_SYSCOMMAND, SC_RESTORE, 0);
}

}  // namespace

void ReplaceTrayIcon(const TrayWindows& windows) {
    NOTIFYICONDATAA data{};
    data.cbSize = kTrayRecordSize;
    data.hWnd = windows.main;
    data.uID = kTrayIconId;
    data.uFlags = NIF_ICON;
    data.hIcon = windows.icon;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void SetTrayIcon(const TrayWindows& windows, bool add) {
    NOTIFYICONDATAA data{};
    data.cbSize = kTrayRecordSize;
    data.hWnd = windows.main;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_KEYSTRIDE_TRAYICON;
    data.hIcon = windows.icon;
    CopyTip(windows, data);
    Shell_NotifyIconA(add ? NIM_ADD : NIM_DELETE, &data);
}

bool MinimiseToTray(const TrayWindows& windows, LPARAM lParam) {
    HWND application = windows.application;
    SetWindowLongW(application, GWL_EXSTYLE, windows.savedApplicationStyle | WS_EX_TOOLWINDOW);

    // Minimise towards the notification area, where there is one.
    if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr)) {
        if (HWND area = FindWindowExA(taskbar, nullptr, "TrayNotifyWnd", nullptr)) {
            RECT rect{};
            GetWindowRect(area, &rect);
            WINDOWPLACEMENT placement{};
            placement.length = sizeof placement;
            GetWindowPlacement(application, &placement);
            placement.flags = WPF_SETMINPOSITION;
            placement.ptMinPosition = {rect.left, rect.top};
            SetWindowPlacement(application, &placement);
        }
    }

    if (IsWindowVisible(windows.main) && IsWindowEnabled(windows.main)) {
        RECT bounds{};
        GetWindowRect(windows.main, &bounds);
        SetWindowPos(application, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, 0,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    DefWindowProcW(application, WM_SYSCOMMAND, SC_MINIMIZE, 0);

    SetWindowLongW(application, GWL_EXSTYLE, windows.savedApplicationStyle);
    ShowWindow(windows.main, SW_HIDE);
    ShowWindow(application, SW_HIDE);
    if (lParam == 1) return false;
    SetTrayIcon(windows, true);
    return true;
}

void BringApplicationToFront(HWND application) {
    HWND popup = GetLastActivePopup(application);
    if (popup && popup != application && IsWindowVisible(popup) && IsWindowEnabled(popup))
        SetForegroundWindow(popup);
}

bool RestoreFromTray(const TrayWindows& windows) {
    ShowWindow(windows.main, SW_SHOW);
    const bool minimised = IsIconic(windows.application) != FALSE;
    if (minimised) {
        RestoreApplicationWindow(windows.application);
        SetTrayIcon(windows, false);
    }
    BringApplicationToFront(windows.application);
    SetWindowLongW(windows.application, GWL_EXSTYLE, windows.savedApplicationStyle);
    SetForegroundWindow(windows.application);
    return minimised;
}

void ActivateFromOutside(const TrayWindows& windows) {
    ShowWindow(windows.main, SW_SHOW);
    if (IsIconic(windows.application)) RestoreApplicationWindow(windows.application);
    BringApplicationToFront(windows.application);
}

void TrayPresence::Attach(HWND application, HWND main) noexcept {
    windows_.application = application;
    windows_.main = main;
    windows_.savedApplicationStyle = GetWindowLongW(application, GWL_EXSTYLE);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

void TrayPresence::SetIcon(HICON icon) {
    windows_.icon = icon;
    if (iconShown_) ReplaceTrayIcon(windows_);
}

void TrayPresence::Minimise(LPARAM lParam) {
    if (MinimiseToTray(windows_, lParam)) iconShown_ = true;
}

void TrayPresence::Restore() {
    if (RestoreFromTray(windows_)) iconShown_ = false;
}

void TrayPresence::SetTip(std::string tip) {
    windows_.tip = std::move(tip);
    if (!iconShown_) return;
    NOTIFYICONDATAA data{};
    data.cbSize = kTrayRecordSize;
    data.hWnd = windows_.main;
    data.uID = kTrayIconId;
    data.uFlags = NIF_TIP;
    CopyTip(windows_, data);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TrayPresence::TaskbarCreated() const {
    // Explorer restarted: an icon it had is gone with it. A program sitting
    // in the tray would otherwise be out of the user's reach.
    if (iconShown_) SetTrayIcon(windows_, true);
}

void TrayPresence::RemoveIcon() {
    SetTrayIcon(windows_, false);
    iconShown_ = false;
}

}  // namespace ks::ui
