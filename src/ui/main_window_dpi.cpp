// Moving to a monitor of another DPI: everything measured in the old DPI is
// measured again in the new one (fonts, icons, the recorded layout), then
// the window takes the size the system suggests and is laid out anew. A new
// system font is taken up the same way, at the same DPI.
#include "ui/main_window.h"
#include "ui/app_window.h"

namespace ks::ui {

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (dpi == 0 || dpi == dpi_) return;
    const UINT old = dpi_;
    dpi_ = dpi;
    layout_.Rescale(static_cast<int>(old), static_cast<int>(dpi));

    ApplyFonts();
    banner_.TakeDpi(dpi);
    pictures_.Load(app_.Instance(), window_, controls_[ControlRole::JumpButton], dpi_);
    banner_.ShowProgramIcon(pictures_.BannerIcon());
    tray_.SetIcon(pictures_.TrayIcon());
    FitCaptions();
    // Placing the stored bounds gave the window its size at this DPI already.
    if (placementDpi_) return;

    RECT before{};
    GetWindowRect(window_, &before);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT after{};
    GetWindowRect(window_, &after);
    // The same size again is no size change: lay out all the same.
    if (after.right - after.left == before.right - before.left &&
        after.bottom - after.top == before.bottom - before.top)
        LayOut();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::OnSettingChange(WPARAM setting) {
    // The user chose another font or size for the system's texts.
    if (setting != SPI_SETNONCLIENTMETRICS) return;
    ApplyFonts();
    banner_.TakeDpi(dpi_);  // its own lettering back on its labels
    rootSwitcher_.Arrange();
    FitCaptions();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::ApplyFonts() {
    // The controls take the new font before the old one goes; the banner's
    // links then take fonts of their own.
    Font normal = CreateMessageFont(dpi_);
    for (const ControlLayoutEntry& entry : layout_.Table())
        SendMessageW(entry.control, WM_SETFONT, reinterpret_cast<WPARAM>(normal.Get()), FALSE);
    suggestions_.SetFont(normal.Get());
    font_ = std::move(normal);
}

}  // namespace ks::ui
