#include "ui/rules/tray_tip.h"

#include "texts.h"

namespace ks {

std::string TrayTip(std::string_view jumpHotkey, std::string_view showHotkey) {
    std::string tip = KS_TEXT_PRODUCT_NAME;
    // The jump is what the tray is there for; the other only when it is
    // the one there is.
    const auto line = [](std::string_view hotkey, const char* what) {
        return "\r\n" + std::string(hotkey) + ": " + what;
    };
    std::string extra;
    if (!jumpHotkey.empty())
        extra = line(jumpHotkey, KS_TEXT_TIP_JUMP);
    else if (!showHotkey.empty())
        extra = line(showHotkey, KS_TEXT_TIP_SHOW);
    if (tip.size() + extra.size() <= kMostTrayTipCharacters) tip += extra;
    return tip;
}

}  // namespace ks
