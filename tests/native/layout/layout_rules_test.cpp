#include "ui/rules/layout_rules.h"
#include "ui/rules/stored_bounds.h"

#include <gtest/gtest.h>

namespace ks {
namespace {

// The main window's controls at their designed places, in control order.
std::vector<LayoutControl> DesignedControls() {
    using K = ControlKind;
    const std::vector<std::pair<std::string, std::pair<K, ControlRect>>> design{
        {"imgTitle", {K::Picture, {8, 0, 117, 53}}},
        {"lTitle", {K::Other, {49, 8, 81, 16}}},
        {"lUpdate", {K::Other, {306, 24, 96, 13}}},
        {"lTitleHint", {K::Other, {50, 27, 266, 13}}},
        {"Image1", {K::Picture, {8, 8, 32, 32}}},
        {"iUpdate", {K::Picture, {282, 24, 16, 16}}},
        {"bExit", {K::PushButton, {450, 438, 55, 27}}},
        {"GroupBox2", {K::GroupBox, {8, 55, 497, 108}}},
        {"eRegKey", {K::Edit, {8, 18, 394, 21}}},
        {"bOpen", {K::PushButton, {413, 16, 72, 27}}},
        {"rgPre", {K::RadioGroup, {8, 46, 464, 58}}},
        {"bAbout", {K::PushButton, {389, 438, 55, 27}}},
        {"ListView1", {K::ListView, {8, 198, 497, 225}}},
        {"bAddtoList", {K::PushButton, {8, 438, 71, 27}}},
        {"bJumpFromList", {K::PushButton, {84, 438, 55, 27}}},
        {"bRemove", {K::PushButton, {328, 438, 55, 27}}},
        {"bDown", {K::PushButton, {267, 438, 55, 27}}},
        {"bUp", {K::PushButton, {206, 438, 55, 27}}},
        {"bEdit", {K::PushButton, {145, 438, 55, 27}}},
        {"cbAutoCopy", {K::Other, {10, 170, 175, 21}}},
    };
    std::vector<LayoutControl> controls;
    for (const auto& [name, shape] : design)
        controls.push_back({name, shape.first, shape.second, shape.second});
    return controls;
}

constexpr ClientSize kReference{513, 477};

const ControlRect& Rect(const LayoutResult& result, const std::vector<LayoutControl>& controls,
                        const std::string& name) {
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name) return result.rects[i];
    throw std::out_of_range(name);
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
    EXPECT_EQ(Rect(result, controls, "ListView1").left, 8);
    EXPECT_EQ(Rect(result, controls, "ListView1").width, 505);
    const std::vector<std::pair<const char*, int>> expected{
        {"bAddtoList", 16}, {"bJumpFromList", 90}, {"bEdit", 149}, {"bUp", 208},
        {"bDown", 267},     {"bRemove", 326},      {"bAbout", 385}, {"bExit", 444}};
    for (const auto& [name, left] : expected) {
        EXPECT_EQ(Rect(result, controls, name).left, left) << name;
        EXPECT_EQ(Rect(result, controls, name).width, std::string(name) == "bAddtoList" ? 70 : 55)
            << name;
    }
    const ControlRect& exit = Rect(result, controls, "bExit");
    EXPECT_EQ(exit.left + exit.width, 499);
}

TEST(LayoutRules, TheCommentColumnTakesWhatTheListGains) {
    const auto controls = DesignedControls();
    const LayoutResult wide = ArrangeMainWindow(controls, {500, 400}, {750, 400});
    EXPECT_EQ(wide.keyColumnWidth, 380);
    EXPECT_EQ(wide.commentColumnWidth, 105 + 250);
    const LayoutResult back = ArrangeMainWindow(controls, {500, 400}, {500, 400});
    EXPECT_EQ(back.commentColumnWidth, 105);
}

TEST(LayoutRules, DesignedSizeKeepsScaledValuesAndPlacesTheRest) {
    const auto controls = DesignedControls();
    const LayoutResult result = ArrangeMainWindow(controls, kReference, kReference);
    EXPECT_EQ(Rect(result, controls, "eRegKey").left, 8);
    EXPECT_EQ(Rect(result, controls, "cbAutoCopy"), (ControlRect{10, 170, 175, 21}));
    EXPECT_EQ(Rect(result, controls, "imgTitle"), (ControlRect{0, 0, 513, 50}));
    EXPECT_EQ(Rect(result, controls, "lUpdate").left, 513 - 96 - 10);
    EXPECT_EQ(Rect(result, controls, "iUpdate").left, 513 - 96 - 10 - 20);
    EXPECT_EQ(Rect(result, controls, "bExit").top, 477 - 27 - 12);
    EXPECT_EQ(Rect(result, controls, "bOpen").top, 16) << "bOpen keeps its place in its group";
    const ControlRect& list = Rect(result, controls, "ListView1");
    EXPECT_EQ(list.height, (477 - 27 - 12) - 198 - 15);
    EXPECT_EQ(Rect(result, controls, "GroupBox2").width, list.width);
    const ControlRect& open = Rect(result, controls, "bOpen");
    EXPECT_EQ(open.left, list.width - 72 - 12);
    EXPECT_EQ(Rect(result, controls, "eRegKey").width, open.left - 8 - 12);
    EXPECT_EQ(Rect(result, controls, "rgPre").width, open.left - 8 - 12 + 72);
    EXPECT_EQ(result.keyColumnWidth, 380);
    EXPECT_EQ(result.commentColumnWidth, 105);
}

TEST(LayoutRules, GrowingOnlyInHeightMovesButtonsDownAndLengthensTheList) {
    const auto controls = DesignedControls();
    const LayoutResult before = ArrangeMainWindow(controls, kReference, kReference);
    const LayoutResult after = ArrangeMainWindow(controls, kReference, {513, 677});
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(after.rects[i].left, before.rects[i].left) << controls[i].name;
        EXPECT_EQ(after.rects[i].width, before.rects[i].width) << controls[i].name;
    }
    EXPECT_EQ(Rect(after, controls, "bEdit").top, Rect(before, controls, "bEdit").top + 200);
    EXPECT_EQ(Rect(after, controls, "ListView1").height,
              Rect(before, controls, "ListView1").height + 200);
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
    std::erase_if(controls, [](const LayoutControl& c) { return c.name == "GroupBox2"; });
    const LayoutResult result = ArrangeMainWindow(controls, kReference, {800, 600});
    EXPECT_EQ(Rect(result, controls, "ListView1").width, 800 - 16) << "steps before it ran";
    EXPECT_EQ(Rect(result, controls, "bOpen").left, ScaleByRatio(413, 800.0 / 513))
        << "steps after it did not run";
    EXPECT_FALSE(result.keyColumnWidth.has_value());

