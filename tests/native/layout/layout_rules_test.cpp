#include "ui/rules/layout_rules.h"
#include "ui/rules/main_window_design.h"
#include "ui/rules/stored_bounds.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

namespace ks {
namespace {
using R = ControlRole;

// The main window's controls at their designed places, in control order.
std::vector<LayoutControl> DesignedControls() {
    using K = ControlKind;
    const std::vector<std::pair<ControlRole, std::pair<K, ControlRect>>> design{
        {R::Banner, {K::Picture, {8, 0, 117, 53}}},
        {R::MakerLink, {K::Other, {49, 8, 81, 16}}},
        {R::UpdateLink, {K::Other, {306, 24, 96, 13}}},
        {R::Tagline, {K::Other, {50, 27, 266, 13}}},
        {R::ProgramIcon, {K::Picture, {8, 8, 32, 32}}},
        {R::UpdateIcon, {K::Picture, {282, 24, 16, 16}}},
        {R::ExitButton, {K::PushButton, {450, 438, 55, 27}}},
        {R::KeyGroup, {K::GroupBox, {8, 55, 497, 108}}},
        {R::KeyBox, {K::Edit, {8, 18, 394, 21}}},
        {R::JumpButton, {K::PushButton, {413, 16, 72, 27}}},
        {R::RootGroup, {K::RadioGroup, {8, 46, 464, 58}}},
        {R::AboutButton, {K::PushButton, {389, 438, 55, 27}}},
        {R::FavouritesList, {K::ListView, {8, 198, 497, 225}}},
        {R::AddButton, {K::PushButton, {8, 438, 70, 27}}},
        {R::JumpFromListButton, {K::PushButton, {84, 438, 55, 27}}},
        {R::RemoveButton, {K::PushButton, {328, 438, 55, 27}}},
        {R::DownButton, {K::PushButton, {267, 438, 55, 27}}},
        {R::UpButton, {K::PushButton, {206, 438, 55, 27}}},
        {R::EditButton, {K::PushButton, {145, 438, 55, 27}}},
        {R::AutoCopyBox, {K::Other, {10, 170, 175, 21}}},
    };
    std::vector<LayoutControl> controls;
    for (const auto& [role, shape] : design)
        controls.push_back({role, shape.first, shape.second, shape.second});
    return controls;
}

constexpr ClientSize kReference{513, 477};

const ControlRect& Rect(const LayoutResult& result, const std::vector<LayoutControl>& controls,
                        ControlRole role) {
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].role == role) return result.rects[i];
    throw std::out_of_range("no such control");
}

// Feeds a result back as the window's current state, as the next resize sees it.
std::vector<LayoutControl> Apply(std::vector<LayoutControl> controls, const LayoutResult& result) {
    for (std::size_t i = 0; i < controls.size(); ++i) controls[i].current = result.rects[i];
    return controls;
}

TEST(LayoutRules, ScalingRoundsHalfToEven) {
    EXPECT_EQ(ScaleByRatio(105, 2.5), 262);
    EXPECT_EQ(ScaleByRatio(105, 1.5), 158);
    EXPECT_EQ(ScaleByRatio(380, 1.5), 570);
    EXPECT_EQ(ScaleByRatio(380, 2.5), 950);
    EXPECT_EQ(ScaleByRatio(3, 0.5), 2);
    EXPECT_EQ(ScaleByRatio(-3, 0.5), -2);
    EXPECT_EQ(ScaleByRatio(225, 1.0), 225);
}

TEST(LayoutRules, ButtonRowAtClientWidth521) {
    const auto controls = DesignedControls();
    const LayoutResult result = ArrangeMainWindow(controls, kReference, {521, 477});
    EXPECT_EQ(Rect(result, controls, R::FavouritesList).left, 8);
    EXPECT_EQ(Rect(result, controls, R::FavouritesList).width, 505);
    const std::vector<std::pair<ControlRole, int>> expected{
        {R::AddButton, 16}, {R::JumpFromListButton, 90}, {R::EditButton, 149}, {R::UpButton, 208},
        {R::DownButton, 267}, {R::RemoveButton, 326}, {R::AboutButton, 385}, {R::ExitButton, 444}};
    for (const auto& [role, left] : expected) {
        EXPECT_EQ(Rect(result, controls, role).left, left) << left;
        EXPECT_EQ(Rect(result, controls, role).width, role == R::AddButton ? 70 : 55) << left;
    }
    const ControlRect& exit = Rect(result, controls, R::ExitButton);
    EXPECT_EQ(exit.left + exit.width, 499);
}

