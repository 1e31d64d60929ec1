#pragma once
// The main window: the key box with Jump and the root switcher, the favourites
// list and its buttons, auto-copy and the title banner, made from the window's
// design. It owns the settings for the program's life and runs every command.
#include <windows.h>

#include <optional>
#include <string>

#include "favourites/favourites_list.h"
#include "favourites/settings_session.h"
#include "ui/clipboard_listener.h"
#include "ui/command_list.h"
#include "ui/favourites_view.h"
#include "ui/main_controls.h"
#include "ui/main_window_layout.h"
#include "ui/root_group.h"
#include "ui/suggestion_popup.h"
#include "ui/system_hotkeys.h"
#include "ui/title_banner.h"
#include "ui/tray.h"
#include "ui/window_commands.h"
#include "ui/window_keyboard.h"
#include "ui/window_pictures.h"

namespace ks::ui {

class AppWindow;
struct PlatformServices;

// Other programs find the window by this name (at most 64 bytes).
inline constexpr char kMainWindowClass[] = "Keystride Made by Korvel Software";
static_assert(sizeof kMainWindowClass <= 64);

class MainWindow {
public:
    MainWindow(AppWindow& app, PlatformServices& services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;

    // Makes the window hidden and loads the settings; false when it could not.
    bool Create();
    void Show();         // the first showing
    void StartInTray();  // or none: the window hidden, the icon in the tray
    void JumpWhenShown(std::string path);  // as Jump does, once the window is up
    void Idle();  // enable rules, focus and default button brought up to date
    HWND Handle() const noexcept { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> HandleProgramMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> HandleControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const;

    bool BuildControls();
    bool MakeDesignedControls();
    void FitCaptions() const;
    void RegisterCommands();
    void RegisterShellCommands();
    void OnCommand(int id, int code, HWND control);
    void OnNotify(const NMHDR& header);
    void OnContextMenu(HWND control, LPARAM position);
    LRESULT OnSysCommand(WPARAM command, LPARAM lParam);
    void OnTrayIcon(LPARAM mouseMessage);
    void JumpFromKeyBox();
    void Exit();
    void RestartAsAdministrator(const std::string& path);  // hands over this copy's place
    void LoadSettingsAndPlace();
    void OnShown();
    void SaveAndClose();
    LRESULT OnSessionEnd(UINT message, WPARAM wParam, LPARAM lParam);
    void LayOut();
    std::optional<std::string> Save();
    WindowBounds StoredBounds() const;
    void PlaceAtStoredBounds(const WindowBounds& stored);
    void AcceptOutsideMessages();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnSettingChange(WPARAM setting);
    void ApplyFonts();
    void RegisterStoredHotkeys();
    void OnHotkeyMessage(UINT message, WPARAM id);  // WM_HOTKEY, WM_KEYSTRIDE_HOTKEYS_TAKEN
    void EditHotkeys();
    HWND KeyBox() const noexcept { return controls_[ControlRole::KeyBox]; }

    AppWindow& app_;
    HWND window_ = nullptr;
    UINT dpi_ = kDesignDpi;  // changed by WM_DPICHANGED alone

    MainControls controls_;
    TitleBanner banner_;
    RootGroup rootSwitcher_;
    Font font_;
    WindowPictures pictures_;
    Hints hints_;
    Menu listMenu_;
    Menu trayMenu_;
    CommandList commands_;

    PlatformServices& services_;
    ClipboardListener clipboardListener_;
    SettingsSession settings_;
    FavouritesList favourites_;
    FavouritesView favouritesView_;
    SuggestionPopup suggestions_;
    std::optional<WindowCommands> windowCommands_;  // made with the controls
    WindowKeyboard keyboard_{window_, controls_, banner_, favourites_};
    TrayPresence tray_;
    SystemHotkeys hotkeys_;
    ProportionalLayout layout_;

    std::string pendingJump_;
    std::optional<UINT> placementDpi_;  // set while the stored bounds are applied
    bool showMaximized_ = false, centreOnShow_ = false;  // at the first showing
    bool inMenu_ = false;  // between WM_ENTERMENULOOP and WM_EXITMENULOOP
    int shownCount_ = 0;
};

}  // namespace ks::ui
