#pragma once
// The root switcher, which puts the chosen root key in front of a typed
// path, and the clipboard recognizer, which tells whether a text mentions a
// registry root at all.
#include <array>
#include <string>
#include <string_view>

namespace ks {

// Index k is the root the radio group's item k stands for; item 0 is
// "No Action" and has no entry.
inline constexpr std::array<std::string_view, 6> RootPrefixTable{
    "", "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
    "HKEY_CURRENT_CONFIG"};

inline constexpr std::array<std::string_view, 10> ClipboardRecognizerTable{
    "HKEY_CLASSES_ROOT", "HKCR", "HKEY_CURRENT_USER", "HKCU", "HKEY_LOCAL_MACHINE",
    "HKLM",              "HKEY_USERS", "HKU",         "HKEY_CURRENT_CONFIG", "HKCC"};

// The text with a long root name at its front replaced by the one of
// `index` (1 to 5), or with that name put in front; any other index leaves
// the text as it is.
std::string ApplyRootPrefix(std::string_view text, int index);

// True when any root-name fragment occurs anywhere in the text, ignoring case.
bool IsRegistryPathText(std::string_view text);

// The text without the blanks and control characters (bytes up to 0x20) at
// either end.
std::string TrimClipboardText(std::string_view text);

}  // namespace ks
