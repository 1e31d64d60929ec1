#pragma once
// The main window's pictures at its DPI: the program's icons (title bar,
// banner, tray) and the Jump button's glyph; and its hints, one tooltip for
// every control that has one.
#include <windows.h>
#include <commctrl.h>

#include "ui/ui_kit.h"

namespace ks::ui {

class WindowPictures {
public:
    // Loads them at `dpi` and gives the icons to `window` and the glyph to
    // `jumpButton`; the previous ones go once they are replaced.
    void Load(HINSTANCE instance, HWND window, HWND jumpButton, UINT dpi);
    HICON ProgramIcon() const noexcept { return program_.Get(); }

private:
    void SetJumpGlyph(HINSTANCE instance, HWND jumpButton, UINT dpi);

    Icon program_;
    Icon programSmall_;
    Bitmap jumpGlyph_;
    ImageList jumpGlyphImages_;
};

class Hints {
public:
    void Build(HINSTANCE instance, HWND owner, UINT dpi);
    void Add(HWND control, const char* text);

private:
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;  // owned by `owner_`, destroyed with it
};

}  // namespace ks::ui
