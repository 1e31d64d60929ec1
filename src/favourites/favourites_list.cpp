#include "favourites/favourites_list.h"

#include <utility>

#include "grammar/ascii.h"

namespace ks {

void FavouritesList::Select(int index) noexcept {
    selected_ = (index >= 0 && index < Count()) ? index : kNoSelection;
}

void FavouritesList::Append(FavouriteEntry entry) { rows_.push_back(std::move(entry)); }

bool FavouritesList::Holds(const std::string& keyText) const {
    // Whole strings: no trimming, no expansion of short roots.
    const std::string wanted = UpperAscii(keyText);
    for (const FavouriteEntry& row : rows_)
        if (UpperAscii(row.keyText) == wanted) return true;
    return false;
}

bool FavouritesList::Add(const std::string& editText, FavouriteEntry entry) {
    // The test uses the main window's edit text, not what the dialog returned.
    if (Holds(editText)) return false;
    rows_.push_back(std::move(entry));
    selected_ = Count() - 1;
    return true;
}

bool FavouritesList::AppendIfNew(FavouriteEntry entry) {
    if (Holds(entry.keyText)) return false;
    rows_.push_back(std::move(entry));
    return true;
}

void FavouritesList::EditSelected(FavouriteEntry entry) {
    if (!CanActOnSelection()) return;
    rows_[static_cast<std::size_t>(selected_)] = std::move(entry);
}

void FavouritesList::RemoveSelected() {
    if (!CanActOnSelection()) return;
    rows_.erase(rows_.begin() + selected_);
    selected_ = kNoSelection;
}

void FavouritesList::MoveSelectedUp() {
    if (!CanMoveUp()) return;
    const auto at = static_cast<std::size_t>(selected_);
    std::swap(rows_[at], rows_[at - 1]);
    --selected_;
}

void FavouritesList::MoveSelectedDown() {
    if (!CanMoveDown()) return;
    const auto at = static_cast<std::size_t>(selected_);
    std::swap(rows_[at], rows_[at + 1]);
    ++selected_;
}

}  // namespace ks
