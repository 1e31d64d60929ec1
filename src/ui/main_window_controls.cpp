// The main window's controls, fonts, pictures, hints and menus, and the
// small subclasses that make group boxes hold controls and the root group
// answer clicks on its free area.
#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string>

#include "grammar/root_switcher.h"
#include "resource.h"
#include "texts.h"
#include "ui/app_window.h"
#include "ui/control_ids.h"
#include "ui/jpeg_picture.h"

namespace ks::ui {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD kPushButton = kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
constexpr DWORD kLabel = kChild | SS_LEFT | SS_NOTIFY | SS_NOPREFIX;
constexpr DWORD kLink = kLabel | WS_TABSTOP | WS_GROUP;
constexpr DWORD kPicture = kChild | SS_ICON | SS_NOTIFY;
constexpr DWORD kContainer = kChild | WS_CLIPCHILDREN | BS_GROUPBOX;

enum class FontRole { Normal, Title, Link };

// The root switcher's first item; the others are the roots it sets.
constexpr char kNoActionItem[] = "&No Action";
constexpr int kRootColumns = 3;
// Beside its caption a radio item draws its circle and a gap.
constexpr int kRadioCircleRoom = 13 + 6;

constexpr UINT_PTR kContainerSubclass = 1;
constexpr UINT_PTR kRadioGroupSubclass = 2;
constexpr UINT_PTR kLinkLabelSubclass = 3;
constexpr UINT_PTR kLinkKeysSubclass = 4;

LRESULT ForwardToMain(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(main, message, wParam, lParam);
}

}  // namespace

struct MainWindow::ControlDesign {
    HWND MainWindow::*handle;
    HWND MainWindow::*parent;  // nullptr: the window itself
    int id;
    const wchar_t* className;
    const char* text;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;  // designed pixels
    FontRole font;
};

