#include "ui/window_placement.h"

#include <algorithm>
#include <vector>

#include "ui/rules/layout_rules.h"
#include "ui/rules/stored_bounds.h"
#include "ui/ui_kit.h"

namespace ks::ui {
namespace {

ControlRect RectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

ControlRect RectOf(const WindowBounds& bounds) {
    return {bounds.left, bounds.top, bounds.width, bounds.height};
}

WindowBounds BoundsOf(const ControlRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
            {RectOf(info.rcMonitor), RectOf(info.rcWork)});
    return TRUE;
}

std::vector<MonitorArea> DesktopMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

WindowBounds Reachable(const WindowBounds& shown, UINT dpi) {
    // Judged at the size the window will have: the minimum size raises
    // smaller ones as they are applied.
    const ControlRect sized{shown.left, shown.top,
                            std::max(shown.width, Scale(kMinimumOuterWidth, dpi)),
                            std::max(shown.height, Scale(kMinimumOuterHeight, dpi))};
    const ControlRect placed = PlaceStoredBounds(sized, DesktopMonitors());
    if (placed == sized) return shown;
    return BoundsOf(placed);
}

}  // namespace

WindowBounds StoredBoundsOf(HWND window, UINT dpi) {
    return BoundsOf(StoredFromShown(RectOf(WindowBoundsOf(window)), static_cast<int>(dpi)));
}

void ApplyStoredBounds(HWND window, const WindowBounds& stored, UINT dpi) {
    const WindowBounds wanted =
        Reachable(BoundsOf(ShownFromStored(RectOf(stored), static_cast<int>(dpi))), dpi);
    const auto place = [window](int left, int top, int width, int height, UINT flags) {
        SetWindowPos(window, nullptr, left, top, width, height,
                     flags | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    RECT bounds = WindowBoundsOf(window);
    place(wanted.left, bounds.top, 0, 0, SWP_NOSIZE);
    place(wanted.left, wanted.top, 0, 0, SWP_NOSIZE);
    bounds = WindowBoundsOf(window);
    place(0, 0, wanted.width, bounds.bottom - bounds.top, SWP_NOMOVE);
    bounds = WindowBoundsOf(window);
    place(0, 0, bounds.right - bounds.left, wanted.height, SWP_NOMOVE);
}

}  // namespace ks::ui
