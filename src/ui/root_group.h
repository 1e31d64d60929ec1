#pragma once
// The root switcher: a group of radio items, "No Action" and the five
// roots, in three columns inside the key group. A click on an item that
// moves the selection, or on the group's free area, reports the choice, and
// the window applies the selected root to the key text by the root
// switcher's rule. The arrow keys move among the items, which form one tab
// stop.
#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "ui/ui_kit.h"

namespace ks::ui {

class RootGroup {
public:
    static constexpr std::size_t kItemCount = 6;

    RootGroup() = default;
    RootGroup(const RootGroup&) = delete;
    RootGroup& operator=(const RootGroup&) = delete;

    // Fills the group box `group` with its items, "No Action" selected;
    // `onChoice` runs when the key text is to be rewritten.
    bool Create(HWND group, HINSTANCE instance, HFONT font, std::function<void()> onChoice);
    // Places the items again, for a new font or DPI.
    void Arrange() { ArrangeItems(group_); }

    HWND Handle() const noexcept { return group_; }
    const std::array<HWND, kItemCount>& Items() const noexcept { return items_; }

    // Moves the selection to item `index`; true when it moved.
    bool Select(int index);
    int Index() const noexcept { return index_; }
    // `text` with the selected root put at its front.
    std::string Apply(const std::string& text) const;

private:
    void ArrangeItems(HWND group);
    // A click on item `id`, or on the group's own area (IDC_ROOT_SWITCHER).
    void Clicked(int id);
    static LRESULT CALLBACK GroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);

    HWND group_ = nullptr;
    std::function<void()> onChoice_;
    std::array<HWND, kItemCount> items_{};
    int index_ = 0;
};

}  // namespace ks::ui
