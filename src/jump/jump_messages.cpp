#include "jump/jump_messages.h"

#include "grammar/default_value.h"
#include "jump/counterparts.h"
#include "jump/editor_driver.h"
#include "jump/landing_check.h"
#include "platform/window_system.h"
#include "filled_text.h"
#include "texts.h"

namespace ks {
namespace {

ResolvedJump KeyOf(const ResolvedJump& target) { return {target.rootName, target.keyPath, ""}; }

// The value as the user names it: the default value by the editor's word.
std::string ValueNameOf(const ResolvedJump& target) {
    return target.defaultValue ? std::string(kDefaultValueName) : target.valueName;
}

// The two outcomes after which Keystride as administrator could go on.
bool OffersRestart(JumpResult result) noexcept {
    return result == JumpResult::EditorRefused || result == JumpResult::OpenedElevated;
}

bool IsBlankText(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > 0x20) return false;
    return true;
}

// The first component of `path` below `existing`, which it begins with.
std::string FirstMissingComponent(const std::string& path, const std::string& existing) {
    std::vector<std::string> wanted = TreeComponents({"", path, ""});
    const std::size_t have = TreeComponents({"", existing, ""}).size();
    return have < wanted.size() ? wanted[have] : std::string();
}

}  // namespace

std::string MissingLine(const JumpOutcome& outcome) {
    if (IsBlankText(outcome.text)) return KS_TEXT_BOX_EMPTY;
    if (outcome.target.rootName.empty()) return KS_TEXT_NOT_A_PATH;
    if (!outcome.nearest) return {};
    const ResolvedJump& wanted = outcome.target;
    const std::string subkey = FirstMissingComponent(wanted.keyPath, outcome.nearest->keyPath);
    // The last component of a path read as a whole could be either.
    const bool last = TreeComponents(wanted).size() == TreeComponents(*outcome.nearest).size() + 1;
    if (!subkey.empty())
        return FilledText(last && wanted.valueName.empty() ? KS_TEXT_NO_SUBKEY_OR_VALUE
                                                       : KS_TEXT_NO_SUBKEY,
                      {DisplayPath(*outcome.nearest), subkey});
    if (!wanted.valueName.empty())
        return FilledText(KS_TEXT_NO_VALUE, {DisplayPath(KeyOf(wanted)), wanted.valueName});
    return {};
}

std::string NotFoundText(const JumpOutcome& outcome) {
    const std::string missing = MissingLine(outcome);
    return missing.empty() ? std::string(KS_TEXT_NOT_FOUND) : KS_TEXT_NOT_FOUND "\r\n" + missing;
}

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
        case JumpResult::EditorStartDeclined:  // the user's own choice
            return {};
        case JumpResult::NotFound:
            if (!outcome.nearest) return NotFoundText(outcome);
            return NotFoundText(outcome) + "\r\n" +
                   FilledText(KS_TEXT_NEAREST_KEY, {DisplayPath(*outcome.nearest)});
        case JumpResult::EditorNotStarted:
            return KS_TEXT_EDITOR_NOT_STARTED;
        case JumpResult::EditorRefused:
            return KS_TEXT_EDITOR_REFUSED "\r\n\r\n" KS_TEXT_RESTART_ELEVATED;
        case JumpResult::OpenedElevated:
            return FilledText(KS_TEXT_OPENED_ELEVATED,
                          {DisplayPath(KeyOf(target)), ValueNameOf(target)}) +
                   "\r\n\r\n" KS_TEXT_RESTART_ELEVATED;
        case JumpResult::EditorNotAnswering:
            return KS_TEXT_EDITOR_NOT_ANSWERING;
        case JumpResult::NotReached:
            return FilledText(KS_TEXT_EDITOR_NOT_REACHED, {DisplayPath(target)});
        case JumpResult::ValueUnreadable:
            return FilledText(KS_TEXT_VALUE_UNREADABLE, {DisplayPath(KeyOf(target)), ValueNameOf(target)});
        case JumpResult::OnAnotherComputer:
            return FilledText(KS_TEXT_ON_ANOTHER_COMPUTER, {outcome.text, outcome.computer});
        case JumpResult::DefaultValueNotSet:
            return FilledText(KS_TEXT_DEFAULT_NOT_SET, {DisplayPath(KeyOf(target))});
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
        windows.ShowChoices(NotFoundText(outcome), KS_TEXT_PRODUCT_NAME, choices);
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
