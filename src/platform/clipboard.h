#pragma once
// The clipboard as the system keeps it: numbered formats put there by the
// program that copied, a number that changes with every change, and the
// opening that gives one program at a time access to the data. What text
// is read of it, and how long a held clipboard is waited for, are the
// program's own rules (ui/rules/clipboard_text.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ks {

// The formats the program reads and writes, by the system's numbers.
enum class ClipboardFormat : std::uint32_t {
    Text = 1,          // CF_TEXT: 8-bit text in the code page of the locale below
    UnicodeText = 13,  // CF_UNICODETEXT: UTF-16
    Locale = 16,       // CF_LOCALE: the locale identifier (LCID) of the 8-bit text
};

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // GetClipboardSequenceNumber: changes with every change of the
    // clipboard's contents; 0 when the system does not tell.
    virtual std::uint32_t SequenceNumber() = 0;

    // IsClipboardFormatAvailable, asked without opening the clipboard.
    virtual bool Offers(ClipboardFormat format) = 0;

    // OpenClipboard, tried once: false while another program holds it.
    // Each Open that succeeded is followed by one Close.
    virtual bool Open() = 0;
    virtual void Close() = 0;

    // GetClipboardData of the open clipboard: the whole block as the
    // program that copied wrote it (it need not end in a zero), or nothing
    // when there is no data in that format.
    virtual std::optional<std::string> Data(ClipboardFormat format) = 0;

    // EmptyClipboard and SetClipboardData(CF_UNICODETEXT) on the open
    // clipboard, the text with a terminating zero; false on failure.
    virtual bool ReplaceWithUnicodeText(std::u16string_view text) = 0;

    // The ANSI code page of a locale (LOCALE_IDEFAULTANSICODEPAGE), or 0,
    // the system's own ANSI code page, for a locale the system does not know.
    virtual std::uint32_t AnsiCodePageOf(std::uint32_t locale) = 0;

    // 8-bit text of `codePage` (0: the system's ANSI code page) as UTF-16,
    // as MultiByteToWideChar converts it.
    virtual std::u16string Decode(std::string_view bytes, std::uint32_t codePage) = 0;
};

}  // namespace ks
