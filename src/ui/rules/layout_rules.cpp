#include "ui/rules/layout_rules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>

namespace ks {
namespace {

// The fixed measures at 96 DPI.
constexpr int kBannerHeight = 50;
constexpr int kUpdateLinkMargin = 10;
constexpr int kUpdateIconOffset = 20;
constexpr int kListBottomGap = 15;
constexpr int kEditGroupMargin = 12;
constexpr int kButtonBottomMargin = 12;
// The buttons under the list keep their designed widths.
constexpr int kButtonWidth = DesignOf(ControlRole::EditButton).rect.width;
constexpr int kWideButtonWidth = DesignOf(ControlRole::AddButton).rect.width;
constexpr int kRowInset = 8;

// The fixed measures at the window's DPI, each rounded as the controls'
// own designed sizes are.
struct Measures {
    explicit Measures(int dpi)
        : bannerHeight(AtDpi(kBannerHeight, dpi)),
          updateLinkMargin(AtDpi(kUpdateLinkMargin, dpi)),
          updateIconOffset(AtDpi(kUpdateIconOffset, dpi)),
          listBottomGap(AtDpi(kListBottomGap, dpi)),
          editGroupMargin(AtDpi(kEditGroupMargin, dpi)),
          buttonBottomMargin(AtDpi(kButtonBottomMargin, dpi)),
          keyColumnBase(AtDpi(kKeyColumnWidth, dpi)),
          buttonWidth(AtDpi(kButtonWidth, dpi)),
          wideButtonWidth(AtDpi(kWideButtonWidth, dpi)),
          rowInset(AtDpi(kRowInset, dpi)),
          // two insets, seven buttons and the wide one: 471 at 96 DPI
          fixedRowWidth(2 * rowInset + 7 * buttonWidth + wideButtonWidth) {}

    static int AtDpi(int value, int dpi) { return ScaleDesigned(value, dpi); }

    int bannerHeight, updateLinkMargin, updateIconOffset, listBottomGap, editGroupMargin,
        buttonBottomMargin, keyColumnBase, buttonWidth, wideButtonWidth,
        rowInset, fixedRowWidth;
};

constexpr std::array kButtonRow{ControlRole::AddButton,   ControlRole::JumpFromListButton,
                               ControlRole::EditButton,  ControlRole::UpButton,
                               ControlRole::DownButton,  ControlRole::RemoveButton,
                               ControlRole::AboutButton, ControlRole::ExitButton};

ControlRect ScaleControl(const LayoutControl& control, double widthRatio, double heightRatio,
                         int clientHeight, const Measures& measures) {
    ControlRect rect = control.current;
    if (!control.recorded) return rect;
    const ControlRect& r = *control.recorded;
    switch (control.kind) {
        case ControlKind::ListView:
            rect.width = ScaleByRatio(r.width, widthRatio);
            rect.height = ScaleByRatio(r.height, heightRatio);
            break;
        case ControlKind::Edit:
        case ControlKind::Picture:
        case ControlKind::GroupBox:
        case ControlKind::RadioGroup:
            rect.width = ScaleByRatio(r.width, widthRatio);
            break;
        case ControlKind::PushButton:
            if (control.role != ControlRole::JumpButton)
                rect.top = clientHeight - rect.height - measures.buttonBottomMargin;
            rect.left = ScaleByRatio(r.left, widthRatio);
            break;
        case ControlKind::Other:
            break;
    }
    return rect;
}

// The fixed placements that follow the scaling. A control they need that the
// window does not have stops them where they are, as an error there would.
class FixedPlacements {
public:
    FixedPlacements(const std::vector<LayoutControl>& controls, const Measures& measures,
                    LayoutResult& result)
        : controls_(controls), measures_(measures), result_(result) {}

    ControlRect* operator[](ControlRole role) {
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].role == role) return &result_.rects[i];
        return nullptr;
    }

