#pragma once
// The main window's part in the clipboard-viewer chain: every change is
// passed on to the next viewer (after a short wait), and registry paths are
// offered to the key edit box when auto-copy is on. Also the text that
// "Jump from Clipboard" jumps to.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/handles.h"

namespace ks {

class WindowSystem;
class ProcessControl;
class Clipboard;

inline constexpr std::uint32_t kClipboardSettleWait = 100;
inline constexpr const char* kCannotOpenClipboard = "Cannot open clipboard";

// What a clipboard handler asks of the window.
struct ClipboardOutcome {
    bool cannotOpen = false;            // report "Cannot open clipboard"
    std::optional<std::string> text;    // the key edit text / the text to jump to
};

// The text "Jump from Clipboard" jumps to: the clipboard's text, trimmed,
// when it names a root or reads as a path; nothing otherwise.
[[nodiscard]] ClipboardOutcome ReadClipboardForJump(Clipboard& clipboard);

class ClipboardWatcher {
public:
    ClipboardWatcher(WindowSystem& windows, ProcessControl& processes, Clipboard& clipboard)
        : windows_(windows), processes_(processes), clipboard_(clipboard) {}

    Window NextViewer() const noexcept { return next_; }
    void SetNextViewer(Window next) noexcept { next_ = next; }

    // WM_DRAWCLIPBOARD: waits, passes the notification on, and with auto-copy
    // checked returns the trimmed text when it names a registry root or
    // reads as a path in any notation. With
    // no next viewer and auto-copy off it does nothing, not even wait.
    [[nodiscard]] ClipboardOutcome OnDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam,
                                                   bool autoCopyChecked);

    // WM_CHANGECBCHAIN: a viewer leaves; keep the chain linked.
    void OnChangeChain(Window leaving, Window following);

private:
    WindowSystem& windows_;
    ProcessControl& processes_;
    Clipboard& clipboard_;
    Window next_ = 0;
};

}  // namespace ks
