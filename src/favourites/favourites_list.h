#pragma once
// The favourites list: an ordered sequence of rows with at most one
// selected row. The main window's list view shows exactly this model.
#include <optional>
#include <string>
#include <vector>

namespace ks {

struct FavouriteEntry {
    std::string keyText;
    std::string comment;
    bool operator==(const FavouriteEntry&) const = default;
};

inline constexpr int kNoSelection = -1;

// The duplicate rule: two key texts are the same when they are equal
// ignoring ASCII case (whole strings: no trimming, no expansion of short
// roots).
bool SameKeyText(const std::string& a, const std::string& b);

// Whether two key texts name the same key (or value), as the path reader
// reads them: the same root by its long name, the same path, letter case
// ignored as the registry ignores it, runs of backslashes and a trailing
// one as one. Texts the reader cannot read compare by the duplicate rule.
bool SameKey(const std::string& a, const std::string& b);

// A key text as it is stored: a trailing backslash (which names no more
// than the key before it) is dropped, when the reader reads the text as a
// path. "HKCU\Software\" is stored as "HKCU\Software".
std::string StoredKeyText(std::string keyText);

class FavouritesList {
public:
    int Count() const noexcept { return static_cast<int>(rows_.size()); }
    const FavouriteEntry& Row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    const std::vector<FavouriteEntry>& Rows() const noexcept { return rows_; }

    int Selected() const noexcept { return selected_; }
    bool HasSelection() const noexcept { return selected_ != kNoSelection; }
    // Any index outside the rows clears the selection.
    void Select(int index) noexcept;

    // Appends without touching the selection (used by the settings load).
    void Append(FavouriteEntry entry);

    // Add: `editText` is the main window's key edit text, used for the
    // duplicate test; `entry` is what the favourite editor returned. Appends
    // and selects the new row unless a row's key text equals `editText`
    // ignoring ASCII case. Returns whether a row was added.
    bool Add(const std::string& editText, FavouriteEntry entry);

    // A row's key text is the same as this one by the duplicate rule.
    bool Holds(const std::string& keyText) const;

    // Appends without touching the selection unless a row names the same
    // key (SameKey). Returns whether a row was added.
    bool AppendIfNew(FavouriteEntry entry);

    // The following act on the selected row and do nothing when their
    // enable rule is false.
    void EditSelected(FavouriteEntry entry);
    // The row now at the removed row's place is selected: the new last row
    // when the last went, none when the list is empty. The removed row is
    // kept for UndoRemove.
    void RemoveSelected();
    void MoveSelectedUp();
    void MoveSelectedDown();

    // Enable rules.
    bool CanActOnSelection() const noexcept { return HasSelection(); }
    bool CanMoveUp() const noexcept { return selected_ > 0; }
    bool CanMoveDown() const noexcept { return HasSelection() && selected_ < Count() - 1; }
    bool CanUndoRemove() const noexcept { return !removed_.empty(); }

    // Puts the row removed last back at its place (at the end when the list
    // has become shorter), selected; its index, nothing when none is left.
    std::optional<int> UndoRemove();

private:
    std::vector<FavouriteEntry> rows_;
    int selected_ = kNoSelection;
    struct RemovedRow {
        int index;
        FavouriteEntry entry;
    };
    std::vector<RemovedRow> removed_;  // last removed last
};

}  // namespace ks
