#pragma once
// The main window's two system-wide hotkeys (RegisterHotKey), held for the
// object's life.
#include <windows.h>

#include <string>
#include <vector>

namespace ks::ui {

// The WM_HOTKEY identifiers.
inline constexpr int kJumpFromClipboardHotkeyId = 1;
inline constexpr int kShowWindowHotkeyId = 2;

class SystemHotkeys {
public:
    SystemHotkeys() = default;
    ~SystemHotkeys() { Clear(); }
    SystemHotkeys(const SystemHotkeys&) = delete;
    SystemHotkeys& operator=(const SystemHotkeys&) = delete;

    // Gives up the hotkeys held and registers these for `window` (texts as
    // the settings write them; empty or unreadable: none). The ones another
    // program holds, in their written form.
    std::vector<std::string> Register(HWND window, const std::string& jumpFromClipboard,
                                      const std::string& showWindow);
    void Clear() noexcept;
    bool Holds(int id) const noexcept;
    // Those another program held at the last Register.
    const std::vector<std::string>& Taken() const noexcept { return taken_; }

private:
    HWND window_ = nullptr;
    std::vector<int> held_;
    std::vector<std::string> taken_;
};

}  // namespace ks::ui
