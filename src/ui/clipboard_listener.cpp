#include "ui/clipboard_listener.h"

namespace ks::ui {
namespace {

constexpr UINT_PTR kReadTimer = 0x4B43;  // "KC"

}  // namespace

void ClipboardListener::Start(HWND window) {
    if (!window_ && AddClipboardFormatListener(window)) window_ = window;
}

void ClipboardListener::Stop() {
    if (!window_) return;
    KillTimer(window_, kReadTimer);
    RemoveClipboardFormatListener(window_);
    window_ = nullptr;
}

void ClipboardListener::OnClipboardUpdate(bool autoCopy) {
    if (window_) Follow(watcher_.OnClipboardUpdate(autoCopy));
}

bool ClipboardListener::OnTimer(UINT_PTR timer, bool autoCopy,
                                std::optional<std::string>& keyText) {
    if (timer != kReadTimer) return false;
    if (!window_) return true;
    // One-shot: a retry sets it again.
    KillTimer(window_, kReadTimer);
    const AutoCopyStep step = watcher_.OnReadDue(autoCopy);
    Follow(step);
    keyText = step.keyText;
    return true;
}

void ClipboardListener::Follow(const AutoCopyStep& step) {
    if (step.readIn) SetTimer(window_, kReadTimer, *step.readIn, nullptr);
}

}  // namespace ks::ui
