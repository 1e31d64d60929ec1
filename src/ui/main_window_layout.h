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

// Makes the control of `role` in `parent` at its designed rectangle, scaled
// to `dpi`, and gives it `font`. Null when it could not be made.
HWND CreateDesignedControl(HWND parent, HINSTANCE instance, ControlRole role,
                           const wchar_t* className, const char* text, DWORD style, DWORD exStyle,
                           UINT dpi, HFONT font);

// Appends `control` and then, when it holds controls of its own, each of
// them in control order, each followed by its own.
void RecordControlLayout(std::vector<ControlLayoutEntry>& table, HWND control);

// Index of the control's entry, -1 when it has none.
int FindControlLayout(const std::vector<ControlLayoutEntry>& table, HWND control);

// The main window's proportional layout: its client size and its layout
// table as they were at the designed size, and the rules applied to them.
class ProportionalLayout {
public:
    // Takes the window's client size and records every control of it. Until
    // then a size change has nothing to scale against.
    void Record(HWND window);
    bool Recorded() const noexcept { return recorded_; }
    // Moves and sizes the controls for the window's present client size;
    // the list's column widths are left to the caller.
    LayoutResult Arrange(HWND window, int dpi) const;
    // Everything recorded, and the controls' present places, measured again
    // from one DPI to another.
    void Rescale(int from, int to);
    const std::vector<ControlLayoutEntry>& Table() const noexcept { return table_; }
    void Clear() noexcept;

private:
    ClientSize reference_;
    std::vector<ControlLayoutEntry> table_;
    bool recorded_ = false;
};

}  // namespace ks::ui
