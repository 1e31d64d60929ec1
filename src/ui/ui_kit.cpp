#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

UINT DpiOf(HWND window) noexcept {
    // Present from Windows 10 1607 on; looked up so the program still starts
    // on older systems.
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

Font CreateDesignFont(UINT dpi, int characterHeight, int weight, bool underline) {
    return Font(CreateFontA(-Scale(characterHeight, dpi), 0, 0, 0, weight, FALSE,
                            underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                            "MS Sans Serif"));
}

void ApplyFont(HWND window, HFONT font) noexcept {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EnumChildWindows(window, SetFontOnChild, reinterpret_cast<LPARAM>(font));
}

}  // namespace ks::ui
