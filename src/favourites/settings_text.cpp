#include "favourites/settings_text.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "grammar/wide_text.h"
#include "platform/ansi_code_page.h"

namespace ks {
namespace {

// Every code page Windows uses as the ANSI one is ASCII below 0x80, so a
// text of ASCII alone, as most settings files are, needs no conversion.
bool IsAscii(std::string_view text) noexcept {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::optional<std::string> DecodeSettingsFile(std::string_view bytes, const AnsiCodePage& ansi) {
    if (!bytes.starts_with(kUtf16LeMark)) {
        if (IsAscii(bytes)) return std::string(bytes);
        const std::optional<std::u16string> text = ansi.Decode(bytes);
        if (!text) return std::nullopt;
        return FromUtf16(*text);
    }
    bytes.remove_prefix(kUtf16LeMark.size());
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto low = static_cast<unsigned char>(bytes[2 * i]);
        const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(low | (high << 8));
    }
    return FromUtf16(text);
}

std::string EncodeSettingsFile(std::string_view text, const AnsiCodePage& ansi) {
    if (IsAscii(text)) return std::string(text);
    const std::u16string wide = ToUtf16(text);
    // A text that begins with "\u00FF\u00FE" would read back as UTF-16.
    std::optional<std::string> bytes = ansi.Encode(wide);
    if (bytes && !bytes->starts_with(kUtf16LeMark)) return std::move(*bytes);
    std::string utf16(kUtf16LeMark);
    utf16.reserve(kUtf16LeMark.size() + 2 * wide.size());
    for (const char16_t unit : wide) {
        utf16.push_back(static_cast<char>(unit & 0xFF));
        utf16.push_back(static_cast<char>(unit >> 8));
    }
    return utf16;
}

}  // namespace ks
