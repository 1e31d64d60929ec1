#pragma once
// The main window as it is designed at 96 DPI: its outer bounds, which are
// also the least it may be made, and every control's rectangle in its
// parent's client area. The window's controls are made from this table,
// the layout knows them from it, and the settings fall back on its bounds.
#include <optional>

#include "favourites/window_bounds.h"
#include "ui/control_ids.h"

namespace ks {

struct ControlRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ControlRect&) const = default;
};

// What a control is to the layout, by the design's names.
enum class ControlRole {
    Banner,              // imgTitle, the picture across the top
    MakerLink,           // lTitle
    UpdateLink,          // lUpdate
    Tagline,             // lTitleHint
    ProgramIcon,         // Image1
    UpdateIcon,          // iUpdate
    ExitButton,          // bExit
    KeyGroup,            // GroupBox2, around the key box, Jump and the roots
    KeyBox,              // eRegKey
    JumpButton,          // bOpen
    RootGroup,           // rgPre
    AboutButton,         // bAbout
    FavouritesList,      // ListView1
    AddButton,           // bAddtoList
    JumpFromListButton,  // bJumpFromList
    RemoveButton,        // bRemove
    DownButton,          // bDown
    UpButton,            // bUp
    EditButton,          // bEdit
    AutoCopyBox,         // cbAutoCopy
    None,                // not a designed control (the radio items)
};

// How the proportional layout scales a control.
enum class ControlKind {
    ListView,
    Edit,
    Picture,
    GroupBox,
    RadioGroup,
    PushButton,
    Other,  // labels, the link label, the check box: they keep their place
};

struct DesignedControl {
    ControlRole role;
    int id;  // control_ids.h
    ControlKind kind;
    ControlRect rect;
    ControlRole parent = ControlRole::None;  // None: the window itself
};

// The outer bounds the window is designed at, in screen pixels.
inline constexpr ControlRect kDesignedWindow{kDesignedWindowBounds.left, kDesignedWindowBounds.top,
                                             kDesignedWindowBounds.width,
                                             kDesignedWindowBounds.height};
// The window is never made smaller than designed.
inline constexpr int kMinimumOuterWidth = kDesignedWindow.width;
inline constexpr int kMinimumOuterHeight = kDesignedWindow.height;

// The favourites list's columns, "Registry Key" and "Comment".
inline constexpr int kKeyColumnWidth = 380;
inline constexpr int kCommentColumnWidth = 105;

// The two small pictures are sized to their icons and keep that size, so
// they count as fixed.
inline constexpr DesignedControl kDesignedControls[] = {
    {ControlRole::Banner, IDC_BANNER, ControlKind::Picture, {8, 0, 117, 53}},
    {ControlRole::MakerLink, IDC_MAKER_LINK, ControlKind::Other, {49, 8, 81, 16}},
    {ControlRole::UpdateLink, IDC_UPDATE_LINK, ControlKind::Other, {306, 24, 96, 13}},
    {ControlRole::Tagline, IDC_TAGLINE, ControlKind::Other, {50, 27, 266, 13}},
    {ControlRole::ProgramIcon, IDC_PROGRAM_ICON, ControlKind::Other, {8, 8, 32, 32}},
    {ControlRole::UpdateIcon, IDC_UPDATE_ICON, ControlKind::Other, {282, 24, 16, 16}},
    {ControlRole::ExitButton, IDC_EXIT, ControlKind::PushButton, {450, 438, 55, 27}},
    {ControlRole::KeyGroup, IDC_KEY_GROUP, ControlKind::GroupBox, {8, 55, 497, 108}},
    {ControlRole::KeyBox, IDC_KEY_BOX, ControlKind::Edit, {8, 18, 394, 21},
     ControlRole::KeyGroup},
    {ControlRole::JumpButton, IDC_JUMP, ControlKind::PushButton, {413, 16, 72, 27},
     ControlRole::KeyGroup},
    {ControlRole::RootGroup, IDC_ROOT_SWITCHER, ControlKind::RadioGroup, {8, 46, 464, 58},
     ControlRole::KeyGroup},
    {ControlRole::AboutButton, IDC_ABOUT, ControlKind::PushButton, {389, 438, 55, 27}},
    {ControlRole::FavouritesList, IDC_FAVOURITES, ControlKind::ListView, {8, 198, 497, 225}},
    {ControlRole::AddButton, IDC_ADD_FAVOURITE, ControlKind::PushButton, {8, 438, 71, 27}},
    {ControlRole::JumpFromListButton, IDC_JUMP_TO_FAVOURITE, ControlKind::PushButton,
     {84, 438, 55, 27}},
    {ControlRole::RemoveButton, IDC_REMOVE_FAVOURITE, ControlKind::PushButton, {328, 438, 55, 27}},
    {ControlRole::DownButton, IDC_MOVE_DOWN, ControlKind::PushButton, {267, 438, 55, 27}},
    {ControlRole::UpButton, IDC_MOVE_UP, ControlKind::PushButton, {206, 438, 55, 27}},
    {ControlRole::EditButton, IDC_EDIT_FAVOURITE, ControlKind::PushButton, {145, 438, 55, 27}},
    {ControlRole::AutoCopyBox, IDC_AUTO_COPY, ControlKind::Other, {10, 170, 175, 21}},
};

// The row of a role; every role but None has one.
constexpr const DesignedControl& DesignOf(ControlRole role) {
    for (const DesignedControl& control : kDesignedControls)
        if (control.role == role) return control;
    return kDesignedControls[0];
}

// The row of a control identifier; nothing for a control not designed.
constexpr std::optional<DesignedControl> DesignOfId(int id) {
    for (const DesignedControl& control : kDesignedControls)
        if (control.id == id) return control;
    return std::nullopt;
}

}  // namespace ks
