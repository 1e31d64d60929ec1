#include "ui/title_banner.h"

#include <commctrl.h>

#include <initializer_list>
#include <utility>

#include "resource.h"
#include "texts.h"
#include "ui/jpeg_picture.h"
#include "ui/main_window_layout.h"

namespace ks::ui {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kLabel = kChild | SS_LEFT | SS_NOTIFY | SS_NOPREFIX;
constexpr DWORD kLink = kLabel | WS_TABSTOP | WS_GROUP;
constexpr DWORD kPicture = kChild | SS_ICON | SS_NOTIFY;

// Shown when the banner picture cannot be read, dark enough for the white
// labels on it.
constexpr COLORREF kFallback = RGB(0x1F, 0x3A, 0x6B);
constexpr COLORREF kLabelColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kHotLinkColour = RGB(0xFF, 0x00, 0x00);

constexpr UINT_PTR kLinkLabelSubclass = 3;
constexpr UINT_PTR kLinkKeysSubclass = 4;

SIZE WindowSize(HWND window) {
    const RECT rect = WindowBoundsOf(window);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT RectInParent(HWND control) {
    RECT rect = WindowBoundsOf(control);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

bool TitleBanner::Create(HWND window, HINSTANCE instance, UINT dpi, HFONT font) {
    window_ = window;
    instance_ = instance;
    dpi_ = dpi;
    BuildFonts();
    const auto make = [&](ControlRole role, const char* text, DWORD style, HFONT ownFont) {
        return CreateDesignedControl(window, instance, role, WC_STATICW, text, style, 0, dpi,
                                     ownFont);
    };
    lUpdate_ = make(ControlRole::UpdateLink, "Check for updates...", kLink, linkFont_.Get());
    lTitle_ = make(ControlRole::MakerLink, KS_TEXT_MAKER_SITE, kLink, titleFont_.Get());
    Image1_ = make(ControlRole::ProgramIcon, "", kPicture, font);
    iUpdate_ = make(ControlRole::UpdateIcon, "", kPicture, font);
    lTitleHint_ = make(ControlRole::Tagline, "Jump to a registry key directly", kLabel, font);
    imgTitle_ = make(ControlRole::Banner, "", kChild | SS_OWNERDRAW | SS_NOTIFY, font);
    if (!lUpdate_ || !lTitle_ || !Image1_ || !iUpdate_ || !lTitleHint_ || !imgTitle_) return false;

    SetWindowSubclass(lUpdate_, LinkLabelProc, kLinkLabelSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    for (HWND link : {lUpdate_, lTitle_})
        SetWindowSubclass(link, LinkKeysProc, kLinkKeysSubclass, 0);
    FitToCaption(lTitle_);
    FitToCaption(lUpdate_);
    SetWindowPos(imgTitle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    LoadUpdateIcon();
    return true;
}

void TitleBanner::SetDpi(UINT dpi) {
    dpi_ = dpi;
    // The labels take the new fonts before the old ones go.
    Font title = std::move(titleFont_);
    Font link = std::move(linkFont_);
    BuildFonts();
    SendMessageW(lTitle_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);
    SendMessageW(lUpdate_, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.Get()), FALSE);
    FitToCaption(lTitle_);
    FitToCaption(lUpdate_);
    LoadUpdateIcon();
}

void TitleBanner::BuildFonts() {
    titleFont_ = CreateDesignFont(dpi_, 15, FW_BOLD);
    linkFont_ = CreateDesignFont(dpi_, 12, FW_NORMAL, true);
}

void TitleBanner::LoadUpdateIcon() {
    // An icon of the window's own size, not a shared one: a shared icon
    // keeps the size it was first loaded at, and the DPI may change.
    Icon update(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_UPDATE), IMAGE_ICON,
                                              Scaled(16), Scaled(16), 0)));
    if (update) SendMessageW(iUpdate_, STM_SETICON, reinterpret_cast<WPARAM>(update.Get()), 0);
    updateIcon_ = std::move(update);
}

void TitleBanner::ShowProgramIcon(HICON icon) noexcept {
    SendMessageW(Image1_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void TitleBanner::LayOut() {
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    SetWindowPos(imgTitle_, nullptr, 0, 0, width, Scaled(50), SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT link = RectInParent(lUpdate_);
    const int linkLeft = width - (link.right - link.left) - Scaled(10);
    SetWindowPos(lUpdate_, nullptr, linkLeft, link.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(iUpdate_, nullptr, linkLeft - Scaled(20), RectInParent(iUpdate_).top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
}

void TitleBanner::Repaint() {
    // The labels on the banner paint their background from the picture at
    // the banner's size: when that changes, all of them are out of date.
    // The picture is made at the new size when they paint, so the sizes the
    // window passes through before it is shown cost nothing.
    const SIZE size = WindowSize(imgTitle_);
    if (!cache_ || (size.cx == cacheSize_.cx && size.cy == cacheSize_.cy)) return;
    brush_.Reset();
    cache_.Reset();
    cacheSize_ = {};
    for (HWND part : {imgTitle_, lTitle_, lUpdate_, lTitleHint_, Image1_, iUpdate_})
        RedrawWindow(part, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TitleBanner::RefreshCache() {
    const SIZE size = WindowSize(imgTitle_);
    if (cache_ && size.cx == cacheSize_.cx && size.cy == cacheSize_.cy) return;
    brush_.Reset();
    cache_.Reset();
    cacheSize_ = {};
    if (size.cx <= 0 || size.cy <= 0) return;
    // Decoded once, when the banner is first painted.
    if (!pictureDecoded_) {
        picture_ = LoadJpegResource(instance_, IDR_BANNER_MAIN);
        pictureDecoded_ = true;
    }

    HDC screen = GetDC(nullptr);
    if (!screen) return;
    Bitmap cache(CreateCompatibleBitmap(screen, size.cx, size.cy));
    {
        const MemoryDc target(CreateCompatibleDC(screen));
        if (cache && target) {
            const SelectedObject selected(target.Get(), cache.Get());
            const RECT all{0, 0, size.cx, size.cy};
            if (picture_) {
                PaintStretched(target.Get(), picture_.Get(), all);
            } else {
                Brush fill(CreateSolidBrush(kFallback));
                FillRect(target.Get(), &all, fill.Get());
            }
        }
    }
    ReleaseDC(nullptr, screen);
    if (!cache) return;
    brush_.Reset(CreatePatternBrush(cache.Get()));
    cache_ = std::move(cache);
    cacheSize_ = size;
}

bool TitleBanner::Draw(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != imgTitle_) return false;
    RefreshCache();
    const RECT& area = item.rcItem;
    if (!cache_) {
        FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    const MemoryDc source(CreateCompatibleDC(item.hDC));
    if (!source) return true;
    const SelectedObject selected(source.Get(), cache_.Get());
    BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
           source.Get(), area.left, area.top, SRCCOPY);
    return true;
}

std::optional<HBRUSH> TitleBanner::ControlColour(HDC dc, HWND control) {
    if (!control || (control != lTitle_ && control != lUpdate_ && control != lTitleHint_ &&
                     control != Image1_ && control != iUpdate_))
        return std::nullopt;
    RefreshCache();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, control == lUpdate_ ? (updateLinkHot_ ? kHotLinkColour : updateLinkColour_)
                                         : kLabelColour);
    if (!brush_) return GetSysColorBrush(COLOR_BTNFACE);
    // The pattern starts where the banner starts.
    const RECT banner = WindowBoundsOf(imgTitle_);
    const RECT own = WindowBoundsOf(control);
    SetBrushOrgEx(dc, banner.left - own.left, banner.top - own.top, nullptr);
    return brush_.Get();
}

bool TitleBanner::SetCursorOver(HWND control) const {
    if (!control || (control != lTitle_ && control != lUpdate_ && control != Image1_)) return false;
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    return true;
}

LRESULT CALLBACK TitleBanner::LinkLabelProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    // The update link turns red while the mouse is over it.
    auto* self = reinterpret_cast<TitleBanner*>(data);
    switch (message) {
    case WM_MOUSEMOVE:
        if (!self->updateLinkHot_) {
            self->updateLinkHot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            InvalidateRect(window, nullptr, TRUE);
        }
        break;
    case WM_MOUSELEAVE:
        self->updateLinkHot_ = false;
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, LinkLabelProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TitleBanner::LinkKeysProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    // A link is a tab stop: it shows a focus rectangle while it has the
    // focus, and Space opens it (Enter does through the default button).
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_PAINT: {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (GetFocus() == window) {
            if (HDC dc = GetDC(window)) {
                RECT client{};
                GetClientRect(window, &client);
                DrawFocusRect(dc, &client);
                ReleaseDC(window, dc);
            }
        }
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            SendMessageW(GetParent(window), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                         reinterpret_cast<LPARAM>(window));
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, LinkKeysProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace ks::ui