TEST(LayoutRules, TheKeyColumnKeepsItsWidthAsTheListGrows) {
    const auto controls = DesignedControls();
    const LayoutResult wide = ArrangeMainWindow(controls, {500, 400}, {750, 400});
    EXPECT_EQ(wide.keyColumnWidth, 380);
    const LayoutResult back = ArrangeMainWindow(controls, {500, 400}, {500, 400});
    EXPECT_EQ(back.keyColumnWidth, 380);
}

TEST(LayoutRules, DesignedSizeKeepsScaledValuesAndPlacesTheRest) {
    const auto controls = DesignedControls();
    const LayoutResult result = ArrangeMainWindow(controls, kReference, kReference);
    EXPECT_EQ(Rect(result, controls, R::KeyBox).left, 8);
    EXPECT_EQ(Rect(result, controls, R::AutoCopyBox), (ControlRect{10, 170, 175, 21}));
    EXPECT_EQ(Rect(result, controls, R::Banner), (ControlRect{0, 0, 513, 50}));
    EXPECT_EQ(Rect(result, controls, R::UpdateLink).left, 513 - 96 - 10);
    EXPECT_EQ(Rect(result, controls, R::UpdateIcon).left, 513 - 96 - 10 - 20);
    EXPECT_EQ(Rect(result, controls, R::ExitButton).top, 477 - 27 - 12);
    EXPECT_EQ(Rect(result, controls, R::JumpButton).top, 16) << "Jump keeps its place in its group";
    const ControlRect& list = Rect(result, controls, R::FavouritesList);
    EXPECT_EQ(list.height, (477 - 27 - 12) - 198 - 15);
    EXPECT_EQ(Rect(result, controls, R::KeyGroup).width, list.width);
    const ControlRect& open = Rect(result, controls, R::JumpButton);
    EXPECT_EQ(open.left, list.width - 72 - 12);
    EXPECT_EQ(Rect(result, controls, R::KeyBox).width, open.left - 8 - 12);
    EXPECT_EQ(Rect(result, controls, R::RootGroup).width, open.left - 8 - 12 + 72);
    EXPECT_EQ(result.keyColumnWidth, 380);
}

TEST(LayoutRules, GrowingOnlyInHeightMovesButtonsDownAndLengthensTheList) {
    const auto controls = DesignedControls();
    const LayoutResult before = ArrangeMainWindow(controls, kReference, kReference);
    const LayoutResult after = ArrangeMainWindow(controls, kReference, {513, 677});
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(after.rects[i].left, before.rects[i].left) << i;
        EXPECT_EQ(after.rects[i].width, before.rects[i].width) << i;
    }
    EXPECT_EQ(Rect(after, controls, R::EditButton).top, Rect(before, controls, R::EditButton).top + 200);
    EXPECT_EQ(Rect(after, controls, R::FavouritesList).height,
              Rect(before, controls, R::FavouritesList).height + 200);
}

TEST(LayoutRules, BackAndForthEqualsOneResize) {
    const auto designed = DesignedControls();
    std::vector<LayoutControl> state = designed;
    for (ClientSize size : {ClientSize{900, 700}, ClientSize{613, 500}, ClientSize{1400, 1000},
                            ClientSize{700, 555}})
        state = Apply(state, ArrangeMainWindow(state, kReference, size));
    const LayoutResult once = ArrangeMainWindow(designed, kReference, {700, 555});
    const LayoutResult last = ArrangeMainWindow(state, kReference, {700, 555});
    EXPECT_EQ(last.rects, once.rects);
}

