// The main window's controls, icons, hints and menus.
#include "ui/main_window.h"

#include <commctrl.h>

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
    font_ = CreateDesignFont(dpi_);

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
    WidenCheckBoxToText(controls_.cbAutoCopy);

    LoadIcons();
    SetJumpGlyph();
    BuildTooltip();
    AddHint(controls_.eRegKey,
            "For example, HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    BuildMenus();
    BuildActions();
    if (!suggestions_.Create(app_.Instance(), window_, controls_.eRegKey, controls_.bOpen)) return false;
    suggestions_.SetFont(font_.Get());
    return true;
}

void MainWindow::LoadIcons() {
    // Icons of the window's own size, not shared ones: a shared icon keeps
    // the size it was first loaded at, and the DPI may change.
    const HINSTANCE instance = app_.Instance();
    const auto load = [&](int id, int width, int height) {
        return Icon(static_cast<HICON>(
            LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, 0)));
    };
    Icon program = load(IDI_KEYSTRIDE, Scaled(32), Scaled(32));
    Icon programSmall = load(IDI_KEYSTRIDE, Scaled(16), Scaled(16));
    if (program) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(program.Get()));
        banner_.ShowProgramIcon(program.Get());
    }
    if (programSmall)
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programSmall.Get()));
    // The tray keeps its own copy of an icon it shows: the old one may go.
    programIcon_ = std::move(program);
    tray_.SetIcon(programIcon_.Get());
    programIconSmall_ = std::move(programSmall);
}

void MainWindow::SetJumpGlyph() {
    const int size = Scaled(16);
    Bitmap glyph(static_cast<HBITMAP>(LoadImageA(app_.Instance(), MAKEINTRESOURCEA(IDB_JUMP_GLYPH),
                                                  IMAGE_BITMAP, size, size, 0)));
    if (!glyph) return;
    // A glyph of 24 bits has no transparency: its bottom-left pixel names
    // the colour that stands for the background.
    COLORREF background = CLR_NONE;
    if (const MemoryDc dc(CreateCompatibleDC(nullptr)); dc) {
        const SelectedObject selected(dc.Get(), glyph.Get());
        background = GetPixel(dc.Get(), 0, size - 1);
    }
    jumpGlyphImages_.Reset(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    if (jumpGlyphImages_ &&
        ImageList_AddMasked(jumpGlyphImages_.Get(), glyph.Get(), background) >= 0) {
        BUTTON_IMAGELIST images{jumpGlyphImages_.Get(), {Scaled(4), 0, Scaled(3), 0},
                                BUTTON_IMAGELIST_ALIGN_LEFT};
        if (SendMessageW(controls_.bOpen, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images))) return;
    }
    // Without the version 6 controls the glyph goes on as it is.
    jumpGlyph_ = std::move(glyph);
    SendMessageW(controls_.bOpen, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(jumpGlyph_.Get()));
}

void MainWindow::BuildTooltip() {
    controls_.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               app_.Instance(), nullptr);
    // A width makes the tooltip break lines at the hints' line breaks.
    if (controls_.tooltip) SendMessageW(controls_.tooltip, TTM_SETMAXTIPWIDTH, 0, Scaled(400));
}

void MainWindow::AddHint(HWND control, const char* text) {
    if (!controls_.tooltip) return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // The tooltip keeps a copy of the text.
    std::wstring wide = Wide(text);
    tool.lpszText = wide.data();
    SendMessageW(controls_.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(controls_.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::BuildMenus() {
    // Action entries take their captions and states from the actions each
    // time the menu opens; these texts are only the starting point.
    HMENU list = CreatePopupMenu();
    AppendMenuW(list, MF_STRING, IDM_AJUMPFROMCLIPBOARD, L"Jump from &Clipboard");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_AADDLIST, L"&Add to List");
    AppendMenuW(list, MF_STRING, IDM_AIMPORTEDITORFAVOURITES, L"&Import Registry Editor Favorites");
    AppendMenuW(list, MF_STRING, IDM_AJUMPFROMLIST, L"&Jump");
    AppendMenuW(list, MF_STRING, IDM_AEDIT, L"&Edit");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_AMOVEUP, L"&Up");
    AppendMenuW(list, MF_STRING, IDM_AMOVEDOWN, L"&Down");
    AppendMenuW(list, MF_STRING, IDM_AREMOVE, L"&Remove");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_ACOPYTOCLIPBOARD, L"C&opy to Clipboard");
    AppendMenuW(list, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(list, MF_STRING, IDM_ACLEARRECENT, L"Clear Recent &Paths");
    SetMenuDefaultItem(list, IDM_AJUMPFROMLIST, FALSE);
    PopupMenu1_.Reset(list);

    HMENU tray = CreatePopupMenu();
    AppendMenuW(tray, MF_STRING, IDM_MIOPEN, L"&Open");
    AppendMenuW(tray, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray, MF_STRING, IDM_AJUMPFROMCLIPBOARD, L"Jump from &Clipboard");
    AppendMenuW(tray, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray, MF_STRING, IDM_MIHOMEPAGE, L"&Homepage");
    AppendMenuW(tray, MF_STRING, IDM_MICHECKFORUPDATE, L"Check for &Updates");
    AppendMenuW(tray, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray, MF_STRING, IDM_MIEXIT, L"&Exit");
    pmSelf_.Reset(tray);
}

void MainWindow::WidenCheckBoxToText(HWND checkBox) const {
    // Where the system's font runs wider than the designed one, the caption
    // would be cut off; the box never gets narrower than designed.
    const int needed = CaptionExtent(checkBox).cx + GetSystemMetrics(SM_CXMENUCHECK) + Scaled(8);
    RECT rect{};
    GetWindowRect(checkBox, &rect);
    if (needed <= rect.right - rect.left) return;
    SetWindowPos(checkBox, nullptr, 0, 0, needed, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ks::ui
