#pragma once
// Small pieces every window of the program uses: owned GDI objects, the
// system's message font, and scaling of designed pixel values to the
// display.
#include <windows.h>
#include <commctrl.h>

#include <string_view>

#include "platform/win32/owned_handle.h"
#include "ui/rules/dpi_scaling.h"
#include "ui/window_text.h"

namespace ks::ui {

using ks::OwnedHandle;

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const noexcept { DestroyMenu(menu); }
};
struct DestroyImageList {
    void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
};

// GDI objects, and icons made for the window (not shared ones).
using Font = OwnedHandle<HFONT, DeleteGdiObject>;
using Bitmap = OwnedHandle<HBITMAP, DeleteGdiObject>;
using Brush = OwnedHandle<HBRUSH, DeleteGdiObject>;
using Icon = OwnedHandle<HICON, DestroyIconHandle>;
// A device context made with CreateCompatibleDC.
using MemoryDc = OwnedHandle<HDC, DeleteMemoryDc>;
// Popup menus and image lists the window made.
using Menu = OwnedHandle<HMENU, DestroyMenuHandle>;
using ImageList = OwnedHandle<HIMAGELIST, DestroyImageList>;

// An object selected into a device context for the scope's life; the one it
// replaced is put back at the end, before the context itself may go.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};


// How a subclass procedure ends for a message it passes on: the subclass
// goes with the window.
inline LRESULT PassOn(SUBCLASSPROC proc, UINT_PTR id, HWND window, UINT message, WPARAM wParam,
                      LPARAM lParam) {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, proc, id);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The display's pixels per inch for a window (the system's when the window
// cannot say).
UINT DpiOf(HWND window) noexcept;

// A system metric (GetSystemMetrics) on a display of `dpi`.
int SystemMetricAt(int index, UINT dpi) noexcept;

// A designed pixel value on a display of `dpi`; exact at 96.
inline int Scale(int designed, UINT dpi) noexcept {
    return ScaleDesigned(designed, static_cast<int>(dpi));
}

// The system's message font, the one of its own dialogs and message boxes
// (Segoe UI 9 pt on Windows 10 and 11), at `dpi`: what every window of the
// program shows its texts in.
LOGFONTW MessageFontAt(UINT dpi) noexcept;
Font CreateMessageFont(UINT dpi, bool underline = false);

// The lettering the banner is designed in: "MS Sans Serif" of the given
// character height in designed pixels, scaled to `dpi`.
Font CreateDesignFont(UINT dpi, int characterHeight = 11, int weight = FW_NORMAL,
                      bool underline = false);

// Sets the font on a window and all its children.
void ApplyFont(HWND window, HFONT font) noexcept;

// Text measured in a font on the screen, in device pixels: its size on one
// line, its height when it wraps at `width`, the font's metrics; and the
// same for a control's caption in the control's font.
SIZE TextExtent(HFONT font, std::string_view text);
int WrappedTextHeight(HFONT font, std::string_view text, int width);
TEXTMETRICW FontMetrics(HFONT font);
SIZE CaptionExtent(HWND control);
TEXTMETRICW CaptionMetrics(HWND control);

// Makes a label exactly as large as its caption.
void FitToCaption(HWND label);

// Makes a group box a parent for controls: their notifications go on to
// `forwardTo` (with the control that was clicked, for a context menu), and
// the box paints the background its parent leaves to it.
void HoldControls(HWND groupBox, HWND forwardTo) noexcept;

// One of the program's window classes (arrow cursor), registered once:
// true when it is registered, now or before.
struct WindowClassDesign {
    const wchar_t* name;
    WNDPROC procedure;
    UINT style = 0;
    int backgroundColour = -1;  // a COLOR_ index; -1: the window paints it
    HICON icon = nullptr;
};
bool RegisterWindowClass(HINSTANCE instance, const WindowClassDesign& design) noexcept;

// The object a window of the program belongs to, handed over as the
// creation parameter: recorded at WM_NCCREATE, forgotten after
// WM_NCDESTROY. The object's own handle is set to the window at the first
// and cleared at the last. Null for messages before WM_NCCREATE.
template <typename Owner>
Owner* WindowOwner(HWND window, UINT message, LPARAM lParam, HWND Owner::*handle) noexcept {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->*handle = window;
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner && message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->*handle = nullptr;
    }
    return owner;
}

// The window's outer bounds in screen pixels.
inline RECT WindowBoundsOf(HWND window) noexcept {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace ks::ui
