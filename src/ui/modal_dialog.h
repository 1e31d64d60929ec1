#pragma once
// What the program's small modal windows (the favourite editor, the
// hotkeys and the About window) share: a fixed dialog frame centred on its
// owner, the system's message font, laid out again when the window moves to
// a monitor of another DPI or the system's font changes, the dialog
// keyboard, a modal result, and the message routing to the window object.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/ui_kit.h"
#include "ui/window_text.h"

namespace ks::ui {

class ModalDialog {
public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

protected:
    ModalDialog() = default;
    // Destroys the window if the derived class has not done so already.
    virtual ~ModalDialog();

    // Creates the window hidden, with a fixed dialog frame and `caption`, on
    // the owner's monitor; Place gives it its size and place.
    bool Create(HWND owner, const char* className, const char* caption);
    // A client area of `clientSize` device pixels, the window centred on
    // its owner (on the screen when there is none) and kept within the
    // screen's work area.
    void Place(SIZE clientSize);

    // Gives every control its font and place at `dpi`; the client size they
    // need. Run by the window itself when its DPI or the system's font
    // changes, and by the derived window before it is placed.
    virtual SIZE LayOut(UINT dpi) = 0;

    // Gives every control the system's message font at `dpi` (the new one
    // before the old one goes) and keeps it while the window shows it.
    HFONT TakeMessageFont(UINT dpi);
    HFONT MessageFont() const noexcept { return font_.Get(); }

    // A child control at a rectangle in device pixels of the client area.
    HWND AddControl(const char* className, const char* text, DWORD style, int id, RECT bounds,
                    DWORD exStyle = 0);

    // Shows the window modally over its owner until EndModal or the close
    // box. Returns the modal result: the one given to EndModal, IDCANCEL for
    // the close box, 0 when the program was told to quit meanwhile.
    int ShowModal(const std::function<void()>& onIdle);
    // The first result given stands: a close that arrives before the loop
    // has seen an OK does not turn it into Cancel.
    void EndModal(int result) noexcept {
        if (result_ == 0) result_ = result;
    }

    // Derived classes call this first in their destructor, so that the
    // window goes before the fonts and pictures it shows.
    void Destroy() noexcept;

    // A message to the window; what it does not handle goes to the base.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND Window() const noexcept { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The frame's size around a client area of `clientSize`, as the system
    // makes the frame on this display.
    SIZE FrameAround(SIZE clientSize) const;
    void RestoreFocus();
    // The button Enter presses now.
    int DefaultId() const;

    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    Font font_;  // after the window in the order of destruction
    HWND focus_ = nullptr;  // the control that had the focus when the window lost it
    int result_ = 0;
};

// A rectangle from left, top, width and height.
inline RECT Bounds(int left, int top, int width, int height) noexcept {
    return RECT{left, top, left + width, top + height};
}

// Moves and sizes a child control to `bounds` of its parent's client area.
inline void PlaceControl(HWND control, const RECT& bounds) noexcept {
    SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ks::ui
