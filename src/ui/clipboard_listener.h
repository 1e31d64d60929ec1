#pragma once
// The main window as a clipboard format listener: it hears of every change
// of the clipboard without holding up the program that copied, and reads
// the clipboard on a timer of its own once the change has settled.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/rules/clipboard_watcher.h"

namespace ks::ui {

class ClipboardListener {
public:
    ClipboardListener(ProcessControl& clock, Clipboard& clipboard) : watcher_(clock, clipboard) {}
    ~ClipboardListener() { Stop(); }
    ClipboardListener(const ClipboardListener&) = delete;
    ClipboardListener& operator=(const ClipboardListener&) = delete;

    // The window hears of changes from now on (the window lets the notice
    // through its message filter itself).
    void Start(HWND window);
    // No more notices, and no read still to come.
    void Stop();

    // WM_CLIPBOARDUPDATE.
    void OnClipboardUpdate(bool autoCopy);
    // WM_TIMER: whether the timer is the listener's; `keyText` is then the
    // key edit box's new text, if any.
    bool OnTimer(UINT_PTR timer, bool autoCopy, std::optional<std::string>& keyText);

private:
    void Follow(const AutoCopyStep& step);

    ClipboardWatcher watcher_;
    HWND window_ = nullptr;  // set while listening
};

}  // namespace ks::ui