bool MainWindow::BuildControls() {
    dpi_ = DpiOf(window_);
    BuildFonts();

    // Creation order is control order and tab order, which follows what
    // the eye reads: the key box, Jump and the roots, the check box, the
    // list and its buttons from left to right, then the banner's links. The
    // banner's picture comes last, at the very bottom, so the labels stand
    // on it. Every tab stop starts a group of its own, so that the arrow keys
    // move only among the roots.
    static const ControlDesign kControls[] = {
        {&MainWindow::GroupBox2_, nullptr, IDC_GROUPBOX2, WC_BUTTONW, "", kContainer,
         WS_EX_CONTROLPARENT, 8, 55, 497, 108, FontRole::Normal},
        {&MainWindow::eRegKey_, &MainWindow::GroupBox2_, IDC_EREGKEY, WC_EDITW, "",
         kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 8, 18, 394, 21,
         FontRole::Normal},
        {&MainWindow::bOpen_, &MainWindow::GroupBox2_, IDC_BOPEN, WC_BUTTONW, "Jum&p",
         kPushButton, 0, 413, 16, 72, 27, FontRole::Normal},
        {&MainWindow::rgPre_, &MainWindow::GroupBox2_, IDC_RGPRE, WC_BUTTONW, "", kContainer,
         WS_EX_CONTROLPARENT, 8, 46, 464, 58, FontRole::Normal},
        {&MainWindow::cbAutoCopy_, nullptr, IDC_CBAUTOCOPY, WC_BUTTONW,
         "Enable auto &copy from clipboard", kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0,
         10, 170, 175, 21, FontRole::Normal},
        {&MainWindow::ListView1_, nullptr, IDC_LISTVIEW1, WC_LISTVIEWW, "",
         kChild | WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
         WS_EX_CLIENTEDGE, 8, 198, 497, 225, FontRole::Normal},
        {&MainWindow::bAddtoList_, nullptr, IDC_BADDTOLIST, WC_BUTTONW, "", kPushButton, 0,
         8, 438, 71, 27, FontRole::Normal},
        {&MainWindow::bJumpFromList_, nullptr, IDC_BJUMPFROMLIST, WC_BUTTONW, "", kPushButton,
         0, 84, 438, 55, 27, FontRole::Normal},
        {&MainWindow::bEdit_, nullptr, IDC_BEDIT, WC_BUTTONW, "", kPushButton, 0,
         145, 438, 55, 27, FontRole::Normal},
        {&MainWindow::bUp_, nullptr, IDC_BUP, WC_BUTTONW, "", kPushButton, 0,
         206, 438, 55, 27, FontRole::Normal},
        {&MainWindow::bDown_, nullptr, IDC_BDOWN, WC_BUTTONW, "", kPushButton, 0,
         267, 438, 55, 27, FontRole::Normal},
        {&MainWindow::bRemove_, nullptr, IDC_BREMOVE, WC_BUTTONW, "", kPushButton, 0,
         328, 438, 55, 27, FontRole::Normal},
        {&MainWindow::bAbout_, nullptr, IDC_BABOUT, WC_BUTTONW, "A&bout", kPushButton, 0,
         389, 438, 55, 27, FontRole::Normal},
        {&MainWindow::bExit_, nullptr, IDC_BEXIT, WC_BUTTONW, "E&xit", kPushButton, 0,
         450, 438, 55, 27, FontRole::Normal},
        {&MainWindow::lUpdate_, nullptr, IDC_LUPDATE, WC_STATICW, "Check for updates...",
         kLink, 0, 306, 24, 96, 13, FontRole::Link},
        {&MainWindow::lTitle_, nullptr, IDC_LTITLE, WC_STATICW, KS_TEXT_MAKER_SITE, kLink, 0,
         49, 8, 81, 16, FontRole::Title},
        {&MainWindow::Image1_, nullptr, IDC_IMAGE1, WC_STATICW, "", kPicture, 0,
         8, 8, 32, 32, FontRole::Normal},
        {&MainWindow::iUpdate_, nullptr, IDC_IUPDATE, WC_STATICW, "", kPicture, 0,
         282, 24, 16, 16, FontRole::Normal},
        {&MainWindow::lTitleHint_, nullptr, IDC_LTITLEHINT, WC_STATICW,
         "Jump to a registry key directly", kLabel, 0, 50, 27, 266, 13, FontRole::Normal},
        {&MainWindow::imgTitle_, nullptr, IDC_IMGTITLE, WC_STATICW, "",
         kChild | SS_OWNERDRAW | SS_NOTIFY, 0, 8, 0, 117, 53, FontRole::Normal},
    };
    for (const ControlDesign& design : kControls) {
        HWND control = CreateControl(design);
        if (!control) return false;
        this->*design.handle = control;
        const HFONT font = design.font == FontRole::Title  ? titleFont_.Get()
                           : design.font == FontRole::Link ? linkFont_.Get()
                                                         : font_.Get();
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    // The items stand in columns; they are made in reading order (across,
    // then down), which is the order the arrow keys take. The checked item
    // carries the group's one tab stop.
    const int count = static_cast<int>(rgPreItems_.size());
    const int perColumn = (count + kRootColumns - 1) / kRootColumns;
    for (int row = 0; row < perColumn; ++row) {
        for (int column = 0; column < kRootColumns; ++column) {
            const int i = column * perColumn + row;
            if (i >= count) continue;
            const std::string caption =
                i == 0 ? kNoActionItem : std::string(RootPrefixTable[static_cast<std::size_t>(i)]);
            HWND& item = rgPreItems_[static_cast<std::size_t>(i)];
            item = CreateWindowExW(
                0, WC_BUTTONW, Wide(caption).c_str(),
                kChild | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), 0, 0, 0, 0,
                rgPre_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RGPRE_ITEM0 + i)),
                app_.Instance(), nullptr);
            if (!item) return false;
            SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        }
    }
    SendMessageW(rgPreItems_[0], BM_SETCHECK, BST_CHECKED, 0);
    rgPreIndex_ = 0;

    SetWindowSubclass(GroupBox2_, ContainerProc, kContainerSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(rgPre_, RadioGroupProc, kRadioGroupSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(lUpdate_, LinkLabelProc, kLinkLabelSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    for (HWND link : {lUpdate_, lTitle_})
        SetWindowSubclass(link, LinkKeysProc, kLinkKeysSubclass, reinterpret_cast<DWORD_PTR>(this));
    ArrangeRadioItems();

    // A pasted path may be far longer than the edit box's default limit.
    SendMessageW(eRegKey_, EM_SETLIMITTEXT, 0, 0);
    favouritesView_.Attach(ListView1_, Scaled(kKeyColumnWidth), Scaled(kCommentColumnWidth));
    FitLabelToText(lTitle_);
    FitLabelToText(lUpdate_);
    WidenCheckBoxToText(cbAutoCopy_);
    SetWindowPos(imgTitle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    BuildPictures();
    BuildTooltip();
    AddHint(eRegKey_,
            "For example, HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    BuildMenus();
    BuildActions();
    if (!suggestions_.Create(app_.Instance(), window_, eRegKey_, bOpen_)) return false;
    suggestions_.SetFont(font_.Get());
    return true;
}

HWND MainWindow::CreateControl(const ControlDesign& design) {
    HWND parent = design.parent ? this->*design.parent : window_;
    return CreateWindowExW(design.exStyle, design.className, Wide(design.text).c_str(), design.style,
                           Scaled(design.left), Scaled(design.top), Scaled(design.width),
                           Scaled(design.height), parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), app_.Instance(),
                           nullptr);
}

void MainWindow::BuildFonts() {
    font_ = CreateDesignFont(dpi_);
    titleFont_ = CreateDesignFont(dpi_, 15, FW_BOLD);
    linkFont_ = CreateDesignFont(dpi_, 12, FW_NORMAL, true);
}

void MainWindow::BuildPictures() {
    LoadIcons();
    SetJumpGlyph();
    bannerPicture_ = LoadJpegResource(app_.Instance(), IDR_BANNER_MAIN);
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
    Icon update = load(IDI_UPDATE, Scaled(16), Scaled(16));
    if (program) {
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(program.Get()));
        SendMessageW(Image1_, STM_SETICON, reinterpret_cast<WPARAM>(program.Get()), 0);
    }
    if (programSmall)
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(programSmall.Get()));
    if (update) SendMessageW(iUpdate_, STM_SETICON, reinterpret_cast<WPARAM>(update.Get()), 0);
    // The tray keeps its own copy of an icon it shows: the old one may go.
    programIcon_ = std::move(program);
    programIconSmall_ = std::move(programSmall);
    updateIcon_ = std::move(update);
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
        if (SendMessageW(bOpen_, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images))) return;
    }
    // Without the version 6 controls the glyph goes on as it is.
    jumpGlyph_ = std::move(glyph);
    SendMessageW(bOpen_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(jumpGlyph_.Get()));
}

