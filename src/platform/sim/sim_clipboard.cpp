#include "platform/sim/sim_clipboard.h"

#include <cstring>

#include "grammar/wide_text.h"
#include "platform/sim/sim_ansi_code_page.h"

namespace ks::sim {
namespace {

constexpr std::uint32_t kWestern = 1252;
constexpr std::uint32_t kCyrillic = 1251;

// Windows-1251 beyond ASCII, as far as the tests need it: the Russian
// alphabet (0xC0-0xFF), Ё and ё.
char16_t CyrillicUnit(unsigned char byte) {
    if (byte >= 0xC0) return static_cast<char16_t>(0x0410 + (byte - 0xC0));
    if (byte == 0xA8) return u'\u0401';
    if (byte == 0xB8) return u'\u0451';
    return byte < 0x80 ? static_cast<char16_t>(byte) : u'\uFFFD';
}

}  // namespace

bool SimClipboard::Offers(ClipboardFormat format) {
    switch (format) {
    case ClipboardFormat::UnicodeText: return text.has_value();
    case ClipboardFormat::Text: return ansiText.has_value();
    case ClipboardFormat::Locale: return locale.has_value();
    }
    return false;
}

bool SimClipboard::Open() {
    ++opens;
    if (heldByAnotherProgram) return false;
    if (heldForOpens > 0) {
        --heldForOpens;
        return false;
    }
    open_ = true;
    readThisOpening_ = false;
    return true;
}

std::optional<std::string> SimClipboard::Data(ClipboardFormat format) {
    if (!open_ || !Offers(format)) return std::nullopt;
    if (!readThisOpening_) ++reads;
    readThisOpening_ = true;
    switch (format) {
    case ClipboardFormat::UnicodeText: {
        if (unicodeRenderFails) return std::nullopt;
        const std::u16string units = ToUtf16(*text);
        std::string block(units.size() * sizeof(char16_t), '\0');
        std::memcpy(block.data(), units.data(), block.size());
        return block;
    }
    case ClipboardFormat::Text: return ansiText;
    case ClipboardFormat::Locale: {
        std::string block(4, '\0');
        for (std::size_t i = 0; i < 4; ++i)
            block[i] = static_cast<char>((*locale >> (8 * i)) & 0xFF);
        return block;
    }
    }
    return std::nullopt;
}

bool SimClipboard::ReplaceWithUnicodeText(std::u16string_view units) {
    if (!open_) return false;
    ++sequence;
    text = FromUtf16(units);
    ansiText.reset();
    locale.reset();
    return true;
}

std::uint32_t SimClipboard::AnsiCodePageOf(std::uint32_t localeId) {
    // The primary language is the identifier's low ten bits.
    switch (localeId & 0x3FF) {
    case 0x09:  // English
    case 0x07:  // German
    case 0x0C:  // French
        return kWestern;
    case 0x19:  // Russian
        return kCyrillic;
    default:
        return 0;
    }
}

std::u16string SimClipboard::Decode(std::string_view bytes, std::uint32_t codePage) {
    if (codePage == kCyrillic) {
        std::u16string units;
        for (const char c : bytes) units.push_back(CyrillicUnit(static_cast<unsigned char>(c)));
        return units;
    }
    return SimAnsiCodePage().Decode(bytes).value_or(std::u16string());
}

}  // namespace ks::sim
