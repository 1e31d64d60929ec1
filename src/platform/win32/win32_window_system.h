#pragma once
#include "platform/window_system.h"

namespace ks {

class Win32WindowSystem : public WindowSystem {
public:
    // `messageBoxOwner` owns the message boxes (the application's window);
    // 0 for none.
    explicit Win32WindowSystem(Window messageBoxOwner = 0) : owner_(messageBoxOwner) {}

    Window FindTopWindow(const std::string& className) override;
    void EnumChildWindows(Window parent, const std::function<bool(Window)>& visit) override;
    std::string ClassName(Window window) override;
    SendResult PressKey(Window window, Key key, KeystrokeMarking marking,
                        std::uint32_t timeout) override;
    SendResult TypeCharacter(Window window, char16_t unit, KeystrokeMarking marking,
                             std::uint32_t timeout) override;
    void ShowWindow(Window window, ShowState state) override;
    bool IsMinimised(Window window) override;
    WindowAccess AccessTo(Window window) override;
    void SetForegroundWindow(Window window) override;
    bool ShowMessageBox(const std::string& text, const std::string& caption,
                        MessageBoxKind kind) override;
    std::optional<std::size_t> ShowChoices(const std::string& text, const std::string& caption,
                                           const std::vector<std::string>& choices) override;

    SendAnswer Send(Window window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam, std::uint32_t timeout) override;
    std::uint32_t Style(Window window) override;
    std::unique_ptr<ProcessMemory> ReserveMemoryIn(Window window, std::size_t size) override;
    bool FocusControl(Window top, Window control) override;
    bool SameName(const std::string& a, const std::string& b) override;

private:
    Window owner_;
};

}  // namespace ks
