// The main window's controls after resizing, read from outside and compared
// with the places the design gives them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "e2e/main_window_support.h"
#include "platform/win32/remote_memory.h"
#include "ui/main_window_layout.h"
#include "ui/ui_kit.h"

namespace ks::test {
namespace {
using R = ControlRole;

ControlRect RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

ClientSize ClientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

std::vector<LayoutControl> ReadControls(const Keystride& app,
                                        const std::vector<LayoutControl>* recordedFrom) {
    std::vector<LayoutControl> controls;
    for (std::size_t i = 0; i < std::size(kDesignedControls); ++i) {
        const DesignedControl& watched = kDesignedControls[i];
        const ControlRect now = RectInParent(app.Control(watched.id));
        controls.push_back({watched.role, watched.kind, now,
                            recordedFrom ? (*recordedFrom)[i].current : now});
    }
    return controls;
}

ControlRect RectOf(const std::vector<LayoutControl>& controls, ControlRole role) {
    for (const LayoutControl& control : controls)
        if (control.role == role) return control.current;
    return {};
}

// Why `control`'s caption does not fit it in `font` on a display of `dpi`;
// empty when it does. Beside the text, push buttons draw an edge, check
// boxes and radio items their box; labels may wrap only when they have the
// height for it.
std::string CaptionOverflow(HWND control, HFONT font, UINT dpi) {
    const std::wstring text = WideWindowText(control);
    if (text.empty()) return {};
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const std::string kind = ClassOf(control);
    RECT room{};
    GetClientRect(control, &room);
    UINT format = DT_CALCRECT;
    if (kind == "Button") {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) return {};
        const bool box = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ||
                         type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
        room.right -= box ? ui::Scale(13 + 4, dpi) : ui::Scale(8, dpi);
        if (GetDlgCtrlID(control) == IDC_JUMP) room.right -= ui::Scale(16 + 4 + 3, dpi);  // glyph
        format |= DT_SINGLELINE;
    } else if (kind == "Static") {
        if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
        if ((style & SS_TYPEMASK) == SS_LEFT) format |= DT_WORDBREAK;
    } else {
        return {};
    }
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    RECT needed{0, 0, room.right, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (needed.right <= room.right && needed.bottom <= room.bottom) return {};
    return "\"" + WindowText(control) + "\" needs " + std::to_string(needed.right) + "x" +
           std::to_string(needed.bottom) + ", has " + std::to_string(room.right) + "x" +
           std::to_string(room.bottom);
}

struct Overflows {
    HWND window;
    UINT dpi;
    std::vector<std::string> found;
};

BOOL CALLBACK CheckCaption(HWND control, LPARAM data) {
    auto& search = *reinterpret_cast<Overflows*>(data);
    const int id = GetDlgCtrlID(control);
    // The banner's two links keep their designed lettering; everything else
    // shows the system's message font.
    const ui::Font font = id == IDC_MAKER_LINK    ? ui::CreateDesignFont(search.dpi, 15, FW_BOLD)
                          : id == IDC_UPDATE_LINK ? ui::CreateDesignFont(search.dpi, 12, FW_NORMAL, true)
                          : id == IDC_ABOUT_ADDRESS ? ui::CreateMessageFont(search.dpi, true)
                                              : ui::CreateMessageFont(search.dpi);
    const std::string overflow = CaptionOverflow(control, font.Get(), search.dpi);
    if (!overflow.empty()) search.found.push_back(overflow);
    return TRUE;
}

std::vector<std::string> ClippedCaptions(HWND window, UINT dpi) {
    Overflows search{window, dpi, {}};
    EnumChildWindows(window, CheckCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(SettingsFolder()); }

    static void Resize(const Keystride& app, int width, int height) {
        SetWindowPos(app.Main(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        app.Settle();
    }

    static void MoveToDpi(const Keystride& app, UINT dpi, const Bounds& bounds) {
        ASSERT_TRUE(app.SendDpiChange(dpi, bounds));
    }

    static int ColumnWidth(const Keystride& app, int column) {
        return static_cast<int>(app.Send(IDC_FAVOURITES, LVM_GETCOLUMNWIDTH, column));
    }
};

TEST_F(Layout, TheWindowIsHeldToItsMinimumSize) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    const Bounds start = BoundsOf(app.Main());
    Resize(app, 500, 400);
    EXPECT_EQ(BoundsOf(app.Main()), (Bounds{start.left, start.top, 529, 516}));
    Resize(app, 800, 300);
    EXPECT_EQ(BoundsOf(app.Main()), (Bounds{start.left, start.top, 800, 516}));
}

// The design's examples: at client width 521 the list is 505 wide and the
// button row's gap 4 (34 divided by 7); at 1026 the list is 1010 wide and
// the gap 77. Growing in height moves the buttons down and lengthens the
// list as much.
TEST_F(Layout, EveryControlIsWhereTheRulesPutIt) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    // A first run opens at the designed size, which is the reference.
    const ClientSize reference = ClientOf(app.Main());
    const std::vector<LayoutControl> designed = ReadControls(app, nullptr);
    EXPECT_TRUE(app.SaveScreenshot("main-window-designed-size"));
    const Bounds start = BoundsOf(app.Main());
    const ClientSize frame{start.width - reference.width, start.height - reference.height};
    const ControlRect list = RectOf(designed, R::FavouritesList);
    const ControlRect open = RectOf(designed, R::JumpButton);
    const int buttonHeight = RectOf(designed, R::EditButton).height;
    const ControlRole row[] = {R::AddButton,  R::JumpFromListButton, R::EditButton, R::UpButton,
                               R::DownButton, R::RemoveButton, R::AboutButton, R::ExitButton};

    struct Case {
        ClientSize client;
        int buttonLefts[8];
    };
    const Case cases[] = {
        {{521, 520}, {16, 90, 149, 208, 267, 326, 385, 444}},
        {{521, 720}, {16, 90, 149, 208, 267, 326, 385, 444}},
        {{1026, 800}, {16, 163, 295, 427, 559, 691, 823, 955}},
    };
    for (const Case& c : cases) {
        const int width = c.client.width;
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(c.client.height));
        Resize(app, width + frame.width, c.client.height + frame.height);
        ASSERT_EQ(ClientOf(app.Main()), c.client);
        const std::vector<LayoutControl> now = ReadControls(app, &designed);
        const int buttonTop = c.client.height - buttonHeight - 12;
        for (std::size_t i = 0; i < std::size(row); ++i)
            EXPECT_EQ(RectOf(now, row[i]),
                      (ControlRect{c.buttonLefts[i], buttonTop, i == 0 ? 70 : 55, buttonHeight}))
                << i;
        EXPECT_EQ(RectOf(now, R::FavouritesList),
                  (ControlRect{8, list.top, width - 16, buttonTop - 15 - list.top}));
        EXPECT_EQ(RectOf(now, R::KeyGroup).width, width - 16);
        EXPECT_EQ(RectOf(now, R::JumpButton),
                  (ControlRect{width - 16 - open.width - 12, open.top, open.width, open.height}));
        EXPECT_EQ(RectOf(now, R::KeyBox).width, width - 16 - open.width - 12 - 8 - 12);
        EXPECT_EQ(RectOf(now, R::RootGroup).width, width - 16 - 12 - 8 - 12);
        EXPECT_EQ(RectOf(now, R::Banner), (ControlRect{0, 0, width, 50}));
        const int updateLeft = width - RectOf(designed, R::UpdateLink).width - 10;
        EXPECT_EQ(RectOf(now, R::UpdateLink).left, updateLeft);
        EXPECT_EQ(RectOf(now, R::UpdateIcon).left, updateLeft - 20);
        for (const ControlRole kept : {R::MakerLink, R::Tagline, R::ProgramIcon, R::AutoCopyBox})
            EXPECT_EQ(RectOf(now, kept), RectOf(designed, kept)) << static_cast<int>(kept);
        // The key column keeps its width; the comment column fills the list
        // to its right edge.
        EXPECT_EQ(ColumnWidth(app, 0), 380);
        RECT listClient{};
        GetClientRect(app.List(), &listClient);
        EXPECT_EQ(ColumnWidth(app, 0) + ColumnWidth(app, 1), listClient.right);
    }
    SetWindowPos(app.Main(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(app.SaveScreenshot("main-window-1026x800"));

    // The root items spread across their widened group and stay inside it.
    RECT group{};
    GetClientRect(app.Control(IDC_ROOT_SWITCHER), &group);
    const ControlRect lastItem = RectInParent(app.Control(IDC_ROOT_ITEM0 + 5));
    EXPECT_GT(lastItem.left, group.right / 2);
    EXPECT_LE(lastItem.left + lastItem.width, group.right);

    // Back to the designed size: everything as it was at the start.
    Resize(app, 529, 516);
    const std::vector<LayoutControl> again = ReadControls(app, &designed);
    for (std::size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i].current, designed[i].current) << i;
}

TEST_F(Layout, AnotherMonitorsDpiScalesTheWindowAndComingBackRestoresIt) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    const std::vector<LayoutControl> designed = ReadControls(app, nullptr);
    const Bounds start = BoundsOf(app.Main());
    const Bounds larger{0, 0, MulDiv(start.width, 3, 2), MulDiv(start.height, 3, 2)};
    MoveToDpi(app, 144, larger);
    EXPECT_EQ(BoundsOf(app.Main()), larger);
    const std::vector<LayoutControl> scaled = ReadControls(app, nullptr);
    const auto rectOf = [&](ControlRole role) { return RectOf(scaled, role); };
    // The fixed measures at 144 DPI: buttons 83 and 105 wide, the banner 75
    // high, 18 below the buttons, margins of 12 beside the list.
    const ClientSize client = ClientOf(app.Main());
    EXPECT_EQ(rectOf(R::ExitButton).width, 83);
    EXPECT_EQ(rectOf(R::AddButton).width, 105);
    EXPECT_EQ(rectOf(R::AddButton).height, 41);
    EXPECT_EQ(rectOf(R::ExitButton).top, client.height - 41 - 18);
    EXPECT_EQ(rectOf(R::Banner).height, 75);
    EXPECT_EQ(rectOf(R::FavouritesList).left, 12);
    EXPECT_EQ(rectOf(R::FavouritesList).width, client.width - 24);
    EXPECT_GT(rectOf(R::KeyBox).height, RectOf(designed, R::KeyBox).height);
    EXPECT_TRUE(app.SaveScreenshot("main-window-144-dpi"));

