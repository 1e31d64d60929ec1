#include "favourites/favourites_controller.h"

#include "favourites/editor_favourites.h"
#include "platform/window_system.h"
#include "filled_text.h"
#include "texts.h"

namespace ks {
namespace {

// "Added 2 of the Registry Editor's favorites; 1 was already in the list."
std::string ImportReport(const FavouritesImport& imported) {
    std::string text = FilledText(KS_TEXT_IMPORT_REPORT, {std::to_string(imported.added),
                                                          std::to_string(imported.alreadyThere)});
    if (imported.unreadable > 0)
        text += ' ' + FilledText(KS_TEXT_IMPORT_UNREADABLE, {std::to_string(imported.unreadable)});
    return text;
}

}  // namespace

void FavouritesController::SelectRow(int row) {
    favourites_.Select(row);
    display_.SelectRow(favourites_.Selected());
}

std::optional<std::string> FavouritesController::SelectedKeyText() const {
    if (!CanActOnSelection()) return std::nullopt;
    return favourites_.Row(favourites_.Selected()).keyText;
}

void FavouritesController::Add(const std::function<std::string()>& keyBoxText) {
    const std::optional<FavouriteEntry> entry =
        editor_.Ask(FavouriteEditing::Add, FavouriteEntry{keyBoxText(), ""});
    // The duplicate test reads the key box as it is now, not the editor.
    if (!entry) return;
    if (!favourites_.Add(keyBoxText(), {StoredKeyText(entry->keyText), entry->comment})) return;
    display_.InsertRow(favourites_.Count() - 1, favourites_.Row(favourites_.Count() - 1));
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

void FavouritesController::UndoRemove() {
    const std::optional<int> row = favourites_.UndoRemove();
    if (!row) return;
    display_.InsertRow(*row, favourites_.Row(*row));
    display_.SelectRow(*row);
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

void FavouritesController::ImportEditorFavourites() {
    const int before = favourites_.Count();
    const FavouritesImport imported = ks::ImportEditorFavourites(registry_, favourites_);
    for (int row = before; row < favourites_.Count(); ++row)
        display_.InsertRow(row, favourites_.Row(row));
    display_.WhileModal([&] {
        boxes_.ShowMessageBox(ImportReport(imported), KS_TEXT_PRODUCT_NAME,
                              MessageBoxKind::Information);
    });
}

}  // namespace ks
