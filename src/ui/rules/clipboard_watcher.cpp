#include "ui/rules/clipboard_watcher.h"

#include "grammar/path_grammar.h"
#include "grammar/path_notations.h"
#include "grammar/root_switcher.h"
#include "platform/clipboard.h"
#include "platform/process_control.h"
#include "platform/window_system.h"

namespace ks {
namespace {

// Reads and trims the clipboard text, or reports that it cannot be opened.
ClipboardOutcome ReadTrimmed(Clipboard& clipboard) {
    std::optional<std::string> text = clipboard.ReadText();
    if (!text) return {true, std::nullopt};
    return {false, TrimClipboardText(*text)};
}

}  // namespace

ClipboardOutcome ClipboardWatcher::OnDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam,
                                                   bool autoCopyChecked) {
    // With no viewer after this one and auto-copy off, nobody looks at the
    // clipboard after the wait: nothing to wait for. That is the case when
    // the window joins the chain at start-up, where the wait would hold up
    // the first showing of the window.
    if (!next_ && !autoCopyChecked) return {};
    processes_.Sleep(kClipboardSettleWait);
    if (next_) windows_.PassOnClipboardChange(next_, wParam, lParam);
    if (!autoCopyChecked || !clipboard_.HasText()) return {};
    ClipboardOutcome outcome = ReadTrimmed(clipboard_);
    if (outcome.text && !IsRegistryPathText(*outcome.text)) outcome.text.reset();
    return outcome;
}

void ClipboardWatcher::OnChangeChain(Window leaving, Window following) {
    if (leaving == next_)
        next_ = following;
    else if (next_)
        windows_.PassOnViewerLeaving(next_, leaving, following);
}

ClipboardOutcome ReadClipboardForJump(Clipboard& clipboard) {
    if (!clipboard.HasText()) return {};
    ClipboardOutcome outcome = ReadTrimmed(clipboard);
    // "HK" anywhere is enough, as before; native names such as
    // \Registry\Machine\SOFTWARE have no "HK" but read as paths.
    if (outcome.text && !ContainsRootMarker(*outcome.text) &&
        ReadPathNotations(*outcome.text).empty())
        outcome.text.reset();
    return outcome;
}

}  // namespace ks
