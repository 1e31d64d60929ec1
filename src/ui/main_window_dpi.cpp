// Moving to a monitor of another DPI: everything measured in the old DPI is
// measured again in the new one (fonts, icons, the recorded layout), then
// the window takes the size the system suggests and is laid out anew.
#include "ui/main_window.h"

#include "ui/control_ids.h"

namespace ks::ui {

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (dpi == 0 || dpi == dpi_) return;
    const UINT old = dpi_;
    const auto rescale = [&](int value) {
        return MulDiv(value, static_cast<int>(dpi), static_cast<int>(old));
    };
    dpi_ = dpi;

    // The recorded designed rectangles and the reference size are what the
    // layout scales from; the controls' present places are rescaled too, so
    // that the kinds the layout leaves alone (labels, the check box, the
    // radio items) keep their places in proportion.
    for (ControlLayoutEntry& entry : layoutTable_) {
        RECT rect{};
        GetWindowRect(entry.control, &rect);
        MapWindowPoints(HWND_DESKTOP, GetParent(entry.control), reinterpret_cast<POINT*>(&rect),
                        2);
        SetWindowPos(entry.control, nullptr, rescale(rect.left), rescale(rect.top),
                     rescale(rect.right - rect.left), rescale(rect.bottom - rect.top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        entry = {entry.control, rescale(entry.left), rescale(entry.top), rescale(entry.width),
                 rescale(entry.height)};
    }
    referenceClientWidth_ = rescale(referenceClientWidth_);
    referenceClientHeight_ = rescale(referenceClientHeight_);

    ApplyFonts();
    LoadIcons();
    SetJumpGlyph();
    FitLabelToText(lTitle_);
    FitLabelToText(lUpdate_);
    WidenCheckBoxToText(cbAutoCopy_);

    RECT before{};
    GetWindowRect(window_, &before);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after{};
    GetWindowRect(window_, &after);
    // The same size again is no size change: lay out all the same.
    if (after.right - after.left == before.right - before.left &&
        after.bottom - after.top == before.bottom - before.top)
        FormResize();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::ApplyFonts() {
    // The controls take the new fonts before the old ones go.
    Font normal = CreateDesignFont(dpi_);
    Font title = CreateDesignFont(dpi_, 15, FW_BOLD);
    Font link = CreateDesignFont(dpi_, 12, FW_NORMAL, true);
    for (const ControlLayoutEntry& entry : layoutTable_) {
        const HFONT font = entry.control == lTitle_   ? title.Get()
                           : entry.control == lUpdate_ ? link.Get()
                                                       : normal.Get();
        SendMessageW(entry.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    suggestions_.SetFont(normal.Get());
    font_ = std::move(normal);
    titleFont_ = std::move(title);
    linkFont_ = std::move(link);
}

}  // namespace ks::ui
