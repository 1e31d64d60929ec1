#pragma once
// The layout table: every control of the main window with the rectangle it
// had at the designed size, recorded once at creation so that resizing can
// always start again from the designed values. And the bridge between the
// window's controls and the layout rules, which know them by role and kind.
#include <windows.h>

#include <vector>

#include "ui/rules/layout_rules.h"

namespace ks::ui {

struct ControlLayoutEntry {
    HWND control = nullptr;  // not owned
    int left = 0;            // relative to the parent's client area
    int top = 0;
    int width = 0;
    int height = 0;
};

// Appends `control` and then, when it holds controls of its own, each of
// them in control order, each followed by its own.
void RecordControlLayout(std::vector<ControlLayoutEntry>& table, HWND control);

// Index of the control's entry, -1 when it has none.
int FindControlLayout(const std::vector<ControlLayoutEntry>& table, HWND control);

// The window's controls as the layout rules see them, in the order the
// table is recorded in, with the handle of each alongside. The radio items
// have no role: their group arranges them itself.
struct LaidOutControls {
    std::vector<HWND> handles;
    std::vector<LayoutControl> controls;
};
LaidOutControls DescribeControls(HWND window, const std::vector<ControlLayoutEntry>& table);

// Moves and sizes each control whose rectangle the rules changed.
void PlaceControls(const LaidOutControls& controls, const LayoutResult& result);

// The monitors of today's desktop, as the placement rule of stored bounds
// takes them.
std::vector<MonitorArea> DesktopMonitors();

}  // namespace ks::ui
