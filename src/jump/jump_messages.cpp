#include "jump/jump_messages.h"

#include "jump/editor_driver.h"
#include "platform/window_system.h"
#include "texts.h"

namespace ks {
namespace {

std::string WithPath(std::string text, const ResolvedJump& target) {
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, DisplayPath(target));
    return text;
}

}  // namespace

std::string DisplayPath(const ResolvedJump& target) {
    std::string path = target.rootName;
    for (const std::string* part : {&target.keyPath, &target.valueName}) {
        if (part->empty()) continue;
        if (part->front() != '\\') path += '\\';
        path += *part;
    }
    return path;
}

std::string JumpOutcomeText(const JumpOutcome& outcome) {
    switch (outcome.result) {
        case JumpResult::Landed:
        case JumpResult::Corrected:
        case JumpResult::Unverified:
            return {};
        case JumpResult::NotFound:
            if (!outcome.nearest) return KS_TEXT_NOT_FOUND;
            return KS_TEXT_NOT_FOUND "\r\n" + WithPath(KS_TEXT_NEAREST_KEY, *outcome.nearest);
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

bool ShowJumpOutcome(WindowSystem& windows, const JumpOutcome& outcome) {
    const std::string text = JumpOutcomeText(outcome);
    if (text.empty()) return false;
    if (outcome.result != JumpResult::NotFound) {
        windows.ShowMessageBox(text, KS_TEXT_PRODUCT_NAME, MessageBoxKind::Warning);
        return false;
    }
    if (!outcome.nearest) {
        windows.ShowMessageBox(text, KS_TEXT_PRODUCT_NAME, MessageBoxKind::Information);
        return false;
    }
    return windows.ShowMessageBox(text, KS_TEXT_PRODUCT_NAME, MessageBoxKind::Offer);
}

JumpOutcome JumpAndReport(const JumpPlatform& platform, std::string_view text) {
    const JumpOutcome outcome = JumpToRegistryPath(platform, text);
    if (!ShowJumpOutcome(platform.windows, outcome)) return outcome;
    // The nearest key was found in the registry a moment ago: it is driven
    // to as it is, and its own outcome told.
    JumpOutcome nearer{DriveRegistryEditor({platform.windows, platform.processes}, *outcome.nearest),
                       *outcome.nearest, std::nullopt, true};
    ShowJumpOutcome(platform.windows, nearer);
    return nearer;
}

}  // namespace ks
