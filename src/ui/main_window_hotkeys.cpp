// The main window's two system-wide hotkeys: registered from the settings
// as the window is made and from the hotkeys dialog, reported once
// when another program holds one, named in the tray's tip, run when pressed.
#include "ui/main_window.h"

#include "favourites/hotkey_text.h"
#include "texts.h"
#include "ui/hotkeys_dialog.h"
#include "ui/message_loop.h"
#include "ui/rules/tray_tip.h"

namespace ks::ui {
namespace {

// The hotkey as registered: its normal text; "" for none, one held
// elsewhere or one the other command has.
std::string Registered(const SystemHotkeys& hotkeys, int id, const std::string& text) {
    const std::optional<Hotkey> hotkey = ReadHotkey(text);
    return hotkey && hotkeys.Holds(id) ? HotkeyText(*hotkey) : std::string();
}

// The hotkeys held from now on, and the tip that names them; those another
// program holds.
std::vector<std::string> RegisterHotkeys(SystemHotkeys& hotkeys, TrayPresence& tray, HWND window,
                                         const std::string& jump, const std::string& show) {
    std::vector<std::string> taken = hotkeys.Register(window, jump, show);
    tray.SetTip(TrayTip(Registered(hotkeys, kJumpFromClipboardHotkeyId, jump),
                        Registered(hotkeys, kShowWindowHotkeyId, show)));
    return taken;
}

}  // namespace

void MainWindow::RegisterStoredHotkeys() {
    // Those another program holds are named at the first showing.
    RegisterHotkeys(hotkeys_, tray_, window_, settings_.values.jumpFromClipboardHotkey,
                    settings_.values.showWindowHotkey);
}

void MainWindow::OnHotkeyMessage(UINT message, WPARAM id) {
    if (message == WM_KEYSTRIDE_HOTKEYS_TAKEN) {
        // Said once, at the start; Keystride runs on without them.
        if (hotkeys_.Taken().empty()) return;
        ShowWarningBox(window_, HotkeysTakenText(hotkeys_.Taken()));
        keyboard_.FocusKeyBox();
    } else if (!IsWindowEnabled(window_)) {
        // A modal window or box is up: no command runs beneath it; Show
        // Keystride brings that window forward.
        if (id == kShowWindowHotkeyId) SetForegroundWindow(GetLastActivePopup(window_));
    } else if (id == kJumpFromClipboardHotkeyId) {
        commands_.Execute(IDM_JUMP_FROM_CLIPBOARD);
    } else if (id == kShowWindowHotkeyId) {
        tray_.Restore();
        keyboard_.FocusKeyBox();
    }
}

void MainWindow::EditHotkeys() {
    std::string jump = settings_.values.jumpFromClipboardHotkey;
    std::string show = settings_.values.showWindowHotkey;
    // Held while the dialog is open, the hotkeys could not be typed into it:
    // the system would take them first.
    hotkeys_.Clear();
    const bool changed = RunHotkeysDialog(
        window_, jump, show, [this](const std::string& tryJump, const std::string& tryShow) {
            std::vector<std::string> taken =
                RegisterHotkeys(hotkeys_, tray_, window_, tryJump, tryShow);
            if (!taken.empty()) hotkeys_.Clear();  // the dialog stays open for another try
            return taken;
        });
    if (changed) {
        settings_.values.jumpFromClipboardHotkey = jump;
        settings_.values.showWindowHotkey = show;
    } else {
        // A try in the dialog may have registered others meanwhile.
        RegisterHotkeys(hotkeys_, tray_, window_, settings_.values.jumpFromClipboardHotkey,
                        settings_.values.showWindowHotkey);
    }
    keyboard_.FocusKeyBox();
}

}  // namespace ks::ui
