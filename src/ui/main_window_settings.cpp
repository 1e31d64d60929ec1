// The main window's settings: loaded and applied at creation, saved at the
// close and at the session's end.
#include "ui/main_window.h"

#include "user_error.h"
#include "ui/app_window.h"
#include "ui/window_placement.h"

namespace ks::ui {

void MainWindow::LoadSettingsAndPlace() {
    banner_.SetUpdateLinkColour(RGB(0xFF, 0xFF, 0xFF));
    settings_.Load(favourites_);
    favouritesView_.ShowAll(favourites_);
    clipboardListener_.Start(window_);
    // Before the window shows or goes to the tray, so that the tray's tip
    // names them from the first.
    RegisterStoredHotkeys();

    layout_.Record(window_);
    PlaceAtStoredBounds(settings_.values.savedWindowBounds);
    // Setting the same size again is no size change, and a frame thinner
    // or thicker than designed leaves a different client area: lay the
    // controls out once for the area there is.
    LayOut();

    showMaximized_ = settings_.values.savedMaximized;
    // Placed at its normal bounds: where a later Restore goes back to.
    if (!showMaximized_) settings_.values.savedNormalBounds = StoredBounds();
    centreOnShow_ = settings_.values.firstRun;
}

void MainWindow::PlaceAtStoredBounds(const WindowBounds& stored) {
    // Placed once, at the DPI of the monitor the window goes to: the system
    // tells of the new DPI part way through the move, and the window then
    // measures itself anew without taking another size, nor the minimum
    // size of the DPI it leaves.
    const StoredPlacement placement = StoredPlacementOf(stored, dpi_);
    placementDpi_ = static_cast<UINT>(placement.dpi);
    ApplyPlacement(window_, placement);
    placementDpi_.reset();
    // The system chose another monitor's DPI after all: the stored size at
    // the DPI the window has.
    if (dpi_ != static_cast<UINT>(placement.dpi)) {
        const ControlRect shown = ShownFromStored(
            {stored.left, stored.top, stored.width, stored.height}, static_cast<int>(dpi_));
        SetWindowPos(window_, nullptr, 0, 0, shown.width, shown.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

WindowBounds MainWindow::StoredBounds() const { return StoredBoundsOf(window_, dpi_); }

std::optional<std::string> MainWindow::Save() {
    // A hidden window (the program minimised) still has its normal bounds.
    return settings_.SaveAtClose(favourites_, StoredBounds(), IsZoomed(window_) != FALSE);
}

LRESULT MainWindow::OnSessionEnd(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool asked = message == WM_QUERYENDSESSION;
    if (!asked && !wParam) {
        settings_.SessionGoesOn();
        return 0;
    }
    // Saved when asked: after its answer a program may be ended at any
    // moment; saved at the end when that save failed.
    if (asked || !settings_.SavedForSessionEnd())
        settings_.SaveAtSessionEnd(favourites_, StoredBounds(), IsZoomed(window_) != FALSE);
    if (asked) return TRUE;
    // The Restart Manager (an installer replacing keystride.exe) asks the
    // program to end while the session goes on: it must, saved already.
    if (lParam & ENDSESSION_CLOSEAPP) {
        clipboardListener_.Stop();
        tray_.RemoveIcon();
        app_.Terminate();
    }
    return 0;
}

void MainWindow::SaveAndClose() {
    if (const auto error = Save()) throw UserError(*error);  // the close ends here
    clipboardListener_.Stop();
    app_.Terminate();
}

}  // namespace ks::ui