TEST(LayoutRules, MissingControlsStopTheFixedPlacementsWhereTheyAre) {
    auto controls = DesignedControls();
    std::erase_if(controls, [](const LayoutControl& c) { return c.role == R::KeyGroup; });
    const LayoutResult result = ArrangeMainWindow(controls, kReference, {800, 600});
    EXPECT_EQ(Rect(result, controls, R::FavouritesList).width, 800 - 16) << "steps before it ran";
    EXPECT_EQ(Rect(result, controls, R::JumpButton).left, ScaleByRatio(413, 800.0 / 513))
        << "steps after it did not run";
    EXPECT_FALSE(result.keyColumnWidth.has_value());

    auto unrecorded = DesignedControls();
    unrecorded[8].recorded.reset();  // the key box made after the table was filled
    const LayoutResult kept = ArrangeMainWindow(unrecorded, {513, 477}, {513, 477});
    EXPECT_EQ(Rect(kept, unrecorded, R::KeyBox).left, 8);
}

TEST(LayoutRules, FixedMeasuresFollowTheWindowsDpi) {
    // At 144 DPI the window was made half as large again: so are the fixed
    // margins and widths. Buttons 55 -> 83, the wide one 70 -> 105, insets 12.
    auto controls = DesignedControls();
    for (LayoutControl& control : controls) {
        ControlRect& r = *control.recorded;
        r = {r.left * 3 / 2, r.top * 3 / 2, r.width * 3 / 2, r.height * 3 / 2};
        control.current = r;
    }
    const ClientSize reference{770, 716};
    const LayoutResult result = ArrangeMainWindow(controls, reference, {1000, 716}, 144);
    EXPECT_EQ(Rect(result, controls, R::Banner).height, 75);
    const ControlRect& list = Rect(result, controls, R::FavouritesList);
    EXPECT_EQ(list.width, 1000 - 2 * 12);
    EXPECT_EQ(Rect(result, controls, R::AddButton).left, 12 + 12);
    EXPECT_EQ(Rect(result, controls, R::AddButton).width, 105);
    EXPECT_EQ(Rect(result, controls, R::ExitButton).width, 83);
    // The row's fixed part is 2 * 12 + 7 * 83 + 105 = 710; the rest is shared
    // as seven gaps.
    const int gap = (list.width - 710) / 7;
    EXPECT_EQ(Rect(result, controls, R::JumpFromListButton).left, 24 + 105 + gap);
    EXPECT_EQ(Rect(result, controls, R::ExitButton).top, 716 - 40 - 18);
    EXPECT_EQ(list.height, Rect(result, controls, R::EditButton).top - list.top - 23);
    EXPECT_EQ(result.keyColumnWidth, 570);
}

TEST(LayoutRules, NoReferenceSizeLeavesEverythingAlone) {
    const auto controls = DesignedControls();
    const LayoutResult result = ArrangeMainWindow(controls, {0, 0}, {800, 600});
    for (std::size_t i = 0; i < controls.size(); ++i) EXPECT_EQ(result.rects[i], controls[i].current);
}

// Two monitors side by side, the left one with a taskbar along its bottom.
const std::vector<MonitorArea> kDesktop{
    {{0, 0, 1280, 1024}, {0, 0, 1280, 984}},
    {{1280, 0, 1920, 1080}, {1280, 0, 1920, 1080}},
};

TEST(LayoutRules, StoredBoundsInsideAWorkAreaAreTakenAsStored) {
    for (const ControlRect stored : {ControlRect{100, 80, 600, 550},
                                     ControlRect{0, 434, 600, 550},  // touching two edges
                                     ControlRect{2300, 180, 900, 900},
                                     ControlRect{50, 40, 0, -5}})
        EXPECT_EQ(PlaceStoredBounds(stored, kDesktop), stored)
            << stored.left << "," << stored.top << " " << stored.width << "x" << stored.height;
    EXPECT_EQ(PlaceStoredBounds({9000, 9000, 600, 550}, {}), (ControlRect{9000, 9000, 600, 550}))
        << "no monitor known";
}