    auto unrecorded = DesignedControls();
    unrecorded[8].recorded.reset();  // eRegKey created after the table was filled
    const LayoutResult kept = ArrangeMainWindow(unrecorded, {513, 477}, {513, 477});
    EXPECT_EQ(Rect(kept, unrecorded, "eRegKey").left, 8);
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
    EXPECT_EQ(Rect(result, controls, "imgTitle").height, 75);
    const ControlRect& list = Rect(result, controls, "ListView1");
    EXPECT_EQ(list.width, 1000 - 2 * 12);
    EXPECT_EQ(Rect(result, controls, "bAddtoList").left, 12 + 12);
    EXPECT_EQ(Rect(result, controls, "bAddtoList").width, 105);
    EXPECT_EQ(Rect(result, controls, "bExit").width, 83);
    // The row's fixed part is 2 * 12 + 7 * 83 + 105 = 710; the rest is shared
    // as seven gaps.
    const int gap = (list.width - 710) / 7;
    EXPECT_EQ(Rect(result, controls, "bJumpFromList").left, 24 + 105 + gap);
    EXPECT_EQ(Rect(result, controls, "bExit").top, 716 - 40 - 18);
    EXPECT_EQ(list.height, Rect(result, controls, "bEdit").top - list.top - 23);
    EXPECT_EQ(result.keyColumnWidth, 570);
    EXPECT_EQ(result.commentColumnWidth, 158 + 1000 - 770);
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

TEST(LayoutRules, StoredBoundsOnAMonitorAreTakenAsStored) {
    for (const ControlRect stored : {ControlRect{100, 80, 600, 550},
                                     ControlRect{-590, 1000, 600, 550},  // a corner showing
                                     ControlRect{3190, 1070, 900, 900},
                                     ControlRect{1000, 10, 4000, 3000},  // larger than both
                                     ControlRect{50, 40, 0, -5}})
        EXPECT_EQ(PlaceStoredBounds(stored, kDesktop), stored)
            << stored.left << "," << stored.top << " " << stored.width << "x" << stored.height;
    EXPECT_EQ(PlaceStoredBounds({9000, 9000, 600, 550}, {}), (ControlRect{9000, 9000, 600, 550}))
        << "no monitor known";
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

}  // namespace
}  // namespace ks
