#include "ui/main_window_layout.h"

#include "ui/ui_kit.h"

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

// The window's controls as the layout rules see them, in the order the
// table is recorded in, with the handle of each alongside. The radio items
// have no role: their group arranges them itself.
struct LaidOutControls {
    std::vector<HWND> handles;
    std::vector<LayoutControl> controls;
};

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

HWND CreateDesignedControl(HWND parent, HINSTANCE instance, ControlRole role,
                           const wchar_t* className, const char* text, DWORD style, DWORD exStyle,
                           UINT dpi, HFONT font) {
    const DesignedControl& design = DesignOf(role);
    HWND control = CreateWindowExW(
        exStyle, className, Wide(text).c_str(), style, Scale(design.rect.left, dpi),
        Scale(design.rect.top, dpi), Scale(design.rect.width, dpi), Scale(design.rect.height, dpi),
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

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

void ProportionalLayout::Record(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    reference_ = {client.right, client.bottom};
    table_.clear();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        RecordControlLayout(table_, child);
    recorded_ = true;
}

LayoutResult ProportionalLayout::Arrange(HWND window, int dpi) const {
    RECT client{};
    GetClientRect(window, &client);
    LaidOutControls controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        Describe(child, table_, controls);
    LayoutResult result =
        ArrangeMainWindow(controls.controls, reference_, {client.right, client.bottom}, dpi);
    // Only what the rules changed moves.
    for (std::size_t i = 0; i < controls.handles.size() && i < result.rects.size(); ++i) {
        const ControlRect& wanted = result.rects[i];
        if (wanted == controls.controls[i].current) continue;
        SetWindowPos(controls.handles[i], nullptr, wanted.left, wanted.top, wanted.width,
                     wanted.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return result;
}

void ProportionalLayout::Rescale(int from, int to) {
    // The recorded designed rectangles and the reference size are what the
    // layout scales from; the controls' present places are rescaled too, so
    // that the kinds the layout leaves alone (labels, the check box, the
    // radio items) keep their places in proportion.
    const auto rescale = [&](int value) { return ks::Rescale(value, to, from); };
    for (ControlLayoutEntry& entry : table_) {
        const ControlRect now = RectInParent(entry.control);
        SetWindowPos(entry.control, nullptr, rescale(now.left), rescale(now.top),
                     rescale(now.width), rescale(now.height), SWP_NOZORDER | SWP_NOACTIVATE);
        entry = {entry.control, rescale(entry.left), rescale(entry.top), rescale(entry.width),
                 rescale(entry.height)};
    }
    reference_ = {rescale(reference_.width), rescale(reference_.height)};
}

void ProportionalLayout::Clear() noexcept {
    table_.clear();
    recorded_ = false;
}

}  // namespace ks::ui
