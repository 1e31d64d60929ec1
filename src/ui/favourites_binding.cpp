#include "ui/favourites_binding.h"

#include "ui/add_registry.h"
#include "ui/app_window.h"
#include "ui/suggestion_popup.h"
#include "ui/window_text.h"

namespace ks::ui {

void FavouritesBinding::OnSelectionChanged() {
    // Changes the view makes while it shows the model are the model's own.
    if (!view_.Mirroring()) commands_.RowSelected(view_.Selected());
}

std::string FavouritesBinding::KeyText() { return WindowText(parts_.keyBox); }

void FavouritesBinding::CloseSuggestions() { suggestions_.Close(); }

void FavouritesBinding::WhileModal(const std::function<void()>& boxes) {
    const TaskWindowsDisabled modal(parts_.application);
    boxes();
}

std::optional<FavouriteEntry> FavouritesBinding::Ask(FavouriteEditing purpose,
                                                     const FavouriteEntry& start) {
    FavouriteEntry entry = start;
    const FavouriteEditorPurpose shown = purpose == FavouriteEditing::Add
                                             ? FavouriteEditorPurpose::Add
                                             : FavouriteEditorPurpose::Edit;
    if (!RunFavouriteEditor(parts_.window, shown, entry.keyText, entry.comment))
        return std::nullopt;
    return entry;
}

}  // namespace ks::ui
