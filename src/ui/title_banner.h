#pragma once
// The title banner across the top of the main window: the picture, with the
// program icon, the maker's name, the tagline and the update link standing
// on it. The labels fill their background from the same picture, so they
// look transparent without depending on the order in which siblings paint.
// The links are keyboard stops; their clicks reach the main window as
// WM_COMMAND, which also forwards the few messages it receives on the
// banner's behalf.
#include <windows.h>

#include <optional>

#include "ui/main_controls.h"
#include "ui/ui_kit.h"

namespace ks::ui {

class TitleBanner {
public:
    TitleBanner() = default;
    TitleBanner(const TitleBanner&) = delete;
    TitleBanner& operator=(const TitleBanner&) = delete;

    // Takes the banner's controls, made from the window's design.
    bool Attach(const MainControls& controls, HINSTANCE instance);
    // The lettering and the update icon at `dpi`; the labels have had the
    // window's font for it already.
    void TakeDpi(UINT dpi);
    // The program icon, owned by the window.
    void ShowProgramIcon(HICON icon) noexcept;
    void SetUpdateLinkColour(COLORREF colour) noexcept { updateLinkColour_ = colour; }

    // The picture the width of the window's client area, the update link
    // and its icon at its right end.
    void LayOut(UINT dpi);
    // After a size change: the banner and its labels repaint when the
    // picture's size changed.
    void Repaint();

    // Messages the main window receives for the banner's controls.
    std::optional<HBRUSH> ControlColour(HDC dc, HWND control);
    bool Draw(const DRAWITEMSTRUCT& item);
    bool SetCursorOver(HWND control) const;
    bool IsLink(HWND control) const noexcept {
        return control && (control == makerLink_ || control == updateLink_);
    }

private:
    void RefreshCache();
    static LRESULT CALLBACK LinkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR data);
    static LRESULT CALLBACK LinkKeysProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);

    HWND window_ = nullptr;
    HINSTANCE instance_ = nullptr;
    HWND picture_ = nullptr;
    HWND makerLink_ = nullptr;
    HWND updateLink_ = nullptr;
    HWND tagline_ = nullptr;
    HWND programIcon_ = nullptr;
    HWND updateIcon_ = nullptr;

    Font titleFont_;
    Font linkFont_;
    Icon updateIconImage_;
    Bitmap decoded_;  // decoded at the first paint
    bool pictureDecoded_ = false;
    Bitmap cache_;  // the picture at the banner's current size, made when painted
    Brush brush_;   // the same, for the labels standing on it
    SIZE cacheSize_{};
    COLORREF updateLinkColour_ = RGB(0, 0, 255);
    bool updateLinkHot_ = false;
};

}  // namespace ks::ui
