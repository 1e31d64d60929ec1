#pragma once
// The program's text is 8-bit: UTF-8, extended so that a lone surrogate of
// UTF-16 has a form too (as the system's own names may hold one). Every
// system boundary speaks UTF-16; these two conversions are lossless for any
// UTF-16 text: FromUtf16 then ToUtf16 gives back the same units.
//
// In this form a backslash byte is the character U+005C and nothing else,
// and the ASCII letters are themselves, so the path rules keep working on
// bytes.
#include <string>
#include <string_view>

namespace ks {

std::string FromUtf16(std::u16string_view text);

// Bytes that are no part of a well-formed sequence each become U+FFFD.
std::u16string ToUtf16(std::string_view text);

}  // namespace ks
