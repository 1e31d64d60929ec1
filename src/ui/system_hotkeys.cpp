#include "ui/system_hotkeys.h"

#include "favourites/hotkey_text.h"

namespace ks::ui {

std::vector<std::string> SystemHotkeys::Register(HWND window, const std::string& jumpFromClipboard,
                                                 const std::string& showWindow) {
    Clear();
    window_ = window;
    std::vector<std::string> taken;
    const std::pair<int, const std::string*> wanted[] = {
        {kJumpFromClipboardHotkeyId, &jumpFromClipboard}, {kShowWindowHotkeyId, &showWindow}};
    for (const auto& [id, text] : wanted) {
        const std::optional<Hotkey> hotkey = ReadHotkey(*text);
        if (!hotkey) continue;
        // Held down, a hotkey repeats: one press is one command.
        if (RegisterHotKey(window, id, hotkey->modifiers | MOD_NOREPEAT, hotkey->virtualKey))
            held_.push_back(id);
        else
            taken.push_back(HotkeyText(*hotkey));
    }
    taken_ = taken;
    return taken;
}

void SystemHotkeys::Clear() noexcept {
    for (const int id : held_) UnregisterHotKey(window_, id);
    held_.clear();
}

}  // namespace ks::ui