void MainWindow::BuildTooltip() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               app_.Instance(), nullptr);
    // A width makes the tooltip break lines at the hints' line breaks.
    if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scaled(400));
}

void MainWindow::AddHint(HWND control, const char* text) {
    if (!tooltip_) return;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // The tooltip keeps a copy of the text.
    std::wstring wide = Wide(text);
    tool.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
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

SIZE MainWindow::TextExtent(HWND control) const {
    const std::wstring text = Wide(WindowText(control));
    SIZE size{};
    HDC dc = GetDC(control);
    if (!dc) return size;
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

void MainWindow::FitLabelToText(HWND label) const {
    const SIZE size = TextExtent(label);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::WidenCheckBoxToText(HWND checkBox) const {
    // Where the system's font runs wider than the designed one, the caption
    // would be cut off; the box never gets narrower than designed.
    const int needed = TextExtent(checkBox).cx + GetSystemMetrics(SM_CXMENUCHECK) + Scaled(8);
    RECT rect{};
    GetWindowRect(checkBox, &rect);
    if (needed <= rect.right - rect.left) return;
    SetWindowPos(checkBox, nullptr, 0, 0, needed, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::ArrangeRadioItems() {
    // Items run down the columns; the rows share the height below a
    // caption line, as the group would have one. Each column is as wide as
    // its longest caption needs beside the radio circle, and the width left
    // over is shared equally, so no root name is cut off at any font size.
    RECT client{};
    GetClientRect(rgPre_, &client);
    TEXTMETRICA metrics{};
    if (HDC dc = GetDC(rgPre_)) {
        const HGDIOBJ old = SelectObject(dc, font_.Get());
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(rgPre_, dc);
    }
    const int count = static_cast<int>(rgPreItems_.size());
    const int perColumn = (count + kRootColumns - 1) / kRootColumns;
    std::array<int, kRootColumns> widths{};
    for (int i = 0; i < count; ++i) {
        const int needed = static_cast<int>(TextExtent(rgPreItems_[static_cast<std::size_t>(i)]).cx) +
                           Scaled(kRadioCircleRoom);
        widths[static_cast<std::size_t>(i / perColumn)] =
            std::max(widths[static_cast<std::size_t>(i / perColumn)], needed);
    }
    int spare = client.right - Scaled(10);
    for (const int width : widths) spare -= width;
    spare = std::max(0, spare / kRootColumns);
    const int rowsHeight = client.bottom - metrics.tmHeight - Scaled(5);
    const int itemHeight = rowsHeight / perColumn;
    const int topMargin = metrics.tmHeight + 1 + (rowsHeight % perColumn) / 2;
    int left = Scaled(8);
    for (int column = 0; column < kRootColumns; ++column) {
        const int width = widths[static_cast<std::size_t>(column)] + spare;
        for (int row = 0; row < perColumn && column * perColumn + row < count; ++row)
            SetWindowPos(rgPreItems_[static_cast<std::size_t>(column * perColumn + row)], nullptr,
                         left, row * itemHeight + topMargin, width, itemHeight,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        left += width;
    }
}

LRESULT CALLBACK MainWindow::ContainerProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    // A group box that holds controls passes their notifications on to the
    // main window, and paints the background the parent leaves to it.
    const auto* self = reinterpret_cast<const MainWindow*>(data);
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CONTEXTMENU:  // with the control that was clicked, not the group
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return ForwardToMain(self->window_, message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, ContainerProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::RadioGroupProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    // The group's own area outside the items is clickable: a click there
    // applies the selected root again.
    auto* self = reinterpret_cast<MainWindow*>(data);
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != window) return 0;
        ReleaseCapture();
        RECT client{};
        GetClientRect(window, &client);
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, point))
            SendMessageW(self->window_, WM_COMMAND, MAKEWPARAM(IDC_RGPRE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(window));
        return 0;
    }
    case WM_SIZE:
        self->ArrangeRadioItems();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, RadioGroupProc, id);
        break;
    default:
        break;
    }
    return ContainerProc(window, message, wParam, lParam, kContainerSubclass, data);
}

LRESULT CALLBACK MainWindow::LinkLabelProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    // The update link turns red while the mouse is over it.
    auto* self = reinterpret_cast<MainWindow*>(data);
    switch (message) {
    case WM_MOUSEMOVE:
        if (!self->updateLinkHot_) {
            self->updateLinkHot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
            TrackMouseEvent(&track);
            InvalidateRect(window, nullptr, TRUE);
        }
        break;
    case WM_MOUSELEAVE:
        self->updateLinkHot_ = false;
        InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, LinkLabelProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace ks::ui
