// The favourite editor: its controls, the enable rule of OK, and the modal
// run that hands the texts back.
#include "ui/favourite_editor.h"

#include <algorithm>

#include "grammar/path_notations.h"
#include "texts.h"
#include "ui/command_list.h"
#include "ui/control_ids.h"
#include "ui/modal_dialog.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

// Other programs find the dialog by this name.
constexpr char kClassName[] = "TfrmAddRegistry";
constexpr char kKeyLabel[] = KS_TEXT_EDITOR_KEY_LABEL;
constexpr char kCommentLabel[] = KS_TEXT_EDITOR_COMMENT_LABEL;
constexpr char kHint[] = KS_TEXT_EDITOR_HINT;
constexpr char kLaunchCaption[] = KS_TEXT_EDITOR_LAUNCH;
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

class FavouriteEditorDialog final : public ModalDialog {
public:
    explicit FavouriteEditorDialog(std::function<void(const std::string&)> launch)
        : launch_(std::move(launch)) {}
    ~FavouriteEditorDialog() override { Destroy(); }

    bool Create(HWND owner, FavouriteEditorPurpose purpose);
    void SetTexts(const std::string& keyText, const std::string& comment);
    int Run();
    std::string KeyText() const { return WindowText(keyBox_); }
    std::string Comment() const { return WindowText(commentBox_); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    SIZE LayOut(UINT dpi) override;
    void CreateControls();
    // Puts a label of the group box at a designed left edge and a top in
    // client pixels, as wide and high as its text; its right edge in client
    // pixels.
    int PlaceLabel(HWND label, const char* text, int left, int top, UINT dpi) const;
    // The hint's height when it wraps at the field's width.
    int HintHeight(UINT dpi) const;
    // How far the comment row and everything below moves down so that the
    // hint shows whole.
    int ExtraHeight(UINT dpi) const;

    std::function<void(const std::string&)> launch_;
    CommandList commands_;
    HWND keyLabel_ = nullptr;
    HWND keyBox_ = nullptr;
    HWND launchButton_ = nullptr;
    HWND hint_ = nullptr;
    HWND commentLabel_ = nullptr;
    HWND commentBox_ = nullptr;
    HWND okButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    HWND group_ = nullptr;
};

bool FavouriteEditorDialog::Create(HWND owner, FavouriteEditorPurpose purpose) {
    const char* caption = purpose == FavouriteEditorPurpose::Edit ? KS_TEXT_EDITOR_EDIT_CAPTION
                                                                  : KS_TEXT_EDITOR_ADD_CAPTION;
    if (!ModalDialog::Create(owner, kClassName, caption)) return false;
    CreateControls();
    if (!keyBox_ || !commentBox_) return false;
    Place(LayOut(DpiOf(owner ? owner : Window())));
    return true;
}

void FavouriteEditorDialog::CreateControls() {
    // Creation order is tab order: key, Launch, comment, OK, Cancel; each
    // label comes just before its field, so that its access key reaches it.
    // LayOut gives them their places.
    const RECT none{};
    keyLabel_ = AddControl("STATIC", kKeyLabel, SS_LEFTNOWORDWRAP, -1, none);
    keyBox_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_EDITOR_KEY, none,
                         WS_EX_CLIENTEDGE);
    launchButton_ =
        AddControl("BUTTON", kLaunchCaption, WS_TABSTOP | BS_PUSHBUTTON, IDC_EDITOR_LAUNCH, none);
    hint_ = AddControl("STATIC", kHint, SS_LEFT | SS_NOPREFIX, -1, none);
    commentLabel_ = AddControl("STATIC", kCommentLabel, SS_LEFTNOWORDWRAP, -1, none);
    commentBox_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_EDITOR_COMMENT, none,
                             WS_EX_CLIENTEDGE);
    okButton_ = AddControl("BUTTON", KS_TEXT_OK, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, none);
    cancelButton_ =
        AddControl("BUTTON", KS_TEXT_CANCEL, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, none);
    // Last, so that it lies beneath the controls it frames.
    group_ = AddControl("BUTTON", "", BS_GROUPBOX, IDC_EDITOR_GROUP, none);

    for (HWND edit : {keyBox_, commentBox_})
        if (edit) SendMessageW(edit, EM_SETLIMITTEXT, kTextLimit, 0);

    // OK takes only a text that names a key.
    commands_.Add(IDOK, [this] { EndModal(IDOK); },
                  [this] { return IsFavouriteKeyText(KeyText()); });
    commands_.BindButton(IDOK, okButton_);
}

