// The favourites list's actions and the jumps: the model decides, the list
// view shows the result at once.
#include "favourites/editor_favourites.h"
#include "jump/jump_messages.h"
#include "jump/jump_resolution.h"
#include "ui/add_registry.h"
#include "ui/app_window.h"
#include "ui/control_ids.h"
#include "ui/main_window.h"
#include "ui/message_loop.h"
#include "texts.h"

namespace ks::ui {
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

void MainWindow::BuildActions() {
    const auto selected = [this] { return aJumpFromListUpdate(); };
    actions_.Add(IDM_AJUMPFROMLIST, "&Jump", [this] { aJumpFromListExecute(); }, selected);
    actions_.Add(IDM_AMOVEUP, "&Up", [this] { aMoveUpExecute(); },
                 [this] { return aMoveUpUpdate(); });
    actions_.Add(IDM_AMOVEDOWN, "&Down", [this] { aMoveDownExecute(); },
                 [this] { return aMoveDownUpdate(); });
    actions_.Add(IDM_AREMOVE, "&Remove", [this] { aRemoveExecute(); }, selected);
    actions_.Add(IDM_AADDLIST, "&Add to List", [this] { aAddListExecute(); },
                 [this] { return aAddListUpdate(); });
    actions_.Add(IDM_AJUMPFROMCLIPBOARD, "Jump from &Clipboard",
                 [this] { aJumpFromClipboardExecute(); });
    actions_.Add(IDM_ACOPYTOCLIPBOARD, "C&opy to Clipboard", [this] { aCopyToClipboardExecute(); },
                 selected);
    actions_.Add(IDM_AEDIT, "&Edit", [this] { aEditExecute(); }, selected);
    actions_.Add(IDM_AIMPORTEDITORFAVOURITES, "&Import Registry Editor Favorites",
                 [this] { aImportEditorFavouritesExecute(); });
    actions_.Add(IDM_ACLEARRECENT, "Clear Recent &Paths", [this] { aClearRecentExecute(); },
                 [this] { return !settings_.recentPaths.Paths().empty(); });

    actions_.BindButton(IDM_AADDLIST, bAddtoList_);
    actions_.BindButton(IDM_AJUMPFROMLIST, bJumpFromList_);
    actions_.BindButton(IDM_AEDIT, bEdit_);
    actions_.BindButton(IDM_AMOVEUP, bUp_);
    actions_.BindButton(IDM_AMOVEDOWN, bDown_);
    actions_.BindButton(IDM_AREMOVE, bRemove_);
    actions_.Update();
}

void MainWindow::ListView1SelectionChanged() {
    // Changes the view makes while it shows the model are the model's own.
    if (favouritesView_.Mirroring()) return;
    favourites_.Select(favouritesView_.Selected());
}

void MainWindow::ListView1DblClick() {
    if (favourites_.HasSelection()) aJumpFromListExecute();
}

void MainWindow::aAddListExecute() {
    std::string keyText = EditText();
    std::string comment;
    if (!RunFavouriteEditor(window_, FavouriteEditorPurpose::Add, keyText, comment)) return;
    // The duplicate test reads the edit box as it is now, not the dialog.
    if (!favourites_.Add(EditText(), FavouriteEntry{std::move(keyText), std::move(comment)}))
        return;
    favouritesView_.Append(favourites_.Row(favourites_.Count() - 1));
    favouritesView_.Select(favourites_.Selected());
}

void MainWindow::aImportEditorFavouritesExecute() {
    const int before = favourites_.Count();
    const FavouritesImport imported = ImportEditorFavourites(registry_, favourites_);
    for (int row = before; row < favourites_.Count(); ++row)
        favouritesView_.Append(favourites_.Row(row));
    {
        const TaskWindowsDisabled modal(app_.Handle());
        windowSystem_.ShowMessageBox(ImportReport(imported), KS_TEXT_PRODUCT_NAME,
                                     MessageBoxKind::Information);
    }
    FocusKeyBox();
}

void MainWindow::aEditExecute() {
    if (!favourites_.HasSelection()) return;
    const int row = favourites_.Selected();
    std::string keyText = favourites_.Row(row).keyText;
    std::string comment = favourites_.Row(row).comment;
    if (!RunFavouriteEditor(window_, FavouriteEditorPurpose::Edit, keyText, comment)) return;
    // The window took no input while the editor was up, but another
    // program may have moved the selection: the row opened is the row changed.
    if (row >= favourites_.Count()) return;
    favourites_.Select(row);
    favourites_.EditSelected(FavouriteEntry{std::move(keyText), std::move(comment)});
    favouritesView_.ShowRow(row, favourites_.Row(row));
    favouritesView_.Select(row);
}

void MainWindow::aRemoveExecute() {
    const int row = favourites_.Selected();
    favourites_.RemoveSelected();
    favouritesView_.Remove(row);
    favouritesView_.Select(favourites_.Selected());
}

void MainWindow::aMoveUpExecute() {
    const int row = favourites_.Selected();
    favourites_.MoveSelectedUp();
    favouritesView_.ShowRow(row - 1, favourites_.Row(row - 1));
    favouritesView_.ShowRow(row, favourites_.Row(row));
    favouritesView_.Select(favourites_.Selected());
}

void MainWindow::aMoveDownExecute() {
    const int row = favourites_.Selected();
    favourites_.MoveSelectedDown();
    favouritesView_.ShowRow(row, favourites_.Row(row));
    favouritesView_.ShowRow(row + 1, favourites_.Row(row + 1));
    favouritesView_.Select(favourites_.Selected());
}

void MainWindow::aJumpFromListExecute() {
    const std::string keyText = favourites_.Row(favourites_.Selected()).keyText;
    JumpToRegistryPath(keyText);
}

void MainWindow::aCopyToClipboardExecute() {
    if (!clipboard_.WriteText(favourites_.Row(favourites_.Selected()).keyText))
        throw UserError(kCannotOpenClipboard);
}

void MainWindow::aJumpFromClipboardExecute() {
    const ClipboardOutcome outcome = clipboardWatcher_.TextForJump();
    if (outcome.cannotOpen) throw UserError(kCannotOpenClipboard);
    if (outcome.text) JumpToRegistryPath(*outcome.text);
}

void MainWindow::aClearRecentExecute() {
    settings_.recentPaths.Clear();
    suggestions_.Close();
}

void MainWindow::JumpToRegistryPath(const std::string& text) {
    suggestions_.Close();
    JumpOutcome outcome;
    {
        // The jump's boxes belong to the application window; the main window
        // takes no input while one is up, as under any other modal window.
        const TaskWindowsDisabled modal(app_.Handle());
        outcome = JumpAndReport(JumpPlatform{registry_, windowSystem_, processes_}, text);
    }
    // Every jump that did not land said why in a box, as did the offer of
    // the nearest key.
    if (!HasLanded(outcome.result) || outcome.nearest) FocusKeyBox();
    if (!HasLanded(outcome.result)) return;
    // "HKCU\Software\" and "HKCU\Software" are one key, remembered once.
    std::string landed = DisplayPath(outcome.target);
    if (outcome.target.valueName.empty())
        while (landed.size() > 1 && landed.back() == '\\') landed.pop_back();
    settings_.recentPaths.Remember(std::move(landed));
}

}  // namespace ks::ui