    void Run(ClientSize client) {
        ControlRect* title = (*this)[ControlRole::Banner];
        if (!title) return;
        *title = {0, 0, client.width, measures_.bannerHeight};
        ControlRect* update = (*this)[ControlRole::UpdateLink];
        if (!update) return;
        update->left = client.width - update->width - measures_.updateLinkMargin;
        ControlRect* updateIcon = (*this)[ControlRole::UpdateIcon];
        if (!updateIcon) return;
        updateIcon->left = update->left - measures_.updateIconOffset;
        ControlRect* list = (*this)[ControlRole::FavouritesList];
        ControlRect* edit = (*this)[ControlRole::EditButton];
        if (!list || !edit) return;
        list->height = edit->top - list->top - measures_.listBottomGap;
        list->width = client.width - 2 * list->left;
        ControlRect* group = (*this)[ControlRole::KeyGroup];
        if (!group) return;
        group->width = list->width;
        ControlRect* open = (*this)[ControlRole::JumpButton];
        if (!open) return;
        open->left = group->width - open->width - measures_.editGroupMargin;
        ControlRect* key = (*this)[ControlRole::KeyBox];
        if (!key) return;
        key->width = open->left - key->left - measures_.editGroupMargin;
        ControlRect* roots = (*this)[ControlRole::RootGroup];
        if (!roots) return;
        roots->width = key->width + open->width;
        // The key column keeps its width; the comment column fills the rest
        // of the list, which only the list itself can measure.
        result_.keyColumnWidth = measures_.keyColumnBase;
        ArrangeButtonRow(*list);
    }

private:
    void ArrangeButtonRow(const ControlRect& list) {
        // Truncating division: a list narrower than the fixed row gives a
        // zero or negative gap and the buttons overlap.
        const int gap = (list.width - measures_.fixedRowWidth) / 7;
        int x = list.left + measures_.rowInset;
        for (const ControlRole role : kButtonRow) {
            ControlRect* button = (*this)[role];
            if (!button) return;
            button->left = x;
            button->width = role == ControlRole::AddButton ? measures_.wideButtonWidth
                                                           : measures_.buttonWidth;
            x += button->width + gap;
        }
    }

    const std::vector<LayoutControl>& controls_;
    const Measures& measures_;
    LayoutResult& result_;
};

}  // namespace

int ScaleByRatio(int value, double ratio) {
    // nearbyint rounds half to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(static_cast<double>(value) * ratio));
}

LayoutResult ArrangeMainWindow(const std::vector<LayoutControl>& controls, ClientSize reference,
                               ClientSize client, int dpi) {
    LayoutResult result;
    if (reference.width <= 0 || reference.height <= 0) {
        for (const LayoutControl& control : controls) result.rects.push_back(control.current);
        return result;
    }
    const double widthRatio = static_cast<double>(client.width) / reference.width;
    const double heightRatio = static_cast<double>(client.height) / reference.height;
    const Measures measures(dpi);
    for (const LayoutControl& control : controls)
        result.rects.push_back(
            ScaleControl(control, widthRatio, heightRatio, client.height, measures));
    FixedPlacements(controls, measures, result).Run(client);
    return result;
}

namespace {

// Stored values are any 32-bit numbers: edges are computed in 64 bits.
struct Edges {
    std::int64_t left, top, right, bottom;
};

Edges EdgesOf(const ControlRect& rect) {
    // An empty or negative size still names the point the window starts at.
    const std::int64_t width = std::max(rect.width, 1);
    const std::int64_t height = std::max(rect.height, 1);
    return {rect.left, rect.top, rect.left + width, rect.top + height};
}

// The area two rectangles share; 0 when they do not overlap.
std::int64_t SharedArea(const Edges& a, const Edges& b) {
    const std::int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The gap between two rectangles along one axis; 0 where they overlap.
std::int64_t Gap(std::int64_t lowA, std::int64_t highA, std::int64_t lowB, std::int64_t highB) {
    if (highA <= lowB) return lowB - highA;
    if (highB <= lowA) return lowA - highB;
    return 0;
}

// The squared distance between two rectangles; in double, since the gaps
// between 32-bit edges reach 2^33.
double Distance(const Edges& a, const Edges& b) {
    const double dx = static_cast<double>(Gap(a.left, a.right, b.left, b.right));
    const double dy = static_cast<double>(Gap(a.top, a.bottom, b.top, b.bottom));
    return dx * dx + dy * dy;
}

// One axis of the move: the size cut to the room, the start kept as near
// to the stored one as the room allows.
void Fit(int& start, int& size, int roomStart, int roomSize) {
    if (roomSize <= 0) return;
    size = std::min(size, roomSize);
    const std::int64_t last = static_cast<std::int64_t>(roomStart) + roomSize - std::max(size, 0);
    start = static_cast<int>(std::clamp<std::int64_t>(start, roomStart, last));
}

}  // namespace

ControlRect PlaceStoredBounds(const ControlRect& stored,
                              const std::vector<MonitorArea>& monitors) {
    const Edges window = EdgesOf(stored);
    // The monitor holding the largest part of the window; off every one,
    // the nearest.
    const MonitorArea* nearest = nullptr;
    std::int64_t nearestShared = 0;
    double nearestDistance = 0;
    for (const MonitorArea& monitor : monitors) {
        const Edges whole = EdgesOf(monitor.whole);
        const std::int64_t shared = SharedArea(window, whole);
        const double distance = Distance(window, whole);
        if (!nearest || shared > nearestShared ||
            (shared == 0 && nearestShared == 0 && distance < nearestDistance)) {
            nearest = &monitor;
            nearestShared = shared;
            nearestDistance = distance;
        }
    }
    if (!nearest) return stored;
    ControlRect placed = stored;
    Fit(placed.left, placed.width, nearest->work.left, nearest->work.width);
    Fit(placed.top, placed.height, nearest->work.top, nearest->work.height);
    return placed;
}

}  // namespace ks
