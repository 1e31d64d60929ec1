// The main window's controls after resizing, read from outside and compared
// with what the layout rules give for the same client size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/main_window_support.h"
#include "ui/main_window_layout.h"

namespace ks::test {
namespace {

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
    for (std::size_t i = 0; i < std::size(ui::kLaidOutControls); ++i) {
        const ui::LaidOutControl& watched = ui::kLaidOutControls[i];
        const ControlRect now = RectInParent(app.Control(watched.id));
        controls.push_back({watched.name, watched.kind, now,
                            recordedFrom ? (*recordedFrom)[i].current : now});
    }
    return controls;
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override { RemoveTree(SettingsFolder()); }

    static void Resize(const Keystride& app, int width, int height) {
        SetWindowPos(app.Main(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        app.Settle();
    }

    static int ColumnWidth(const Keystride& app, int column) {
        return static_cast<int>(app.Send(IDC_LISTVIEW1, LVM_GETCOLUMNWIDTH, column));
    }
};

TEST_F(Layout, TheWindowIsHeldToItsMinimumSize) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    Resize(app, 500, 400);
    RECT bounds{};
    GetWindowRect(app.Main(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 529);
    EXPECT_EQ(bounds.bottom - bounds.top, 516);
    Resize(app, 800, 300);
    GetWindowRect(app.Main(), &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 800);
    EXPECT_EQ(bounds.bottom - bounds.top, 516);
}

TEST_F(Layout, EveryControlIsWhereTheRulesPutIt) {
    Keystride app;
    ASSERT_TRUE(app.Started());
    // A first run opens at the designed size, which is the reference.
    const ClientSize reference = ClientOf(app.Main());
    const std::vector<LayoutControl> designed = ReadControls(app, nullptr);
    EXPECT_TRUE(app.SaveScreenshot("main-window-designed-size"));

    for (const auto& [width, height] : {std::pair{700, 600}, std::pair{1000, 800},
                                        std::pair{529, 700}, std::pair{900, 516}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        std::vector<LayoutControl> before = ReadControls(app, &designed);
        Resize(app, width, height);
        const ClientSize client = ClientOf(app.Main());
        const LayoutResult expected = ArrangeMainWindow(before, reference, client);
        const std::vector<LayoutControl> after = ReadControls(app, &designed);
        for (std::size_t i = 0; i < after.size(); ++i)
            EXPECT_EQ(after[i].current, expected.rects[i]) << after[i].name;
        EXPECT_EQ(ColumnWidth(app, 0), expected.keyColumnWidth.value_or(-1));
        EXPECT_EQ(ColumnWidth(app, 1), expected.commentColumnWidth.value_or(-1));
        if (width == 1000) {
            SetWindowPos(app.Main(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            EXPECT_TRUE(app.SaveScreenshot("main-window-1000x800"));
        }
    }

    // The root items spread across their widened group and stay inside it.
    RECT group{};
    GetClientRect(app.Control(IDC_RGPRE), &group);
    const ControlRect lastItem = RectInParent(app.Control(IDC_RGPRE_ITEM0 + 5));
    EXPECT_GT(lastItem.left, group.right / 2);
    EXPECT_LE(lastItem.left + lastItem.width, group.right);

    // Back to the designed size: everything as it was at the start.
    Resize(app, 529, 516);
    const std::vector<LayoutControl> again = ReadControls(app, &designed);
    for (std::size_t i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i].current, designed[i].current) << again[i].name;
}

}  // namespace
}  // namespace ks::test
