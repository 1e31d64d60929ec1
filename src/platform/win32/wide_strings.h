#pragma once
// The program's text and the system's wide text (UTF-16 in wchar_t), for
// every W call of the Win32 code.
#include <string>
#include <string_view>

#include "grammar/wide_text.h"

namespace ks {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide text is UTF-16");

inline std::wstring Wide(std::string_view text) {
    const std::u16string units = ToUtf16(text);
    return std::wstring(reinterpret_cast<const wchar_t*>(units.data()), units.size());
}

inline std::string Narrow(std::wstring_view text) {
    return FromUtf16(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

}  // namespace ks
