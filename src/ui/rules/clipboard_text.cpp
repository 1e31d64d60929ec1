#include "ui/rules/clipboard_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "grammar/wide_text.h"
#include "platform/clipboard.h"
#include "platform/process_control.h"

namespace ks {
namespace {

// A block written by another program need not hold a terminating zero: its
// text ends at the first zero unit or at the block's end.
std::u16string UnitsOfBlock(const std::string& block) {
    std::u16string units(block.size() / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), block.data(), units.size() * sizeof(char16_t));
    units.resize(std::min(units.size(), units.find(u'\0')));
    return units;
}

std::string_view BytesOfBlock(const std::string& block) {
    const std::string_view bytes(block);
    return bytes.substr(0, bytes.find('\0'));
}

// The locale identifier the 8-bit text was written in: a 32-bit number,
// least significant byte first.
std::optional<std::uint32_t> LocaleOf(const std::optional<std::string>& block) {
    if (!block || block->size() < sizeof(std::uint32_t)) return std::nullopt;
    std::uint32_t locale = 0;
    for (int i = 3; i >= 0; --i)
        locale = (locale << 8) | static_cast<unsigned char>((*block)[static_cast<std::size_t>(i)]);
    return locale;
}

}  // namespace

OpenedClipboard::OpenedClipboard(Clipboard& clipboard)
    : clipboard_(clipboard), open_(clipboard.Open()) {}

OpenedClipboard::OpenedClipboard(Clipboard& clipboard, ProcessControl& waits)
    : clipboard_(clipboard) {
    const std::uint32_t start = waits.GetTickCount();
    for (;;) {
        open_ = clipboard.Open();
        if (open_) return;
        const std::uint32_t waited = waits.GetTickCount() - start;
        if (waited >= kClipboardPatience) return;
        waits.Sleep(std::min(kClipboardRetryPause, kClipboardPatience - waited));
    }
}

OpenedClipboard::~OpenedClipboard() {
    if (open_) clipboard_.Close();
}

bool ClipboardHasText(Clipboard& clipboard) {
    return clipboard.Offers(ClipboardFormat::UnicodeText) || clipboard.Offers(ClipboardFormat::Text);
}

std::string TextOfOpenClipboard(Clipboard& clipboard) {
    // Unicode text whenever it is offered (the system makes it up from an
    // 8-bit text by the text's own locale); the 8-bit text only when there
    // is none, or its rendering failed.
    if (clipboard.Offers(ClipboardFormat::UnicodeText))
        if (const std::optional<std::string> block = clipboard.Data(ClipboardFormat::UnicodeText))
            return FromUtf16(UnitsOfBlock(*block));
    if (!clipboard.Offers(ClipboardFormat::Text)) return {};
    const std::optional<std::string> block = clipboard.Data(ClipboardFormat::Text);
    if (!block) return {};
    const std::string_view bytes = BytesOfBlock(*block);
    if (bytes.empty()) return {};
    std::uint32_t codePage = 0;
    if (clipboard.Offers(ClipboardFormat::Locale))
        if (const auto locale = LocaleOf(clipboard.Data(ClipboardFormat::Locale)))
            codePage = clipboard.AnsiCodePageOf(*locale);
    return FromUtf16(clipboard.Decode(bytes, codePage));
}

std::optional<std::string> ReadClipboardText(Clipboard& clipboard, ProcessControl& waits) {
    const OpenedClipboard opened(clipboard, waits);
    if (!opened.IsOpen()) return std::nullopt;
    return TextOfOpenClipboard(clipboard);
}

bool WriteClipboardText(Clipboard& clipboard, ProcessControl& waits, const std::string& text) {
    std::u16string units = ToUtf16(text);
    units.resize(std::min(units.size(), units.find(u'\0')));
    const OpenedClipboard opened(clipboard, waits);
    return opened.IsOpen() && clipboard.ReplaceWithUnicodeText(units);
}

}  // namespace ks
