#include "ui/system_hotkeys.h"

#include <algorithm>
#include <optional>

#include "favourites/hotkey_text.h"

namespace ks::ui {

std::vector<std::string> SystemHotkeys::Register(HWND window, const std::string& jumpFromClipboard,
                                                 const std::string& showWindow) {
    Clear();
    window_ = window;
    std::vector<std::string> taken;
    const std::pair<int, const std::string*> wanted[] = {
        {kJumpFromClipboardHotkeyId, &jumpFromClipboard}, {kShowWindowHotkeyId, &showWindow}};
    std::optional<Hotkey> first;
    for (const auto& [id, text] : wanted) {
        const std::optional<Hotkey> hotkey = ReadHotkey(*text);
        if (!hotkey) continue;
        // One hotkey starts one command, the first; a file written by hand
        // may give it to both, and no other program holds it then.
        if (hotkey == first) continue;
        if (!first) first = hotkey;
        // Held down, a hotkey repeats: one press is one command.
        if (RegisterHotKey(window, id, hotkey->modifiers | MOD_NOREPEAT, hotkey->virtualKey))
            held_.push_back(id);
        else
            taken.push_back(HotkeyText(*hotkey));
    }
    taken_ = taken;
    return taken;
}

bool SystemHotkeys::Holds(int id) const noexcept {
    return std::find(held_.begin(), held_.end(), id) != held_.end();
}

void SystemHotkeys::Clear() noexcept {
    for (const int id : held_) UnregisterHotKey(window_, id);
    held_.clear();
}

}  // namespace ks::ui
