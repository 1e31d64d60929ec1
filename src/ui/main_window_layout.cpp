#include "ui/main_window_layout.h"

namespace ks::ui {

void RecordControlLayout(std::vector<ControlLayoutEntry>& table, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    table.push_back({control, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
    // Only the program's own containers: a control's private children (the
    // list view's header) are the control's business.
    if (!(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return;
    for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        RecordControlLayout(table, child);
}

int FindControlLayout(const std::vector<ControlLayoutEntry>& table, HWND control) {
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].control == control) return static_cast<int>(i);
    return -1;
}

}  // namespace ks::ui
