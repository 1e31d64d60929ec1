#pragma once
// The layout table: every control of the main window with the rectangle it
// had at the designed size, recorded once at creation so that resizing can
// always start again from the designed values. And the bridge between the
// window's controls and the layout rules, which know them by name and kind.
#include <windows.h>

#include <vector>

#include "ui/control_ids.h"
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

struct LaidOutControl {
    int id;
    const char* name;
    ControlKind kind;
};

// The main window's controls by identifier, with the name and kind the
// layout rules know them by. The two small pictures are sized to their
// icons and keep that size, so they count as fixed; the radio items belong
// to their group, which arranges them itself.
inline constexpr LaidOutControl kLaidOutControls[] = {
    {IDC_IMGTITLE, "imgTitle", ControlKind::Picture},
    {IDC_LTITLE, "lTitle", ControlKind::Other},
    {IDC_LUPDATE, "lUpdate", ControlKind::Other},
    {IDC_LTITLEHINT, "lTitleHint", ControlKind::Other},
    {IDC_IMAGE1, "Image1", ControlKind::Other},
    {IDC_IUPDATE, "iUpdate", ControlKind::Other},
    {IDC_BEXIT, "bExit", ControlKind::PushButton},
    {IDC_GROUPBOX2, "GroupBox2", ControlKind::GroupBox},
    {IDC_EREGKEY, "eRegKey", ControlKind::Edit},
    {IDC_BOPEN, "bOpen", ControlKind::PushButton},
    {IDC_RGPRE, "rgPre", ControlKind::RadioGroup},
    {IDC_BABOUT, "bAbout", ControlKind::PushButton},
    {IDC_LISTVIEW1, "ListView1", ControlKind::ListView},
    {IDC_BADDTOLIST, "bAddtoList", ControlKind::PushButton},
    {IDC_BJUMPFROMLIST, "bJumpFromList", ControlKind::PushButton},
    {IDC_BREMOVE, "bRemove", ControlKind::PushButton},
    {IDC_BDOWN, "bDown", ControlKind::PushButton},
    {IDC_BUP, "bUp", ControlKind::PushButton},
    {IDC_BEDIT, "bEdit", ControlKind::PushButton},
    {IDC_CBAUTOCOPY, "cbAutoCopy", ControlKind::Other},
};

// The window's controls as the layout rules see them, in the order the
// table is recorded in, with the handle of each alongside.
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
