#include "jump/jump_messages.h"

#include "platform/window_system.h"
#include "texts.h"

namespace ks {
namespace {

// The path as the user would type it: root, key path, then value name.
std::string DisplayPath(const ResolvedJump& target) {
    std::string path = target.rootName;
    for (const std::string* part : {&target.keyPath, &target.valueName}) {
        if (part->empty()) continue;
        if (part->front() != '\\') path += '\\';
        path += *part;
    }
    return path;
}

std::string WithPath(std::string text, const ResolvedJump& target) {
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, DisplayPath(target));
    return text;
}

}  // namespace

std::string JumpOutcomeText(const JumpOutcome& outcome) {
    switch (outcome.result) {
        case JumpResult::Landed:
        case JumpResult::Corrected:
        case JumpResult::Unverified:
            return {};
        case JumpResult::NotFound:
            return KS_TEXT_NOT_FOUND;
        case JumpResult::EditorNotStarted:
            return KS_TEXT_EDITOR_NOT_STARTED;
        case JumpResult::EditorRefused:
            return KS_TEXT_EDITOR_REFUSED;
        case JumpResult::EditorNotAnswering:
            return KS_TEXT_EDITOR_NOT_ANSWERING;
        case JumpResult::NotReached:
            return WithPath(KS_TEXT_EDITOR_NOT_REACHED, outcome.target);
    }
    return {};
}

void ShowJumpOutcome(WindowSystem& windows, const JumpOutcome& outcome) {
    const std::string text = JumpOutcomeText(outcome);
    if (text.empty()) return;
    const unsigned flags =
        outcome.result == JumpResult::NotFound ? kNotFoundBoxFlags : kJumpWarningBoxFlags;
    windows.ShowMessageBox(text, KS_TEXT_PRODUCT_NAME, flags);
}

}  // namespace ks
