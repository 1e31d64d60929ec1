#include "ui/hotkeys_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "favourites/hotkey_text.h"
#include "texts.h"
#include "ui/control_ids.h"
#include "ui/modal_dialog.h"
#include "ui/ui_kit.h"
#include "ui/window_text.h"

namespace ks::ui {
namespace {

// Other programs find the dialog by this name.
constexpr char kClassName[] = "KeystrideHotkeys";
constexpr int kClientWidth = 330;
constexpr int kLabelLeft = 12;
constexpr int kFieldLeft = 150;
constexpr int kFieldWidth = 168;
constexpr int kRowTop = 14;
constexpr int kRowStep = 32;
constexpr int kFieldHeight = 21;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 27;

class HotkeysDialog final : public ModalDialog {
public:
    explicit HotkeysDialog(const TryHotkeys& tryHotkeys) : tryHotkeys_(tryHotkeys) {}
    ~HotkeysDialog() override { Destroy(); }

    bool Create(HWND owner, const std::string& jump, const std::string& show);
    int Run() { return ShowModal({}); }
    const std::string& Jump() const noexcept { return jump_; }
    const std::string& Show() const noexcept { return show_; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    SIZE LayOut(UINT dpi) override;
    // The control's hotkey as text; the one it started with when the control
    // cannot show that one (a Windows-key hotkey) and was left alone.
    std::string TextOf(HWND control, const std::string& started) const;
    void TryAndClose();

    const TryHotkeys& tryHotkeys_;
    Font font_;
    std::string jump_, show_;
    HWND labels_[2] = {};
    HWND fields_[2] = {};
    HWND okButton_ = nullptr;
    HWND cancelButton_ = nullptr;
};

void SetHotkey(HWND control, const std::string& text) {
    const std::optional<Hotkey> hotkey = ReadHotkey(text);
    SendMessageW(control, HKM_SETHOTKEY, hotkey ? HotkeyControlValue(*hotkey) : 0, 0);
}

bool HotkeysDialog::Create(HWND owner, const std::string& jump, const std::string& show) {
    jump_ = jump;
    show_ = show;
    // The hotkey control's class is registered when first needed, not at the start.
    const INITCOMMONCONTROLSEX hotkeyClass{sizeof hotkeyClass, ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&hotkeyClass);
    if (!ModalDialog::Create(owner, kClassName, KS_TEXT_HOTKEYS_CAPTION)) return false;
    // Creation order is tab order; each label just before its field, so
    // that its access key reaches it.
    const RECT none{};
    const char* captions[] = {KS_TEXT_HOTKEYS_JUMP, KS_TEXT_HOTKEYS_SHOW};
    const int ids[] = {IDC_HOTKEY_JUMP, IDC_HOTKEY_SHOW};
    for (int row = 0; row < 2; ++row) {
        labels_[row] = AddControl("STATIC", captions[row], SS_LEFTNOWORDWRAP, -1, none);
        fields_[row] = AddControl("msctls_hotkey32", "", WS_TABSTOP, ids[row], none);
        if (!fields_[row]) return false;
    }
    okButton_ = AddControl("BUTTON", KS_TEXT_OK, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, none);
    cancelButton_ = AddControl("BUTTON", KS_TEXT_CANCEL, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, none);
    SetHotkey(fields_[0], jump_);
    SetHotkey(fields_[1], show_);
    Place(LayOut(DpiOf(owner ? owner : Window())));
    return true;
}

SIZE HotkeysDialog::LayOut(UINT dpi) {
    // The controls take the new font before the old one goes.
    Font font = CreateMessageFont(dpi);
    ApplyFont(Window(), font.Get());
    font_ = std::move(font);
    const auto scaled = [dpi](int designed) { return Scale(designed, dpi); };
    const auto place = [](HWND control, const RECT& bounds) {
        SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    // Fields start at the designed place, or after the longer label.
    int fieldLeft = scaled(kFieldLeft);
    for (HWND label : labels_)
        fieldLeft = std::max<int>(fieldLeft,
                                  scaled(kLabelLeft) + CaptionExtent(label).cx + scaled(8));
    for (int row = 0; row < 2; ++row) {
        const int top = scaled(kRowTop + row * kRowStep);
        const SIZE label = CaptionExtent(labels_[row]);
        place(labels_[row], Bounds(scaled(kLabelLeft), top + (scaled(kFieldHeight) - label.cy) / 2,
                                   label.cx, label.cy));
        place(fields_[row], Bounds(fieldLeft, top, scaled(kFieldWidth), scaled(kFieldHeight)));
    }
    const int width = fieldLeft + scaled(kFieldWidth) + scaled(kLabelLeft);
    const int buttonsTop = scaled(kRowTop + 2 * kRowStep + 6);
    place(cancelButton_, Bounds(width - scaled(kLabelLeft + kButtonWidth), buttonsTop,
                                scaled(kButtonWidth), scaled(kButtonHeight)));
    place(okButton_, Bounds(width - scaled(kLabelLeft + 2 * kButtonWidth + 8), buttonsTop,
                            scaled(kButtonWidth), scaled(kButtonHeight)));
    return {std::max(width, scaled(kClientWidth)), buttonsTop + scaled(kButtonHeight + 12)};
}

std::string HotkeysDialog::TextOf(HWND control, const std::string& started) const {
    const auto value = static_cast<std::uint16_t>(SendMessageW(control, HKM_GETHOTKEY, 0, 0));
    const std::optional<Hotkey> shown = HotkeyFromControlValue(value);
    const std::optional<Hotkey> before = ReadHotkey(started);
    if (!shown) return before && HotkeyControlValue(*before) == 0 ? started : std::string();
    // Unchanged: kept as written.
    if (before && *before == *shown) return started;
    return HotkeyText(*shown);
}

void HotkeysDialog::TryAndClose() {
    const std::string jump = TextOf(fields_[0], jump_);
    const std::string show = TextOf(fields_[1], show_);
    const std::vector<std::string> taken =
        tryHotkeys_ ? tryHotkeys_(jump, show) : std::vector<std::string>{};
    if (!taken.empty()) {
        MessageBoxW(Window(), Wide(HotkeysTakenText(taken)).c_str(),
                    Wide(KS_TEXT_PRODUCT_NAME).c_str(), MB_OK | MB_ICONWARNING);
        return;  // the user picks another
    }
    jump_ = jump;
    show_ = show;
    EndModal(IDOK);
}

LRESULT HotkeysDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK:
            TryAndClose();
            return 0;
        case IDCANCEL:
            EndModal(IDCANCEL);
            return 0;
        default:
            break;
        }
    }
    return ModalDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace

bool RunHotkeysDialog(HWND owner, std::string& jumpFromClipboard, std::string& showWindow,
                      const TryHotkeys& tryHotkeys) {
    HotkeysDialog dialog(tryHotkeys);
    if (!dialog.Create(owner, jumpFromClipboard, showWindow)) return false;
    if (dialog.Run() != IDOK) return false;
    jumpFromClipboard = dialog.Jump();
    showWindow = dialog.Show();
    return true;
}

}  // namespace ks::ui
