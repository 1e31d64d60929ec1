#include "ui/window_commands.h"

#include "ui/favourite_editor.h"
#include "ui/app_window.h"
#include "ui/command_list.h"
#include "ui/control_ids.h"
#include "ui/suggestion_popup.h"
#include "ui/window_text.h"

namespace ks::ui {

void WindowCommands::Register(CommandList& commands) {
    FavouritesController& list = favourites_;
    const auto selected = [&list] { return list.CanActOnSelection(); };
    commands.Add(IDM_JUMP_FROM_CLIPBOARD, [this] { app_.JumpFromClipboard(); });
    // After the favourite editor, as after every box, the user types on.
    commands.Add(IDM_ADD_FAVOURITE, [this, &list] {
        list.Add([this] { return KeyText(); });
        FocusKeyBox();
    });
    commands.Add(IDM_IMPORT_EDITOR_FAVOURITES, [this, &list] {
        list.ImportEditorFavourites();
        FocusKeyBox();
    });
    commands.Add(IDM_JUMP_TO_FAVOURITE, [this] { JumpToFavourite(); }, selected);
    commands.Add(IDM_EDIT_FAVOURITE, [this, &list] {
        list.Edit();
        FocusKeyBox();
    }, selected);
    commands.Add(IDM_MOVE_UP, [&list] { list.MoveUp(); }, [&list] { return list.CanMoveUp(); });
    commands.Add(IDM_MOVE_DOWN, [&list] { list.MoveDown(); },
                 [&list] { return list.CanMoveDown(); });
    commands.Add(IDM_REMOVE_FAVOURITE, [&list] { list.Remove(); }, selected);
    commands.Add(IDM_UNDO_REMOVE, [&list] { list.UndoRemove(); },
                 [&list] { return list.CanUndoRemove(); });
    commands.Add(IDM_COPY_TO_CLIPBOARD, [this, &list] {
        // A copy: the rows may change while a box is up.
        if (const auto keyText = list.SelectedKeyText()) app_.CopyToClipboard(*keyText);
    }, selected);
    for (int id = IDM_COPY_AS_LONG_NAMES; id <= IDM_COPY_AS_LINK; ++id) {
        const PathForm form = *CopyAsForm(id);
        commands.Add(id, [this, form] { app_.CopyAs(CopyAsSource(), form); });
    }
    commands.Add(IDM_CLEAR_RECENT_PATHS, [this] { app_.ClearRecentPaths(); },
                 [this] { return app_.CanClearRecentPaths(); });
}

std::string WindowCommands::CopyAsSource() {
    // The key box's menu and the keys typed there copy its text; the list's
    // menu and anything else the selected favourite, or the box without one.
    if (GetFocus() == parts_.keyBox) return KeyText();
    if (auto keyText = favourites_.SelectedKeyText()) return std::move(*keyText);
    return KeyText();
}

void WindowCommands::JumpToFavourite() {
    if (const auto keyText = favourites_.SelectedKeyText()) app_.JumpTo(*keyText);
}

void WindowCommands::OnSelectionChanged() {
    // Changes the view makes while it shows the model are the model's own.
    if (!view_.Mirroring()) favourites_.RowSelected(view_.Selected());
}

std::string WindowCommands::KeyText() { return WindowText(parts_.keyBox); }

void WindowCommands::CloseSuggestions() { suggestions_.Close(); }

void WindowCommands::WhileModal(const std::function<void()>& boxes) {
    const TaskWindowsDisabled modal(parts_.application);
    boxes();
}

std::optional<FavouriteEntry> WindowCommands::Ask(FavouriteEditing purpose,
                                                  const FavouriteEntry& start) {
    FavouriteEntry entry = start;
    const FavouriteEditorPurpose shown = purpose == FavouriteEditing::Add
                                             ? FavouriteEditorPurpose::Add
                                             : FavouriteEditorPurpose::Edit;
    if (!RunFavouriteEditor(parts_.window, shown, entry.keyText, entry.comment,
                            [this](const std::string& text) { app_.ShowInEditor(text); }))
        return std::nullopt;
    return entry;
}

}  // namespace ks::ui
