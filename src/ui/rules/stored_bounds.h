#pragma once
// Stored window bounds keep their size in units of 96 DPI, so that a window
// closed at one display scaling opens at the same physical size at another;
// files written before (pixels at 96 DPI) read the same. The position stays
// in screen pixels, which a change of scaling leaves where they are.
#include "ui/rules/layout_rules.h"

namespace ks {

// Bounds as shown on a display of `dpi`, in the units they are stored in.
ControlRect StoredFromShown(const ControlRect& shown, int dpi);

// Stored bounds as shown on a display of `dpi`.
ControlRect ShownFromStored(const ControlRect& stored, int dpi);

// Where and at which DPI the main window opens from stored bounds.
struct StoredPlacement {
    ControlRect bounds;  // outer bounds, screen pixels
    int dpi = 96;
    bool operator==(const StoredPlacement&) const = default;
};

// The window opens on the monitor its stored bounds fall on, at that
// monitor's size for them (never smaller than the designed minimum at its
// DPI), in one step. The monitor is the one that holds the largest part of
// the window at the size it has there, as the system decides which
// monitor's DPI a window gets; bounds off every monitor go onto the nearest
// one's work area (PlaceStoredBounds). With no monitor known, the window
// opens as stored at `fallbackDpi`.
StoredPlacement PlaceStoredWindow(const ControlRect& stored,
                                  const std::vector<MonitorArea>& monitors, int fallbackDpi);

}  // namespace ks