// Bounds a monitor shows only in part come whole into its work area, moved
// as little as possible, cut only where they do not fit.
TEST(LayoutRules, StoredBoundsPartlyOnAMonitorComeWholeIntoItsWorkArea) {
    struct Case {
        const char* name;
        ControlRect stored;
        ControlRect placed;
    };
    const Case cases[] = {
        {"a corner showing", {-590, 1000, 600, 550}, {0, 434, 600, 550}},
        {"under the taskbar", {100, 600, 600, 550}, {100, 434, 600, 550}},
        {"past the second's right edge", {3190, 1070, 900, 900}, {2300, 180, 900, 900}},
        {"across both, mostly on the second", {1000, 100, 600, 550}, {1280, 100, 600, 550}},
        {"across both, mostly on the first", {900, 100, 600, 550}, {680, 100, 600, 550}},
        {"larger than both, onto the one holding most", {1000, 10, 4000, 3000},
         {1280, 0, 1920, 1080}},
        {"150 %'s bounds on a screen of 1280 x 1024", {600, 300, 963, 845}, {317, 139, 963, 845}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceStoredBounds(c.stored, kDesktop), c.placed) << c.name;
}

TEST(LayoutRules, StoredBoundsOffEveryMonitorGoOntoTheNearestWorkArea) {
    struct Case {
        ControlRect stored;
        ControlRect placed;
    };
    const Case cases[] = {
        // Right of the second monitor: moved in as little as it takes.
        {{5000, 300, 600, 550}, {2600, 300, 600, 550}},
        // Below the first one: above its taskbar.
        {{100, 1500, 600, 550}, {100, 434, 600, 550}},
        // Far up and left, beyond any 32-bit sum: the first's corner.
        {{-2147483647, -2147483647, 600, 550}, {0, 0, 600, 550}},
        {{2147483000, 2147483000, 2000, 2000}, {1280, 0, 1920, 1080}},
        // Too large for the nearest work area: cut to it, only the side
        // that does not fit.
        {{-3000, 50, 2000, 900}, {0, 50, 1280, 900}},
        {{100, -5000, 600, 1200}, {100, 0, 600, 984}},
        // An empty size moves as a point.
        {{-50, -50, 0, 0}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceStoredBounds(c.stored, kDesktop), c.placed)
            << c.stored.left << "," << c.stored.top << " " << c.stored.width << "x"
            << c.stored.height;
}

// A monitor at 100 % with a taskbar along its bottom, and to its right a
// larger one at 150 %.
const std::vector<MonitorArea> kMixedDpi{
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96},
    {{1920, 0, 2560, 1440}, {1920, 0, 2560, 1440}, 144},
};

// The window is placed once, at the DPI of the monitor it opens on, so that
// it has its stored physical size there.
TEST(LayoutRules, StoredBoundsOpenAtTheDpiOfTheirMonitor) {
    struct Case {
        const char* name;
        ControlRect stored;
        StoredPlacement placed;
    };
    const Case cases[] = {
        {"on the 100 % monitor", {100, 100, 600, 550}, {{100, 100, 600, 550}, 96}},
        {"on the 150 % monitor", {2000, 100, 600, 550}, {{2000, 100, 900, 825}, 144}},
        {"across both, mostly on the right at either size",
         {1700, 100, 600, 550}, {{1920, 100, 900, 825}, 144}},
        // Mostly left at 100 %, mostly right at 150 %: the monitor under the
        // caption's start decides.
        {"across both, under the left one's corner", {1500, 100, 600, 550},
         {{1320, 100, 600, 550}, 96}},
        {"smaller than the minimum, at the minimum of its DPI", {2000, 100, 400, 300},
         {{2000, 100, 794, 774}, 144}},
        {"off both, onto the nearest at its size", {9000, 100, 600, 550},
         {{3580, 100, 900, 825}, 144}},
        {"off both, below the taskbar", {100, 2000, 600, 550}, {{100, 490, 600, 550}, 96}},
    };
    for (const Case& c : cases) EXPECT_EQ(PlaceStoredWindow(c.stored, kMixedDpi, 96), c.placed) << c.name;
    EXPECT_EQ(PlaceStoredWindow({100, 100, 600, 550}, {}, 120),
              (StoredPlacement{{100, 100, 750, 688}, 120}))
        << "no monitor known: the window's own DPI";
}

// Sizes are stored at 96 DPI: a window closed at 150 % comes back at the
// same physical size at 100 %, and saving again at the same scaling does not
// let the size creep by a pixel a session.
TEST(LayoutRules, StoredBoundsKeepTheirPhysicalSizeAcrossScalings) {
    const ControlRect shown{-300, 40, 794, 775};
    const ControlRect stored = StoredFromShown(shown, 144);
    EXPECT_EQ(stored, (ControlRect{-300, 40, 529, 517}));
    EXPECT_EQ(ShownFromStored(stored, 96), stored);
    for (const int dpi : {120, 144, 192}) {
        const ControlRect once = ShownFromStored(StoredFromShown(shown, dpi), dpi);
        EXPECT_EQ(ShownFromStored(StoredFromShown(once, dpi), dpi), once) << dpi;
    }
}

// The letter after a caption's "&" (a doubled "&&" is a plain "&"); 0 for
// none.
char AccessKey(const char* caption) {
    for (const char* c = caption; *c; ++c) {
        if (*c != '&') continue;
        if (c[1] == '&') {
            ++c;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c[1])));
    }
    return 0;
}

