#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/owned_handle.h"

namespace ks {
namespace {

// Global memory locked for the object's life: its data, or null when it
// could not be locked.
class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory) noexcept
        : data_(memory ? GlobalLock(memory) : nullptr), lock_(data_ ? memory : nullptr) {}
    void* Data() const noexcept { return data_; }

private:
    void* data_;
    GlobalMemoryLock lock_;
};

UINT FormatNumber(ClipboardFormat format) noexcept { return static_cast<UINT>(format); }

}  // namespace

std::uint32_t Win32Clipboard::SequenceNumber() { return GetClipboardSequenceNumber(); }

bool Win32Clipboard::Offers(ClipboardFormat format) {
    return IsClipboardFormatAvailable(FormatNumber(format)) != FALSE;
}

bool Win32Clipboard::Open() { return OpenClipboard(reinterpret_cast<HWND>(owner_)) != FALSE; }

void Win32Clipboard::Close() { CloseClipboard(); }

std::optional<std::string> Win32Clipboard::Data(ClipboardFormat format) {
    HANDLE data = GetClipboardData(FormatNumber(format));
    if (!data) return std::nullopt;
    LockedMemory locked(data);
    if (!locked.Data()) return std::nullopt;
    return std::string(static_cast<const char*>(locked.Data()), GlobalSize(data));
}

bool Win32Clipboard::ReplaceWithUnicodeText(std::u16string_view text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    // Freed here unless the clipboard takes it over.
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    {
        LockedMemory locked(memory.Get());
        if (!locked.Data()) return false;
        std::memcpy(locked.Data(), text.data(), text.size() * sizeof(char16_t));
        std::memset(static_cast<char*>(locked.Data()) + bytes - sizeof(char16_t), 0,
                    sizeof(char16_t));
    }
    if (!EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
    static_cast<void>(memory.Release());
    return true;
}

std::uint32_t Win32Clipboard::AnsiCodePageOf(std::uint32_t locale) {
    DWORD codePage = 0;
    if (!GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(wchar_t)))
        return CP_ACP;
    return codePage;
}

std::u16string Win32Clipboard::Decode(std::string_view bytes, std::uint32_t codePage) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(std::min<std::size_t>(bytes.size(), 0x7FFFFFFF));
    int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0 && codePage != CP_ACP) {
        // A code page the system cannot convert (a locale without one, such
        // as the Unicode-only ones, names 0 or an unknown page).
        codePage = CP_ACP;
        units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    }
    if (units <= 0) return {};
    std::u16string wide(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                        units);
    return wide;
}

}  // namespace ks
