// The About window, scaled for its monitor's pixel density as the main
// window is.
#include "ui/about.h"

#include "resource.h"
#include "texts.h"
#include "ui/control_ids.h"
#include "ui/jpeg_picture.h"
#include "ui/maker_links.h"
#include "ui/modal_dialog.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

// Other programs find the window by this name.
constexpr char kClassName[] = "TfrmAbout";
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 243;
constexpr POINT kIconPosition{20, 61};
constexpr int kIconSize = 32;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

class AboutDialog final : public ModalDialog {
public:
    explicit AboutDialog(HINSTANCE resources) noexcept : resources_(resources) {}
    ~AboutDialog() override { Destroy(); }

    bool Create(HWND owner);
    void Run() { ShowModal({}); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    SIZE LayOut(UINT dpi) override;
    // A label at a designed place, as large as its text in `font`.
    void PlaceLabel(HWND label, const char* text, POINT designed, HFONT font, UINT dpi) const;
    void Paint(HDC dc) const;

    HINSTANCE resources_;
    Font linkFont_;
    Bitmap banner_;
    Icon icon_;  // made at the window's size
    HWND productLabel_ = nullptr;
    HWND versionLabel_ = nullptr;
    HWND rule_ = nullptr;
    HWND addressLink_ = nullptr;
    HWND okButton_ = nullptr;
};

constexpr char kProductLine[] = KS_TEXT_ABOUT_PRODUCT;
constexpr char kVersionLine[] = KS_TEXT_ABOUT_VERSION;

RECT ScaledBounds(int left, int top, int width, int height, UINT dpi) noexcept {
    return Bounds(Scale(left, dpi), Scale(top, dpi), Scale(width, dpi), Scale(height, dpi));
}

bool AboutDialog::Create(HWND owner) {
    banner_ = LoadJpegResource(resources_, IDR_BANNER_ABOUT);
    if (!ModalDialog::Create(owner, kClassName, KS_TEXT_ABOUT_CAPTION)) return false;
    const RECT none{};
    const DWORD label = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    productLabel_ = AddControl("STATIC", kProductLine, label, -1, none);
    versionLabel_ = AddControl("STATIC", kVersionLine, label, -1, none);
    rule_ = AddControl("STATIC", "", SS_ETCHEDHORZ, -1, none);
    // SS_NOTIFY: the label takes the mouse, so it can be clicked and can set
    // its own cursor.
    addressLink_ = AddControl("STATIC", KS_TEXT_MAKER_SITE, label | SS_NOTIFY, IDC_ABOUT_ADDRESS, none);
    okButton_ = AddControl("BUTTON", KS_TEXT_OK, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, none);
    Place(LayOut(DpiOf(owner ? owner : Window())));
    return true;
}

SIZE AboutDialog::LayOut(UINT dpi) {
    // The link's font is set after the message font all controls take.
    const HFONT font = TakeMessageFont(dpi);
    Font linkFont = CreateMessageFont(dpi, true);
    PlaceLabel(productLabel_, kProductLine, {80, 62}, font, dpi);
    PlaceLabel(versionLabel_, kVersionLine, {80, 84}, font, dpi);
    PlaceLabel(addressLink_, KS_TEXT_MAKER_SITE, {80, 188}, linkFont.Get(), dpi);
    PlaceControl(rule_, ScaledBounds(80, 176, 262, 2, dpi));
    PlaceControl(okButton_, ScaledBounds(256, 202, 80, 27, dpi));
    linkFont_ = std::move(linkFont);
    icon_.Reset(static_cast<HICON>(LoadImageA(resources_, MAKEINTRESOURCEA(IDI_KEYSTRIDE),
                                              IMAGE_ICON, Scale(kIconSize, dpi),
                                              Scale(kIconSize, dpi), 0)));
    return {Scale(kClientWidth, dpi), Scale(kClientHeight, dpi)};
}

void AboutDialog::PlaceLabel(HWND label, const char* text, POINT designed, HFONT font,
                             UINT dpi) const {
    const SIZE size = TextExtent(font, text);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(label, nullptr, Scale(designed.x, dpi), Scale(designed.y, dpi), size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutDialog::Paint(HDC dc) const {
    // The banner is as large as its picture at the design's density, at the
    // top left.
    const UINT dpi = DpiOf(Window());
    const SIZE banner = BitmapSize(banner_.Get());
    if (banner.cx > 0)
        PaintStretched(dc, banner_.Get(), ScaledBounds(0, 0, banner.cx, banner.cy, dpi));
    if (icon_)
        DrawIconEx(dc, Scale(kIconPosition.x, dpi), Scale(kIconPosition.y, dpi), icon_.Get(),
                   Scale(kIconSize, dpi), Scale(kIconSize, dpi), 0, nullptr, DI_NORMAL);
}

LRESULT AboutDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = BeginPaint(Window(), &paint)) {
            Paint(dc);
            EndPaint(Window(), &paint);
        }
        return 0;
    }
    case WM_PRINTCLIENT:  // printed into a bitmap, as for screenshots and animations
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == addressLink_) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kLinkColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == addressLink_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Escape
            EndModal(IDOK);
            return 0;
        case IDC_ABOUT_ADDRESS:
            // Nothing is reported when no browser starts; the window stays open.
            if (HIWORD(wParam) == STN_CLICKED)
                OpenMakerPage(resources_, Window(), MakerPage::Product);
            return 0;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return ModalDialog::HandleMessage(message, wParam, lParam);
}

}  // namespace

void RunAboutWindow(HWND owner) { RunAboutWindow(owner, GetModuleHandleA(nullptr)); }

void RunAboutWindow(HWND owner, HINSTANCE resources) {
    AboutDialog about(resources);
    if (about.Create(owner)) about.Run();
}

}  // namespace ks::ui