// In both menus every entry has an access key of its own, and the default
// entry comes first.
TEST(WindowDesign, EachMenusAccessKeysAreUniqueAndItsDefaultEntryIsFirst) {
    struct Menu {
        const char* name;
        int DesignedCommand::*group;
        int defaultId;
    };
    for (const Menu menu : {Menu{"list", &DesignedCommand::listMenuGroup, kListMenuDefault},
                            Menu{"tray", &DesignedCommand::trayMenuGroup, kTrayMenuDefault}}) {
        // Keys are taken per level: the menu itself, each submenu apart; a
        // submenu's own caption counts once on the level above.
        std::map<std::string, std::map<char, std::string>> taken;
        const auto take = [&](const std::string& level, const char* caption) {
            const char key = AccessKey(caption);
            EXPECT_NE(key, 0) << menu.name << ": " << caption;
            const auto [at, added] = taken[level].emplace(key, caption);
            EXPECT_TRUE(added) << menu.name << ": " << caption << " and " << at->second;
        };
        int first = 0;
        for (const DesignedCommand& command : kDesignedCommands) {
            if (command.*menu.group == 0) continue;
            if (!first) first = command.id;
            if (!command.submenu) {
                take("", command.caption);
                continue;
            }
            if (!taken.count(command.submenu)) take("", command.submenu);
            take(command.submenu, command.caption);
        }
        const bool listMenu = std::string(menu.name) == "list";
        EXPECT_EQ(taken.count(KS_TEXT_CMD_COPY_AS) ? taken[KS_TEXT_CMD_COPY_AS].size() : 0u,
                  listMenu ? 7u : 0u)
            << menu.name << ": Copy As, seven notations, in the list's menu only";
        EXPECT_EQ(first, menu.defaultId) << menu.name;
    }
    EXPECT_EQ(AccessKey("Save && &Close"), 'c');
}

TEST(WindowDesign, ListKeysRunTheirCommands) {
    struct Case {
        unsigned key;
        bool control;
        int command;
    };
    const Case cases[] = {
        {0x2E, false, IDM_REMOVE_FAVOURITE}, {0x71, false, IDM_EDIT_FAVOURITE},
        {'Z', true, IDM_UNDO_REMOVE},        {'Z', false, 0},  // type-ahead in the list
        {0x2E, true, 0},                     {0x0D, false, 0},  // Enter is the default button's
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListKeyCommand(c.key, c.control), c.command) << c.key << " " << c.control;
}

}  // namespace
}  // namespace ks
