#include "ui/title_banner.h"

#include <commctrl.h>

#include <initializer_list>
#include <utility>

#include "resource.h"
#include "texts.h"
#include "ui/jpeg_picture.h"

namespace ks::ui {
namespace {

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

bool TitleBanner::Attach(const MainControls& controls, HINSTANCE instance) {
    window_ = GetParent(controls[ControlRole::Banner]);
    instance_ = instance;
    picture_ = controls[ControlRole::Banner];
    makerLink_ = controls[ControlRole::MakerLink];
    updateLink_ = controls[ControlRole::UpdateLink];
    tagline_ = controls[ControlRole::Tagline];
    programIcon_ = controls[ControlRole::ProgramIcon];
    updateIcon_ = controls[ControlRole::UpdateIcon];
    if (!window_ || !makerLink_ || !updateLink_ || !tagline_ || !programIcon_ || !updateIcon_)
        return false;
    SetWindowSubclass(updateLink_, LinkLabelProc, kLinkLabelSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    for (HWND link : {updateLink_, makerLink_})
        SetWindowSubclass(link, LinkKeysProc, kLinkKeysSubclass, 0);
    // Under every other control, so that the labels stand on it.
    SetWindowPos(picture_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TakeDpi(DpiOf(window_));
    return true;
}

void TitleBanner::TakeDpi(UINT dpi) {
    // The banner's own lettering as designed; the labels take the new fonts
    // before the old ones go.
    Font title = CreateDesignFont(dpi, 15, FW_BOLD);
    Font link = CreateDesignFont(dpi, 12, FW_NORMAL, true);
    SendMessageW(makerLink_, WM_SETFONT, reinterpret_cast<WPARAM>(title.Get()), FALSE);
    SendMessageW(updateLink_, WM_SETFONT, reinterpret_cast<WPARAM>(link.Get()), FALSE);
    titleFont_ = std::move(title);
    linkFont_ = std::move(link);
    FitToCaption(makerLink_);
    FitToCaption(updateLink_);
    // An icon of the window's own size, not a shared one: a shared icon
    // keeps the size it was first loaded at, and the DPI may change.
    Icon update(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_UPDATE), IMAGE_ICON,
                                              Scale(16, dpi), Scale(16, dpi), 0)));
    if (!update) return;  // the icon shown stays
    SendMessageW(updateIcon_, STM_SETICON, reinterpret_cast<WPARAM>(update.Get()), 0);
    updateIconImage_ = std::move(update);
}

void TitleBanner::ShowProgramIcon(HICON icon) noexcept {
    SendMessageW(programIcon_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void TitleBanner::LayOut(UINT dpi) {
    const auto scaled = [dpi](int designed) { return Scale(designed, dpi); };
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    SetWindowPos(picture_, nullptr, 0, 0, width, scaled(50), SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT link = RectInParent(updateLink_);
    const int linkLeft = width - (link.right - link.left) - scaled(10);
    SetWindowPos(updateLink_, nullptr, linkLeft, link.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(updateIcon_, nullptr, linkLeft - scaled(20), RectInParent(updateIcon_).top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
}

void TitleBanner::Repaint() {
    // The labels on the banner paint their background from the picture at
    // the banner's size: when that changes, all of them are out of date.
    // The picture is made at the new size when they paint, so the sizes the
    // window passes through before it is shown cost nothing.
    const SIZE size = WindowSize(picture_);
    if (!cache_ || (size.cx == cacheSize_.cx && size.cy == cacheSize_.cy)) return;
    brush_.Reset();
    cache_.Reset();
    cacheSize_ = {};
    for (HWND part : {picture_, makerLink_, updateLink_, tagline_, programIcon_, updateIcon_})
        RedrawWindow(part, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TitleBanner::RefreshCache() {
    const SIZE size = WindowSize(picture_);
    if (cache_ && size.cx == cacheSize_.cx && size.cy == cacheSize_.cy) return;
    brush_.Reset();
    cache_.Reset();
    cacheSize_ = {};
    if (size.cx <= 0 || size.cy <= 0) return;
    // Decoded once, when the banner is first painted.
    if (!pictureDecoded_) {
        decoded_ = LoadJpegResource(instance_, IDR_BANNER_MAIN);
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
            if (decoded_) {
                PaintStretched(target.Get(), decoded_.Get(), all);
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
    if (item.hwndItem != picture_) return false;
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
    if (!control || (control != makerLink_ && control != updateLink_ && control != tagline_ &&
                     control != programIcon_ && control != updateIcon_))
        return std::nullopt;
    RefreshCache();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, control == updateLink_ ? (updateLinkHot_ ? kHotLinkColour : updateLinkColour_)
                                         : kLabelColour);
    if (!brush_) return GetSysColorBrush(COLOR_BTNFACE);
    // The pattern starts where the banner starts.
    const RECT banner = WindowBoundsOf(picture_);
    const RECT own = WindowBoundsOf(control);
    SetBrushOrgEx(dc, banner.left - own.left, banner.top - own.top, nullptr);
    return brush_.Get();
}

bool TitleBanner::SetCursorOver(HWND control) const {
    if (!control || (control != makerLink_ && control != updateLink_ && control != programIcon_)) return false;
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
    default:
        break;
    }
    return PassOn(LinkLabelProc, id, window, message, wParam, lParam);
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
    default:
        break;
    }
    return PassOn(LinkKeysProc, id, window, message, wParam, lParam);
}

}  // namespace ks::ui
