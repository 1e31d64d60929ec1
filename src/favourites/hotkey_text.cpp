#include "favourites/hotkey_text.h"

#include <array>
#include <vector>

#include "filled_text.h"
#include "texts.h"

#include "grammar/ascii.h"

namespace ks {
namespace {

struct KeyName {
    std::string_view name;
    std::uint32_t virtualKey;
};

constexpr std::array<KeyName, 17> kNamedKeys{{
    {"Space", 0x20},     {"Enter", 0x0D},    {"Tab", 0x09},       {"Backspace", 0x08},
    {"Escape", 0x1B},    {"Insert", 0x2D},   {"Delete", 0x2E},    {"Home", 0x24},
    {"End", 0x23},       {"Page Up", 0x21},  {"Page Down", 0x22}, {"Left", 0x25},
    {"Up", 0x26},        {"Right", 0x27},    {"Down", 0x28},      {"Pause", 0x13},
    {"Scroll Lock", 0x91},
}};

struct ModifierName {
    std::string_view name;
    std::uint32_t bit;
};

constexpr std::array<ModifierName, 6> kModifiers{{
    {"Ctrl", kModControl}, {"Control", kModControl}, {"Alt", kModAlt},
    {"Shift", kModShift},  {"Win", kModWin},         {"Windows", kModWin},
}};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Letters and blanks as written, the blanks of "Page Up" optional.
bool SameName(std::string_view written, std::string_view name) {
    std::string a, b;
    for (char c : written)
        if (c != ' ') a += UpperAscii(c);
    for (char c : name)
        if (c != ' ') b += UpperAscii(c);
    return a == b;
}

std::optional<std::uint32_t> KeyOf(std::string_view name) {
    if (name.size() == 1) {
        const char c = UpperAscii(name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<std::uint32_t>(c);
        return std::nullopt;
    }
    if (UpperAscii(name[0]) == 'F' && name.size() <= 3) {
        int number = 0;
        for (char c : name.substr(1)) {
            if (c < '0' || c > '9') return std::nullopt;
            number = number * 10 + (c - '0');
        }
        if (number >= 1 && number <= 24 && name[1] != '0')
            return static_cast<std::uint32_t>(0x70 + number - 1);
        return std::nullopt;
    }
    if (name.size() == 5 && SameName(name.substr(0, 4), "Num ") && name[4] >= '0' && name[4] <= '9')
        return static_cast<std::uint32_t>(0x60 + (name[4] - '0'));
    if (SameName(name, "Esc")) return 0x1B;
    for (const KeyName& key : kNamedKeys)
        if (SameName(name, key.name)) return key.virtualKey;
    return std::nullopt;
}

// Insert, Delete, Home, End, Page Up, Page Down and the arrows: the keys
// of the navigation block, whose scan codes are the number pad's with the
// extended-key flag.
bool IsNavigationKey(std::uint32_t virtualKey) {
    return (virtualKey >= 0x21 && virtualKey <= 0x28) || virtualKey == 0x2D || virtualKey == 0x2E;
}

// Keys that type a character: with Shift alone they would be lost to typing.
bool TypesACharacter(std::uint32_t virtualKey) {
    return virtualKey == 0x20 || (virtualKey >= '0' && virtualKey <= '9') ||
           (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= 0x60 && virtualKey <= 0x69);
}

}  // namespace

std::optional<Hotkey> ReadHotkey(std::string_view text) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t plus = text.find('+');
        parts.push_back(Trim(text.substr(0, plus)));
        if (plus == std::string_view::npos) break;
        text.remove_prefix(plus + 1);
    }
    Hotkey hotkey;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        std::uint32_t bit = 0;
        for (const ModifierName& modifier : kModifiers)
            if (EqualsIgnoringAsciiCase(parts[i], modifier.name)) bit = modifier.bit;
        if (!bit || (hotkey.modifiers & bit)) return std::nullopt;
        hotkey.modifiers |= bit;
    }
    if (parts.back().empty()) return std::nullopt;
    const std::optional<std::uint32_t> key = KeyOf(parts.back());
    if (!key || hotkey.modifiers == 0) return std::nullopt;
    if (hotkey.modifiers == kModShift && TypesACharacter(*key)) return std::nullopt;
    hotkey.virtualKey = *key;
    return hotkey;
}

std::string HotkeyText(const Hotkey& hotkey) {
    std::string key;
    const std::uint32_t vk = hotkey.virtualKey;
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        key = std::string(1, static_cast<char>(vk));
    else if (vk >= 0x70 && vk <= 0x87)
        key = "F" + std::to_string(vk - 0x70 + 1);
    else if (vk >= 0x60 && vk <= 0x69)
        key = "Num " + std::to_string(vk - 0x60);
    else
        for (const KeyName& named : kNamedKeys)
            if (named.virtualKey == vk) key = named.name;
    if (key.empty()) return {};
    std::string text;
    for (const auto& [bit, name] : {std::pair{kModControl, "Ctrl"}, std::pair{kModAlt, "Alt"},
                                    std::pair{kModShift, "Shift"}, std::pair{kModWin, "Win"}})
        if (hotkey.modifiers & bit) text += std::string(name) + "+";
    return text + key;
}

std::uint16_t HotkeyControlValue(const Hotkey& hotkey) {
    if ((hotkey.modifiers & kModWin) || hotkey.virtualKey == 0 || hotkey.virtualKey > 0xFF) return 0;
    unsigned flags = 0;
    if (hotkey.modifiers & kModShift) flags |= kControlShift;
    if (hotkey.modifiers & kModControl) flags |= kControlCtrl;
    if (hotkey.modifiers & kModAlt) flags |= kControlAlt;
    if (IsNavigationKey(hotkey.virtualKey)) flags |= kControlExtended;
    return static_cast<std::uint16_t>((flags << 8) | hotkey.virtualKey);
}

std::optional<Hotkey> HotkeyFromControlValue(std::uint16_t value) {
    const std::uint32_t key = value & 0xFF;
    const std::uint32_t flags = value >> 8;
    if (key == 0) return std::nullopt;
    Hotkey hotkey{0, key};
    if (flags & kControlShift) hotkey.modifiers |= kModShift;
    if (flags & kControlCtrl) hotkey.modifiers |= kModControl;
    if (flags & kControlAlt) hotkey.modifiers |= kModAlt;
    return hotkey;
}

std::optional<std::string> HotkeyTextOfControl(std::uint16_t value, std::string_view started,
                                               bool changed) {
    const std::optional<Hotkey> held = HotkeyFromControlValue(value);
    const std::optional<Hotkey> before = ReadHotkey(started);
    if (!held) {
        const bool unshowable = before && HotkeyControlValue(*before) == 0;
        return unshowable && !changed ? std::string(started) : std::string();
    }
    if (before == held) return std::string(started);
    std::string text = HotkeyText(*held);
    if (ReadHotkey(text) != held) return std::nullopt;
    return text;
}

std::string HotkeysTakenText(const std::vector<std::string>& taken) {
    if (taken.empty()) return {};
    if (taken.size() == 1) return FilledText(KS_TEXT_HOTKEY_TAKEN_ONE, {taken[0]});
    std::string names = taken[0];
    for (std::size_t i = 1; i < taken.size(); ++i)
        names += (i + 1 == taken.size() ? " and " : ", ") + taken[i];
    return FilledText(KS_TEXT_HOTKEY_TAKEN_MORE, {names});
}

}  // namespace ks
