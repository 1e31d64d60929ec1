#include "ui/rules/clipboard_watcher.h"

#include <algorithm>

#include "grammar/path_forms.h"
#include "grammar/path_grammar.h"
#include "grammar/path_notations.h"
#include "grammar/root_switcher.h"
#include "platform/clipboard.h"
#include "platform/process_control.h"
#include "ui/rules/clipboard_text.h"

namespace ks {

AutoCopyStep ClipboardWatcher::OnClipboardUpdate(bool autoCopyChecked) {
    if (!autoCopyChecked) return {};
    // The system may tell of one change more than once.
    const std::uint32_t sequence = clipboard_.SequenceNumber();
    if (Done(sequence) || (sequence != 0 && pending_ == sequence)) return {};
    pending_ = sequence;
    heldSince_.reset();
    return {kClipboardSettleWait, std::nullopt};
}

namespace {

// The key box holds one line: a block of lines that names a path (a
// checklist's hive, path and value lines) goes in as the path it names.
std::string OneLineForm(std::string text) {
    if (text.find_first_of("\r\n") == std::string::npos) return text;
    // The first reading that is one line itself: the others keep the break.
    for (const PathReading& path : ReadPathNotations(text))
        if (path.rest.find_first_of("\r\n") == std::string::npos)
            return WritePath({path.rootName, path.rest, path.valueName.value_or(""), path.defaultValue},
                             PathForm::LongNames);
    return text;
}

}  // namespace

AutoCopyStep ClipboardWatcher::OnReadDue(bool autoCopyChecked) {
    if (!pending_) return {};
    const std::uint32_t sequence = clipboard_.SequenceNumber();
    if (!autoCopyChecked || Done(sequence)) {
        pending_.reset();
        return {};
    }
    const auto finish = [&] {
        pending_.reset();
        heldSince_.reset();
        handled_ = sequence;
    };
    if (!ClipboardHasText(clipboard_)) {
        finish();
        return {};
    }
    std::optional<std::string> text;
    {
        const OpenedClipboard opened(clipboard_);
        if (opened.IsOpen()) text = TextOfOpenClipboard(clipboard_);
    }
    if (!text) {
        const std::uint32_t now = clock_.GetTickCount();
        if (!heldSince_) heldSince_ = now;
        const std::uint32_t waited = now - *heldSince_;
        if (waited < kAutoCopyPatience)
            return {std::min(kAutoCopyRetryPause, kAutoCopyPatience - waited), std::nullopt};
        finish();  // held throughout: this change is let go
        return {};
    }
    finish();
    std::string trimmed = TrimClipboardText(*text);
    if (!IsRegistryPathText(trimmed)) return {};
    return {std::nullopt, OneLineForm(std::move(trimmed))};
}

ClipboardOutcome ReadClipboardForJump(Clipboard& clipboard, ProcessControl& waits) {
    if (!ClipboardHasText(clipboard)) return {};
    const std::optional<std::string> text = ReadClipboardText(clipboard, waits);
    if (!text) return {true, std::nullopt};
    ClipboardOutcome outcome{false, TrimClipboardText(*text)};
    // "HK" anywhere is enough, as before; native names such as
    // \Registry\Machine\SOFTWARE have no "HK" but read as paths.
    if (!ContainsRootMarker(*outcome.text) && ReadPathNotations(*outcome.text).empty())
        outcome.text.reset();
    return outcome;
}

}  // namespace ks
