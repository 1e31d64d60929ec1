#pragma once
// The root switcher, which gives a typed path the root key the user picks,
// and the clipboard recognizer, which tells whether a text names a registry
// path or root at all.
#include <array>
#include <string>
#include <string_view>

#include "grammar/path_grammar.h"

namespace ks {

// Index k is the root the radio group's item k stands for; item 0 is
// "No Action" and has no entry.
inline constexpr std::array<std::string_view, RootNameTable.size() + 1> RootPrefixTable = [] {
    std::array<std::string_view, RootNameTable.size() + 1> table{};
    for (std::size_t k = 0; k < RootNameTable.size(); ++k) table[k + 1] = RootNameTable[k].longName;
    return table;
}();

// Each long root name followed by its short one, row by row.
inline constexpr std::array<std::string_view, 2 * RootNameTable.size()> ClipboardRecognizerTable =
    [] {
        std::array<std::string_view, 2 * RootNameTable.size()> table{};
        for (std::size_t k = 0; k < RootNameTable.size(); ++k) {
            table[2 * k] = RootNameTable[k].longName;
            table[2 * k + 1] = RootNameTable[k].abbreviation;
        }
        return table;
    }();

// The text with its root replaced by the one of `index` (1 to 5), however
// the root is written (long or short, any case, any notation the path
// reader knows); the result is the chosen long name, a backslash and the
// rest of that first reading, with reg.exe's " /v NAME" kept. A text with
// no root gets the chosen one put in front of it; one that merely begins
// with a long root name (HKEY_USERS.DEFAULT) loses those letters first. Any
// other index leaves the text as it is.
std::string ApplyRootPrefix(std::string_view text, int index);

// True when any root-name fragment occurs anywhere in the text, ignoring
// case, or when the path reader reads the text as a path.
bool IsRegistryPathText(std::string_view text);

// The text without the blanks and control characters (bytes up to 0x20) at
// either end.
std::string TrimClipboardText(std::string_view text);

}  // namespace ks
