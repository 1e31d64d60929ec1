#pragma once
// The notification-area icon and the moves between the three states the
// program can be in: shown, in the tray, hidden without an icon.
#include <windows.h>

#include <string>

namespace ks::ui {

// The two top-level windows the tray logic acts on, and the application
// window's extended style as it was when the main window was created.
struct TrayWindows {
    HWND application = nullptr;
    HWND main = nullptr;
    LONG savedApplicationStyle = 0;
    HICON icon = nullptr;
    std::string tip;  // TrayTip's; the program's name until it is set
};

// The icon's identifier: the same in every run, so that the shell
// remembers where the user chose to show it.
inline constexpr UINT kTrayIconId = 1;

// Adds or removes the icon. The result is not looked at: adding an icon that
// is there, or removing one that is not, changes nothing.
void SetTrayIcon(const TrayWindows& windows, bool add);
// Shows `windows.icon` in the place of the icon there.
void ReplaceTrayIcon(const TrayWindows& windows);

// SC_MINIMIZE: the program leaves the taskbar; the icon appears unless
// `lParam` is exactly 1. True when the icon was asked for.
bool MinimiseToTray(const TrayWindows& windows, LPARAM lParam);

// The icon's left click and the tray menu's "Open". True when the icon was
// taken away (the program was minimised).
bool RestoreFromTray(const TrayWindows& windows);

// WM_KEYSTRIDE_ACTIVATE: shows the window and leaves any icon in place.
void ActivateFromOutside(const TrayWindows& windows);

// The program's place in the notification area: the windows it acts on and
// whether the icon is there, so that a restarted taskbar gets it back.
class TrayPresence {
public:
    // At the main window's creation: the application window's style as it
    // is then, for the restore.
    void Attach(HWND application, HWND main) noexcept;
    // The icon to show from now on; one in the notification area already
    // is replaced (a new DPI).
    void SetIcon(HICON icon);
    // The tip from now on; an icon shown takes it at once.
    void SetTip(std::string tip);
    // The shell's message that the taskbar was made anew (0 until attached).
    UINT TaskbarCreatedMessage() const noexcept { return taskbarCreated_; }

    void Minimise(LPARAM lParam);  // SC_MINIMIZE
    void Restore();                // the icon's left click, the menu's "Open"
    void ActivateFromOutside() const { ui::ActivateFromOutside(windows_); }
    void TaskbarCreated() const;
    void RemoveIcon();             // the program ends

private:
    TrayWindows windows_;
    UINT taskbarCreated_ = 0;
    bool iconShown_ = false;
};

// Brings the application's last active pop-up to the front when it is
// visible, enabled and not the application window itself.
void BringApplicationToFront(HWND application);

}  // namespace ks::ui
