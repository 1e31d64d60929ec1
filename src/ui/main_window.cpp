// The main window's life: creation, the window procedure, showing and
// closing.
#include "ui/main_window.h"

#include <commctrl.h>

#include "filled_text.h"
#include "resource.h"
#include "texts.h"
#include "ui/app_window.h"
#include "ui/dialog_keyboard.h"
#include "ui/maker_links.h"
#include "ui/message_loop.h"
#include "ui/platform_services.h"
#include "ui/rules/recent_handover.h"
#include "ui/window_placement.h"

namespace ks::ui {

MainWindow::MainWindow(AppWindow& app, PlatformServices& services)
    : app_(app),
      services_(services),
      clipboardListener_(services.processes, services.clipboard),
      settings_(services.files, services.ansiCodePage),
      suggestions_(services.registry, settings_.values.recentPaths) {}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
}

bool MainWindow::Create() {
    const std::wstring className = Wide(kMainWindowClass);
    if (!RegisterWindowClass(app_.Instance(),
                             {className.c_str(), WindowProc, CS_DBLCLKS, COLOR_BTNFACE}))
        return false;
    const UINT dpi = DpiOf(nullptr);
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, className.c_str(), Wide(KS_TEXT_PRODUCT_NAME).c_str(),
                         WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kDesignedWindow.left,
                         kDesignedWindow.top, Scale(kDesignedWindow.width, dpi),
                         Scale(kDesignedWindow.height, dpi), app_.Handle(),
                         nullptr, app_.Instance(), this))
        return false;
    app_.SetMainWindow(window_);
    tray_.Attach(app_.Handle(), window_);
    AcceptOutsideMessages();
    Guarded(window_, [this] { LoadSettingsAndPlace(); });
    return true;
}

