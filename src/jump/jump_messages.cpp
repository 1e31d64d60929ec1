#include "jump/jump_messages.h"

#include "grammar/default_value.h"
#include "jump/counterparts.h"
#include "jump/editor_driver.h"
#include "platform/window_system.h"
#include "texts.h"

namespace ks {
namespace {

// The text with each "%s" replaced by the next of `parts`, in order.
std::string Filled(std::string text, std::initializer_list<std::string> parts) {
    std::size_t from = 0;
    for (const std::string& part : parts) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, part);
        from = at + part.size();
    }
    return text;
}

ResolvedJump KeyOf(const ResolvedJump& target) { return {target.rootName, target.keyPath, ""}; }

// The value as the user names it: the default value by the editor's word.
std::string ValueNameOf(const ResolvedJump& target) {
    return target.defaultValue ? std::string(kDefaultValueName) : target.valueName;
}

// The two outcomes after which Keystride as administrator could go on.
bool OffersRestart(JumpResult result) noexcept {
    return result == JumpResult::EditorRefused || result == JumpResult::OpenedElevated;
}

}  // namespace

std::string DisplayPath(const ResolvedJump& target) {
    std::string path = target.rootName;
    const std::string valueName = ValueNameOf(target);
    for (const std::string* part : {&target.keyPath, &valueName}) {
        if (part->empty()) continue;
        if (part->front() != '\\') path += '\\';
        path += *part;
    }
    return path;
}

std::string JumpOutcomeText(const JumpOutcome& outcome) {
    const ResolvedJump& target = outcome.target;
    switch (outcome.result) {
        case JumpResult::Landed:
        case JumpResult::Unverified:
            return {};
        case JumpResult::NotFound:
            if (!outcome.nearest) return KS_TEXT_NOT_FOUND;
            return KS_TEXT_NOT_FOUND "\r\n" +
                   Filled(KS_TEXT_NEAREST_KEY, {DisplayPath(*outcome.nearest)});
        case JumpResult::EditorNotStarted:
            return KS_TEXT_EDITOR_NOT_STARTED;
        case JumpResult::EditorRefused:
            return KS_TEXT_EDITOR_REFUSED "\r\n\r\n" KS_TEXT_RESTART_ELEVATED;
        case JumpResult::OpenedElevated:
            return Filled(KS_TEXT_OPENED_ELEVATED,
                          {DisplayPath(KeyOf(target)), ValueNameOf(target)}) +
                   "\r\n\r\n" KS_TEXT_RESTART_ELEVATED;
        case JumpResult::EditorNotAnswering:
            return KS_TEXT_EDITOR_NOT_ANSWERING;
        case JumpResult::NotReached:
            return Filled(KS_TEXT_EDITOR_NOT_REACHED, {DisplayPath(target)});
        case JumpResult::ValueUnreadable:
            return Filled(KS_TEXT_VALUE_UNREADABLE, {DisplayPath(KeyOf(target)), ValueNameOf(target)});
        case JumpResult::OnAnotherComputer:
            return Filled(KS_TEXT_ON_ANOTHER_COMPUTER, {outcome.text, outcome.computer});
        case JumpResult::DefaultValueNotSet:
            return Filled(KS_TEXT_DEFAULT_NOT_SET, {DisplayPath(KeyOf(target))});
    }
    return {};
}

bool ShowJumpOutcome(WindowSystem& windows, const JumpOutcome& outcome) {
    const std::string text = JumpOutcomeText(outcome);
    if (text.empty()) return false;
    if (OffersRestart(outcome.result))
        return windows.ShowMessageBox(text, KS_TEXT_PRODUCT_NAME, MessageBoxKind::WarningOffer);
    if (outcome.result == JumpResult::DefaultValueNotSet ||
        outcome.result == JumpResult::OnAnotherComputer) {
        windows.ShowMessageBox(text, KS_TEXT_PRODUCT_NAME, MessageBoxKind::Information);
        return false;
    }
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

// The places where the path exists instead, and the nearest key, as the
// not-found task dialog offers them; the one the user chose.
std::optional<ResolvedJump> ChooseOfferedPlace(WindowSystem& windows, const JumpOutcome& outcome) {
    std::vector<std::string> choices;
    for (const Counterpart& place : outcome.counterparts) choices.push_back(CounterpartLine(place));
    if (outcome.nearest)
        choices.push_back(KS_TEXT_NEAREST_CHOICE ": " + DisplayPath(*outcome.nearest));
    const std::optional<std::size_t> chosen =
        windows.ShowChoices(KS_TEXT_NOT_FOUND, KS_TEXT_PRODUCT_NAME, choices);
    if (!chosen) return std::nullopt;
    if (*chosen < outcome.counterparts.size()) return outcome.counterparts[*chosen].target;
    return outcome.nearest;
}

JumpOutcome JumpAndReport(const JumpPlatform& platform, std::string_view text) {
    JumpOutcome outcome = JumpToRegistryPath(platform, text);
    std::optional<ResolvedJump> offered;
    if (outcome.result == JumpResult::NotFound && !outcome.counterparts.empty()) {
        offered = ChooseOfferedPlace(platform.windows, outcome);
    } else if (ShowJumpOutcome(platform.windows, outcome)) {
        if (OffersRestart(outcome.result)) {
            outcome.restartElevated = true;
            return outcome;
        }
        offered = outcome.nearest;
    }
    if (!offered) return outcome;
    // The place offered was found in the registry a moment ago: it is driven
    // to as it is, and its own outcome told.
    JumpOutcome taken;
    taken.result = DriveRegistryEditor(platform, *offered);
    taken.target = std::move(*offered);
    taken.offerTaken = true;
    taken.restartElevated = ShowJumpOutcome(platform.windows, taken) && OffersRestart(taken.result);
    return taken;
}

std::string PathToJumpAgain(const JumpOutcome& outcome, std::string_view text) {
    return outcome.offerTaken ? DisplayPath(outcome.target) : std::string(text);
}

}  // namespace ks
