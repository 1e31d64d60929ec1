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
    SIZE LayOut(UINT dpi) override;
    void CreateControls();
    int Scaled(int designed) const noexcept { return Scale(designed, dpi_); }
    RECT ScaledBounds(int left, int top, int width, int height) const noexcept {
        return Bounds(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
    }
    // Puts a label of the group box at a designed left edge and a top in
    // client pixels, as wide and high as its text; its right edge in client
    // pixels.
    int PlaceLabel(HWND label, const char* text, int left, int top) const;
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
    HWND keyLabel_ = nullptr;
    HWND eRegistryKey_ = nullptr;
    HWND bLaunchRegedit_ = nullptr;
    HWND hint_ = nullptr;
    HWND commentLabel_ = nullptr;
    HWND eComment_ = nullptr;
    HWND bOK_ = nullptr;
    HWND bCancel_ = nullptr;
    HWND suiGroupBox1_ = nullptr;
};

bool TfrmAddRegistry::Create(HWND owner, FavouriteEditorPurpose purpose) {
    const char* caption = purpose == FavouriteEditorPurpose::Edit ? kEditCaption : kAddCaption;
    if (!ModalDialog::Create(owner, kClassName, caption)) return false;
    CreateControls();
    if (!eRegistryKey_ || !eComment_) return false;
    Place(LayOut(DpiOf(owner ? owner : Window())));
    return true;
}

void TfrmAddRegistry::CreateControls() {
    // Creation order is tab order: key, Launch, comment, OK, Cancel; each
    // label comes just before its field, so that its access key reaches it.
    // LayOut gives them their places.
    const RECT none{};
    keyLabel_ = AddControl("STATIC", kKeyLabel, SS_LEFTNOWORDWRAP, -1, none);
    eRegistryKey_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_EDITOR_KEY, none,
                               WS_EX_CLIENTEDGE);
    bLaunchRegedit_ =
        AddControl("BUTTON", kLaunchCaption, WS_TABSTOP | BS_PUSHBUTTON, IDC_EDITOR_LAUNCH, none);
    hint_ = AddControl("STATIC", kHint, SS_LEFT | SS_NOPREFIX, -1, none);
    commentLabel_ = AddControl("STATIC", kCommentLabel, SS_LEFTNOWORDWRAP, -1, none);
    eComment_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_EDITOR_COMMENT, none,
                           WS_EX_CLIENTEDGE);
    bOK_ = AddControl("BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, none);
    bCancel_ = AddControl("BUTTON", "&Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, none);
    // Last, so that it lies beneath the controls it frames.
    suiGroupBox1_ = AddControl("BUTTON", "", BS_GROUPBOX, IDC_EDITOR_GROUP, none);

    for (HWND edit : {eRegistryKey_, eComment_})
        if (edit) SendMessageW(edit, EM_SETLIMITTEXT, kTextLimit, 0);

    ActionList1_.Add(IDOK, "&OK", [this] { aOKExecute(); }, [this] { return aOKUpdate(); });
    ActionList1_.BindButton(IDOK, bOK_);
}

SIZE TfrmAddRegistry::LayOut(UINT dpi) {
    // The controls take the new font before the old one goes.
    dpi_ = dpi;
    Font font = CreateMessageFont(dpi_);
    ApplyFont(Window(), font.Get());
    font_ = std::move(font);

    const auto place = [](HWND control, const RECT& bounds) {
        SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const int gap = Scaled(kLabelGap);
    const int keyLabelRight = PlaceLabel(keyLabel_, kKeyLabel, kFieldLeft, Scaled(kGroupTop + 24));
    place(eRegistryKey_, ScaledBounds(kGroupLeft + kFieldLeft, kGroupTop + 51, kFieldWidth, 21));
    const int launchLeft = std::max(Scaled(kGroupLeft + 87), keyLabelRight + gap);
    const int launchWidth =
        std::max(Scaled(158), static_cast<int>(TextExtent(font_.Get(), kLaunchCaption).cx) + Scaled(16));
    place(bLaunchRegedit_, Bounds(launchLeft, Scaled(kGroupTop + 19), launchWidth, Scaled(24)));
    place(hint_, Bounds(Scaled(kGroupLeft + kFieldLeft), Scaled(kGroupTop + kHintTop),
                        Scaled(kFieldWidth), HintHeight()));

    const int down = ExtraHeight();
    const int commentLabelRight =
        PlaceLabel(commentLabel_, kCommentLabel, kFieldLeft, Scaled(kGroupTop + 110) + down);
    const int fieldRight = Scaled(kGroupLeft + kFieldLeft + kFieldWidth);
    const int commentLeft = std::max(Scaled(kGroupLeft + 70), commentLabelRight + gap);
    place(eComment_, Bounds(commentLeft, Scaled(kGroupTop + kCommentTop) + down,
                            fieldRight - commentLeft, Scaled(21)));
    place(bOK_, Bounds(Scaled(200), Scaled(166) + down, Scaled(80), Scaled(27)));
    place(bCancel_, Bounds(Scaled(301), Scaled(166) + down, Scaled(80), Scaled(27)));
    place(suiGroupBox1_, Bounds(Scaled(kGroupLeft), Scaled(kGroupTop), Scaled(kGroupWidth),
                                Scaled(kGroupHeight) + down));
    return {Scaled(kClientWidth), Scaled(kClientHeight) + down};
}

int TfrmAddRegistry::PlaceLabel(HWND label, const char* text, int left, int top) const {
    const SIZE size = TextExtent(font_.Get(), text);
    const RECT bounds = Bounds(Scaled(kGroupLeft + left), top, size.cx, size.cy);
    SetWindowPos(label, nullptr, bounds.left, bounds.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
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
        case IDC_EDITOR_LAUNCH:
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