SIZE FavouriteEditorDialog::LayOut(UINT dpi) {
    TakeMessageFont(dpi);

    const auto scaled = [dpi](int designed) { return Scale(designed, dpi); };
    const int gap = scaled(kLabelGap);
    const int keyLabelRight =
        PlaceLabel(keyLabel_, kKeyLabel, kFieldLeft, scaled(kGroupTop + 24), dpi);
    PlaceControl(keyBox_, Bounds(scaled(kGroupLeft + kFieldLeft), scaled(kGroupTop + 51),
                                 scaled(kFieldWidth), scaled(21)));
    const int launchLeft = std::max(scaled(kGroupLeft + 87), keyLabelRight + gap);
    const int launchWidth = std::max(
        scaled(158), static_cast<int>(TextExtent(MessageFont(), kLaunchCaption).cx) +
                         scaled(16));
    PlaceControl(launchButton_,
                 Bounds(launchLeft, scaled(kGroupTop + 19), launchWidth, scaled(24)));
    PlaceControl(hint_, Bounds(scaled(kGroupLeft + kFieldLeft), scaled(kGroupTop + kHintTop),
                               scaled(kFieldWidth), HintHeight(dpi)));

    const int down = ExtraHeight(dpi);
    const int commentLabelRight =
        PlaceLabel(commentLabel_, kCommentLabel, kFieldLeft, scaled(kGroupTop + 110) + down, dpi);
    const int fieldRight = scaled(kGroupLeft + kFieldLeft + kFieldWidth);
    const int commentLeft = std::max(scaled(kGroupLeft + 70), commentLabelRight + gap);
    PlaceControl(commentBox_, Bounds(commentLeft, scaled(kGroupTop + kCommentTop) + down,
                                     fieldRight - commentLeft, scaled(21)));
    PlaceControl(okButton_, Bounds(scaled(200), scaled(166) + down, scaled(80), scaled(27)));
    PlaceControl(cancelButton_, Bounds(scaled(301), scaled(166) + down, scaled(80), scaled(27)));
    PlaceControl(group_, Bounds(scaled(kGroupLeft), scaled(kGroupTop), scaled(kGroupWidth),
                                scaled(kGroupHeight) + down));
    return {scaled(kClientWidth), scaled(kClientHeight) + down};
}

int FavouriteEditorDialog::PlaceLabel(HWND label, const char* text, int left, int top,
                                      UINT dpi) const {
    const SIZE size = TextExtent(MessageFont(), text);
    const RECT bounds = Bounds(Scale(kGroupLeft + left, dpi), top, size.cx, size.cy);
    PlaceControl(label, bounds);
    return bounds.right;
}

int FavouriteEditorDialog::HintHeight(UINT dpi) const {
    return std::max(Scale(13, dpi),
                    WrappedTextHeight(MessageFont(), kHint, Scale(kFieldWidth, dpi)));
}

int FavouriteEditorDialog::ExtraHeight(UINT dpi) const {
    const int hintBottom = Scale(kGroupTop + kHintTop, dpi) + HintHeight(dpi);
    return std::max(0, hintBottom + Scale(4, dpi) - Scale(kGroupTop + kCommentTop, dpi));
}

void FavouriteEditorDialog::SetTexts(const std::string& keyText, const std::string& comment) {
    SetWindowTextTo(keyBox_, keyText);
    SetWindowTextTo(commentBox_, comment);
}

int FavouriteEditorDialog::Run() {
    // The rule is applied before the first paint, so OK never shows enabled
    // for a text it rejects.
    commands_.Update();
    return ShowModal([this] { commands_.Update(); });
}

LRESULT FavouriteEditorDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        // Enter arrives as IDOK with no notification code, a click with
        // BN_CLICKED (also 0); both go through the command and its rule.
        switch (LOWORD(wParam)) {
        case IDOK:
            commands_.Execute(IDOK);
            return 0;
        case IDCANCEL:
            EndModal(IDCANCEL);
            return 0;
        case IDC_EDITOR_LAUNCH:
            if (HIWORD(wParam) == BN_CLICKED && launch_) launch_(KeyText());
            return 0;
        default:
            break;
        }
    }
    return ModalDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace

bool RunFavouriteEditor(HWND owner, FavouriteEditorPurpose purpose, std::string& keyText,
                        std::string& comment,
                        const std::function<void(const std::string&)>& launch) {
    FavouriteEditorDialog editor(launch);
    if (!editor.Create(owner, purpose)) return false;
    editor.SetTexts(keyText, comment);
    if (editor.Run() != IDOK) return false;
    keyText = editor.KeyText();
    comment = editor.Comment();
    return true;
}

}  // namespace ks::ui
