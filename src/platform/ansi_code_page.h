#pragma once
// The system's ANSI code page: the one 8-bit form of text that settings
// files have always been written in.
#include <optional>
#include <string>
#include <string_view>

namespace ks {

class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;

    // The bytes as UTF-16, as the system reads them (a byte the code page
    // does not define becomes whatever character the system makes of it),
    // or nothing when the system cannot convert them at all.
    virtual std::optional<std::u16string> Decode(std::string_view bytes) const = 0;

    // The text in the code page, or nothing when any character of it would
    // not come back unchanged from Decode.
    virtual std::optional<std::string> Encode(std::u16string_view text) const = 0;
};

}  // namespace ks
