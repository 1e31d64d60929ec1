#include "ui/main_window_layout.h"

namespace ks::ui {
namespace {

bool HoldsControls(HWND control) {
    // Only the program's own containers: a control's private children (the
    // list view's header) are the control's business.
    return (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
}

ControlRect RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Describe(HWND control, const std::vector<ControlLayoutEntry>& table, LaidOutControls& out) {
    LayoutControl described;
    if (const auto design = DesignOfId(GetDlgCtrlID(control))) {
        described.role = design->role;
        described.kind = design->kind;
    }
    described.current = RectInParent(control);
    if (const int index = FindControlLayout(table, control); index >= 0) {
        const ControlLayoutEntry& entry = table[static_cast<std::size_t>(index)];
        described.recorded = ControlRect{entry.left, entry.top, entry.width, entry.height};
    }
    out.handles.push_back(control);
    out.controls.push_back(std::move(described));
    if (!HoldsControls(control)) return;
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        Describe(child, table, out);
}

}  // namespace

void RecordControlLayout(std::vector<ControlLayoutEntry>& table, HWND control) {
    const ControlRect rect = RectInParent(control);
    table.push_back({control, rect.left, rect.top, rect.width, rect.height});
    if (!HoldsControls(control)) return;
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        RecordControlLayout(table, child);
}

int FindControlLayout(const std::vector<ControlLayoutEntry>& table, HWND control) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].control == control) return static_cast<int>(i);
    return -1;
}

LaidOutControls DescribeControls(HWND window, const std::vector<ControlLayoutEntry>& table) {
    LaidOutControls out;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        Describe(child, table, out);
    return out;
}

void PlaceControls(const LaidOutControls& controls, const LayoutResult& result) {
    for (std::size_t i = 0; i < controls.handles.size() && i < result.rects.size(); ++i) {
        const ControlRect& wanted = result.rects[i];
        if (wanted == controls.controls[i].current) continue;
        SetWindowPos(controls.handles[i], nullptr, wanted.left, wanted.top, wanted.width,
                     wanted.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

namespace {

ControlRect RectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
            {RectOf(info.rcMonitor), RectOf(info.rcWork)});
    return TRUE;
}

}  // namespace

std::vector<MonitorArea> DesktopMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace ks::ui
