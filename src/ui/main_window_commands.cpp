// The main window's commands: each registered once with its handler, run
// from its buttons, menus and accelerators; and the notices of its
// controls, the tray and the system menu.
#include "ui/main_window.h"

#include <commctrl.h>

#include "texts.h"
#include "ui/about.h"
#include "ui/app_window.h"
#include "ui/control_ids.h"
#include "ui/elevated_restart.h"
#include "ui/key_box_menu.h"
#include "ui/maker_links.h"
#include "ui/message_loop.h"
#include "ui/platform_services.h"
#include "ui/rules/shell_registration.h"
#include "ui/this_program.h"
#include "filled_text.h"

namespace ks::ui {

void MainWindow::RegisterCommands() {
    windowCommands_.emplace(
        JumpPlatform{services_.registry, services_.windows, services_.processes},
        services_.clipboard, settings_.values.recentPaths, favourites_, favouritesView_,
        suggestions_,
        CommandWindowParts{window_, app_.Handle(), KeyBox(), [this] { keyboard_.FocusKeyBox(); },
                           [this](const std::string& path) { RestartAsAdministrator(path); }});
    windowCommands_->Register(commands_);
    const HINSTANCE instance = app_.Instance();
    commands_.Add(IDC_JUMP, [this] { JumpFromKeyBox(); });
    commands_.Add(IDC_ABOUT, [this] {
        RunAboutWindow(window_);
        keyboard_.FocusKeyBox();
    });
    commands_.Add(IDM_EXIT, [this] { Exit(); });
    commands_.Add(IDM_OPEN, [this] { tray_.Restore(); });
    commands_.Add(IDM_HOMEPAGE, [=, this] { OpenMakerPage(instance, window_, MakerPage::Product); });
    commands_.Add(IDC_MAKER_LINK, [=, this] { OpenMakerPage(instance, window_, MakerPage::Home); });
    commands_.Add(IDC_UPDATE_LINK, [=] { OpenUpdateLinkTarget(instance); });
    commands_.Add(IDM_CHECK_FOR_UPDATES,
                  [=, this] { OpenMakerPage(instance, window_, MakerPage::Update); });
    RegisterShellCommands();
    commands_.Add(IDM_HOTKEYS, [this] { EditHotkeys(); });
    for (const DesignedControl& design : kDesignedControls)
        if (design.controlClass == ControlClass::PushButton)
            commands_.BindButton(design.command, controls_[design.role]);
    commands_.Update();
}

void MainWindow::RegisterShellCommands() {
    // By the user's choice alone: the Run value and the keystride: protocol,
    // each naming this keystride.exe, checked while they do.
    struct Switch {
        int id;
        bool (*isOn)(Registry&, std::string_view);
        bool (*set)(Registry&, std::string_view, bool);
        const char* what;
    };
    for (const Switch& item :
         {Switch{IDM_START_WITH_WINDOWS, &StartsWithWindows, &SetStartWithWindows,
                 "HKEY_CURRENT_USER\\" "Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
          Switch{IDM_OPEN_LINKS, &OpensLinks, &SetOpensLinks,
                 "HKEY_CURRENT_USER\\" "Software\\Classes\\keystride"}}) {
        Registry& registry = services_.registry;
        commands_.Add(item.id, [item, &registry] {
            const std::string program = Narrow(ThisProgram());
            if (!item.set(registry, program, !item.isOn(registry, program)))
                throw UserError(FilledText(KS_TEXT_REGISTRY_REFUSED, {item.what}));
        });
        commands_.SetCheck(item.id,
                           [item, &registry] { return item.isOn(registry, Narrow(ThisProgram())); });
    }
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (control && control == KeyBox()) {
        if (code == EN_CHANGE) suggestions_.TextChanged();
        if (code == EN_KILLFOCUS) suggestions_.Close(true);
        return;
    }
    // Clicks, menu choices and accelerators only: edit and double-click
    // notifications are not commands.
    const bool accelerator = code == 1 && !control;
    if (code != BN_CLICKED && !accelerator) return;
    // The check box has changed already: its state is followed even while
    // a modal window is up.
    if (id == IDC_AUTO_COPY) {
        settings_.values.autoCopyEnabled =
            SendMessageW(controls_[ControlRole::AutoCopyBox], BM_GETCHECK, 0, 0) == BST_CHECKED;
        return;
    }
    // While a modal window or box is up the window takes no commands, not
    // even ones posted by other programs.
    if (!IsWindowEnabled(window_)) return;
    const auto design = DesignOfId(id);
    commands_.Execute(design && design->command ? design->command : id);
}

void MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_FAVOURITES || !windowCommands_) return;
    switch (header.code) {
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
            windowCommands_->OnSelectionChanged();
        break;
    }
    case NM_DBLCLK:
        commands_.Execute(kListMenuDefault);
        break;
    case LVN_KEYDOWN:
        keyboard_.OnListKey(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
        break;
    default:
        break;
    }
}

void MainWindow::OnContextMenu(HWND control, LPARAM position) {
    if (!control || control == window_) return;
    if (control == KeyBox()) {
        suggestions_.Close();
        if (const int copyAs = ShowKeyBoxMenu(control, window_, position))
            commands_.Execute(copyAs);
        return;
    }
    const auto design = DesignOfId(GetDlgCtrlID(control));
    if (!design || !design->listMenu || !windowCommands_) return;
    // A right click on a row acts on that row.
    if (const int row = keyboard_.RowUnder(control, position);
        row >= 0 && row != favourites_.Selected())
        windowCommands_->Favourites().SelectRow(row);
    const POINT at = keyboard_.ListMenuPoint(control, position);
    TrackPopupMenu(listMenu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                   nullptr);
}

LRESULT MainWindow::OnSysCommand(WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE:
        // The program minimises as a whole, into the notification area.
        tray_.Minimise(lParam);
        return 0;
    case SC_RESTORE: {
        // Taken before the system's restore moves the window; after a start
        // maximised, the system knows no normal bounds of this run.
        const WindowBounds normal = settings_.values.savedNormalBounds;
        const LRESULT result = Default(WM_SYSCOMMAND, command, lParam);
        PlaceAtStoredBounds(normal);
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
        if (IsWindowVisible(controls_[ControlRole::FavouritesList]) && favourites_.Count() > 0 &&
            windowCommands_)
            windowCommands_->Favourites().SelectRow(0);
        break;
    case WM_RBUTTONDOWN: {
        SetForegroundWindow(window_);
        POINT at{};
        GetCursorPos(&at);
        TrackPopupMenu(trayMenu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
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

void MainWindow::JumpFromKeyBox() {
    // The root switcher goes back to "No Action", which changes no text.
    rootSwitcher_.Select(0);
    if (windowCommands_) windowCommands_->App().Jump();
}

void MainWindow::Exit() {
    SaveAndClose();
    // Reached only when the close went through: a failed save has raised.
    tray_.RemoveIcon();
}

void MainWindow::RestartAsAdministrator(const std::string& path) {
    // Saved first: the new copy reads the settings as it starts.
    if (const auto error = Save()) throw UserError(*error);
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

}  // namespace ks::ui
