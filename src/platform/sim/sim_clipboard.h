#pragma once
// A clipboard for the native tests, holding exactly the formats the
// copying program offered (the formats the system makes up from others are
// not modelled), with a sequence number that each copy moves on, and
// switches for a clipboard another program holds open.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace ks::sim {

class SimClipboard final : public Clipboard {
public:
    // CF_UNICODETEXT, in the program's 8-bit form; nothing: not offered.
    std::optional<std::string> text;
    // CF_TEXT, as bytes of the code page; and CF_LOCALE with it.
    std::optional<std::string> ansiText;
    std::optional<std::uint32_t> locale;
    // The Unicode text is offered but its rendering fails (GetClipboardData
    // gives no data), as a program that renders late may do.
    bool unicodeRenderFails = false;

    std::uint32_t sequence = 1;
    // Another program holds the clipboard throughout, or for the next so
    // many attempts to open it.
    bool heldByAnotherProgram = false;
    int heldForOpens = 0;

    int opens = 0;  // attempts to open
    int reads = 0;  // openings that read data

    // Another program copies: the Unicode text only, or the 8-bit text and
    // its locale only.
    void Copy(std::string unicode) {
        ++sequence;
        text = std::move(unicode);
        ansiText.reset();
        locale.reset();
    }
    void CopyAnsi(std::string bytes, std::optional<std::uint32_t> textLocale) {
        ++sequence;
        text.reset();
        ansiText = std::move(bytes);
        locale = textLocale;
    }

    std::uint32_t SequenceNumber() override { return sequence; }
    bool Offers(ClipboardFormat format) override;
    bool Open() override;
    void Close() override { open_ = false; }
    std::optional<std::string> Data(ClipboardFormat format) override;
    bool ReplaceWithUnicodeText(std::u16string_view units) override;
    // Windows-1252 (code page 0 and 1252) and Windows-1251, the code pages of
    // the English and the Russian locales.
    std::uint32_t AnsiCodePageOf(std::uint32_t localeId) override;
    std::u16string Decode(std::string_view bytes, std::uint32_t codePage) override;

    bool IsOpen() const noexcept { return open_; }

private:
    bool open_ = false;
    bool readThisOpening_ = false;
};

}  // namespace ks::sim
