#pragma once
// Auto-copy: the main window hears of every change of the clipboard
// (a notice nobody waits on) and, with "Enable auto copy from clipboard"
// checked, offers a registry path copied in any program to the key edit
// box. The notice only schedules the read, a short settle time later, and
// each change is read once. A clipboard another program holds is asked for
// again for a while and then left alone: auto-copy is a convenience, never
// a box. Also the text that "Jump from Clipboard" jumps to.
#include <cstdint>
#include <optional>
#include <string>

namespace ks {

class Clipboard;
class ProcessControl;

// The time the copying program may need to finish (delayed rendering,
// several formats put one after the other) before the clipboard is read.
inline constexpr std::uint32_t kClipboardSettleWait = 100;
// How much longer a held clipboard is asked for during auto-copy, and how
// often.
inline constexpr std::uint32_t kAutoCopyPatience = 250;
inline constexpr std::uint32_t kAutoCopyRetryPause = 25;
inline constexpr const char* kCannotOpenClipboard = "Cannot open clipboard";

// What an explicit clipboard command is to do.
struct ClipboardOutcome {
    bool cannotOpen = false;            // report "Cannot open clipboard"
    std::optional<std::string> text;    // the text to jump to
};

// The text "Jump from Clipboard" jumps to: the clipboard's text, trimmed,
// when it names a root or reads as a path; nothing otherwise. A clipboard
// held longer than the command's patience is reported.
[[nodiscard]] ClipboardOutcome ReadClipboardForJump(Clipboard& clipboard, ProcessControl& waits);

// What the window is to do after a notice or a due read.
struct AutoCopyStep {
    // Set the one-shot read timer to this many milliseconds (replacing one
    // that is set); nothing: leave the timer as it is.
    std::optional<std::uint32_t> readIn;
    // The key edit box's new text.
    std::optional<std::string> keyText;
};

class ClipboardWatcher {
public:
    ClipboardWatcher(ProcessControl& clock, Clipboard& clipboard)
        : clock_(clock), clipboard_(clipboard) {}

    // WM_CLIPBOARDUPDATE: the read is scheduled, unless auto-copy is off or
    // this change was read already. A change that follows one not yet read
    // puts the read off again: the clipboard is read once it has settled.
    [[nodiscard]] AutoCopyStep OnClipboardUpdate(bool autoCopyChecked);

    // The read timer came due: the trimmed text when it names a registry
    // root or reads as a path in any notation; a retry when the clipboard is
    // held and the patience lasts; else the change is skipped silently.
    [[nodiscard]] AutoCopyStep OnReadDue(bool autoCopyChecked);

private:
    // The change with this sequence number has been read or skipped.
    bool Done(std::uint32_t sequence) const noexcept {
        return sequence != 0 && handled_ && *handled_ == sequence;
    }

    ProcessControl& clock_;
    Clipboard& clipboard_;
    std::optional<std::uint32_t> handled_;
    std::optional<std::uint32_t> pending_;   // the change a read is scheduled for
    std::optional<std::uint32_t> heldSince_; // the first failed open of this read
};

}  // namespace ks
