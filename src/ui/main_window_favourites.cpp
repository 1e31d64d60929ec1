// The favourites list's actions: each runs a command of the favourites
// controller, whose enable rule decides; the list view mirrors the model.
#include "ui/app_window.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"

namespace ks::ui {

void MainWindow::BuildActions() {
    favouritesBinding_.emplace(
        favourites_, settings_.values.recentPaths, JumpPlatform{registry_, windowSystem_, processes_},
        clipboard_, favouritesView_, suggestions_,
        FavouritesWindowParts{window_, app_.Handle(), controls_.eRegKey,
                              [this] { keyboard_.FocusKeyBox(); },
                              [this](const std::string& path) { RestartAsAdministrator(path); }});
    FavouritesController& commands = FavouriteCommands();
    const auto selected = [&commands] { return commands.CanActOnSelection(); };
    actions_.Add(IDM_JUMP_TO_FAVOURITE, "&Jump", [&commands] { commands.JumpFromList(); }, selected);
    actions_.Add(IDM_MOVE_UP, "&Up", [&commands] { commands.MoveUp(); },
                 [&commands] { return commands.CanMoveUp(); });
    actions_.Add(IDM_MOVE_DOWN, "&Down", [&commands] { commands.MoveDown(); },
                 [&commands] { return commands.CanMoveDown(); });
    actions_.Add(IDM_REMOVE_FAVOURITE, "&Remove", [&commands] { commands.Remove(); }, selected);
    actions_.Add(IDM_ADD_FAVOURITE, "&Add to List", [&commands] { commands.Add(); });
    actions_.Add(IDM_JUMP_FROM_CLIPBOARD, "Jump from &Clipboard",
                 [&commands] { commands.JumpFromClipboard(); });
    actions_.Add(IDM_COPY_TO_CLIPBOARD, "C&opy to Clipboard",
                 [&commands] { commands.CopyToClipboard(); }, selected);
    actions_.Add(IDM_EDIT_FAVOURITE, "&Edit", [&commands] { commands.Edit(); }, selected);
    actions_.Add(IDM_IMPORT_EDITOR_FAVOURITES, "&Import Registry Editor Favorites",
                 [&commands] { commands.ImportEditorFavourites(); });
    actions_.Add(IDM_CLEAR_RECENT_PATHS, "Clear Recent &Paths",
                 [&commands] { commands.ClearRecentPaths(); },
                 [&commands] { return commands.CanClearRecentPaths(); });

    actions_.BindButton(IDM_ADD_FAVOURITE, controls_.bAddtoList);
    actions_.BindButton(IDM_JUMP_TO_FAVOURITE, controls_.bJumpFromList);
    actions_.BindButton(IDM_EDIT_FAVOURITE, controls_.bEdit);
    actions_.BindButton(IDM_MOVE_UP, controls_.bUp);
    actions_.BindButton(IDM_MOVE_DOWN, controls_.bDown);
    actions_.BindButton(IDM_REMOVE_FAVOURITE, controls_.bRemove);
    actions_.Update();
}

}  // namespace ks::ui
