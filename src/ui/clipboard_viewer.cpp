#include "ui/clipboard_viewer.h"

#include "ui/message_loop.h"

namespace ks::ui {

void ClipboardViewer::Join(HWND window) {
    window_ = window;
    watcher_.SetNextViewer(reinterpret_cast<Window>(SetClipboardViewer(window)));
}

void ClipboardViewer::Leave() {
    if (!window_) return;
    const HWND window = window_;
    window_ = nullptr;
    const auto next = reinterpret_cast<HWND>(watcher_.NextViewer());
    ChangeClipboardChain(window, next);
    if (next)
        SendMessageW(next, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(window),
                     reinterpret_cast<LPARAM>(next));
}

std::optional<std::string> ClipboardViewer::OnDrawClipboard(WPARAM wParam, LPARAM lParam,
                                                            bool autoCopy) {
    const ClipboardOutcome outcome = watcher_.OnDrawClipboard(wParam, lParam, autoCopy);
    if (outcome.cannotOpen) throw UserError(kCannotOpenClipboard);
    return outcome.text;
}

void ClipboardViewer::OnChangeChain(WPARAM wParam, LPARAM lParam) {
    watcher_.OnChangeChain(static_cast<Window>(wParam), static_cast<Window>(lParam));
}

}  // namespace ks::ui
