// The main window's controls, icons, hints and menus.
#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "resource.h"
#include "ui/app_window.h"
#include "ui/control_ids.h"

namespace ks::ui {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kPushButton = kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;

// The window's own controls; the root switcher and the banner make theirs.
struct ControlDesign {
    HWND MainControls::*handle;
    ControlRole role;
    const wchar_t* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
};

}  // namespace

bool MainWindow::BuildControls() {
    dpi_ = DpiOf(window_);
    font_ = CreateMessageFont(dpi_);

    // Creation order is control order and tab order, which follows what
    // the eye reads: the key box, Jump and the roots, the check box, the
    // list and its buttons from left to right, then the banner's links. The
    // banner's picture comes last, at the very bottom, so the labels stand
    // on it. Every tab stop starts a group of its own, so that the arrow keys
    // move only among the roots.
    using R = ControlRole;
    static const ControlDesign kControls[] = {
        {&MainControls::GroupBox2, R::KeyGroup, WC_BUTTONW, "",
         kChild | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT},
        {&MainControls::eRegKey, R::KeyBox, WC_EDITW, "",
         kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
        {&MainControls::bOpen, R::JumpButton, WC_BUTTONW, "Jum&p", kPushButton, 0},
        {&MainControls::cbAutoCopy, R::AutoCopyBox, WC_BUTTONW, "Enable auto &copy from clipboard",
         kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0},
        {&MainControls::ListView1, R::FavouritesList, WC_LISTVIEWW, "",
         kChild | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
         WS_EX_CLIENTEDGE},
        {&MainControls::bAddtoList, R::AddButton, WC_BUTTONW, "", kPushButton, 0},
        {&MainControls::bJumpFromList, R::JumpFromListButton, WC_BUTTONW, "", kPushButton, 0},
        {&MainControls::bEdit, R::EditButton, WC_BUTTONW, "", kPushButton, 0},
        {&MainControls::bUp, R::UpButton, WC_BUTTONW, "", kPushButton, 0},
        {&MainControls::bDown, R::DownButton, WC_BUTTONW, "", kPushButton, 0},
        {&MainControls::bRemove, R::RemoveButton, WC_BUTTONW, "", kPushButton, 0},
        {&MainControls::bAbout, R::AboutButton, WC_BUTTONW, "A&bout", kPushButton, 0},
        {&MainControls::bExit, R::ExitButton, WC_BUTTONW, "E&xit", kPushButton, 0},
    };
    for (const ControlDesign& design : kControls) {
        HWND parent = DesignOf(design.role).parent == R::KeyGroup ? controls_.GroupBox2 : window_;
        HWND control = CreateDesignedControl(parent, app_.Instance(), design.role, design.className,
                                             design.text, design.style, design.exStyle, dpi_,
                                             font_.Get());
        if (!control) return false;
        controls_.*design.handle = control;
    }
    HoldControls(controls_.GroupBox2, window_);
    if (!rgPre_.Create(controls_.GroupBox2, window_, app_.Instance(), dpi_, font_.Get())) return false;
    if (!banner_.Create(window_, app_.Instance(), dpi_, font_.Get())) return false;

    // A pasted path may be far longer than the edit box's default limit.
    SendMessageW(controls_.eRegKey, EM_SETLIMITTEXT, 0, 0);
    favouritesView_.Attach(controls_.ListView1, Scaled(kKeyColumnWidth), Scaled(kCommentColumnWidth));
    FitCaptions();

    pictures_.Load(app_.Instance(), window_, controls_.bOpen, dpi_);
    banner_.ShowProgramIcon(pictures_.BannerIcon());
    tray_.SetIcon(pictures_.TrayIcon());
    hints_.Build(app_.Instance(), window_, dpi_);
    hints_.Add(controls_.eRegKey,
            "For example, HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    BuildMenus();
    BuildActions();
    suggestions_.Attach(app_.Instance(), window_, controls_.eRegKey, controls_.bOpen);
    suggestions_.SetFont(font_.Get());
    return true;
}

void MainWindow::BuildMenus() {
    // Action entries take their captions and states from the actions each
    // time the menu opens; these texts are only the starting point.
    HMENU list = CreatePopupMenu();
    AppendMenuW(list, MF_STRING, IDM_JUMP_FROM_CLIPBOARD, L"Jump from &Clipboard");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_ADD_FAVOURITE, L"&Add to List");
    AppendMenuW(list, MF_STRING, IDM_IMPORT_EDITOR_FAVOURITES, L"&Import Registry Editor Favorites");
    AppendMenuW(list, MF_STRING, IDM_JUMP_TO_FAVOURITE, L"&Jump");
    AppendMenuW(list, MF_STRING, IDM_EDIT_FAVOURITE, L"&Edit");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_MOVE_UP, L"&Up");
    AppendMenuW(list, MF_STRING, IDM_MOVE_DOWN, L"&Down");
    AppendMenuW(list, MF_STRING, IDM_REMOVE_FAVOURITE, L"&Remove");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_COPY_TO_CLIPBOARD, L"C&opy to Clipboard");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_CLEAR_RECENT_PATHS, L"Clear Recent &Paths");
    SetMenuDefaultItem(list, IDM_JUMP_TO_FAVOURITE, FALSE);
    PopupMenu1_.Reset(list);

    HMENU tray = CreatePopupMenu();
    AppendMenuW(tray, MF_STRING, IDM_OPEN, L"&Open");
    AppendMenuW(tray, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray, MF_STRING, IDM_JUMP_FROM_CLIPBOARD, L"Jump from &Clipboard");
    AppendMenuW(tray, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray, MF_STRING, IDM_HOMEPAGE, L"&Homepage");
    AppendMenuW(tray, MF_STRING, IDM_CHECK_FOR_UPDATES, L"Check for &Updates");
    AppendMenuW(tray, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray, MF_STRING, IDM_EXIT, L"&Exit");
    pmSelf_.Reset(tray);
}

void MainWindow::FitCaptions() const {
    // Where the system's font runs wider or taller than the designed one, a
    // caption would be cut off: the check box and the tagline grow to their
    // captions, and never get smaller than designed.
    const auto growTo = [](HWND control, int width, int height) {
        RECT rect{};
        GetWindowRect(control, &rect);
        const int nowWidth = rect.right - rect.left;
        const int nowHeight = rect.bottom - rect.top;
        if (width <= nowWidth && height <= nowHeight) return;
        SetWindowPos(control, nullptr, 0, 0, std::max(width, nowWidth), std::max(height, nowHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const SIZE check = CaptionExtent(controls_.cbAutoCopy);
    growTo(controls_.cbAutoCopy, check.cx + GetSystemMetrics(SM_CXMENUCHECK) + Scaled(8), check.cy);
    const SIZE tagline = CaptionExtent(banner_.Tagline());
    growTo(banner_.Tagline(), tagline.cx, tagline.cy);
}

}  // namespace ks::ui
