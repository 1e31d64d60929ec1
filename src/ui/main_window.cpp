// The main window's life: creation, the window procedure, showing and
// closing.
#include "ui/main_window.h"
#include "ui/maker_links.h"

#include <commctrl.h>

#include "resource.h"
#include "texts.h"
#include "ui/app_window.h"
#include "ui/control_ids.h"
#include "ui/dialog_keyboard.h"
#include "ui/message_loop.h"
#include "ui/platform_services.h"
#include "ui/window_placement.h"

namespace ks::ui {
namespace {

constexpr char kListViewHint[] =
    "Right-click to pop up a menu\r\nDouble-click to jump to the current registry key";
constexpr char kRootGroupHint[] = "Click on these root keys to add or change";

}  // namespace

MainWindow::MainWindow(AppWindow& app, PlatformServices& services)
    : app_(app),
      registry_(services.registry),
      windowSystem_(services.windows),
      processes_(services.processes),
      clipboard_(services.clipboard),
      clipboardListener_(processes_, clipboard_),
      settings_(services.files, services.ansiCodePage) {}

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
    Guarded(window_, [this] { FormCreate(); });
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
    const int shownBefore = formShowCount_;
    ShowWindow(window_, showMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    if (formShowCount_ == shownBefore) FormShow();
    SetForegroundWindow(window_);
}

void MainWindow::JumpWhenShown(std::string path) {
    pendingJump_ = std::move(path);
    PostMessageW(window_, WM_KEYSTRIDE_PENDING_JUMP, 0, 0);
}

void MainWindow::Idle() {
    actions_.Update();
    keyboard_.KeepFocusUsable();
    keyboard_.ShowDefaultButtonNow();
}

void MainWindow::AcceptOutsideMessages() {
    // Run at a higher level than the shell, the programs that wake it and
    // the programs that copy, the window would not hear them without saying
    // so.
    for (UINT message : {tray_.TaskbarCreatedMessage(), static_cast<UINT>(WM_KEYSTRIDE_ACTIVATE),
                         static_cast<UINT>(WM_KEYSTRIDE_TRAYICON),
                         static_cast<UINT>(WM_CLIPBOARDUPDATE)})
        if (message) ChangeWindowMessageFilterEx(window_, message, MSGFLT_ALLOW, nullptr);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner(window, message, lParam, &MainWindow::window_);
    if (!self || message == WM_NCDESTROY) return DefWindowProcW(window, message, wParam, lParam);
    // A creation that raised must fail, not leave a window without controls.
    LRESULT result = message == WM_CREATE ? -1 : 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowErrorBox(window, error.what());
        self->keyboard_.FocusKeyBox();
    }
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
        actions_.Update();
        actions_.UpdateMenu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case DM_GETDEFID:
        return DefaultIdAnswer(keyboard_.DefaultButtonId());
    case WM_NEXTDLGCTL:
        MoveDialogFocus(window_, wParam, lParam);
        return 0;
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
    case WM_GETMINMAXINFO: {
        // Never smaller than designed. Each size change is held to it as
        // it is made, whoever makes it.
        // While the stored bounds are applied, the DPI they are placed at.
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        const UINT dpi = placementDpi_.value_or(dpi_);
        limits.ptMinTrackSize = {Scale(kMinimumOuterWidth, dpi), Scale(kMinimumOuterHeight, dpi)};
        return 0;
    }
    case WM_SHOWWINDOW:
        // Shown by a call, not brought back with the application window.
        if (wParam && lParam == 0) FormShow();
        break;
    case WM_MOVE:
        suggestions_.Close();
        return 0;
    case WM_SIZE:
        suggestions_.Close();
        if (wParam != SIZE_MINIMIZED) FormResize();
        return 0;
    case WM_ACTIVATE:
        keyboard_.OnActivate(wParam);
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(wParam, lParam);
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_QUERYENDSESSION:
        // Saved now: after its answer a program may be ended at any moment.
        settings_.SaveAtSessionEnd(favourites_, StoredBounds(), IsZoomed(window_) != FALSE);
        return TRUE;
    case WM_ENDSESSION:
        if (!wParam)
            settings_.SessionGoesOn();
        else if (!settings_.SavedForSessionEnd())
            settings_.SaveAtSessionEnd(favourites_, StoredBounds(), IsZoomed(window_) != FALSE);
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_CLIPBOARDUPDATE:
        clipboardListener_.OnClipboardUpdate(AutoCopyChecked());
        return 0;
    case WM_TIMER: {
        std::optional<std::string> keyText;
        if (!clipboardListener_.OnTimer(wParam, AutoCopyChecked(), keyText)) break;
        if (keyText) SetEditText(*keyText);
        return 0;
    }
    case WM_KEYSTRIDE_ACTIVATE:
        tray_.ActivateFromOutside();
        return 0;
    case WM_KEYSTRIDE_TRAYICON:
        OnTrayIcon(lParam);
        return 0;
    case WM_SETTINGCHANGE:
        OnSettingChange(wParam);
        break;
    case WM_DPICHANGED:
        if (lParam) OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_KEYSTRIDE_PENDING_JUMP:
        if (!pendingJump_.empty()) FavouriteCommands().JumpTo(std::exchange(pendingJump_, {}));
        return 0;
    case WM_KEYSTRIDE_SETTINGS_UNREAD:
        // Once the window is up, so the box has something to stand over.
        ShowErrorBox(window_, "Unable to read " + settings_.values.path +
                                  ". Favourites and settings changed now will not be saved.");
        return 0;
    default:
        if (message == tray_.TaskbarCreatedMessage() && message != 0) {
            tray_.TaskbarCreated();
            return 0;
        }
        break;
    }
    return Default(message, wParam, lParam);
}