void MainWindow::Show() {
    if (centreOnShow_) {
        const RECT bounds = WindowBoundsOf(window_);
        const int width = bounds.right - bounds.left;
        const int height = bounds.bottom - bounds.top;
        SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    app_.ShowTaskbarButton();
    // Showing maximised sends no WM_SHOWWINDOW: then the showing steps run
    // here, once the window has its size.
    const int shownBefore = shownCount_;
    ShowWindow(window_, showMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    if (shownCount_ == shownBefore) OnShown();
    SetForegroundWindow(window_);
}

void MainWindow::StartInTray() {
    // As after a minimise; the showing steps run when the tray brings it back.
    tray_.Minimise(0);
}

void MainWindow::JumpWhenShown(std::string path) {
    pendingJump_ = std::move(path);
    PostMessageW(window_, WM_KEYSTRIDE_PENDING_JUMP, 0, 0);
}

void MainWindow::Idle() {
    hints_.Allow(!inMenu_ && !suggestions_.IsOpen());
    commands_.Update();
    keyboard_.KeepFocusUsable();
    keyboard_.ShowDefaultButtonNow();
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner(window, message, lParam, &MainWindow::window_);
    if (!self || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    // A creation that raised must fail, not leave a window without controls.
    const LRESULT failed = message == WM_CREATE ? -1 : 0;
    bool handled = false;
    const LRESULT result = HandledGuarded(window, failed, [&] {
        const LRESULT answer = self->HandleMessage(message, wParam, lParam);
        handled = true;
        return answer;
    });
    // After the error box the user most likely corrects the path.
    if (!handled) self->keyboard_.FocusKeyBox();
    return result;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return BuildControls() ? 0 : -1;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_NOTIFY:
        OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
        return 0;
    case WM_INITMENUPOPUP:
        // The rules are asked now: the selection may have changed since the
        // last idle moment (a right click selects the row under the mouse).
        commands_.Update();
        commands_.UpdateMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_GETMINMAXINFO: {
        // Never smaller than designed, at the DPI the stored bounds are
        // placed at while they are.
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        const UINT dpi = placementDpi_.value_or(dpi_);
        limits.ptMinTrackSize = {Scale(kMinimumOuterWidth, dpi), Scale(kMinimumOuterHeight, dpi)};
        return 0;
    }
    case WM_SHOWWINDOW:
        // Shown by a call, not brought back with the application window.
        if (wParam && lParam == 0) OnShown();
        break;
    case WM_MOVE:
    case WM_SIZE:
        suggestions_.Close();
        // Restore goes back to the last normal bounds, however the window
        // was maximised (Aero Snap sends no SC_MAXIMIZE).
        if (IsWindowVisible(window_) && !IsZoomed(window_) && !IsIconic(window_))
            settings_.values.savedNormalBounds = StoredBounds();
        if (message == WM_SIZE && wParam != SIZE_MINIMIZED) LayOut();
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam, lParam);
    case WM_CLOSE:
        SaveAndClose();
        return 0;
    case WM_DESTROY:
        // The close has stopped listening already; a window destroyed some
        // other way stops here.
        clipboardListener_.Stop();
        layout_.Clear();
        return 0;
    default:
        break;
    }
    if (const auto answer = HandleControlMessage(message, wParam, lParam)) return *answer;
    if (const auto answer = HandleProgramMessage(message, wParam, lParam)) return *answer;
    return Default(message, wParam, lParam);
}

std::optional<LRESULT> MainWindow::HandleControlMessage(UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
    switch (message) {
    case DM_GETDEFID:
        return DefaultIdAnswer(keyboard_.DefaultButtonId());
    case WM_NEXTDLGCTL:
        MoveDialogFocus(window_, wParam, lParam);
        return 0;
    case WM_ACTIVATE:
        keyboard_.OnActivate(wParam);
        return 0;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        inMenu_ = message == WM_ENTERMENULOOP;
        hints_.Allow(!inMenu_ && !suggestions_.IsOpen());
        break;
    case WM_SETCURSOR:
        if (banner_.SetCursorOver(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
    case WM_CTLCOLORSTATIC:
        if (const auto brush = banner_.ControlColour(reinterpret_cast<HDC>(wParam),
                                                     reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(*brush);
        break;
    case WM_DRAWITEM:
        if (banner_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_SETTINGCHANGE:
        OnSettingChange(wParam);
        break;
    case WM_DPICHANGED:
        if (lParam) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return std::nullopt;
}

std::optional<LRESULT> MainWindow::HandleProgramMessage(UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
    switch (message) {
    case WM_COPYDATA: {
        // A command-line jump landed: offered again like the window's own.
        const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data.dwData != kRecentPathHandover || !data.lpData) return FALSE;
        auto landed = ReadHandover({static_cast<const char*>(data.lpData), data.cbData});
        if (!landed) return FALSE;
        settings_.values.recentPaths.Remember(std::move(*landed));
        return TRUE;
    }
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
        return OnSessionEnd(message, wParam, lParam);
    case WM_CLIPBOARDUPDATE:
        clipboardListener_.OnClipboardUpdate(settings_.values.autoCopyEnabled);
        return 0;
    case WM_TIMER: {
        std::optional<std::string> keyText;
        if (!clipboardListener_.OnTimer(wParam, settings_.values.autoCopyEnabled, keyText)) break;
        if (keyText) SetWindowTextTo(KeyBox(), *keyText);
        return 0;
    }
    case WM_KEYSTRIDE_ACTIVATE:
        tray_.ActivateFromOutside();
        return 0;
    case WM_KEYSTRIDE_TRAYICON:
        OnTrayIcon(lParam);
        return 0;
    case WM_KEYSTRIDE_PENDING_JUMP:
        if (!pendingJump_.empty() && windowCommands_)
            windowCommands_->App().JumpTo(std::exchange(pendingJump_, {}));
        return 0;
    case WM_HOTKEY:
    case WM_KEYSTRIDE_HOTKEYS_TAKEN:
        OnHotkeyMessage(message, wParam);
        return 0;
    case WM_KEYSTRIDE_SETTINGS_UNREAD:
        // Once the window is up, so the box has something to stand over.
        ShowErrorBox(window_, FilledText(KS_TEXT_SETTINGS_UNREAD, {settings_.values.path}));
        return 0;
    default:
        if (message != 0 && message == tray_.TaskbarCreatedMessage()) {
            tray_.TaskbarCreated();
            return 0;
        }
        break;
    }
    return std::nullopt;
}

LRESULT MainWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::OnShown() {
    ++shownCount_;
    banner_.LayOut(dpi_);
    SendMessageW(controls_[ControlRole::AutoCopyBox], BM_SETCHECK,
                 settings_.values.autoCopyEnabled ? BST_CHECKED : BST_UNCHECKED, 0);
    keyboard_.FocusFirst();
    const HINSTANCE instance = app_.Instance();
    const std::string caption = LoadText(instance, KS_IDS_PRODUCT_NAME, KS_TEXT_PRODUCT_NAME) +
                                " " + LoadText(instance, IDS_VERSION, KS_TEXT_VERSION);
    SetWindowTextTo(window_, caption);
    if (shownCount_ != 1) return;
    if (settings_.values.unreadAtLoad) PostMessageW(window_, WM_KEYSTRIDE_SETTINGS_UNREAD, 0, 0);
    if (!hotkeys_.Taken().empty()) PostMessageW(window_, WM_KEYSTRIDE_HOTKEYS_TAKEN, 0, 0);
    // The hints are not needed before the first paint.
    hints_.Build(app_.Instance(), window_, dpi_);
    for (const DesignedControl& design : kDesignedControls) {
        if (!design.hint) continue;
        hints_.Add(controls_[design.role], design.hint);
        if (design.role == ControlRole::RootGroup)
            for (HWND item : rootSwitcher_.Items()) hints_.Add(item, design.hint);
    }
}

void MainWindow::LayOut() {
    // Until the designed client size and the layout table are on record
    // there is nothing to scale against: the creation's own size changes
    // pass by.
    if (!layout_.Recorded() || IsIconic(window_)) return;
    const LayoutResult result = layout_.Arrange(window_, static_cast<int>(dpi_));
    HWND list = controls_[ControlRole::FavouritesList];
    if (result.keyColumnWidth) ListView_SetColumnWidth(list, 0, *result.keyColumnWidth);
    favouritesView_.FillCommentColumn();
    banner_.Repaint();
}

}  // namespace ks::ui
