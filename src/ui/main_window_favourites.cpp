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
    actions_.Add(IDM_AJUMPFROMLIST, "&Jump", [&commands] { commands.JumpFromList(); }, selected);
    actions_.Add(IDM_AMOVEUP, "&Up", [&commands] { commands.MoveUp(); },
                 [&commands] { return commands.CanMoveUp(); });
    actions_.Add(IDM_AMOVEDOWN, "&Down", [&commands] { commands.MoveDown(); },
                 [&commands] { return commands.CanMoveDown(); });
    actions_.Add(IDM_AREMOVE, "&Remove", [&commands] { commands.Remove(); }, selected);
    actions_.Add(IDM_AADDLIST, "&Add to List", [&commands] { commands.Add(); });
    actions_.Add(IDM_AJUMPFROMCLIPBOARD, "Jump from &Clipboard",
                 [&commands] { commands.JumpFromClipboard(); });
    actions_.Add(IDM_ACOPYTOCLIPBOARD, "C&opy to Clipboard",
                 [&commands] { commands.CopyToClipboard(); }, selected);
    actions_.Add(IDM_AEDIT, "&Edit", [&commands] { commands.Edit(); }, selected);
    actions_.Add(IDM_AIMPORTEDITORFAVOURITES, "&Import Registry Editor Favorites",
                 [&commands] { commands.ImportEditorFavourites(); });
    actions_.Add(IDM_ACLEARRECENT, "Clear Recent &Paths",
                 [&commands] { commands.ClearRecentPaths(); },
                 [&commands] { return commands.CanClearRecentPaths(); });

    actions_.BindButton(IDM_AADDLIST, controls_.bAddtoList);
    actions_.BindButton(IDM_AJUMPFROMLIST, controls_.bJumpFromList);
    actions_.BindButton(IDM_AEDIT, controls_.bEdit);
    actions_.BindButton(IDM_AMOVEUP, controls_.bUp);
    actions_.BindButton(IDM_AMOVEDOWN, controls_.bDown);
    actions_.BindButton(IDM_AREMOVE, controls_.bRemove);
    actions_.Update();
}

}  // namespace ks::ui
