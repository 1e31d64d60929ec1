#pragma once
// System-wide hotkeys as the settings file writes them: modifiers joined by
// "+", then one key by its Windows key name ("Ctrl+Alt+Shift+J").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ks {

// The modifier bits of RegisterHotKey (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN).
inline constexpr std::uint32_t kModAlt = 0x1;
inline constexpr std::uint32_t kModControl = 0x2;
inline constexpr std::uint32_t kModShift = 0x4;
inline constexpr std::uint32_t kModWin = 0x8;

struct Hotkey {
    std::uint32_t modifiers = 0;
    std::uint32_t virtualKey = 0;  // a VK_ code
    bool operator==(const Hotkey&) const = default;
};

// "Ctrl", "Alt", "Shift", "Win" (any case, "Control" and "Windows" too)
// joined by "+" with blanks allowed around each part, then one key: a
// letter, a digit, F1 to F24, or a name (Space, Enter, Tab, Backspace,
// Escape, Insert, Delete, Home, End, Page Up, Page Down, Left, Up, Right,
// Down, Pause, Scroll Lock, Num 0 to Num 9). At least one modifier, and
// more than Shift alone before a key that types a character: a hotkey
// takes its keys from every program. Nothing for any other text.
std::optional<Hotkey> ReadHotkey(std::string_view text);

// The hotkey as ReadHotkey reads it, modifiers in the order Ctrl, Alt,
// Shift, Win; empty for a key without a name here.
std::string HotkeyText(const Hotkey& hotkey);

// The hotkey control's flags (HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT,
// HOTKEYF_EXT): not RegisterHotKey's modifier bits.
inline constexpr std::uint8_t kControlShift = 0x1;
inline constexpr std::uint8_t kControlCtrl = 0x2;
inline constexpr std::uint8_t kControlAlt = 0x4;
inline constexpr std::uint8_t kControlExtended = 0x8;

// The hotkey control's value (HKM_GETHOTKEY, HKM_SETHOTKEY): the key's VK
// in the low byte, the flags above in the high byte. The navigation keys
// (Insert, Delete, Home, End, Page Up, Page Down, the arrows) carry the
// extended flag, without which the control names them by their twins on
// the number pad ("Num 7" for Home). The control cannot show the Windows
// key: a hotkey with it has no value (0).
std::uint16_t HotkeyControlValue(const Hotkey& hotkey);
// 0 is none; the extended flag is no modifier and is dropped.
std::optional<Hotkey> HotkeyFromControlValue(std::uint16_t value);

// What a hotkey control holding `value` gives back at OK, as the settings
// write it: "" for none; `started` (the text it was given) while it holds
// that hotkey, or while it shows none because that hotkey has the Windows
// key and the user has not `changed` it; else the held hotkey's text.
// Nothing when the control holds keys that make no hotkey (ReadHotkey
// would not read them back: a key without a name here, no modifier, or
// Shift alone before a key that types a character).
std::optional<std::string> HotkeyTextOfControl(std::uint16_t value, std::string_view started,
                                               bool changed);

// The one box for hotkeys another program holds, naming each.
std::string HotkeysTakenText(const std::vector<std::string>& taken);

// The defaults: no Windows shortcut uses Ctrl+Alt+Shift with these letters,
// Ctrl+Alt alone is AltGr on many keyboards, and the Windows key's
// combinations are Windows' own.
inline constexpr std::string_view kDefaultJumpHotkey = "Ctrl+Alt+Shift+J";
inline constexpr std::string_view kDefaultShowHotkey = "Ctrl+Alt+Shift+K";

}  // namespace ks
