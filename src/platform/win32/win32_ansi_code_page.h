#pragma once
#include "platform/ansi_code_page.h"

namespace ks {

class Win32AnsiCodePage final : public AnsiCodePage {
public:
    std::optional<std::u16string> Decode(std::string_view bytes) const override;
    std::optional<std::string> Encode(std::u16string_view text) const override;
};

}  // namespace ks
