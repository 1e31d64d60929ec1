#pragma once
#include "platform/clipboard.h"
#include "platform/handles.h"

namespace ks {

class Win32Clipboard final : public Clipboard {
public:
    // `owner` opens the clipboard (the application's window).
    explicit Win32Clipboard(Window owner = 0) noexcept : owner_(owner) {}

    std::uint32_t SequenceNumber() override;
    bool Offers(ClipboardFormat format) override;
    bool Open() override;
    void Close() override;
    std::optional<std::string> Data(ClipboardFormat format) override;
    bool ReplaceWithUnicodeText(std::u16string_view text) override;
    std::uint32_t AnsiCodePageOf(std::uint32_t locale) override;
    std::u16string Decode(std::string_view bytes, std::uint32_t codePage) override;

private:
    Window owner_;
};

}  // namespace ks
