#include "platform/win32/win32_ansi_code_page.h"

#include <windows.h>

#include <climits>

namespace ks {
namespace {

bool FitsInt(std::size_t size) noexcept { return size <= static_cast<std::size_t>(INT_MAX); }

}  // namespace

std::optional<std::u16string> Win32AnsiCodePage::Decode(std::string_view bytes) const {
    if (bytes.empty()) return std::u16string();
    if (!FitsInt(bytes.size())) return std::nullopt;
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    if (MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()),
                            length) != length)
        return std::nullopt;
    return text;
}

std::optional<std::string> Win32AnsiCodePage::Encode(std::u16string_view text) const {
    if (text.empty()) return std::string();
    if (!FitsInt(text.size())) return std::nullopt;
    // With UTF-8 as the ANSI code page the system refuses both the flag and
    // the default-character report; the comparison below decides alone.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const reportDefault = utf8 ? nullptr : &usedDefault;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, flags, wide, size, nullptr, 0, nullptr, reportDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide, size, bytes.data(), length, nullptr,
                            reportDefault) != length ||
        usedDefault)
        return std::nullopt;
    // Some code pages map a character to bytes that read back as another
    // one without calling it a default; only the way back tells.
    const std::optional<std::u16string> back = Decode(bytes);
    if (!back || *back != text) return std::nullopt;
    return bytes;
}

}  // namespace ks
