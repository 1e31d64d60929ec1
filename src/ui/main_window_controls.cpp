// The main window's controls, made from its design, with their pictures,
// hints and menus.
#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/app_window.h"
#include "ui/platform_services.h"

namespace ks::ui {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// Every tab stop starts a group of its own, so that the arrow keys move
// only among the roots.
constexpr DWORD kTabStop = WS_TABSTOP | WS_GROUP;
constexpr DWORD kLabel = kChild | SS_LEFT | SS_NOTIFY | SS_NOPREFIX;

struct WindowClassOfControl {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

WindowClassOfControl ClassFor(ControlClass kind) {
    switch (kind) {
    case ControlClass::GroupBox:
    case ControlClass::RadioGroup:
        return {WC_BUTTONW, kChild | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlClass::TextBox:
        return {WC_EDITW, kChild | kTabStop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlClass::PushButton:
        return {WC_BUTTONW, kChild | kTabStop | BS_PUSHBUTTON, 0};
    case ControlClass::CheckBox:
        return {WC_BUTTONW, kChild | kTabStop | BS_AUTOCHECKBOX, 0};
    case ControlClass::ReportList:
        return {WC_LISTVIEWW,
                kChild | kTabStop | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE};
    case ControlClass::LinkLabel:
        return {WC_STATICW, kLabel | kTabStop, 0};
    case ControlClass::Label:
        return {WC_STATICW, kLabel, 0};
    case ControlClass::Icon:
        return {WC_STATICW, kChild | SS_ICON | SS_NOTIFY, 0};
    case ControlClass::Picture:
        return {WC_STATICW, kChild | SS_OWNERDRAW | SS_NOTIFY, 0};
    }
    return {WC_STATICW, kLabel, 0};
}

}  // namespace

bool MainWindow::BuildControls() {
    dpi_ = DpiOf(window_);
    font_ = CreateMessageFont(dpi_);
    if (!MakeDesignedControls()) return false;
    if (!rootSwitcher_.Create(controls_[ControlRole::RootGroup], app_.Instance(), font_.Get(), [this] {
            SetWindowTextTo(KeyBox(), rootSwitcher_.Apply(WindowText(KeyBox())));
        }))
        return false;
    if (!banner_.Attach(controls_, app_.Instance())) return false;

    // A pasted path may be far longer than the edit box's default limit.
    SendMessageW(KeyBox(), EM_SETLIMITTEXT, 0, 0);
    favouritesView_.Attach(controls_[ControlRole::FavouritesList], Scale(kKeyColumnWidth, dpi_),
                           Scale(kCommentColumnWidth, dpi_));
    FitCaptions();

    pictures_.Load(app_.Instance(), window_, controls_[ControlRole::JumpButton], dpi_);
    banner_.ShowProgramIcon(pictures_.BannerIcon());
    tray_.SetIcon(pictures_.TrayIcon());
    listMenu_ = MakeCommandMenu(&DesignedCommand::listMenuGroup, kListMenuDefault);
    trayMenu_ = MakeCommandMenu(&DesignedCommand::trayMenuGroup, kTrayMenuDefault);
    RegisterCommands();
    suggestions_.Attach(app_.Instance(), window_, KeyBox(), [this] { JumpFromKeyBox(); });
    suggestions_.SetFont(font_.Get());
    return true;
}

bool MainWindow::MakeDesignedControls() {
    // In the design's order, which is control order and tab order.
    for (const DesignedControl& design : kDesignedControls) {
        const WindowClassOfControl made = ClassFor(design.controlClass);
        HWND parent = design.parent == ControlRole::None ? window_ : controls_[design.parent];
        HWND control = CreateWindowExW(
            made.exStyle, made.name, Wide(CaptionOf(design)).c_str(), made.style,
            Scale(design.rect.left, dpi_), Scale(design.rect.top, dpi_),
            Scale(design.rect.width, dpi_), Scale(design.rect.height, dpi_), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), app_.Instance(), nullptr);
        if (!control) return false;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        if (made.exStyle & WS_EX_CONTROLPARENT) HoldControls(control, window_);
        controls_.Set(design.role, control);
    }
    return true;
}

void MainWindow::FitCaptions() const {
    // Where the system's font runs wider or taller than the designed one, a
    // caption would be cut off: the check box and the tagline grow to their
    // captions, and never get smaller than designed.
    const auto growTo = [](HWND control, int width, int height) {
        const RECT rect = WindowBoundsOf(control);
        const int nowWidth = rect.right - rect.left;
        const int nowHeight = rect.bottom - rect.top;
        if (width <= nowWidth && height <= nowHeight) return;
        SetWindowPos(control, nullptr, 0, 0, std::max(width, nowWidth), std::max(height, nowHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    HWND autoCopy = controls_[ControlRole::AutoCopyBox];
    const SIZE check = CaptionExtent(autoCopy);
    growTo(autoCopy, check.cx + GetSystemMetrics(SM_CXMENUCHECK) + Scale(8, dpi_), check.cy);
    HWND tagline = controls_[ControlRole::Tagline];
    const SIZE taglineSize = CaptionExtent(tagline);
    growTo(tagline, taglineSize.cx, taglineSize.cy);
}

void MainWindow::AcceptOutsideMessages() {
    // Run at a higher level than the shell, the programs that wake it, the
    // programs that copy and the command-line jumps that hand over where
    // they landed, the window would not hear them without saying so.
    for (UINT message : {tray_.TaskbarCreatedMessage(), static_cast<UINT>(WM_KEYSTRIDE_ACTIVATE),
                         static_cast<UINT>(WM_KEYSTRIDE_TRAYICON),
                         static_cast<UINT>(WM_CLIPBOARDUPDATE), static_cast<UINT>(WM_COPYDATA)})
        if (message) ChangeWindowMessageFilterEx(window_, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace ks::ui
