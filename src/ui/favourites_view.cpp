#include "ui/favourites_view.h"

#include <commctrl.h>

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

void InsertColumn(HWND list, int index, const char* caption, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(caption);
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

}  // namespace

void FavouritesView::Attach(HWND listView, int keyColumnWidth, int commentColumnWidth) {
    list_ = listView;
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    InsertColumn(list_, 0, "Registry Key", keyColumnWidth);
    InsertColumn(list_, 1, "Comment", commentColumnWidth);
}

void FavouritesView::ShowAll(const FavouritesList& model) {
    MirrorScope mirroring(*this);
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(model.Count()), 0);
    for (const FavouriteEntry& entry : model.Rows()) Append(entry);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    Select(model.Selected());
}

void FavouritesView::ShowRow(int index, const FavouriteEntry& entry) {
    MirrorScope mirroring(*this);
    SetTexts(index, entry);
}

void FavouritesView::Append(const FavouriteEntry& entry) {
    MirrorScope mirroring(*this);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(entry.keyText.c_str());
    const auto index =
        static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0) SetTexts(index, entry);
}

void FavouritesView::Remove(int index) {
    MirrorScope mirroring(*this);
    SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void FavouritesView::Select(int index) {
    MirrorScope mirroring(*this);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = 0;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    if (index < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

int FavouritesView::Selected() const {
    return static_cast<int>(
        SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void FavouritesView::SetTexts(int index, const FavouriteEntry& entry) {
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = const_cast<char*>(entry.keyText.c_str());
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(entry.comment.c_str());
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

}  // namespace ks::ui
