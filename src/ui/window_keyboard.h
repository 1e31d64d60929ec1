#pragma once
// The main window's keyboard conventions, over its controls and the
// favourites it shows.
#include <windows.h>

#include "favourites/favourites_list.h"
#include "ui/favourites_view.h"
#include "ui/main_controls.h"
#include "ui/title_banner.h"

namespace ks::ui {

class WindowKeyboard {
public:
    // The window's handle and DPI are read as they are at each call.
    WindowKeyboard(const HWND& window, const UINT& dpi, const MainControls& controls,
                   const TitleBanner& banner, FavouritesList& favourites, FavouritesView& view)
        : window_(window), dpi_(dpi), controls_(controls), banner_(banner),
          favourites_(favourites), view_(view) {}

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
    // Where the list menu opens; a right click on a row selects it first.
    POINT ListMenuPoint(HWND control, LPARAM position);

private:
    const HWND& window_;
    const UINT& dpi_;
    const MainControls& controls_;
    const TitleBanner& banner_;
    FavouritesList& favourites_;
    FavouritesView& view_;
    HWND lastFocus_ = nullptr;
    int shownDefaultId_ = -1;  // what the buttons show, and for which focus
    HWND shownForFocus_ = nullptr;
};

}  // namespace ks::ui
