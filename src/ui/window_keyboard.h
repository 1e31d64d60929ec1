#pragma once
// The main window's keyboard conventions, over its controls and the
// favourites it shows.
#include <windows.h>

#include "favourites/favourites_list.h"
#include "ui/main_controls.h"
#include "ui/title_banner.h"

namespace ks::ui {

class WindowKeyboard {
public:
    // The window's handle is read as it is at each call.
    WindowKeyboard(const HWND& window, const MainControls& controls, const TitleBanner& banner,
                   const FavouritesList& favourites)
        : window_(window), controls_(controls), banner_(banner), favourites_(favourites) {}

    // The button Enter presses: the focused one, Jump for the key box and
    // the roots, the list's Jump for the list.
    int DefaultButtonId() const;
    void ShowDefaultButtonNow();
    // Where the focus goes when its control stops taking it.
    HWND FallbackFocus() const;
    void KeepFocusUsable();
    // The window is shown: the key box has the focus.
    void FocusFirst();
    // WM_ACTIVATE: the focus leaves with the window and comes back to the
    // control that had it.
    void OnActivate(WPARAM state);
    // After a box: the key box, its text selected.
    void FocusKeyBox();
    void OnListKey(WORD key);
    // The row a right click at `position` is on, -1 for none.
    int RowUnder(HWND control, LPARAM position) const;
    // Where the list menu opens: at the click, or from the keyboard at the
    // selected row or below the control's corner.
    POINT ListMenuPoint(HWND control, LPARAM position) const;

private:
    const HWND& window_;
    const MainControls& controls_;
    const TitleBanner& banner_;
    const FavouritesList& favourites_;
    HWND lastFocus_ = nullptr;
    int shownDefaultId_ = -1;  // what the buttons show, and for which focus
    HWND shownForFocus_ = nullptr;
};

}  // namespace ks::ui
