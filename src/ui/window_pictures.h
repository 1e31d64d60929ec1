#pragma once
// The main window's pictures at its DPI: the program's icons (the window's
// two at the system's icon sizes, the banner's as designed, the tray's at
// the small-icon size) and the Jump button's glyph; and its hints, one
// tooltip for every control that has one.
#include <windows.h>
#include <commctrl.h>

#include "ui/ui_kit.h"

namespace ks::ui {

class WindowPictures {
public:
    // Loads them at `dpi` and gives the icons to `window` and the glyph to
    // `jumpButton`; the previous ones go once they are replaced.
    void Load(HINSTANCE instance, HWND window, HWND jumpButton, UINT dpi);
    // The program icon as the banner shows it, 32 by 32 as designed.
    HICON BannerIcon() const noexcept { return banner_.Get(); }
    // The notification area's, at the system's small-icon size.
    HICON TrayIcon() const noexcept { return tray_.Get(); }

private:
    void SetJumpGlyph(HINSTANCE instance, HWND jumpButton, UINT dpi);

    Icon big_;
    Icon small_;
    Icon banner_;
    Icon tray_;
    Bitmap jumpGlyph_;
    ImageList jumpGlyphImages_;
};

class Hints {
public:
    void Build(HINSTANCE instance, HWND owner, UINT dpi);
    void Add(HWND control, const char* text);
    // Off while a menu or the suggestions are open, which a hint would
    // cover; on again after.
    void Allow(bool allowed) noexcept;

private:
    HWND owner_ = nullptr;
    bool allowed_ = true;
    HWND tooltip_ = nullptr;  // owned by `owner_`, destroyed with it
};

}  // namespace ks::ui
