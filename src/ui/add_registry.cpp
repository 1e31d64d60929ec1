// The favourite editor: its controls, the enable rule of OK, and the modal
// run that hands the texts back.
#include "ui/add_registry.h"

#include <shellapi.h>

#include <algorithm>

#include "grammar/path_notations.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/win32_process_control.h"
#include "ui/actions.h"
#include "ui/control_ids.h"
#include "ui/modal_dialog.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

constexpr char kClassName[] = "TfrmAddRegistry";
constexpr char kAddCaption[] = "Add to list";
constexpr char kEditCaption[] = "Edit Favourite";
constexpr char kKeyLabel[] = "&Registry Key:";
constexpr char kCommentLabel[] = "Co&mment:";
constexpr char kHint[] = "Enter the registry key like: HKEY_CURRENT_USER\\Software\\Microsoft";
constexpr char kLaunchCaption[] = "&Launch Registry Editor";
constexpr int kClientWidth = 390;
constexpr int kClientHeight = 222;
// The group box's client origin; its fields are placed relative to it.
constexpr int kGroupLeft = 8;
constexpr int kGroupTop = 8;
constexpr int kGroupWidth = 372;
constexpr int kGroupHeight = 145;
// Fields start at the designed place, or this far after their label when
// the label runs longer at the display's font.
constexpr int kLabelGap = 6;
constexpr int kHintTop = 80;
constexpr int kCommentTop = 107;
constexpr int kFieldLeft = 14;
constexpr int kFieldWidth = 343;
// Pasted text is kept whole, not cut at the edit box's default of 32 KiB.
constexpr WPARAM kTextLimit = 0x7FFFFFFE;

class TfrmAddRegistry final : public ModalDialog {
public:
    ~TfrmAddRegistry() override { Destroy(); }

    bool Create(HWND owner, FavouriteEditorPurpose purpose);
    void SetTexts(const std::string& keyText, const std::string& comment);
    int Run();
    std::string KeyText() const { return WindowText(eRegistryKey_); }
    std::string Comment() const { return WindowText(eComment_); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void BuildControls();
    int Scaled(int designed) const noexcept { return Scale(designed, dpi_); }
    RECT ScaledBounds(int left, int top, int width, int height) const noexcept {
        return Bounds(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
    }
    // A label of the group box at a designed left edge and a top in client
    // pixels, as wide and high as its text; its right edge in client pixels.
    int AddLabel(const char* text, int left, int top);
    // The hint's height when it wraps at the field's width.
    int HintHeight() const;
    // How far the comment row and everything below moves down so that the
    // hint shows whole.
    int ExtraHeight() const;

    bool aOKUpdate() const;
    void aOKExecute();
    void bLaunchRegeditClick();

    UINT dpi_ = kDesignDpi;
    Font font_;
    ActionList ActionList1_;
    HWND eRegistryKey_ = nullptr;
    HWND eComment_ = nullptr;
};

bool TfrmAddRegistry::Create(HWND owner, FavouriteEditorPurpose purpose) {
    dpi_ = DpiOf(owner);
    font_ = CreateDesignFont(dpi_);
    const char* caption = purpose == FavouriteEditorPurpose::Edit ? kEditCaption : kAddCaption;
    if (!ModalDialog::Create(owner, kClassName, caption,
                             SIZE{Scaled(kClientWidth), Scaled(kClientHeight) + ExtraHeight()}))
        return false;
    BuildControls();
    return eRegistryKey_ && eComment_;
}

void TfrmAddRegistry::BuildControls() {
    // Creation order is tab order: key, Launch, comment, OK, Cancel; each
    // label comes just before its field, so that its access key reaches it.
    const int gap = Scaled(kLabelGap);
    const int keyLabelRight = AddLabel(kKeyLabel, kFieldLeft, Scaled(kGroupTop + 24));
    eRegistryKey_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_EREGISTRYKEY,
                               ScaledBounds(kGroupLeft + kFieldLeft, kGroupTop + 51, kFieldWidth, 21),
                               WS_EX_CLIENTEDGE);
    const int launchLeft = std::max(Scaled(kGroupLeft + 87), keyLabelRight + gap);
    const int launchWidth =
        std::max(Scaled(158), static_cast<int>(TextExtent(font_.Get(), kLaunchCaption).cx) + Scaled(16));
    AddControl("BUTTON", kLaunchCaption, WS_TABSTOP | BS_PUSHBUTTON, IDC_BLAUNCHREGEDIT,
               Bounds(launchLeft, Scaled(kGroupTop + 19), launchWidth, Scaled(24)));
    AddControl("STATIC", kHint, SS_LEFT | SS_NOPREFIX, -1,
               Bounds(Scaled(kGroupLeft + kFieldLeft), Scaled(kGroupTop + kHintTop),
                      Scaled(kFieldWidth), HintHeight()));

    const int down = ExtraHeight();
    const int commentLabelRight = AddLabel(kCommentLabel, kFieldLeft, Scaled(kGroupTop + 110) + down);
    const int fieldRight = Scaled(kGroupLeft + kFieldLeft + kFieldWidth);
    const int commentLeft = std::max(Scaled(kGroupLeft + 70), commentLabelRight + gap);
    eComment_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_ECOMMENT,
                           Bounds(commentLeft, Scaled(kGroupTop + kCommentTop) + down,
                                  fieldRight - commentLeft, Scaled(21)),
                           WS_EX_CLIENTEDGE);
    HWND bOK = AddControl("BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK,
                          Bounds(Scaled(200), Scaled(166) + down, Scaled(80), Scaled(27)));
    AddControl("BUTTON", "&Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
               Bounds(Scaled(301), Scaled(166) + down, Scaled(80), Scaled(27)));
    // Last, so that it lies beneath the controls it frames.
    AddControl("BUTTON", "", BS_GROUPBOX, IDC_SUIGROUPBOX1,
               Bounds(Scaled(kGroupLeft), Scaled(kGroupTop), Scaled(kGroupWidth),
                      Scaled(kGroupHeight) + down));

