#include "platform/sim/sim_ansi_code_page.h"

#include <array>
#include <cstddef>

namespace ks::sim {
namespace {

constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

}  // namespace

std::optional<std::u16string> SimAnsiCodePage::Decode(std::string_view bytes) const {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80]
                                                   : static_cast<char16_t>(byte));
    }
    return text;
}

std::optional<std::string> SimAnsiCodePage::Encode(std::u16string_view text) const {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text) {
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            bytes.push_back(static_cast<char>(unit));
            continue;
        }
        std::size_t at = 0;
        while (at < kHighControls.size() && kHighControls[at] != unit) ++at;
        if (at == kHighControls.size()) return std::nullopt;
        bytes.push_back(static_cast<char>(0x80 + at));
    }
    return bytes;
}

}  // namespace ks::sim
