#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "grammar/wide_text.h"
#include "platform/win32/owned_handle.h"

namespace ks {
namespace {

// Clipboard history, remote-desktop helpers and the like hold the clipboard
// for a few milliseconds after each change: it is asked for again over this
// long before it counts as held by another program.
constexpr ULONGLONG kOpenPatienceMs = 250;
constexpr ULONGLONG kOpenRetryMs = 10;

bool OpenWithPatience(HWND owner) noexcept {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (OpenClipboard(owner)) return true;
        const ULONGLONG waited = GetTickCount64() - start;
        if (waited >= kOpenPatienceMs) return false;
        Sleep(static_cast<DWORD>(std::min(kOpenRetryMs, kOpenPatienceMs - waited)));
    }
}

// The clipboard is open for the object's life; it is a resource of the whole
// desktop, so no path may leave it open.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept : open_(OpenWithPatience(owner)) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const noexcept { return open_; }

private:
    bool open_;
};

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

// The text format to read: CF_UNICODETEXT when a program offered it. The
// system makes up each text format from another one offered, and lists the
// made-up ones after those offered; an ANSI text alone is read as ANSI, by
// the rules below rather than the system's.
UINT OfferedTextFormat() noexcept {
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        if (format == CF_UNICODETEXT || format == CF_TEXT) return format;
    return 0;
}

// A block need not hold a terminating zero: another program wrote it. Its
// text ends at the first zero unit or at the block's end.
template <typename Unit>
std::basic_string_view<Unit> TextOfBlock(const void* data, std::size_t size) {
    const auto* text = static_cast<const Unit*>(data);
    const std::basic_string_view<Unit> block(text, size / sizeof(Unit));
    return block.substr(0, block.find(Unit{}));
}

std::string FromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF));
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (units <= 0) return {};
    std::u16string wide(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                        units);
    return FromUtf16(wide);
}

}  // namespace

bool Win32Clipboard::HasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

std::optional<std::string> Win32Clipboard::ReadText() {
    OpenedClipboard clipboard(reinterpret_cast<HWND>(owner_));
    if (!clipboard.IsOpen()) return std::nullopt;
    const UINT format = OfferedTextFormat();
    if (!format) return std::string();
    HANDLE data = GetClipboardData(format);
    if (!data) return std::string();
    LockedMemory locked(data);
    if (!locked.Data()) return std::string();
    const std::size_t size = GlobalSize(data);
    if (format == CF_TEXT) return FromAnsi(TextOfBlock<char>(locked.Data(), size));
    return FromUtf16(TextOfBlock<char16_t>(locked.Data(), size));
}

bool Win32Clipboard::WriteText(const std::string& text) {
    // The text ends at its first zero unit; nothing after it could be read.
    // The system offers the ANSI form to programs that ask for it.
    std::u16string wide = ToUtf16(text);
    const std::size_t end = wide.find(u'\0');
    if (end != std::u16string::npos) wide.resize(end);
    const std::size_t bytes = (wide.size() + 1) * sizeof(char16_t);
    // Freed here unless the clipboard takes it over.
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return false;
    {
        LockedMemory locked(memory.Get());
        if (!locked.Data()) return false;
        std::memcpy(locked.Data(), wide.c_str(), bytes);
    }
    OpenedClipboard clipboard(reinterpret_cast<HWND>(owner_));
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
    static_cast<void>(memory.Release());
    return true;
}

}  // namespace ks