    for (HWND edit : {eRegistryKey_, eComment_})
        if (edit) SendMessageW(edit, EM_SETLIMITTEXT, kTextLimit, 0);
    ApplyFont(Window(), font_.Get());

    ActionList1_.Add(IDOK, "&OK", [this] { aOKExecute(); }, [this] { return aOKUpdate(); });
    ActionList1_.BindButton(IDOK, bOK);
}

int TfrmAddRegistry::AddLabel(const char* text, int left, int top) {
    const SIZE size = TextExtent(font_.Get(), text);
    const RECT bounds = Bounds(Scaled(kGroupLeft + left), top, size.cx, size.cy);
    AddControl("STATIC", text, SS_LEFTNOWORDWRAP, -1, bounds);
    return bounds.right;
}

int TfrmAddRegistry::HintHeight() const {
    return std::max(Scaled(13), WrappedTextHeight(font_.Get(), kHint, Scaled(kFieldWidth)));
}

int TfrmAddRegistry::ExtraHeight() const {
    const int hintBottom = Scaled(kGroupTop + kHintTop) + HintHeight();
    return std::max(0, hintBottom + Scaled(4) - Scaled(kGroupTop + kCommentTop));
}

void TfrmAddRegistry::SetTexts(const std::string& keyText, const std::string& comment) {
    SetWindowTextTo(eRegistryKey_, keyText);
    SetWindowTextTo(eComment_, comment);
}

int TfrmAddRegistry::Run() {
    // The rule is applied before the first paint, so OK never shows enabled
    // for a text it rejects.
    ActionList1_.Update();
    return ShowModal([this] { ActionList1_.Update(); });
}

bool TfrmAddRegistry::aOKUpdate() const { return IsFavouriteKeyText(KeyText()); }

void TfrmAddRegistry::aOKExecute() { EndModal(IDOK); }

void TfrmAddRegistry::bLaunchRegeditClick() {
    // The full path, as the jump starts it: a bare name would be looked up
    // in the current folder first, where a planted regedit.exe would be
    // started instead. Whether the editor started is not our concern: the
    // user sees it or not.
    Win32ProcessControl processes;
    const std::string windowsFolder = processes.WindowsDirectory();
    if (windowsFolder.empty()) return;
    const std::string editor = windowsFolder + "\\regedit.exe";
    void* redirection = nullptr;
    processes.DisableFsRedirection(redirection);
    EnsureComApartment();
    ShellExecuteW(Window(), L"Open", Wide(editor).c_str(), nullptr, nullptr, SW_SHOW);
    processes.RevertFsRedirection(redirection);
}

LRESULT TfrmAddRegistry::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        // Enter arrives as IDOK with no notification code, a click with
        // BN_CLICKED (also 0); both go through the action and its rule.
        switch (LOWORD(wParam)) {
        case IDOK:
            ActionList1_.Execute(IDOK);
            return 0;
        case IDCANCEL:
            EndModal(IDCANCEL);
            return 0;
        case IDC_BLAUNCHREGEDIT:
            if (HIWORD(wParam) == BN_CLICKED) bLaunchRegeditClick();
            return 0;
        default:
            break;
        }
    }
    return ModalDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace

bool RunFavouriteEditor(HWND owner, FavouriteEditorPurpose purpose, std::string& keyText,
                        std::string& comment) {
    TfrmAddRegistry editor;
    if (!editor.Create(owner, purpose)) return false;
    editor.SetTexts(keyText, comment);
    if (editor.Run() != IDOK) return false;
    keyText = editor.KeyText();
    comment = editor.Comment();
    return true;
}

}  // namespace ks::ui
