#include "ui/root_group.h"

#include <commctrl.h>

#include <algorithm>

#include "grammar/root_switcher.h"
#include "texts.h"
#include "ui/control_ids.h"
#include "ui/message_loop.h"

namespace ks::ui {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr int kColumns = 3;
// Beside its caption a radio item draws its circle and a gap.
constexpr int kRadioCircleRoom = 13 + 6;

constexpr UINT_PTR kRootGroupSubclass = 2;

}  // namespace

bool RootGroup::Create(HWND group, HINSTANCE instance, HFONT font,
                       std::function<void()> onChoice) {
    group_ = group;
    onChoice_ = std::move(onChoice);
    // The items stand in columns; they are made in reading order (across,
    // then down), which is the order the arrow keys take. The checked item
    // carries the group's one tab stop.
    const int count = static_cast<int>(items_.size());
    const int perColumn = (count + kColumns - 1) / kColumns;
    for (int row = 0; row < perColumn; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int i = column * perColumn + row;
            if (i >= count) continue;
            const std::string caption = i == 0 ? KS_TEXT_NO_ACTION
                                               : std::string(RootPrefixTable[static_cast<std::size_t>(i)]);
            HWND& item = items_[static_cast<std::size_t>(i)];
            item = CreateWindowExW(
                0, WC_BUTTONW, Wide(caption).c_str(),
                kChild | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0), 0, 0, 0, 0,
                group_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ROOT_ITEM0 + i)),
                instance, nullptr);
            if (!item) return false;
            SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    SendMessageW(items_[0], BM_SETCHECK, BST_CHECKED, 0);
    index_ = 0;
    // Over the box's forwarding of its children's notices: the items'
    // clicks stop here.
    SetWindowSubclass(group_, GroupProc, kRootGroupSubclass, reinterpret_cast<DWORD_PTR>(this));
    ArrangeItems(group_);
    return true;
}

void RootGroup::Clicked(int id) {
    // Choosing the item that is already selected changes nothing.
    const int item = id - IDC_ROOT_ITEM0;
    const bool choice = id == IDC_ROOT_SWITCHER ||
                        (item >= 0 && item < static_cast<int>(items_.size()) && Select(item));
    if (choice && onChoice_) onChoice_();
}

bool RootGroup::Select(int index) {
    if (index == index_) return false;
    index_ = index;
    for (std::size_t i = 0; i < items_.size(); ++i)
        SendMessageW(items_[i], BM_SETCHECK,
                     static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

std::string RootGroup::Apply(const std::string& text) const {
    return ApplyRootPrefix(text, index_);
}

void RootGroup::ArrangeItems(HWND group) {
    // Items run down the columns; the rows share the height below a
    // caption line, as the group would have one. Each column is as wide as
    // its longest caption needs beside the radio circle, and the width left
    // over is shared equally, so no root name is cut off at any font size.
    RECT client{};
    GetClientRect(group, &client);
    const UINT dpi = DpiOf(group);
    const auto scaled = [dpi](int designed) { return Scale(designed, dpi); };
    const int lineHeight = static_cast<int>(CaptionMetrics(group).tmHeight);
    const int count = static_cast<int>(items_.size());
    const int perColumn = (count + kColumns - 1) / kColumns;
    std::array<int, kColumns> widths{};
    for (int i = 0; i < count; ++i) {
        const int needed = static_cast<int>(CaptionExtent(items_[static_cast<std::size_t>(i)]).cx) +
                           scaled(kRadioCircleRoom);
        widths[static_cast<std::size_t>(i / perColumn)] =
            std::max(widths[static_cast<std::size_t>(i / perColumn)], needed);
    }
    int spare = client.right - scaled(10);
    for (const int width : widths) spare -= width;
    spare = std::max(0, spare / kColumns);
    const int rowsHeight = client.bottom - lineHeight - scaled(5);
    const int itemHeight = rowsHeight / perColumn;
    const int topMargin = lineHeight + 1 + (rowsHeight % perColumn) / 2;
    int left = scaled(8);
    for (int column = 0; column < kColumns; ++column) {
        const int width = widths[static_cast<std::size_t>(column)] + spare;
        for (int row = 0; row < perColumn && column * perColumn + row < count; ++row)
            SetWindowPos(items_[static_cast<std::size_t>(column * perColumn + row)], nullptr,
                         left, row * itemHeight + topMargin, width, itemHeight,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        left += width;
    }
}

LRESULT CALLBACK RootGroup::GroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data) {
    // The group's own area outside the items is clickable: a click there
    // applies the selected root again.
    auto* self = reinterpret_cast<RootGroup*>(data);
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
            Guarded(window, [self] { self->Clicked(IDC_ROOT_SWITCHER); });
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) break;
        Guarded(window, [self, wParam] { self->Clicked(LOWORD(wParam)); });
        return 0;
    case WM_SIZE:
        self->ArrangeItems(window);
        break;
    default:
        break;
    }
    return PassOn(GroupProc, id, window, message, wParam, lParam);
}

}  // namespace ks::ui
