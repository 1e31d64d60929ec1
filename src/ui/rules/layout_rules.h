#pragma once
// The main window's proportional layout as arithmetic: from the rectangles
// recorded at the designed size and the current client size, where every
// control goes and how wide the list's columns are. Scaling always starts
// from the recorded rectangles, so resizing back and forth leaves no drift.
#include <optional>
#include <vector>

#include "ui/rules/dpi_scaling.h"
#include "ui/rules/main_window_design.h"

namespace ks {

struct ClientSize {
    int width = 0;
    int height = 0;
    bool operator==(const ClientSize&) const = default;
};

// One control of the window, in control order (each followed by its own
// descendants). `recorded` is what the layout table holds for it; a control
// created after the table was filled has none.
struct LayoutControl {
    ControlRole role = ControlRole::None;
    ControlKind kind = ControlKind::Other;
    ControlRect current;
    std::optional<ControlRect> recorded;
};

struct LayoutResult {
    std::vector<ControlRect> rects;  // same order as the input
    // The favourites list's key column; nothing when the fixed placements
    // stopped before it.
    std::optional<int> keyColumnWidth;
};

// v times r rounded to the nearest integer, ties to even.
int ScaleByRatio(int value, double ratio);

// The whole resize pass. `reference` must be the designed client size
// (both dimensions above zero). `dpi` scales the fixed measures (margins,
// banner height, button widths, column bases) from the 96 they are
// designed at, as the window's controls were scaled when it was made.
LayoutResult ArrangeMainWindow(const std::vector<LayoutControl>& controls, ClientSize reference,
                               ClientSize client, int dpi = 96);

// A monitor of today's desktop: its whole area and its work area (without
// the taskbar and other docked bars), in screen pixels, and its pixels per
// inch.
struct MonitorArea {
    ControlRect whole;
    ControlRect work;
    int dpi = 96;
};

// Where the main window opens from stored outer bounds: always whole inside
// the work area of the monitor that holds the largest part of them, or of
// the nearest monitor when they are off every one (one unplugged, a
// resolution lowered, a scaling raised). They are moved as little as
// possible, the width and height cut to the work area's only where they do
// not fit; bounds inside a work area stay as stored. With no monitor known
// the bounds stay as stored.
ControlRect PlaceStoredBounds(const ControlRect& stored, const std::vector<MonitorArea>& monitors);

}  // namespace ks
