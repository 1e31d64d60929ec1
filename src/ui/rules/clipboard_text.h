#pragma once
// The clipboard's text as the program reads and writes it: the Unicode
// text whenever one is offered, the 8-bit text only when not, in the code
// page of the locale that came with it; and the opening of a clipboard
// that another program may hold for a moment.
#include <cstdint>
#include <optional>
#include <string>

namespace ks {

class Clipboard;
class ProcessControl;

// Clipboard history, remote-desktop helpers and programs that render late
// hold the clipboard for a few milliseconds after each change: a command
// asks for it again over this long before it counts as held.
inline constexpr std::uint32_t kClipboardPatience = 250;
inline constexpr std::uint32_t kClipboardRetryPause = 10;

// The clipboard open for the object's life, so that no path leaves the
// desktop's one clipboard open.
class OpenedClipboard {
public:
    // Tried once.
    explicit OpenedClipboard(Clipboard& clipboard);
    // Asked for again, every kClipboardRetryPause ms, for up to
    // kClipboardPatience ms.
    OpenedClipboard(Clipboard& clipboard, ProcessControl& waits);
    ~OpenedClipboard();
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const noexcept { return open_; }

private:
    Clipboard& clipboard_;
    bool open_ = false;
};

// A text in either format is there; asked without opening the clipboard.
bool ClipboardHasText(Clipboard& clipboard);

// The text of the open clipboard up to its first zero unit, in the
// program's 8-bit form; empty when there is none.
std::string TextOfOpenClipboard(Clipboard& clipboard);

// The clipboard's text, opened with patience; nothing when another program
// held it throughout.
std::optional<std::string> ReadClipboardText(Clipboard& clipboard, ProcessControl& waits);

// Replaces the clipboard's contents with the text (up to its first zero
// character), opened with patience; false when that failed. The system
// offers the 8-bit form to programs that ask for it.
bool WriteClipboardText(Clipboard& clipboard, ProcessControl& waits, const std::string& text);

}  // namespace ks
