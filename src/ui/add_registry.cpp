// The favourite editor: its controls, the enable rule of OK, and the modal
// run that hands the texts back.
#include "ui/add_registry.h"

#include <shellapi.h>

#include "grammar/path_notations.h"
#include "platform/win32/win32_process_control.h"
#include "ui/actions.h"
#include "ui/control_ids.h"
#include "ui/modal_dialog.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

constexpr char kClassName[] = "TfrmAddRegistry";
constexpr char kCaption[] = "Add to list";
constexpr int kClientWidth = 390;
constexpr int kClientHeight = 222;
// The group box's client origin; its fields are placed relative to it.
constexpr int kGroupLeft = 8;
constexpr int kGroupTop = 8;
// Pasted text is kept whole, not cut at the edit box's default of 32 KiB.
constexpr WPARAM kTextLimit = 0x7FFFFFFE;

class TfrmAddRegistry final : public ModalDialog {
public:
    ~TfrmAddRegistry() override { Destroy(); }

    bool Create(HWND owner);
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
    // A label of the group box, as wide and high as its text.
    HWND AddLabel(const char* text, int left, int top);
    // A label of the group box with a designed size.
    HWND AddLabel(const char* text, int left, int top, int width, int height);

    bool aOKUpdate() const;
    void aOKExecute();
    void bLaunchRegeditClick();

    UINT dpi_ = kDesignDpi;
    Font font_;
    ActionList ActionList1_;
    HWND eRegistryKey_ = nullptr;
    HWND eComment_ = nullptr;
};

bool TfrmAddRegistry::Create(HWND owner) {
    dpi_ = DpiOf(owner);
    font_ = CreateDesignFont(dpi_);
    if (!ModalDialog::Create(owner, kClassName, kCaption,
                             SIZE{Scaled(kClientWidth), Scaled(kClientHeight)}))
        return false;
    BuildControls();
    return eRegistryKey_ && eComment_;
}

void TfrmAddRegistry::BuildControls() {
    // Creation order is tab order: key, Launch, comment, OK, Cancel.
    AddLabel("Registry Key:", 14, 24);
    eRegistryKey_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_EREGISTRYKEY,
                               ScaledBounds(kGroupLeft + 14, kGroupTop + 51, 343, 21),
                               WS_EX_CLIENTEDGE);
    AddControl("BUTTON", "&Launch Registry Editor", WS_TABSTOP | BS_PUSHBUTTON,
               IDC_BLAUNCHREGEDIT, ScaledBounds(kGroupLeft + 87, kGroupTop + 19, 158, 24));
    AddLabel("Enter the registry key like: HKEY_CURRENT_USER\\Software\\Microsoft", 14, 80, 343,
             13);
    AddLabel("Comment:", 14, 110);
    eComment_ = AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, IDC_ECOMMENT,
                           ScaledBounds(kGroupLeft + 70, kGroupTop + 107, 285, 21),
                           WS_EX_CLIENTEDGE);
    HWND bOK = AddControl("BUTTON", "", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK,
                          ScaledBounds(200, 166, 80, 27));
    AddControl("BUTTON", "&Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
               ScaledBounds(301, 166, 80, 27));
    // Last, so that it lies beneath the controls it frames.
    AddControl("BUTTON", "", BS_GROUPBOX, IDC_SUIGROUPBOX1,
               ScaledBounds(kGroupLeft, kGroupTop, 372, 145));

    for (HWND edit : {eRegistryKey_, eComment_})
        if (edit) SendMessageW(edit, EM_SETLIMITTEXT, kTextLimit, 0);
    ApplyFont(Window(), font_.Get());

    ActionList1_.Add(IDOK, "&OK", [this] { aOKExecute(); }, [this] { return aOKUpdate(); });
    ActionList1_.BindButton(IDOK, bOK);
}

HWND TfrmAddRegistry::AddLabel(const char* text, int left, int top) {
    const SIZE size = TextExtent(font_.Get(), text);
    return AddControl("STATIC", text, SS_LEFTNOWORDWRAP | SS_NOPREFIX, -1,
                      Bounds(Scaled(kGroupLeft + left), Scaled(kGroupTop + top), size.cx,
                             size.cy));
}

HWND TfrmAddRegistry::AddLabel(const char* text, int left, int top, int width, int height) {
    return AddControl("STATIC", text, SS_LEFTNOWORDWRAP | SS_NOPREFIX, -1,
                      ScaledBounds(kGroupLeft + left, kGroupTop + top, width, height));
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

bool RunFavouriteEditor(HWND owner, std::string& keyText, std::string& comment) {
    TfrmAddRegistry editor;
    if (!editor.Create(owner)) return false;
    editor.SetTexts(keyText, comment);
    if (editor.Run() != IDOK) return false;
    keyText = editor.KeyText();
    comment = editor.Comment();
    return true;
}

}  // namespace ks::ui
