#include "ui/rules/app_commands.h"

#include "favourites/recent_paths.h"
#include "grammar/path_notations.h"
#include "jump/editor_driver.h"
#include "jump/jump_messages.h"
#include "jump/jump_resolution.h"
#include "platform/window_system.h"
#include "texts.h"
#include "ui/rules/clipboard_text.h"
#include "ui/rules/clipboard_watcher.h"
#include "ui/rules/recent_handover.h"
#include "user_error.h"

namespace ks {

void AppCommands::JumpTo(const std::string& text) {
    window_.CloseSuggestions();
    JumpOutcome outcome;
    // The jump's boxes belong to the application window; the main window
    // takes no input while one is up.
    window_.WhileModal([&] { outcome = JumpAndReport(platform_, text); });
    // Every jump that did not land said why in a box, as did the offer of
    // the nearest key.
    if (!HasLanded(outcome.result) || outcome.nearest || outcome.offerTaken) window_.FocusKeyBox();
    if (outcome.restartElevated) window_.RestartAsAdministrator(PathToJumpAgain(outcome, text));
    if (auto landed = LandingToRemember(outcome)) recentPaths_.Remember(std::move(*landed));
}

void AppCommands::ShowInEditor(const std::string& text) {
    if (!ReadPathNotations(text).empty()) {
        JumpTo(text);
        return;
    }
    StartEditorProgram(platform_.processes, ShowState::Shown, false);
}

void AppCommands::JumpFromClipboard() {
    const ClipboardOutcome outcome = ReadClipboardForJump(clipboard_, platform_.processes);
    if (outcome.cannotOpen) throw UserError(kCannotOpenClipboard);
    if (outcome.text) {
        JumpTo(*outcome.text);
        return;
    }
    // The user chose the command: silence would look like a fault.
    window_.WhileModal([this] {
        platform_.windows.ShowMessageBox(KS_TEXT_CLIPBOARD_NO_PATH, KS_TEXT_PRODUCT_NAME,
                                         MessageBoxKind::Information);
    });
    window_.FocusKeyBox();
}

void AppCommands::CopyToClipboard(const std::string& text) {
    if (!WriteClipboardText(clipboard_, platform_.processes, text))
        throw UserError(kCannotOpenClipboard);
}

void AppCommands::CopyAs(const std::string& text, PathForm form) {
    const std::optional<ResolvedJump> path = ResolveRegistryPath(platform_.registry, text);
    if (!path) {
        JumpOutcome unread;
        unread.text = text;
        throw UserError(MissingLine(unread));
    }
    CopyToClipboard(WritePath(*path, form));
}

void AppCommands::ClearRecentPaths() {
    recentPaths_.Clear();
    window_.CloseSuggestions();
}

bool AppCommands::CanClearRecentPaths() const noexcept { return !recentPaths_.Paths().empty(); }

}  // namespace ks
