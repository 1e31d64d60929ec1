#include "ui/rules/layout_rules.h"

#include <array>
#include <cmath>
#include <string_view>

namespace ks {
namespace {

// The fixed measures at 96 DPI.
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
          keyColumnBase(AtDpi(kKeyColumnBase, dpi)),
          commentColumnBase(AtDpi(kCommentColumnBase, dpi)),
          buttonWidth(AtDpi(kButtonWidth, dpi)),
          wideButtonWidth(AtDpi(kWideButtonWidth, dpi)),
          rowInset(AtDpi(kRowInset, dpi)),
          // two insets, seven buttons and the wide one: 471 at 96 DPI
          fixedRowWidth(2 * rowInset + 7 * buttonWidth + wideButtonWidth) {}

    static int AtDpi(int value, int dpi) { return dpi == 96 ? value : (value * dpi + 48) / 96; }

    int bannerHeight, updateLinkMargin, updateIconOffset, listBottomGap, editGroupMargin,
        buttonBottomMargin, keyColumnBase, commentColumnBase, buttonWidth, wideButtonWidth,
        rowInset, fixedRowWidth;
};

constexpr std::array<const char*, 8> kButtonRow{"bAddtoList", "bJumpFromList", "bEdit", "bUp",
                                                "bDown",      "bRemove",       "bAbout", "bExit"};

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
            if (control.name != "bOpen")
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

    ControlRect* operator[](const char* name) {
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].name == name) return &result_.rects[i];
        return nullptr;
    }

    void Run(ClientSize client, double widthRatio) {
        ControlRect* title = (*this)["imgTitle"];
        if (!title) return;
        *title = {0, 0, client.width, measures_.bannerHeight};
        ControlRect* update = (*this)["lUpdate"];
        if (!update) return;
        update->left = client.width - update->width - measures_.updateLinkMargin;
        ControlRect* updateIcon = (*this)["iUpdate"];
        if (!updateIcon) return;
        updateIcon->left = update->left - measures_.updateIconOffset;
        ControlRect* list = (*this)["ListView1"];
        ControlRect* edit = (*this)["bEdit"];
        if (!list || !edit) return;
        list->height = edit->top - list->top - measures_.listBottomGap;
        list->width = client.width - 2 * list->left;
        ControlRect* group = (*this)["GroupBox2"];
        if (!group) return;
        group->width = list->width;
        ControlRect* open = (*this)["bOpen"];
        if (!open) return;
        open->left = group->width - open->width - measures_.editGroupMargin;
        ControlRect* key = (*this)["eRegKey"];
        if (!key) return;
        key->width = open->left - key->left - measures_.editGroupMargin;
        ControlRect* roots = (*this)["rgPre"];
        if (!roots) return;
        roots->width = key->width + open->width;
        result_.keyColumnWidth = ScaleByRatio(measures_.keyColumnBase, widthRatio);
        result_.commentColumnWidth = ScaleByRatio(measures_.commentColumnBase, widthRatio);
        ArrangeButtonRow(*list);
    }

private:
    void ArrangeButtonRow(const ControlRect& list) {
        // Truncating division: a list narrower than the fixed row gives a
        // zero or negative gap and the buttons overlap.
        const int gap = (list.width - measures_.fixedRowWidth) / 7;
        int x = list.left + measures_.rowInset;
        for (const char* name : kButtonRow) {
            ControlRect* button = (*this)[name];
            if (!button) return;
            button->left = x;
            button->width = std::string_view(name) == "bAddtoList" ? measures_.wideButtonWidth
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

ClientSize EnforceMinimumSize(ClientSize outer) {
    if (outer.width < kMinimumOuterWidth) outer.width = kMinimumOuterWidth;
    if (outer.height < kMinimumOuterHeight) outer.height = kMinimumOuterHeight;
    return outer;
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
    FixedPlacements(controls, measures, result).Run(client, widthRatio);
    return result;
}

}  // namespace ks
