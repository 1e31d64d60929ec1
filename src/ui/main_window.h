#pragma once
// The main window (TfrmMain): the key edit box with its Jump button and
// root switcher, the favourites list with its buttons, the auto-copy check
// box and the title banner. It owns the settings for the program's life and
// routes every user command to its handler.
#include <windows.h>

#include <optional>
#include <string>

#include "favourites/favourites_list.h"
#include "favourites/settings_session.h"
#include "ui/actions.h"
#include "ui/favourites_binding.h"
#include "ui/favourites_view.h"
#include "ui/main_controls.h"
#include "ui/clipboard_listener.h"
#include "ui/main_window_layout.h"
#include "ui/root_group.h"
#include "ui/suggestion_popup.h"
#include "ui/title_banner.h"
#include "ui/tray.h"
#include "ui/ui_kit.h"
#include "ui/window_keyboard.h"
#include "ui/window_pictures.h"

namespace ks {
class Clipboard;
class ProcessControl;
class Registry;
class WindowSystem;
}  // namespace ks

namespace ks::ui {

class AppWindow;
struct PlatformServices;

// Other programs find the window by this name; the system keeps class names
// in a field of 64 bytes.
inline constexpr char kMainWindowClass[] = "Keystride Made by Korvel Software";
static_assert(sizeof kMainWindowClass <= 64);

class MainWindow {
public:
    MainWindow(AppWindow& app, PlatformServices& services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window hidden with its controls, menus and actions, then
    // runs FormCreate. False when the window could not be made.
    bool Create();
    // The first showing, as the message loop does it.
    void Show();
    // Jumps to `path` as the Jump button does, once the window is up.
    void JumpWhenShown(std::string path);
    // The user interface has nothing to do: the enable rules run, the focus
    // leaves a control that no longer takes it, the default button is shown.
    void Idle();

    HWND Handle() const noexcept { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;

    // Building (main_window_controls.cpp).
    bool BuildControls();
    void BuildMenus();
    void FitCaptions() const;

    // Form events (main_window.cpp).
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormResize();
    void FormDestroy();

    // Messages and commands (main_window_commands.cpp; AcceptOutsideMessages
    // in main_window.cpp).
    void OnCommand(int id, int code, HWND control);
    void OnNotify(const NMHDR& header);
    void OnContextMenu(HWND control, LPARAM position);
    LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    void OnTrayIcon(LPARAM mouseMessage);
    void AcceptOutsideMessages();
    // A move to a monitor of another DPI, a change of the system's font
    // (main_window_dpi.cpp).
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnSettingChange(WPARAM setting);
    void ApplyFonts();
    // The window's present bounds as they are stored, and the window put at
    // the stored ones (main_window.cpp).
    WindowBounds StoredBounds() const;
    void PlaceAtStoredBounds(const WindowBounds& stored);

    // Handlers of the controls (main_window_commands.cpp).
    void bOpenClick();
    void bAboutClick();
    void bExitClick();
    // Hands this copy's place to one started as administrator, which jumps
    // to `path` (main_window_commands.cpp).
    void RestartAsAdministrator(const std::string& path);
    void rgPreClick();
    void cbAutoCopyClick();
    bool AutoCopyChecked() const;

    // The favourites' actions, run by their controller
    // (main_window_favourites.cpp).
    void BuildActions();
    FavouritesController& FavouriteCommands() noexcept { return favouritesBinding_->Commands(); }

    // The key edit box (main_window_commands.cpp).
    std::string EditText() const;
    void SetEditText(const std::string& text);
    int Scaled(int designed) const noexcept { return Scale(designed, dpi_); }

    AppWindow& app_;
    HWND window_ = nullptr;
    UINT dpi_ = kDesignDpi;

    TitleBanner banner_;
    RootGroup rgPre_;
    MainControls controls_;

    Font font_;
    WindowPictures pictures_;
    Hints hints_;

    Menu PopupMenu1_;
    Menu pmSelf_;
    ActionList actions_;

    // The platform services, handed in for the window's life.
    Registry& registry_;
    WindowSystem& windowSystem_;
    ProcessControl& processes_;
    Clipboard& clipboard_;
    ClipboardListener clipboardListener_;

    SettingsSession settings_;
    FavouritesList favourites_;
    FavouritesView favouritesView_;
    SuggestionPopup suggestions_{registry_, settings_.values.recentPaths};
    std::optional<FavouritesBinding> favouritesBinding_;  // made with the controls

    WindowKeyboard keyboard_{window_, dpi_, controls_, banner_, favourites_, favouritesView_};
    TrayPresence tray_;
    ProportionalLayout layout_;

    std::string pendingJump_;
    std::optional<UINT> placementDpi_;  // set while the stored bounds are applied
    bool showMaximized_ = false;
    bool centreOnShow_ = false;
    bool rgPreHintShown_ = false;
    int formShowCount_ = 0;
};

}  // namespace ks::ui
