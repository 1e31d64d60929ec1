#include "platform/win32/win32_clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

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

class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory) noexcept
        : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~LockedMemory() {
        if (data_) GlobalUnlock(memory_);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;
    void* Data() const noexcept { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

// Global memory that is freed unless the clipboard took it over.
class OwnedGlobal {
public:
    explicit OwnedGlobal(std::size_t size) noexcept : memory_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~OwnedGlobal() {
        if (memory_) GlobalFree(memory_);
    }
    OwnedGlobal(const OwnedGlobal&) = delete;
    OwnedGlobal& operator=(const OwnedGlobal&) = delete;
    HGLOBAL Get() const noexcept { return memory_; }
    void Release() noexcept { memory_ = nullptr; }

private:
    HGLOBAL memory_;
};

}  // namespace

bool Win32Clipboard::HasText() { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }

std::optional<std::string> Win32Clipboard::ReadText() {
    OpenedClipboard clipboard(reinterpret_cast<HWND>(owner_));
    if (!clipboard.IsOpen()) return std::nullopt;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::string();
    LockedMemory locked(data);
    if (!locked.Data()) return std::string();
    // The block need not hold a zero byte: another program wrote it.
    const auto* text = static_cast<const char*>(locked.Data());
    const std::size_t size = GlobalSize(data);
    const void* end = std::memchr(text, '\0', size);
    return std::string(text, end ? static_cast<const char*>(end) - text : size);
}

bool Win32Clipboard::WriteText(const std::string& text) {
    // CF_TEXT ends at the first zero byte; nothing after it could be read.
    const std::size_t length = std::strlen(text.c_str());
    OwnedGlobal memory(length + 1);
    if (!memory.Get()) return false;
    {
        LockedMemory locked(memory.Get());
        if (!locked.Data()) return false;
        std::memcpy(locked.Data(), text.c_str(), length + 1);
    }
    OpenedClipboard clipboard(reinterpret_cast<HWND>(owner_));
    if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_TEXT, memory.Get())) return false;
    memory.Release();
    return true;
}

}  // namespace ks
