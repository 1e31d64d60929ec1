#include "ui/hotkeys_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "favourites/hotkey_text.h"
#include "filled_text.h"
#include "texts.h"
#include "ui/control_ids.h"
#include "ui/dialog_keyboard.h"
#include "ui/message_loop.h"
#include "ui/modal_dialog.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

static_assert(kControlShift == HOTKEYF_SHIFT && kControlCtrl == HOTKEYF_CONTROL &&
              kControlAlt == HOTKEYF_ALT && kControlExtended == HOTKEYF_EXT);

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
    const std::string& Jump() const noexcept { return started_[0]; }
    const std::string& Show() const noexcept { return started_[1]; }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    SIZE LayOut(UINT dpi) override;
    // The row's hotkey as text (HotkeyTextOfControl); nothing for keys that
    // make no hotkey.
    std::optional<std::string> TextOf(int row) const;
    // False, after a box that says why, when the two texts make no pair of
    // hotkeys; the focus is then on the field to change.
    bool Usable(const std::optional<std::string> (&texts)[2]);
    void TryAndClose();

    const TryHotkeys& tryHotkeys_;
    std::string started_[2];
    // The user has typed into the field since it was filled.
    bool changed_[2] = {};
    HWND labels_[2] = {};
    HWND fields_[2] = {};
    HWND okButton_ = nullptr;
    HWND cancelButton_ = nullptr;
};

constexpr UINT_PTR kFieldSubclass = 1;

// Alt and a letter typed into a hotkey field is the hotkey, not the access
// key of a label or button (Alt+C would cancel the dialog). The dialog's
// keyboard reads access keys from WM_SYSCHAR without asking the control
// (Wine's IsDialogMessage never asks), so the field drops the characters
// its key made: TranslateMessage has queued them before the key arrives.
LRESULT CALLBACK HotkeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
    if (message == WM_SYSKEYDOWN) {
        const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        MSG character;
        while (PeekMessageW(&character, field, WM_SYSCHAR, WM_SYSCHAR, PM_REMOVE)) {
        }
        return result;
    }
    if (message == WM_SYSCHAR) return 0;
    return PassOn(HotkeyFieldProc, kFieldSubclass, field, message, wParam, lParam);
}

HWND PrepareField(HWND field, const std::string& text) {
    if (!field) return nullptr;
    // A key without a modifier becomes Ctrl+Alt and that key, as typed.
    SendMessageW(field, HKM_SETRULES, HKCOMB_NONE, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    const std::optional<Hotkey> hotkey = ReadHotkey(text);
    SendMessageW(field, HKM_SETHOTKEY, hotkey ? HotkeyControlValue(*hotkey) : 0, 0);
    SetWindowSubclass(field, HotkeyFieldProc, kFieldSubclass, 0);
    return field;
}

bool HotkeysDialog::Create(HWND owner, const std::string& jump, const std::string& show) {
    started_[0] = jump;
    started_[1] = show;
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
        fields_[row] = PrepareField(AddControl("msctls_hotkey32", "", WS_TABSTOP, ids[row], none),
                                    started_[row]);
        if (!fields_[row]) return false;
    }
    okButton_ = AddControl("BUTTON", KS_TEXT_OK, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, none);
    cancelButton_ = AddControl("BUTTON", KS_TEXT_CANCEL, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, none);
    changed_[0] = changed_[1] = false;  // filling them was no change
    Place(LayOut(DpiOf(owner ? owner : Window())));
    return true;
}

SIZE HotkeysDialog::LayOut(UINT dpi) {
    TakeMessageFont(dpi);
    const auto scaled = [dpi](int designed) { return Scale(designed, dpi); };
    // Fields start at the designed place, or after the longer label.
    int fieldLeft = scaled(kFieldLeft);
    for (HWND label : labels_)
        fieldLeft = std::max<int>(fieldLeft,
                                  scaled(kLabelLeft) + CaptionExtent(label).cx + scaled(8));
    for (int row = 0; row < 2; ++row) {
        const int top = scaled(kRowTop + row * kRowStep);
        const SIZE label = CaptionExtent(labels_[row]);
        PlaceControl(labels_[row],
                     Bounds(scaled(kLabelLeft), top + (scaled(kFieldHeight) - label.cy) / 2,
                            label.cx, label.cy));
        PlaceControl(fields_[row],
                     Bounds(fieldLeft, top, scaled(kFieldWidth), scaled(kFieldHeight)));
    }
    const int width = fieldLeft + scaled(kFieldWidth) + scaled(kLabelLeft);
    const int buttonsTop = scaled(kRowTop + 2 * kRowStep + 6);
    PlaceControl(cancelButton_, Bounds(width - scaled(kLabelLeft + kButtonWidth), buttonsTop,
                                       scaled(kButtonWidth), scaled(kButtonHeight)));
    PlaceControl(okButton_, Bounds(width - scaled(kLabelLeft + 2 * kButtonWidth + 8), buttonsTop,
                                   scaled(kButtonWidth), scaled(kButtonHeight)));
    return {std::max(width, scaled(kClientWidth)), buttonsTop + scaled(kButtonHeight + 12)};
}

std::optional<std::string> HotkeysDialog::TextOf(int row) const {
    const auto value = static_cast<std::uint16_t>(SendMessageW(fields_[row], HKM_GETHOTKEY, 0, 0));
    return HotkeyTextOfControl(value, started_[row], changed_[row]);
}

bool HotkeysDialog::Usable(const std::optional<std::string> (&texts)[2]) {
    for (int row = 0; row < 2; ++row) {
        if (texts[row]) continue;
        ShowWarningBox(Window(), KS_TEXT_HOTKEY_UNUSABLE);
        FocusControl(fields_[row]);
        return false;
    }
    // One hotkey can start one command only.
    const std::optional<Hotkey> jump = ReadHotkey(*texts[0]);
    if (jump && jump == ReadHotkey(*texts[1])) {
        ShowWarningBox(Window(), FilledText(KS_TEXT_HOTKEYS_SAME, {HotkeyText(*jump)}));
        FocusControl(fields_[1]);
        return false;
    }
    return true;
}

void HotkeysDialog::TryAndClose() {
    const std::optional<std::string> texts[2] = {TextOf(0), TextOf(1)};
    if (!Usable(texts)) return;
    const std::vector<std::string> taken =
        tryHotkeys_ ? tryHotkeys_(*texts[0], *texts[1]) : std::vector<std::string>{};
    if (!taken.empty()) {
        ShowWarningBox(Window(), HotkeysTakenText(taken));
        return;  // the user picks another
    }
    started_[0] = *texts[0];
    started_[1] = *texts[1];
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
        case IDC_HOTKEY_JUMP:
        case IDC_HOTKEY_SHOW:
            if (HIWORD(wParam) == EN_CHANGE) changed_[LOWORD(wParam) - IDC_HOTKEY_JUMP] = true;
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