    // The minimum size is the DPI's too.
    SetWindowPos(app.Main(), nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    app.Settle();
    EXPECT_EQ(BoundsOf(app.Main()), (Bounds{0, 0, 794, 774}));

    MoveToDpi(app, 96, start);
    const std::vector<LayoutControl> back = ReadControls(app, nullptr);
    for (std::size_t i = 0; i < back.size(); ++i)
        EXPECT_EQ(back[i].current, designed[i].current) << i;
}

// Every caption of the main window, the favourite editor and the About
// window fits its control in the system's font at 100 %, 125 %, 150 % and
// 200 %.
TEST_F(Layout, NoCaptionIsClippedAtAnyScaling) {
    for (const UINT dpi : {96u, 120u, 144u, 192u}) {
        SCOPED_TRACE(std::to_string(dpi) + " DPI");
        const DisplayScaling scaling(dpi);
        Keystride app;
        ASSERT_TRUE(app.Started());
        EXPECT_EQ(ClippedCaptions(app.Main(), dpi), std::vector<std::string>{});
        app.Command(IDM_ADD_FAVOURITE);
        HWND editor = app.WaitForWindow("Add Favorite");
        ASSERT_TRUE(editor);
        EXPECT_EQ(ClippedCaptions(editor, dpi), std::vector<std::string>{});
        PostMessageA(editor, WM_CLOSE, 0, 0);
        ASSERT_TRUE(app.WaitGone(editor));
        app.Command(IDC_ABOUT);
        HWND about = app.WaitForWindow("About Korvel Keystride");
        ASSERT_TRUE(about);
        EXPECT_EQ(ClippedCaptions(about, dpi), std::vector<std::string>{});
        PostMessageA(about, WM_CLOSE, 0, 0);
        ASSERT_TRUE(app.WaitGone(about));
        ASSERT_TRUE(app.Exit());
    }
}

}  // namespace
}  // namespace ks::test
