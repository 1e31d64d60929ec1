#pragma once
// The layout table: every control of the main window with the rectangle it
// had at the designed size, recorded once at creation so that resizing can
// always start again from the designed values.
#include <windows.h>

#include <vector>

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

}  // namespace ks::ui
