// The main window's messages and commands, and the handlers of its
// controls.
#include "ui/main_window.h"
#include "ui/maker_links.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resource.h"
#include "texts.h"
#include "ui/about.h"
#include "ui/app_window.h"
#include "ui/control_ids.h"
#include "ui/elevated_restart.h"
#include "ui/message_loop.h"
#include "ui/window_placement.h"

namespace ks::ui {
namespace {

// Controls whose context menu is the list menu.
bool HasListMenu(int id) {
    switch (id) {
    case IDC_BANNER:
    case IDC_MAKER_LINK:
    case IDC_UPDATE_LINK:
    case IDC_TAGLINE:
    case IDC_FAVOURITES:
    case IDC_JUMP:
    case IDC_EXIT:
    case IDC_ABOUT:
    case IDC_ADD_FAVOURITE:
    case IDC_JUMP_TO_FAVOURITE:
    case IDC_REMOVE_FAVOURITE:
    case IDC_MOVE_DOWN:
    case IDC_MOVE_UP:
    case IDC_EDIT_FAVOURITE:
        return true;
    default:
        return false;
    }
}

// The action each action-bound button stands for.
int ActionOfButton(int id) {
    switch (id) {
    case IDC_ADD_FAVOURITE: return IDM_ADD_FAVOURITE;
    case IDC_JUMP_TO_FAVOURITE: return IDM_JUMP_TO_FAVOURITE;
    case IDC_EDIT_FAVOURITE: return IDM_EDIT_FAVOURITE;
    case IDC_MOVE_UP: return IDM_MOVE_UP;
    case IDC_MOVE_DOWN: return IDM_MOVE_DOWN;
    case IDC_REMOVE_FAVOURITE: return IDM_REMOVE_FAVOURITE;
    default: return 0;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// Messages

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (control && control == controls_.eRegKey) {
        if (code == EN_CHANGE) suggestions_.TextChanged();
        if (code == EN_KILLFOCUS) suggestions_.Close(true);
        return;
    }
    // Clicks, menu choices and accelerators only: edit and double-click
    // notifications are not commands.
    const bool accelerator = code == 1 && !control;
    if (code != BN_CLICKED && !accelerator) return;
    // The radio items and the check box have changed already: their state
    // is followed even while a modal window is up.
    if (rgPre_.Owns(id)) {
        if (rgPre_.Click(id)) rgPreClick();
        return;
    }
    if (id == IDC_AUTO_COPY) {
        cbAutoCopyClick();
        return;
    }
    // While a modal window or box is up the window takes no commands, not
    // even ones posted by other programs.
    if (!IsWindowEnabled(window_)) return;
    if (const int action = ActionOfButton(id)) {
        actions_.Execute(action);
        return;
    }
    switch (id) {
    case IDC_JUMP: bOpenClick(); break;
    case IDC_ABOUT: bAboutClick(); break;
    case IDC_EXIT:
    case IDM_EXIT: bExitClick(); break;
    case IDC_PROGRAM_ICON:
    case IDM_HOMEPAGE: OpenMakerPage(app_.Instance(), window_, MakerPage::Product); break;
    case IDC_MAKER_LINK: OpenMakerPage(app_.Instance(), window_, MakerPage::Home); break;
    case IDC_UPDATE_LINK: OpenUpdateLinkTarget(app_.Instance()); break;
    case IDM_CHECK_FOR_UPDATES: OpenMakerPage(app_.Instance(), window_, MakerPage::Update); break;
    case IDM_OPEN: tray_.Restore(); break;
    default: actions_.Execute(id); break;
    }
}

void MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_FAVOURITES || !favouritesBinding_) return;
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            favouritesBinding_->OnSelectionChanged();
        break;
    }
    case NM_DBLCLK:
        FavouriteCommands().JumpFromList();
        break;
    case LVN_KEYDOWN:
        keyboard_.OnListKey(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
        break;
    default:
        break;
    }
}

void MainWindow::OnContextMenu(HWND control, LPARAM position) {
    if (!control || control == window_ || !HasListMenu(GetDlgCtrlID(control))) return;
    const POINT at = keyboard_.ListMenuPoint(control, position);
    TrackPopupMenu(PopupMenu1_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                   nullptr);
}

LRESULT MainWindow::OnSysCommand(WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        // The program minimises as a whole, into the notification area.
        tray_.Minimise(lParam);
        return 0;
    case SC_MAXIMIZE:
        settings_.values.savedNormalBounds = StoredBounds();
        return Default(WM_SYSCOMMAND, command, lParam);
    case SC_RESTORE: {
        const LRESULT result = Default(WM_SYSCOMMAND, command, lParam);
        PlaceAtStoredBounds(settings_.values.savedNormalBounds);
        return result;
    }
    default:
        return Default(WM_SYSCOMMAND, command, lParam);
    }
}

void MainWindow::OnTrayIcon(LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        tray_.Restore();
        if (IsWindowVisible(controls_.ListView1) && favourites_.Count() > 0) {
            favourites_.Select(0);
            favouritesView_.Select(0);
        }
        break;
    case WM_RBUTTONDOWN: {
        SetForegroundWindow(window_);
        POINT at{};
        GetCursorPos(&at);
        TrackPopupMenu(pmSelf_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                       nullptr);
        // Without a message after it, a menu opened from the notification
        // area does not close when the user clicks elsewhere.
        PostMessageW(window_, WM_NULL, 0, 0);
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------------------
// Handlers of the controls

void MainWindow::bOpenClick() {
    if (rgPre_.Select(0)) rgPreClick();
    FavouriteCommands().JumpTo(EditText());
}

void MainWindow::bAboutClick() { RunAboutWindow(window_); }

void MainWindow::bExitClick() {
    FormClose();
    // Reached only when the close went through: a failed save has raised.
    tray_.RemoveIcon();
}

void MainWindow::RestartAsAdministrator(const std::string& path) {
    // Saved first: the new copy reads the settings as it starts.
    if (const auto error =
            settings_.SaveAtClose(favourites_, StoredBounds(), IsZoomed(window_) != FALSE))
        throw UserError(*error);
    switch (HandOverToElevatedCopy(window_, path)) {
    case HandOver::Cancelled:
        return;
    case HandOver::Failed:
        throw UserError(KS_TEXT_RESTART_FAILED);
    case HandOver::Done:
        break;
    }
    // Saved already; the window goes as at a close.
    clipboardListener_.Stop();
    tray_.RemoveIcon();
    app_.Terminate();
}

void MainWindow::rgPreClick() { SetEditText(rgPre_.Apply(EditText())); }

void MainWindow::cbAutoCopyClick() { settings_.values.autoCopyEnabled = AutoCopyChecked(); }

bool MainWindow::AutoCopyChecked() const {
    return SendMessageW(controls_.cbAutoCopy, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string MainWindow::EditText() const { return WindowText(controls_.eRegKey); }

void MainWindow::SetEditText(const std::string& text) { SetWindowTextTo(controls_.eRegKey, text); }

}  // namespace ks::ui
