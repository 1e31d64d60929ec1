#pragma once
// The application object: an invisible top-level window that owns the main
// window and stands for the program on the taskbar. Minimising and restoring
// act on it; the system hides and shows the windows it owns along with it.
#include <windows.h>

#include <string>
#include <vector>

namespace ks::ui {

class AppWindow {
public:
    explicit AppWindow(HINSTANCE instance) noexcept : instance_(instance) {}
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    // Creates the window with the application title. False when it could not.
    bool Create(const std::string& title, HICON icon);

    HWND Handle() const noexcept { return window_; }
    HINSTANCE Instance() const noexcept { return instance_; }

    // The window that activation, Close and restore are passed on to.
    void SetMainWindow(HWND main) noexcept { main_ = main; }

    // Gives the program its taskbar button without showing anything.
    void ShowTaskbarButton() const;

    void Terminate() noexcept { terminated_ = true; }
    bool Terminated() const noexcept { return terminated_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PassFocusOn() const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND main_ = nullptr;
    bool terminated_ = false;
};

// While it lives, the program's top-level windows other than the application
// window are disabled, so that a box owned by the application window is as
// modal as the program's own dialogs. Afterwards the window that was active
// gets the activation back unless another program took it meanwhile.
class TaskWindowsDisabled {
public:
    explicit TaskWindowsDisabled(HWND application);
    ~TaskWindowsDisabled();
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

private:
    HWND application_;
    HWND active_;
    std::vector<HWND> disabled_;
};

}  // namespace ks::ui
