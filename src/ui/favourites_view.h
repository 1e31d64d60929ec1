#pragma once
// The favourites list view as a mirror of ks::FavouritesList: the model
// decides, the view shows its rows and selection. Other programs read the
// rows from the view, so every change of the model is shown at once.
#include <windows.h>

#include "favourites/favourites_list.h"

namespace ks::ui {

class FavouritesView {
public:
    FavouritesView() = default;
    FavouritesView(const FavouritesView&) = delete;
    FavouritesView& operator=(const FavouritesView&) = delete;

    // Takes a report-style list view and gives it its two columns.
    void Attach(HWND listView, int keyColumnWidth, int commentColumnWidth);
    HWND Handle() const noexcept { return list_; }

    // Every row anew, and the model's selection.
    void ShowAll(const FavouritesList& model);
    void ShowRow(int index, const FavouriteEntry& entry);
    void Insert(int index, const FavouriteEntry& entry);
    void Remove(int index);
    // The comment column to the list's right edge, as wide as the rows
    // leave room for (a vertical scroll bar takes its share).
    void FillCommentColumn();
    // Selects and focuses the row alone and scrolls it into view; -1 clears.
    void Select(int index);

    // The selected row as the view has it, -1 for none.
    int Selected() const;

    // True while the view is being changed from the model: its change
    // notifications then report nothing the user did.
    bool Mirroring() const noexcept { return mirroring_ > 0; }

private:
    class MirrorScope;
    void InsertItem(int index, const FavouriteEntry& entry);
    void SetTexts(int index, const FavouriteEntry& entry);

    HWND list_ = nullptr;
    int mirroring_ = 0;
};

}  // namespace ks::ui
