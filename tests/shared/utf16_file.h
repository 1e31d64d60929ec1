#pragma once
// Test files in the form Windows' Unicode profile functions write: the
// UTF-16LE byte-order mark, then the text in UTF-16LE.
#include <string>
#include <string_view>

namespace ks::test {

inline std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

}  // namespace ks::test
