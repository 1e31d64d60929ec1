#include "ui/window_pictures.h"

#include <string>
#include <utility>

#include "resource.h"
#include "ui/window_text.h"

namespace ks::ui {

namespace {

// The notification area shows its icons at the small-icon size of the
// taskbar's DPI, which LoadIconMetric (common controls 6) knows.
Icon LoadTrayIcon(HINSTANCE instance, UINT dpi) {
    using LoadIconMetricFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    constexpr int kSmallIconMetric = 0;  // LIM_SMALL
    const auto loadIconMetric = reinterpret_cast<LoadIconMetricFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"comctl32.dll"), "LoadIconMetric")));
    HICON icon = nullptr;
    if (loadIconMetric &&
        SUCCEEDED(loadIconMetric(instance, MAKEINTRESOURCEW(IDI_KEYSTRIDE), kSmallIconMetric, &icon)))
        return Icon(icon);
    const int size = SystemMetricAt(SM_CXSMICON, dpi);
    return Icon(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_KEYSTRIDE), IMAGE_ICON, size, size, 0)));
}

}  // namespace

void WindowPictures::Load(HINSTANCE instance, HWND window, HWND jumpButton, UINT dpi) {
    // Icons of the window's own size, not shared ones: a shared icon keeps
    // the size it was first loaded at, and the DPI may change.
    const auto load = [&](int size) {
        return Icon(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(IDI_KEYSTRIDE), IMAGE_ICON, size, size, 0)));
    };
    Icon big = load(SystemMetricAt(SM_CXICON, dpi));
    Icon small = load(SystemMetricAt(SM_CXSMICON, dpi));
    // An icon shown stays while it is shown: one is let go only once the
    // window shows its replacement, and kept when none could be loaded.
    if (big) {
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
        big_ = std::move(big);
    }
    if (small) {
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
        small_ = std::move(small);
    }
    if (Icon banner = load(Scale(32, dpi))) banner_ = std::move(banner);
    if (Icon tray = LoadTrayIcon(instance, dpi)) tray_ = std::move(tray);
    SetJumpGlyph(instance, jumpButton, dpi);
}

void WindowPictures::SetJumpGlyph(HINSTANCE instance, HWND jumpButton, UINT dpi) {
    const int size = Scale(16, dpi);
    Bitmap glyph(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_JUMP_GLYPH),
                                                  IMAGE_BITMAP, size, size, 0)));
    if (!glyph) return;
    // A glyph of 24 bits has no transparency: its bottom-left pixel names
    // the colour that stands for the background.
    COLORREF background = CLR_NONE;
    if (const MemoryDc dc(CreateCompatibleDC(nullptr)); dc) {
        const SelectedObject selected(dc.Get(), glyph.Get());
        background = GetPixel(dc.Get(), 0, size - 1);
    }
    jumpGlyphImages_.Reset(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    if (jumpGlyphImages_ &&
        ImageList_AddMasked(jumpGlyphImages_.Get(), glyph.Get(), background) >= 0) {
        BUTTON_IMAGELIST images{jumpGlyphImages_.Get(), {Scale(4, dpi), 0, Scale(3, dpi), 0},
                                BUTTON_IMAGELIST_ALIGN_LEFT};
        if (SendMessageW(jumpButton, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)))
            return;
    }
    // Without the version 6 controls the glyph goes on as it is.
    jumpGlyph_ = std::move(glyph);
    SendMessageW(jumpButton, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(jumpGlyph_.Get()));
}

void Hints::Build(HINSTANCE instance, HWND owner, UINT dpi) {
    owner_ = owner;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               instance, nullptr);
    // A width makes the tooltip break lines at the hints' line breaks.
    if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(400, dpi));
}

void Hints::Allow(bool allowed) noexcept {
    if (!tooltip_ || allowed == allowed_) return;
    allowed_ = allowed;
    SendMessageW(tooltip_, TTM_ACTIVATE, allowed ? TRUE : FALSE, 0);
}

void Hints::Add(HWND control, const char* text) {
    if (!tooltip_) return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // The tooltip keeps a copy of the text.
    std::wstring wide = Wide(text);
    tool.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ks::ui
