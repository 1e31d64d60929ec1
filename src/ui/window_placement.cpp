#include "ui/window_placement.h"

#include <vector>

#include "platform/win32/system_library.h"
#include "ui/rules/layout_rules.h"
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

struct MonitorList {
    std::vector<HMONITOR> handles;
    std::vector<MonitorArea> areas;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        auto& list = *reinterpret_cast<MonitorList*>(data);
        list.handles.push_back(monitor);
        list.areas.push_back({RectOf(info.rcMonitor), RectOf(info.rcWork), kDesignDpi});
    }
    return TRUE;
}

// Today's monitors, each with its DPI. With one monitor it is the one the
// window is on, and its DPI the window's: shcore, which tells the DPI of a
// monitor (Windows 8.1 on), is loaded only when there are more.
std::vector<MonitorArea> DesktopMonitors(UINT windowDpi) {
    MonitorList list;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    for (MonitorArea& area : list.areas) area.dpi = static_cast<int>(windowDpi);
    if (list.areas.size() < 2) return list.areas;
    // MONITOR_DPI_TYPE's MDT_EFFECTIVE_DPI, the DPI the system scales to.
    constexpr int kEffectiveDpi = 0;
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    const LibraryModule shcore = LoadSystemLibrary(L"shcore.dll");
    const auto getDpiForMonitor = ModuleFunction<GetDpiForMonitorFn>(shcore.Get(), "GetDpiForMonitor");
    if (!getDpiForMonitor) return list.areas;
    for (std::size_t i = 0; i < list.areas.size(); ++i) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(getDpiForMonitor(list.handles[i], kEffectiveDpi, &x, &y)) && y > 0)
            list.areas[i].dpi = static_cast<int>(y);
    }
    return list.areas;
}

}  // namespace

WindowBounds StoredBoundsOf(HWND window, UINT dpi) {
    return BoundsOf(StoredFromShown(RectOf(WindowBoundsOf(window)), static_cast<int>(dpi)));
}

StoredPlacement StoredPlacementOf(const WindowBounds& stored, UINT windowDpi) {
    return PlaceStoredWindow(RectOf(stored), DesktopMonitors(windowDpi),
                             static_cast<int>(windowDpi));
}

void ApplyPlacement(HWND window, const StoredPlacement& placement) {
    const ControlRect& bounds = placement.bounds;
    SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ks::ui
