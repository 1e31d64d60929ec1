#include "ui/rules/layout_rules.h"

#include <array>
#include <cmath>

namespace ks {
namespace {

constexpr int kBannerHeight = 50;
constexpr int kUpdateLinkMargin = 10;
constexpr int kUpdateIconOffset = 20;
constexpr int kListBottomGap = 15;
constexpr int kEditGroupMargin = 12;
constexpr int kButtonBottomMargin = 12;
constexpr int kKeyColumnBase = 380;
constexpr int kCommentColumnBase = 105;
constexpr int kButtonWidth = 55;
constexpr int kWideButtonWidth = 70;
constexpr int kRowInset = 8;
constexpr int kFixedRowWidth = 471;  // two insets, eight buttons of 55, the wide one's extra 15

constexpr std::array<const char*, 8> kButtonRow{"bAddtoList", "bJumpFromList", "bEdit", "bUp",
                                                "bDown",      "bRemove",       "bAbout", "bExit"};

ControlRect ScaleControl(const LayoutControl& control, double widthRatio, double heightRatio,
                         int clientHeight) {
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
            if (control.name != "bOpen")
                rect.top = clientHeight - rect.height - kButtonBottomMargin;
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
    FixedPlacements(const std::vector<LayoutControl>& controls, LayoutResult& result)
        : controls_(controls), result_(result) {}

    ControlRect* operator[](const char* name) {
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].name == name) return &result_.rects[i];
        return nullptr;
    }

    void Run(ClientSize client, double widthRatio) {
        ControlRect* title = (*this)["imgTitle"];
        if (!title) return;
        *title = {0, 0, client.width, kBannerHeight};
        ControlRect* update = (*this)["lUpdate"];
        if (!update) return;
        update->left = client.width - update->width - kUpdateLinkMargin;
        ControlRect* updateIcon = (*this)["iUpdate"];
        if (!updateIcon) return;
        updateIcon->left = update->left - kUpdateIconOffset;
        ControlRect* list = (*this)["ListView1"];
        ControlRect* edit = (*this)["bEdit"];
        if (!list || !edit) return;
        list->height = edit->top - list->top - kListBottomGap;
        list->width = client.width - 2 * list->left;
        ControlRect* group = (*this)["GroupBox2"];
        if (!group) return;
        group->width = list->width;
        ControlRect* open = (*this)["bOpen"];
        if (!open) return;
        open->left = group->width - open->width - kEditGroupMargin;
        ControlRect* key = (*this)["eRegKey"];
        if (!key) return;
        key->width = open->left - key->left - kEditGroupMargin;
        ControlRect* roots = (*this)["rgPre"];
        if (!roots) return;
        roots->width = key->width + open->width;
        result_.keyColumnWidth = ScaleByRatio(kKeyColumnBase, widthRatio);
        result_.commentColumnWidth = ScaleByRatio(kCommentColumnBase, widthRatio);
        ArrangeButtonRow(*list);
    }

private:
    void ArrangeButtonRow(const ControlRect& list) {
        // Truncating division: a list narrower than the fixed row gives a
        // zero or negative gap and the buttons overlap.
        const int gap = (list.width - kFixedRowWidth) / 7;
        int x = list.left + kRowInset;
        for (const char* name : kButtonRow) {
            ControlRect* button = (*this)[name];
            if (!button) return;
            button->left = x;
            button->width = std::string_view(name) == "bAddtoList" ? kWideButtonWidth : kButtonWidth;
            x += button->width + gap;
        }
    }

    const std::vector<LayoutControl>& controls_;
    LayoutResult& result_;
};

}  // namespace

int ScaleByRatio(int value, double ratio) {
    // nearbyint rounds half to even in the default rounding mode.
    return static_cast<int>(std::nearbyint(static_cast<double>(value) * ratio));
}

ClientSize EnforceMinimumSize(ClientSize outer) {
    if (outer.width < kMinimumOuterWidth) outer.width = kMinimumOuterWidth;
    if (outer.height < kMinimumOuterHeight) outer.height = kMinimumOuterHeight;
    return outer;
}

LayoutResult ArrangeMainWindow(const std::vector<LayoutControl>& controls, ClientSize reference,
                               ClientSize client) {
    LayoutResult result;
    if (reference.width <= 0 || reference.height <= 0) {
        for (const LayoutControl& control : controls) result.rects.push_back(control.current);
        return result;
    }
    const double widthRatio = static_cast<double>(client.width) / reference.width;
    const double heightRatio = static_cast<double>(client.height) / reference.height;
    for (const LayoutControl& control : controls)
        result.rects.push_back(ScaleControl(control, widthRatio, heightRatio, client.height));
    FixedPlacements(controls, result).Run(client, widthRatio);
    return result;
}

}  // namespace ks
