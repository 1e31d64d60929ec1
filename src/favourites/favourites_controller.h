#pragma once
// The favourites list's commands and their enable rules, as the main window
// offers them: the model decides, and the display shows every change at once.
#include <functional>
#include <optional>
#include <string>

#include "favourites/favourites_list.h"

namespace ks {

class Registry;
class WindowSystem;

// What the commands ask of the window that shows the list.
class FavouritesDisplay {
public:
    virtual ~FavouritesDisplay() = default;

    virtual void InsertRow(int index, const FavouriteEntry& entry) = 0;
    virtual void ShowRow(int index, const FavouriteEntry& entry) = 0;
    virtual void RemoveRow(int index) = 0;
    // Selects the row alone; kNoSelection clears the selection.
    virtual void SelectRow(int index) = 0;
    // Runs `boxes` while the window takes no input, as under any modal window.
    virtual void WhileModal(const std::function<void()>& boxes) = 0;
};

enum class FavouriteEditing { Add, Edit };

// The favourite editor: a key text and a comment, starting from `start`.
class FavouriteEditor {
public:
    virtual ~FavouriteEditor() = default;
    // The entry as the user confirmed it; nothing on Cancel.
    virtual std::optional<FavouriteEntry> Ask(FavouriteEditing purpose,
                                              const FavouriteEntry& start) = 0;
};

class FavouritesController {
public:
    FavouritesController(FavouritesList& favourites, Registry& registry, WindowSystem& boxes,
                         FavouritesDisplay& display, FavouriteEditor& editor)
        : favourites_(favourites), registry_(registry), boxes_(boxes), display_(display),
          editor_(editor) {}

    // The one way the selection changes: model and display alike
    // (kNoSelection clears it).
    void SelectRow(int row);
    // The user selected a row in the display itself.
    void RowSelected(int row) noexcept { favourites_.Select(row); }
    // The selected row's key text; nothing without a selection.
    std::optional<std::string> SelectedKeyText() const;

    // The commands. Those on the selected row do nothing without one. Add
    // starts from the key box's text, and tests the text the box holds when
    // the editor closes for duplicates.
    void Add(const std::function<std::string()>& keyBoxText);
    void Edit();
    // Remove selects the row that takes the removed row's place; Undo
    // Remove puts the rows removed back, the last first, selected.
    void Remove();
    void UndoRemove();
    void MoveUp();
    void MoveDown();
    // Brings in the Registry Editor's own favourites, and says how many.
    void ImportEditorFavourites();

    // The enable rules; Add and Import are always enabled.
    bool CanActOnSelection() const noexcept { return favourites_.CanActOnSelection(); }
    bool CanMoveUp() const noexcept { return favourites_.CanMoveUp(); }
    bool CanMoveDown() const noexcept { return favourites_.CanMoveDown(); }
    bool CanUndoRemove() const noexcept { return favourites_.CanUndoRemove(); }

private:
    // Shows two neighbouring rows after a move and the row that moved.
    void ShowMove(int upper);

    FavouritesList& favourites_;
    Registry& registry_;
    WindowSystem& boxes_;
    FavouritesDisplay& display_;
    FavouriteEditor& editor_;
};

}  // namespace ks
