#pragma once
// The main window as it is designed at 96 DPI, each control and each
// command declared once: a control's identifier, what it is to the layout,
// what kind of control it is, its rectangle in its parent's client area,
// its caption, the command it runs and whether its context menu is the
// list's; a command's identifier, caption and places in the two menus. The
// window makes its controls and menus from these tables, the layout knows
// the controls from them, and the settings fall back on the window's bounds.
#include <cstddef>
#include <optional>

#include "favourites/window_bounds.h"
#include "grammar/path_forms.h"
#include "texts.h"
#include "ui/control_ids.h"

namespace ks {

struct ControlRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ControlRect&) const = default;
};

// What a control is to the layout.
enum class ControlRole {
    Banner,              // the picture across the top
    MakerLink,           // the maker's name
    UpdateLink,
    Tagline,
    ProgramIcon,
    UpdateIcon,
    ExitButton,
    KeyGroup,            // around the key box, Jump and the root switcher
    KeyBox,
    JumpButton,
    RootGroup,           // the root switcher
    AboutButton,
    FavouritesList,
    AddButton,
    JumpFromListButton,  // Jump, under the list
    RemoveButton,
    DownButton,
    UpButton,
    EditButton,
    AutoCopyBox,
    None,                // not a designed control (the root switcher's items)
};
inline constexpr std::size_t kControlRoleCount = static_cast<std::size_t>(ControlRole::None);

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

// What kind of control the window makes for a row.
enum class ControlClass {
    GroupBox,    // holds controls of its own
    TextBox,
    PushButton,
    CheckBox,
    ReportList,  // columns, one row selected at a time
    RadioGroup,  // the root switcher, which makes its own items
    LinkLabel,   // a label that is a keyboard stop and opens a page
    Label,
    Icon,        // an icon, which may be clicked
    Picture,     // drawn by the window
};

