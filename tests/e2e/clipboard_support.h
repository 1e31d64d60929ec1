#pragma once
// The clipboard as another program uses it: text put on it, and clipboard
// viewers of the test's own that join the chain, follow its rules and count
// what reaches them. Each viewer lives on a thread of its own with its own
// message loop, so that it answers while the test waits.
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace ks::test {

// Puts the bytes on the clipboard in the format, as the only one offered;
// true when they are there.
inline bool PutClipboardData(UINT format, const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return false;
    if (void* bytes = GlobalLock(block)) {
        std::memcpy(bytes, data, size);
        GlobalUnlock(block);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            const bool set = SetClipboardData(format, block) != nullptr;
            CloseClipboard();
            if (!set) GlobalFree(block);
            return set;
        }
        Sleep(20);
    }
    GlobalFree(block);
    return false;
}

// Puts `text` on the clipboard as CF_TEXT; true when it is there.
inline bool PutClipboardText(const std::string& text) {
    return PutClipboardData(CF_TEXT, text.c_str(), text.size() + 1);
}

// Puts `text` on the clipboard as CF_UNICODETEXT, every unit of it and a
// terminating zero; true when it is there.
inline bool PutClipboardUnicodeText(const std::wstring& text) {
    return PutClipboardData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

class ClipboardViewer {
public:
    ClipboardViewer() {
        thread_ = std::thread([this] { Run(); });
        while (!ready_) Sleep(5);
    }
    ~ClipboardViewer() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    ClipboardViewer(const ClipboardViewer&) = delete;
    ClipboardViewer& operator=(const ClipboardViewer&) = delete;

    HWND Window() const { return window_; }
    HWND Next() const { return next_; }
    int Notifications() const { return notifications_; }
    bool InChain() const { return inChain_; }
    bool Holding() const { return holding_; }

    // Leaves the chain as a well-behaved viewer does.
    void Leave() { SendMessageA(window_, kLeave, 0, 0); }

    // Opens the clipboard and keeps it open, until released or for the time
    // given: now, or when the next change reaches this viewer (before the
    // viewers ahead of it read it).
    void HoldClipboardNow(DWORD forMs = 0) { SendMessageA(window_, kHold, forMs, 0); }
    void HoldClipboardOnNextChange(DWORD forMs = 0) {
        holdFor_ = forMs;
        holdOnChange_ = true;
    }
    void ReleaseClipboard() { SendMessageA(window_, kRelease, 0, 0); }

private:
    static constexpr UINT kLeave = WM_APP + 1;
    static constexpr UINT kHold = WM_APP + 2;
    static constexpr UINT kRelease = WM_APP + 3;
    static constexpr UINT_PTR kReleaseTimer = 1;

    void Hold(HWND window, DWORD forMs) {
        holding_ = OpenClipboard(window) != FALSE;
        if (forMs) SetTimer(window, kReleaseTimer, forMs, nullptr);
    }

    void Run() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KeystrideTestViewer";
        RegisterClassA(&windowClass);  // a second viewer finds it registered
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "viewer", WS_OVERLAPPED, 0, 0,
                                  10, 10, nullptr, nullptr, windowClass.hInstance, this);
        if (window_) {
            next_ = SetClipboardViewer(window_);
            inChain_ = true;
        }
        ready_ = true;
        MSG msg;
        while (window_ && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<ClipboardViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
        case WM_DRAWCLIPBOARD:
            if (self->holdOnChange_.exchange(false)) self->Hold(window, self->holdFor_);
            ++self->notifications_;
            if (self->next_) SendMessageA(self->next_, message, wParam, lParam);
            return 0;
        case kHold:
            self->Hold(window, static_cast<DWORD>(wParam));
            return 0;
        case kRelease:
        case WM_TIMER:
            KillTimer(window, kReleaseTimer);
            if (self->holding_) CloseClipboard();
            self->holding_ = false;
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == self->next_)
                self->next_ = reinterpret_cast<HWND>(lParam);
            else if (self->next_)
                SendMessageA(self->next_, message, wParam, lParam);
            return 0;
        case kLeave:
            if (self->inChain_) ChangeClipboardChain(window, self->next_);
            self->inChain_ = false;
            return 0;
        case WM_CLOSE:
            if (self->inChain_) ChangeClipboardChain(window, self->next_);
            self->inChain_ = false;
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }

    std::thread thread_;
    std::atomic<bool> ready_{false};
    std::atomic<HWND> window_{nullptr};
    std::atomic<HWND> next_{nullptr};
    std::atomic<int> notifications_{0};
    std::atomic<bool> inChain_{false};
    std::atomic<bool> holdOnChange_{false};
    std::atomic<bool> holding_{false};
    std::atomic<DWORD> holdFor_{0};
};

}  // namespace ks::test
