#include "favourites/favourites_controller.h"

#include "favourites/editor_favourites.h"
#include "favourites/recent_paths.h"
#include "jump/jump_messages.h"
#include "platform/clipboard.h"
#include "platform/window_system.h"
#include "texts.h"
#include "user_error.h"
#include "ui/rules/clipboard_text.h"
#include "ui/rules/clipboard_watcher.h"

namespace ks {
namespace {

// "Added 2 of the Registry Editor's favourites; 1 was already in the list."
std::string ImportReport(const FavouritesImport& imported) {
    std::string text = KS_TEXT_IMPORT_REPORT;
    for (const int count : {imported.added, imported.alreadyThere}) {
        const std::size_t at = text.find("%d");
        if (at != std::string::npos) text.replace(at, 2, std::to_string(count));
    }
    if (imported.unreadable > 0) {
        std::string unreadable = KS_TEXT_IMPORT_UNREADABLE;
        unreadable.replace(unreadable.find("%d"), 2, std::to_string(imported.unreadable));
        text += ' ' + unreadable;
    }
    return text;
}

}  // namespace

void FavouritesController::Add() {
    const std::optional<FavouriteEntry> entry =
        editor_.Ask(FavouriteEditing::Add, FavouriteEntry{display_.KeyText(), ""});
    // The duplicate test reads the key box as it is now, not the editor.
    if (!entry) return;
    if (!favourites_.Add(display_.KeyText(), {StoredKeyText(entry->keyText), entry->comment}))
        return;
    display_.AppendRow(favourites_.Row(favourites_.Count() - 1));
    display_.SelectRow(favourites_.Selected());
}

void FavouritesController::Edit() {
    if (!CanActOnSelection()) return;
    const int row = favourites_.Selected();
    const std::optional<FavouriteEntry> entry =
        editor_.Ask(FavouriteEditing::Edit, favourites_.Row(row));
    // The window took no input while the editor was up, but another
    // program may have moved the selection: the row opened is the row changed.
    if (!entry || row >= favourites_.Count()) return;
    favourites_.Select(row);
    favourites_.EditSelected({StoredKeyText(entry->keyText), entry->comment});
    display_.ShowRow(row, favourites_.Row(row));
    display_.SelectRow(row);
}

void FavouritesController::Remove() {
    if (!CanActOnSelection()) return;
    const int row = favourites_.Selected();
    favourites_.RemoveSelected();
    display_.RemoveRow(row);
    display_.SelectRow(favourites_.Selected());
}

void FavouritesController::MoveUp() {
    if (!CanMoveUp()) return;
    favourites_.MoveSelectedUp();
    ShowMove(favourites_.Selected());
}

void FavouritesController::MoveDown() {
    if (!CanMoveDown()) return;
    favourites_.MoveSelectedDown();
    ShowMove(favourites_.Selected() - 1);
}

void FavouritesController::ShowMove(int upper) {
    display_.ShowRow(upper, favourites_.Row(upper));
    display_.ShowRow(upper + 1, favourites_.Row(upper + 1));
    display_.SelectRow(favourites_.Selected());
}

void FavouritesController::JumpFromList() {
    if (!CanActOnSelection()) return;
    // A copy: the rows may change while the jump's boxes are up.
    const std::string keyText = favourites_.Row(favourites_.Selected()).keyText;
    JumpTo(keyText);
}

void FavouritesController::CopyToClipboard() {
    if (!CanActOnSelection()) return;
    if (!WriteClipboardText(clipboard_, platform_.processes,
                            favourites_.Row(favourites_.Selected()).keyText))
        throw UserError(kCannotOpenClipboard);
}

void FavouritesController::JumpFromClipboard() {
    const ClipboardOutcome outcome = ReadClipboardForJump(clipboard_, platform_.processes);
    if (outcome.cannotOpen) throw UserError(kCannotOpenClipboard);
    if (outcome.text) JumpTo(*outcome.text);
}

void FavouritesController::ImportEditorFavourites() {
    const int before = favourites_.Count();
    const FavouritesImport imported = ks::ImportEditorFavourites(platform_.registry, favourites_);
    for (int row = before; row < favourites_.Count(); ++row)
        display_.AppendRow(favourites_.Row(row));
    display_.WhileModal([&] {
        platform_.windows.ShowMessageBox(ImportReport(imported), KS_TEXT_PRODUCT_NAME,
                                         MessageBoxKind::Information);
    });
    display_.FocusKeyBox();
}

bool FavouritesController::CanClearRecentPaths() const noexcept {
    return !recentPaths_.Paths().empty();
}

void FavouritesController::ClearRecentPaths() {
    recentPaths_.Clear();
    display_.CloseSuggestions();
}

void FavouritesController::JumpTo(const std::string& text) {
    display_.CloseSuggestions();
    JumpOutcome outcome;
    // The jump's boxes belong to the application window; the main window
    // takes no input while one is up.
    display_.WhileModal([&] { outcome = JumpAndReport(platform_, text); });
    // Every jump that did not land said why in a box, as did the offer of
    // the nearest key.
    if (!HasLanded(outcome.result) || outcome.nearest || outcome.offerTaken)
        display_.FocusKeyBox();
    if (outcome.restartElevated) display_.RestartAsAdministrator(PathToJumpAgain(outcome, text));
    if (!HasLanded(outcome.result)) return;
    // "HKCU\Software\" and "HKCU\Software" are one key, remembered once.
    const bool value = !outcome.target.valueName.empty() || outcome.target.defaultValue;
    std::string landed = DisplayPath(outcome.target);
    if (!value)
        while (landed.size() > 1 && landed.back() == '\\') landed.pop_back();
    recentPaths_.Remember({std::move(landed), value});
}

}  // namespace ks
