// The About window, scaled for its monitor's pixel density as the main
// window is.
#include "ui/about.h"

#include <shellapi.h>

#include "platform/win32/com_apartment.h"
#include "resource.h"
#include "texts.h"
#include "ui/control_ids.h"
#include "ui/jpeg_picture.h"
#include "ui/modal_dialog.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

constexpr char kClassName[] = "TfrmAbout";
constexpr char kCaption[] = "About Korvel Keystride";
constexpr int kClientWidth = 360;
constexpr int kClientHeight = 243;
constexpr POINT kIconPosition{20, 61};
constexpr int kIconSize = 32;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

class TfrmAbout final : public ModalDialog {
public:
    explicit TfrmAbout(HINSTANCE resources) noexcept : resources_(resources) {}
    ~TfrmAbout() override { Destroy(); }

    bool Create(HWND owner);
    void Run() { ShowModal({}); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    SIZE LayOut(UINT dpi) override;
    // A label at a designed place, as large as its text in `font`.
    void PlaceLabel(HWND label, const char* text, int left, int top, HFONT font) const;
    int Scaled(int designed) const noexcept { return Scale(designed, dpi_); }
    RECT ScaledBounds(int left, int top, int width, int height) const noexcept {
        return Bounds(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
    }
    void Paint(HDC dc) const;
    void lbEAddressClick();

    HINSTANCE resources_;
    UINT dpi_ = kDesignDpi;
    Font font_;
    Font linkFont_;
    Bitmap Image2_;
    Icon Image1_;  // made at the window's size
    HWND lName_ = nullptr;
    HWND lVersion_ = nullptr;
    HWND rule_ = nullptr;
    HWND lbEAddress_ = nullptr;
    HWND bOK_ = nullptr;
};

constexpr char kProductLine[] = "Korvel Keystride";
constexpr char kVersionLine[] = "Version: " KS_TEXT_VERSION "   Build 20261019";

bool TfrmAbout::Create(HWND owner) {
    Image2_ = LoadJpegResource(resources_, IDR_BANNER_ABOUT);
    if (!ModalDialog::Create(owner, kClassName, kCaption)) return false;
    const RECT none{};
    const DWORD label = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    lName_ = AddControl("STATIC", kProductLine, label, -1, none);
    lVersion_ = AddControl("STATIC", kVersionLine, label, -1, none);
    rule_ = AddControl("STATIC", "", SS_ETCHEDHORZ, -1, none);
    // SS_NOTIFY: the label takes the mouse, so it can be clicked and can set
    // its own cursor.
    lbEAddress_ = AddControl("STATIC", KS_TEXT_MAKER_SITE, label | SS_NOTIFY, IDC_ABOUT_ADDRESS, none);
    bOK_ = AddControl("BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, none);
    Place(LayOut(DpiOf(owner ? owner : Window())));
    return true;
}

SIZE TfrmAbout::LayOut(UINT dpi) {
    // The controls take the new fonts before the old ones go.
    dpi_ = dpi;
    Font font = CreateMessageFont(dpi_);
    Font linkFont = CreateMessageFont(dpi_, true);
    PlaceLabel(lName_, kProductLine, 80, 62, font.Get());
    PlaceLabel(lVersion_, kVersionLine, 80, 84, font.Get());
    PlaceLabel(lbEAddress_, KS_TEXT_MAKER_SITE, 80, 188, linkFont.Get());
    const RECT rule = ScaledBounds(80, 176, 262, 2);
    SetWindowPos(rule_, nullptr, rule.left, rule.top, rule.right - rule.left, rule.bottom - rule.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT ok = ScaledBounds(256, 202, 80, 27);
    SetWindowPos(bOK_, nullptr, ok.left, ok.top, ok.right - ok.left, ok.bottom - ok.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(bOK_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    font_ = std::move(font);
    linkFont_ = std::move(linkFont);
    Image1_.Reset(static_cast<HICON>(LoadImageA(resources_, MAKEINTRESOURCEA(IDI_KEYSTRIDE),
                                                IMAGE_ICON, Scaled(kIconSize), Scaled(kIconSize),
                                                0)));
    return {Scaled(kClientWidth), Scaled(kClientHeight)};
}

void TfrmAbout::PlaceLabel(HWND label, const char* text, int left, int top, HFONT font) const {
    const SIZE size = TextExtent(font, text);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(label, nullptr, Scaled(left), Scaled(top), size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmAbout::Paint(HDC dc) const {
    // Image2 is as large as its picture at the design's density, at the top
    // left.
    const SIZE banner = BitmapSize(Image2_.Get());
    if (banner.cx > 0) PaintStretched(dc, Image2_.Get(), ScaledBounds(0, 0, banner.cx, banner.cy));
    if (Image1_)
        DrawIconEx(dc, Scaled(kIconPosition.x), Scaled(kIconPosition.y), Image1_.Get(),
                   Scaled(kIconSize), Scaled(kIconSize), 0, nullptr, DI_NORMAL);
}

void TfrmAbout::lbEAddressClick() {
    // Nothing is reported when no browser starts; the window stays open.
    EnsureComApartment();
    ShellExecuteW(Window(), L"Open", Wide(KS_URL_PRODUCT).c_str(), nullptr, nullptr, SW_SHOW);
}

LRESULT TfrmAbout::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
        if (reinterpret_cast<HWND>(lParam) == lbEAddress_) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kLinkColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == lbEAddress_ && LOWORD(lParam) == HTCLIENT) {
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
            if (HIWORD(wParam) == STN_CLICKED) lbEAddressClick();
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
    TfrmAbout about(resources);
    if (about.Create(owner)) about.Run();
}

}  // namespace ks::ui
