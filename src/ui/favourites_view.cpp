#include "ui/favourites_view.h"

#include <commctrl.h>

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
    for (const FavouriteEntry& entry : model.Rows()) Append(entry);
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
    Select(model.Selected());
}

void FavouritesView::ShowRow(int index, const FavouriteEntry& entry) {
    MirrorScope mirroring(*this);
    SetTexts(index, entry);
}

void FavouritesView::Append(const FavouriteEntry& entry) {
    MirrorScope mirroring(*this);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    std::wstring keyText = Wide(entry.keyText);
    item.pszText = keyText.data();
    const auto index =
        static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0) SetTexts(index, entry);
}

void FavouritesView::Remove(int index) {
    MirrorScope mirroring(*this);
    SendMessageW(list_, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
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
