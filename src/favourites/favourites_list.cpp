#include "favourites/favourites_list.h"

#include <algorithm>
#include <utility>

#include <optional>
#include <vector>

#include "grammar/ascii.h"
#include "grammar/path_notations.h"
#include "grammar/registry_case.h"

namespace ks {

bool SameKeyText(const std::string& a, const std::string& b) {
    return EqualsIgnoringAsciiCase(a, b);
}

namespace {

// The first reading of a key text in one form for comparing; nothing when
// it reads as no path.
std::optional<std::string> KeyOfText(const std::string& keyText) {
    const std::vector<PathReading> readings = ReadPathNotations(keyText);
    if (readings.empty()) return std::nullopt;
    const PathReading& reading = readings.front();
    std::string key = reading.rootName;
    for (char c : reading.rest)
        if (c != '\\' || key.back() != '\\') key += c;
    if (key.back() == '\\') key.pop_back();
    if (reading.valueName) key += "\\" + *reading.valueName;
    if (reading.defaultValue) key += " /ve";
    return FoldName(key);
}

}  // namespace

bool SameKey(const std::string& a, const std::string& b) {
    const std::optional<std::string> keyA = KeyOfText(a);
    const std::optional<std::string> keyB = KeyOfText(b);
    if (!keyA || !keyB) return SameKeyText(a, b);
    return *keyA == *keyB;
}

std::string StoredKeyText(std::string keyText) {
    if (keyText.size() > 1 && keyText.back() == '\\' && !ReadPathNotations(keyText).empty())
        while (keyText.size() > 1 && keyText.back() == '\\') keyText.pop_back();
    return keyText;
}

void FavouritesList::Select(int index) noexcept {
    selected_ = (index >= 0 && index < Count()) ? index : kNoSelection;
}

void FavouritesList::Append(FavouriteEntry entry) { rows_.push_back(std::move(entry)); }

bool FavouritesList::Holds(const std::string& keyText) const {
    return std::any_of(rows_.begin(), rows_.end(),
                       [&](const FavouriteEntry& row) { return SameKeyText(row.keyText, keyText); });
}

bool FavouritesList::Add(const std::string& editText, FavouriteEntry entry) {
    // The test uses the main window's edit text, not what the dialog returned.
    if (Holds(editText)) return false;
    rows_.push_back(std::move(entry));
    selected_ = Count() - 1;
    return true;
}

bool FavouritesList::AppendIfNew(FavouriteEntry entry) {
    if (std::any_of(rows_.begin(), rows_.end(),
                    [&](const FavouriteEntry& row) { return SameKey(row.keyText, entry.keyText); }))
        return false;
    rows_.push_back(std::move(entry));
    return true;
}

void FavouritesList::EditSelected(FavouriteEntry entry) {
    if (!CanActOnSelection()) return;
    rows_[static_cast<std::size_t>(selected_)] = std::move(entry);
}

void FavouritesList::RemoveSelected() {
    if (!CanActOnSelection()) return;
    const auto at = rows_.begin() + selected_;
    removed_.push_back({selected_, std::move(*at)});
    rows_.erase(at);
    if (selected_ >= Count()) selected_ = Count() - 1;  // kNoSelection for an empty list
}

std::optional<int> FavouritesList::UndoRemove() {
    if (removed_.empty()) return std::nullopt;
    RemovedRow row = std::move(removed_.back());
    removed_.pop_back();
    const int index = std::min(row.index, Count());
    rows_.insert(rows_.begin() + index, std::move(row.entry));
    selected_ = index;
    return index;
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
