#pragma once
// Windows-1252 as Windows converts it: 0x80-0x9F hold the typographic
// characters, and the five bytes the code page leaves undefined become the
// control characters of the same number (0x81 is U+0081).
#include "platform/ansi_code_page.h"

namespace ks::sim {

class SimAnsiCodePage final : public AnsiCodePage {
public:
    std::optional<std::u16string> Decode(std::string_view bytes) const override;
    std::optional<std::string> Encode(std::u16string_view text) const override;
};

}  // namespace ks::sim
