// The title banner: the picture across the top of the window, with the icon,
// the maker's name, the hint and the update link standing on it. The labels
// fill their background from the same picture, so they look transparent
// without depending on the order in which siblings paint.
#include "ui/main_window.h"

#include <initializer_list>
#include <utility>

#include "ui/jpeg_picture.h"

namespace ks::ui {
namespace {

// Shown when the banner picture cannot be read, dark enough for the white
// labels on it.
constexpr COLORREF kBannerFallback = RGB(0x1F, 0x3A, 0x6B);
constexpr COLORREF kLabelColour = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kHotLinkColour = RGB(0xFF, 0x00, 0x00);

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void MainWindow::LayOutBanner() {
    RECT client{};
    GetClientRect(window_, &client);
    const int width = client.right;
    SetWindowPos(imgTitle_, nullptr, 0, 0, width, Scaled(50), SWP_NOZORDER | SWP_NOACTIVATE);
    RECT link{};
    GetWindowRect(lUpdate_, &link);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&link), 2);
    const int linkLeft = width - (link.right - link.left) - Scaled(10);
    SetWindowPos(lUpdate_, nullptr, linkLeft, link.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT icon{};
    GetWindowRect(iUpdate_, &icon);
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&icon), 2);
    SetWindowPos(iUpdate_, nullptr, linkLeft - Scaled(20), icon.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RepaintBanner();
}

void MainWindow::RepaintBanner() {
    // The labels on the banner paint their background from the picture at
    // the banner's size: when that changes, all of them are out of date.
    const SIZE before = bannerCacheSize_;
    RefreshBannerCache();
    if (before.cx == bannerCacheSize_.cx && before.cy == bannerCacheSize_.cy) return;
    RedrawWindow(imgTitle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    for (HWND onBanner : {lTitle_, lUpdate_, lTitleHint_, Image1_, iUpdate_})
        RedrawWindow(onBanner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void MainWindow::RefreshBannerCache() {
    const SIZE size = WindowSize(imgTitle_);
    if (bannerCache_ && size.cx == bannerCacheSize_.cx && size.cy == bannerCacheSize_.cy) return;
    bannerBrush_.Reset();
    bannerCache_.Reset();
    bannerCacheSize_ = {};
    if (size.cx <= 0 || size.cy <= 0) return;

    HDC screen = GetDC(nullptr);
    if (!screen) return;
    Bitmap cache(CreateCompatibleBitmap(screen, size.cx, size.cy));
    {
        const MemoryDc target(CreateCompatibleDC(screen));
        if (cache && target) {
            const SelectedObject selected(target.Get(), cache.Get());
            if (bannerPicture_) {
                PaintStretched(target.Get(), bannerPicture_.Get(), RECT{0, 0, size.cx, size.cy});
            } else {
                Brush fill(CreateSolidBrush(kBannerFallback));
                const RECT all{0, 0, size.cx, size.cy};
                FillRect(target.Get(), &all, fill.Get());
            }
        }
    }
    ReleaseDC(nullptr, screen);
    if (!cache) return;
    bannerBrush_.Reset(CreatePatternBrush(cache.Get()));
    bannerCache_ = std::move(cache);
    bannerCacheSize_ = size;
}

void MainWindow::DrawBanner(const DRAWITEMSTRUCT& item) {
    RefreshBannerCache();
    const RECT& area = item.rcItem;
    if (!bannerCache_) {
        FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    const MemoryDc source(CreateCompatibleDC(item.hDC));
    if (!source) return;
    const SelectedObject selected(source.Get(), bannerCache_.Get());
    BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top,
           source.Get(), area.left, area.top, SRCCOPY);
}

HBRUSH MainWindow::BannerControlColour(HDC dc, HWND control) {
    RefreshBannerCache();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, control == lUpdate_ ? (updateLinkHot_ ? kHotLinkColour : updateLinkColour_)
                                         : kLabelColour);
    if (!bannerBrush_) return GetSysColorBrush(COLOR_BTNFACE);
    // The pattern starts where the banner starts.
    RECT banner{};
    RECT own{};
    GetWindowRect(imgTitle_, &banner);
    GetWindowRect(control, &own);
    SetBrushOrgEx(dc, banner.left - own.left, banner.top - own.top, nullptr);
    return bannerBrush_.Get();
}

}  // namespace ks::ui
