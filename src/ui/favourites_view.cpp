#include "ui/favourites_view.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/ui_kit.h"
#include "ui/window_text.h"

namespace ks::ui {

class FavouritesView::MirrorScope {
public:
    explicit MirrorScope(FavouritesView& view) noexcept : view_(view) { ++view_.mirroring_; }
    ~MirrorScope() { --view_.mirroring_; }
    MirrorScope(const MirrorScope&) = delete;
    MirrorScope& operator=(const MirrorScope&) = delete;

private:
    FavouritesView& view_;
};

namespace {

// The comment column's least width, in design pixels.
constexpr int kMinimumCommentWidth = 40;

void InsertColumn(HWND list, int index, const wchar_t* caption, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(caption);
    column.cx = width;
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

}  // namespace

void FavouritesView::Attach(HWND listView, int keyColumnWidth, int commentColumnWidth) {
    list_ = listView;
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    InsertColumn(list_, 0, L"Registry Key", keyColumnWidth);
    InsertColumn(list_, 1, L"Comment", commentColumnWidth);
}

void FavouritesView::ShowAll(const FavouritesList& model) {
    MirrorScope mirroring(*this);
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(model.Count()), 0);
    for (int row = 0; row < model.Count(); ++row) InsertItem(row, model.Row(row));
    FillCommentColumn();
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    Select(model.Selected());
}

void FavouritesView::ShowRow(int index, const FavouriteEntry& entry) {
    MirrorScope mirroring(*this);
    SetTexts(index, entry);
}

void FavouritesView::Insert(int index, const FavouriteEntry& entry) {
    MirrorScope mirroring(*this);
    InsertItem(index, entry);
    FillCommentColumn();
}

void FavouritesView::InsertItem(int index, const FavouriteEntry& entry) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    std::wstring keyText = Wide(entry.keyText);
    item.pszText = keyText.data();
    const auto inserted =
        static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted >= 0) SetTexts(inserted, entry);
}

void FavouritesView::Remove(int index) {
    MirrorScope mirroring(*this);
    SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    FillCommentColumn();
}

void FavouritesView::FillCommentColumn() {
    // The client area leaves out the scroll bars; a column narrower than a
    // few pixels would be lost to the eye, so it keeps that much.
    RECT client{};
    if (!list_ || !GetClientRect(list_, &client)) return;
    const int keyWidth = static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, 0, 0));
    const int fill = std::max<int>(client.right - keyWidth, Scale(kMinimumCommentWidth, DpiOf(list_)));
    if (SendMessageW(list_, LVM_GETCOLUMNWIDTH, 1, 0) != fill)
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(fill, 0));
}

void FavouritesView::Select(int index) {
    MirrorScope mirroring(*this);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    if (index < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int FavouritesView::Selected() const {
    return static_cast<int>(
        SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void FavouritesView::SetTexts(int index, const FavouriteEntry& entry) {
    LVITEMW item{};
    item.iSubItem = 0;
    std::wstring text = Wide(entry.keyText);
    item.pszText = text.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    text = Wide(entry.comment);
    item.pszText = text.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

}  // namespace ks::ui