struct DesignedControl {
    ControlRole role;
    int id;  // control_ids.h
    ControlKind kind;
    ControlClass controlClass;
    ControlRect rect;
    ControlRole parent = ControlRole::None;  // None: the window itself
    const char* caption = "";
    // The command a click runs: the control's own identifier, or a
    // command's whose caption and state it then shows.
    int command = 0;
    bool listMenu = false;  // its context menu is the list's
    const char* hint = nullptr;  // its tooltip
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

// In creation order, which is control order and tab order: what the eye
// reads, the key box, Jump and the roots, the check box, the list and its
// buttons from left to right, then the banner's links; the banner's picture
// last, at the very bottom, so that the labels stand on it. The two small
// pictures are sized to their icons and keep that size, so they count as
// fixed.
inline constexpr DesignedControl kDesignedControls[] = {
    {ControlRole::KeyGroup, IDC_KEY_GROUP, ControlKind::GroupBox, ControlClass::GroupBox,
     {8, 55, 497, 108}},
    {ControlRole::KeyBox, IDC_KEY_BOX, ControlKind::Edit, ControlClass::TextBox,
     {8, 18, 394, 21}, ControlRole::KeyGroup, "", 0, false, KS_TEXT_KEY_BOX_HINT},
    {ControlRole::JumpButton, IDC_JUMP, ControlKind::PushButton, ControlClass::PushButton,
     {413, 16, 72, 27}, ControlRole::KeyGroup, KS_TEXT_JUMP_BUTTON, IDC_JUMP, true},
    {ControlRole::RootGroup, IDC_ROOT_SWITCHER, ControlKind::RadioGroup, ControlClass::RadioGroup,
     {8, 46, 464, 58}, ControlRole::KeyGroup, "", 0, false, KS_TEXT_ROOTS_HINT},
    {ControlRole::AutoCopyBox, IDC_AUTO_COPY, ControlKind::Other, ControlClass::CheckBox,
     {10, 170, 175, 21}, ControlRole::None, KS_TEXT_AUTO_COPY, IDC_AUTO_COPY},
    {ControlRole::FavouritesList, IDC_FAVOURITES, ControlKind::ListView, ControlClass::ReportList,
     {8, 198, 497, 225}, ControlRole::None, "", 0, true, KS_TEXT_LIST_HINT},
    {ControlRole::AddButton, IDC_ADD_FAVOURITE, ControlKind::PushButton, ControlClass::PushButton,
     {8, 438, 70, 27}, ControlRole::None, KS_TEXT_ADD_BUTTON, IDM_ADD_FAVOURITE, true},
    {ControlRole::JumpFromListButton, IDC_JUMP_TO_FAVOURITE, ControlKind::PushButton,
     ControlClass::PushButton, {84, 438, 55, 27}, ControlRole::None, "", IDM_JUMP_TO_FAVOURITE, true},
    {ControlRole::EditButton, IDC_EDIT_FAVOURITE, ControlKind::PushButton, ControlClass::PushButton,
     {145, 438, 55, 27}, ControlRole::None, "", IDM_EDIT_FAVOURITE, true},
    {ControlRole::UpButton, IDC_MOVE_UP, ControlKind::PushButton, ControlClass::PushButton,
     {206, 438, 55, 27}, ControlRole::None, "", IDM_MOVE_UP, true},
    {ControlRole::DownButton, IDC_MOVE_DOWN, ControlKind::PushButton, ControlClass::PushButton,
     {267, 438, 55, 27}, ControlRole::None, "", IDM_MOVE_DOWN, true},
    {ControlRole::RemoveButton, IDC_REMOVE_FAVOURITE, ControlKind::PushButton,
     ControlClass::PushButton, {328, 438, 55, 27}, ControlRole::None, "", IDM_REMOVE_FAVOURITE, true},
    {ControlRole::AboutButton, IDC_ABOUT, ControlKind::PushButton, ControlClass::PushButton,
     {389, 438, 55, 27}, ControlRole::None, KS_TEXT_ABOUT_BUTTON, IDC_ABOUT, true},
    {ControlRole::ExitButton, IDC_EXIT, ControlKind::PushButton, ControlClass::PushButton,
     {450, 438, 55, 27}, ControlRole::None, KS_TEXT_EXIT_BUTTON, IDM_EXIT, true},
    {ControlRole::UpdateLink, IDC_UPDATE_LINK, ControlKind::Other, ControlClass::LinkLabel,
     {306, 24, 96, 13}, ControlRole::None, KS_TEXT_UPDATE_LINK, IDC_UPDATE_LINK, true},
    {ControlRole::MakerLink, IDC_MAKER_LINK, ControlKind::Other, ControlClass::LinkLabel,
     {49, 8, 81, 16}, ControlRole::None, KS_TEXT_MAKER_SITE, IDC_MAKER_LINK, true},
    {ControlRole::ProgramIcon, IDC_PROGRAM_ICON, ControlKind::Other, ControlClass::Icon,
     {8, 8, 32, 32}, ControlRole::None, "", IDM_HOMEPAGE},
    {ControlRole::UpdateIcon, IDC_UPDATE_ICON, ControlKind::Other, ControlClass::Icon,
     {282, 24, 16, 16}},
    {ControlRole::Tagline, IDC_TAGLINE, ControlKind::Other, ControlClass::Label,
     {50, 27, 266, 13}, ControlRole::None, KS_TEXT_TAGLINE, 0, true},
    {ControlRole::Banner, IDC_BANNER, ControlKind::Picture, ControlClass::Picture,
     {8, 0, 117, 53}, ControlRole::None, "", 0, true},
};

// Where a command stands in a menu: in which group (0: not in that menu);
// groups are kept apart by separators, in the order of the table. Rows that
// name a submenu stand in it, the submenu where its first row is.
struct DesignedCommand {
    int id;
    const char* caption;
    int listMenuGroup = 0;
    int trayMenuGroup = 0;
    const char* submenu = nullptr;
    bool checkItem = false;  // shows a check mark for a state
};

// In menu order; each menu's default entry first.
inline constexpr DesignedCommand kDesignedCommands[] = {
    {IDM_JUMP_TO_FAVOURITE, KS_TEXT_CMD_JUMP_TO_FAVOURITE, 1},
    {IDM_OPEN, KS_TEXT_CMD_OPEN, 0, 1},
    {IDM_JUMP_FROM_CLIPBOARD, KS_TEXT_CMD_JUMP_FROM_CLIPBOARD, 1, 2},
    {IDM_ADD_FAVOURITE, KS_TEXT_CMD_ADD_FAVOURITE, 2},
    {IDM_IMPORT_EDITOR_FAVOURITES, KS_TEXT_CMD_IMPORT, 2},
    {IDM_EDIT_FAVOURITE, KS_TEXT_CMD_EDIT_FAVOURITE, 2},
    {IDM_MOVE_UP, KS_TEXT_CMD_MOVE_UP, 3},
    {IDM_MOVE_DOWN, KS_TEXT_CMD_MOVE_DOWN, 3},
    {IDM_REMOVE_FAVOURITE, KS_TEXT_CMD_REMOVE, 3},
    {IDM_UNDO_REMOVE, KS_TEXT_CMD_UNDO_REMOVE, 3},
    {IDM_COPY_TO_CLIPBOARD, KS_TEXT_CMD_COPY, 4},
    {IDM_COPY_AS_LONG_NAMES, KS_TEXT_CMD_COPY_AS_LONG_NAMES, 4, 0, KS_TEXT_CMD_COPY_AS},
    {IDM_COPY_AS_SHORT_NAMES, KS_TEXT_CMD_COPY_AS_SHORT_NAMES, 4, 0, KS_TEXT_CMD_COPY_AS},
    {IDM_COPY_AS_POWERSHELL, KS_TEXT_CMD_COPY_AS_POWERSHELL, 4, 0, KS_TEXT_CMD_COPY_AS},
    {IDM_COPY_AS_REG_HEADER, KS_TEXT_CMD_COPY_AS_REG_HEADER, 4, 0, KS_TEXT_CMD_COPY_AS},
    {IDM_COPY_AS_REG_QUERY, KS_TEXT_CMD_COPY_AS_REG_QUERY, 4, 0, KS_TEXT_CMD_COPY_AS},
    {IDM_COPY_AS_SOURCE_STRING, KS_TEXT_CMD_COPY_AS_SOURCE_STRING, 4, 0, KS_TEXT_CMD_COPY_AS},
    {IDM_COPY_AS_LINK, KS_TEXT_CMD_COPY_AS_LINK, 4, 0, KS_TEXT_CMD_COPY_AS},
    {IDM_CLEAR_RECENT_PATHS, KS_TEXT_CMD_CLEAR_RECENT, 5},
    {IDM_HOTKEYS, KS_TEXT_CMD_HOTKEYS, 5, 3},
    {IDM_START_WITH_WINDOWS, KS_TEXT_CMD_START_WITH_WINDOWS, 0, 3, nullptr, true},
    {IDM_OPEN_LINKS, KS_TEXT_CMD_OPEN_LINKS, 0, 3, nullptr, true},
    {IDM_HOMEPAGE, KS_TEXT_CMD_HOMEPAGE, 0, 4},
    {IDM_CHECK_FOR_UPDATES, KS_TEXT_CMD_CHECK_FOR_UPDATES, 0, 4},
    {IDM_EXIT, KS_TEXT_CMD_EXIT, 0, 5},
};

// The notation each Copy As command writes.
constexpr std::optional<PathForm> CopyAsForm(int id) {
    if (id < IDM_COPY_AS_LONG_NAMES || id > IDM_COPY_AS_LINK) return std::nullopt;
    return static_cast<PathForm>(id - IDM_COPY_AS_LONG_NAMES);
}

// The menus' default entries: a double click on a row runs the list's, one
// on the tray icon the tray's.
inline constexpr int kListMenuDefault = IDM_JUMP_TO_FAVOURITE;
inline constexpr int kTrayMenuDefault = IDM_OPEN;

// The command a key pressed in the favourites list runs (Delete, F2,
// Ctrl+Z); 0 for the keys the list keeps.
constexpr int ListKeyCommand(unsigned virtualKey, bool control) {
    constexpr unsigned kDelete = 0x2E, kF2 = 0x71;
    if (virtualKey == kDelete && !control) return IDM_REMOVE_FAVOURITE;
    if (virtualKey == kF2 && !control) return IDM_EDIT_FAVOURITE;
    if (virtualKey == 'Z' && control) return IDM_UNDO_REMOVE;
    return 0;
}

// The command's row; nothing for an identifier the table does not hold.
constexpr std::optional<DesignedCommand> CommandOf(int id) {
    for (const DesignedCommand& command : kDesignedCommands)
        if (command.id == id) return command;
    return std::nullopt;
}

// The caption a control shows: its own, or a button's command's (an icon
// that runs a command shows no text).
constexpr const char* CaptionOf(const DesignedControl& control) {
    if (*control.caption) return control.caption;
    if (control.controlClass != ControlClass::PushButton) return "";
    if (const auto command = CommandOf(control.command)) return command->caption;
    return "";
}

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