LRESULT MainWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(window_, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// Form events

void MainWindow::FormCreate() {
    banner_.SetUpdateLinkColour(RGB(0xFF, 0xFF, 0xFF));
    settings_.Load(favourites_);
    favouritesView_.ShowAll(favourites_);
    clipboardListener_.Start(window_);

    layout_.Record(window_);
    PlaceAtStoredBounds(settings_.values.savedWindowBounds);
    // Setting the same size again is no size change, and a frame thinner
    // or thicker than designed leaves a different client area: lay the
    // controls out once for the area there is.
    FormResize();

    showMaximized_ = settings_.values.savedMaximized;
    centreOnShow_ = settings_.values.firstRun;
    hints_.Add(controls_.ListView1, kListViewHint);
}

void MainWindow::FormShow() {
    ++formShowCount_;
    banner_.LayOut();
    SendMessageW(controls_.cbAutoCopy, BM_SETCHECK, settings_.values.autoCopyEnabled ? BST_CHECKED : BST_UNCHECKED,
                 0);
    keyboard_.FocusFirst();
    const HINSTANCE instance = app_.Instance();
    const std::string caption = LoadText(instance, KS_IDS_PRODUCT_NAME, KS_TEXT_PRODUCT_NAME) +
                                " " + LoadText(instance, IDS_VERSION, KS_TEXT_VERSION);
    SetWindowTextTo(window_, caption);
    if (formShowCount_ == 1 && settings_.values.unreadAtLoad)
        PostMessageW(window_, WM_KEYSTRIDE_SETTINGS_UNREAD, 0, 0);
    if (!rgPreHintShown_) {
        hints_.Add(rgPre_.Handle(), kRootGroupHint);
        for (HWND item : rgPre_.Items()) hints_.Add(item, kRootGroupHint);
        rgPreHintShown_ = true;
    }
}

void MainWindow::FormClose() {
    // A hidden window (the program minimised) still has its normal bounds.
    if (const auto error =
            settings_.SaveAtClose(favourites_, StoredBounds(), IsZoomed(window_) != FALSE))
        throw UserError(*error);  // the close ends here
    clipboardListener_.Stop();
    app_.Terminate();
}

void MainWindow::FormResize() {
    // Until the designed client size and the layout table are on record
    // there is nothing to scale against: the creation's own size changes
    // pass by.
    if (!layout_.Recorded() || IsIconic(window_)) return;
    const LayoutResult result = layout_.Arrange(window_, static_cast<int>(dpi_));
    if (result.keyColumnWidth) ListView_SetColumnWidth(controls_.ListView1, 0, *result.keyColumnWidth);
    if (result.commentColumnWidth)
        ListView_SetColumnWidth(controls_.ListView1, 1, *result.commentColumnWidth);
    banner_.Repaint();
}

WindowBounds MainWindow::StoredBounds() const { return StoredBoundsOf(window_, dpi_); }

void MainWindow::PlaceAtStoredBounds(const WindowBounds& stored) {
    // Placed once, at the DPI of the monitor the window goes to: the system
    // tells of the new DPI part way through the move, and the window then
    // measures itself anew without taking another size, nor the minimum
    // size of the DPI it leaves.
    const StoredPlacement placement = StoredPlacementOf(stored, dpi_);
    placementDpi_ = static_cast<UINT>(placement.dpi);
    ApplyPlacement(window_, placement);
    placementDpi_.reset();
    // The system chose another monitor's DPI after all: the stored size at
    // the DPI the window has.
    if (dpi_ != static_cast<UINT>(placement.dpi)) {
        const ControlRect shown = ShownFromStored(
            {stored.left, stored.top, stored.width, stored.height}, static_cast<int>(dpi_));
        SetWindowPos(window_, nullptr, 0, 0, shown.width, shown.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::FormDestroy() {
    // The close has stopped listening already; a window destroyed some
    // other way stops here.
    clipboardListener_.Stop();
    layout_.Clear();
}

}  // namespace ks::ui
