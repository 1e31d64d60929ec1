#include "ui/rules/stored_bounds.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "ui/rules/dpi_scaling.h"

namespace ks {
namespace {

// The window's outer size at `dpi`, held to the designed minimum there.
ControlRect SizedAt(const ControlRect& stored, int dpi) {
    ControlRect shown = ShownFromStored(stored, dpi);
    shown.width = std::max(shown.width, Rescale(kMinimumOuterWidth, dpi, kDesignDpi));
    shown.height = std::max(shown.height, Rescale(kMinimumOuterHeight, dpi, kDesignDpi));
    return shown;
}

// The area two rectangles share; edges in 64 bits, as stored values are
// any 32-bit numbers.
std::int64_t SharedArea(const ControlRect& a, const ControlRect& b) {
    const auto shared = [](std::int64_t startA, std::int64_t sizeA, std::int64_t startB,
                           std::int64_t sizeB) {
        return std::max<std::int64_t>(
            0, std::min(startA + sizeA, startB + sizeB) - std::max(startA, startB));
    };
    return shared(a.left, a.width, b.left, b.width) * shared(a.top, a.height, b.top, b.height);
}

// The monitor that holds the largest part of `window` (the first of equal
// ones); nothing when it is off every monitor.
std::optional<std::size_t> MonitorHolding(const ControlRect& window,
                                          const std::vector<MonitorArea>& monitors) {
    std::optional<std::size_t> best;
    std::int64_t bestArea = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t area = SharedArea(window, monitors[i].whole);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

}  // namespace

StoredPlacement PlaceStoredWindow(const ControlRect& stored,
                                  const std::vector<MonitorArea>& monitors, int fallbackDpi) {
    if (monitors.empty()) return {SizedAt(stored, fallbackDpi), fallbackDpi};
    // A monitor whose own size for the window leaves the largest part of
    // it on that monitor. Of several, the one under the window's top left
    // corner, where the caption starts, then the one holding the most.
    std::optional<std::size_t> chosen;
    bool chosenHasCorner = false;
    std::int64_t chosenArea = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const ControlRect shown = SizedAt(stored, monitors[i].dpi);
        if (MonitorHolding(shown, monitors) != i) continue;
        const bool hasCorner = SharedArea({shown.left, shown.top, 1, 1}, monitors[i].whole) > 0;
        const std::int64_t area = SharedArea(shown, monitors[i].whole);
        if (!chosen || (hasCorner && !chosenHasCorner) ||
            (hasCorner == chosenHasCorner && area > chosenArea)) {
            chosen = i;
            chosenHasCorner = hasCorner;
            chosenArea = area;
        }
    }
    if (chosen)
        return {PlaceStoredBounds(SizedAt(stored, monitors[*chosen].dpi), {monitors[*chosen]}),
                monitors[*chosen].dpi};
    // Off every monitor at every size: the work area of the nearest
    // monitor, at its DPI, is where the window goes.
    const ControlRect near = PlaceStoredBounds(SizedAt(stored, fallbackDpi), monitors);
    const std::optional<std::size_t> holding = MonitorHolding(near, monitors);
    const int dpi = holding ? monitors[*holding].dpi : fallbackDpi;
    return {PlaceStoredBounds(SizedAt(stored, dpi), {monitors[holding.value_or(0)]}), dpi};
}

ControlRect StoredFromShown(const ControlRect& shown, int dpi) {
    return {shown.left, shown.top, Rescale(shown.width, kDesignDpi, dpi),
            Rescale(shown.height, kDesignDpi, dpi)};
}

ControlRect ShownFromStored(const ControlRect& stored, int dpi) {
    return {stored.left, stored.top, Rescale(stored.width, dpi, kDesignDpi),
            Rescale(stored.height, dpi, kDesignDpi)};
}

}  // namespace ks
