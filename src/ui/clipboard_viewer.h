#pragma once
// The main window's place in the clipboard-viewer chain: it joins at
// creation, hears every change, passes each on to the next viewer, and
// leaves the chain whole however the window goes.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/rules/clipboard_watcher.h"

namespace ks::ui {

class ClipboardViewer {
public:
    ClipboardViewer(WindowSystem& windows, ProcessControl& processes, Clipboard& clipboard)
        : watcher_(windows, processes, clipboard) {}
    ~ClipboardViewer() { Leave(); }
    ClipboardViewer(const ClipboardViewer&) = delete;
    ClipboardViewer& operator=(const ClipboardViewer&) = delete;

    void Join(HWND window);
    void Leave();
    // WM_DRAWCLIPBOARD: with auto copy on, the registry path now on the
    // clipboard. Raises "Cannot open clipboard" when it could not be read.
    std::optional<std::string> OnDrawClipboard(WPARAM wParam, LPARAM lParam, bool autoCopy);
    // WM_CHANGECBCHAIN.
    void OnChangeChain(WPARAM wParam, LPARAM lParam);

private:
    ClipboardWatcher watcher_;  // holds the next clipboard viewer
    HWND window_ = nullptr;     // set while in the chain
};

}  // namespace ks::ui
