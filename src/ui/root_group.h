#pragma once
// The root switcher (rgPre): a group of radio items, "No Action" and the
// five roots, in three columns inside the key group. A click on an item that
// moves the selection, or on the group's free area, asks the main window to
// apply the selected root to the key text, which the group does by the
// root switcher's rule. The arrow keys move among the items, which form one
// tab stop.
#include <windows.h>

#include <array>
#include <cstddef>
#include <string>

#include "ui/ui_kit.h"

namespace ks::ui {

class RootGroup {
public:
    static constexpr std::size_t kItemCount = 6;

    RootGroup() = default;
    RootGroup(const RootGroup&) = delete;
    RootGroup& operator=(const RootGroup&) = delete;

    // Makes the group at its designed place in `parent`, "No Action"
    // selected; its clicks go to `main` as WM_COMMAND.
    bool Create(HWND parent, HWND main, HINSTANCE instance, UINT dpi, HFONT font);
    // Measures the items anew for another DPI from the next arrangement on.
    void SetDpi(UINT dpi) noexcept { dpi_ = dpi; }
    // Places the items again, for a new font.
    void Arrange() { ArrangeItems(); }

    HWND Handle() const noexcept { return group_; }
    const std::array<HWND, kItemCount>& Items() const noexcept { return items_; }

    // Whether the command `id` comes from the group or one of its items.
    bool Owns(int id) const noexcept;
    // The group's command `id`: true when the key text is to be rewritten
    // (a click on the group itself, or on an item that moved the selection).
    bool Click(int id);
    // Moves the selection to item `index`; true when it moved.
    bool Select(int index);
    int Index() const noexcept { return index_; }
    // `text` with the selected root put at its front.
    std::string Apply(const std::string& text) const;

private:
    void ArrangeItems();
    int Scaled(int designed) const noexcept { return Scale(designed, dpi_); }
    static LRESULT CALLBACK GroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data);

    HWND group_ = nullptr;
    HWND main_ = nullptr;
    UINT dpi_ = kDesignDpi;
    std::array<HWND, kItemCount> items_{};
    int index_ = 0;
};

}  // namespace ks::ui
