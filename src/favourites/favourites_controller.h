#pragma once
// The favourites list's commands and their enable rules, as the main window
// offers them: the model decides, the display shows every change at once,
// and the jumps they start are remembered among the recent paths.
#include <functional>
#include <optional>
#include <string>

#include "favourites/favourites_list.h"
#include "jump/jump_resolution.h"

namespace ks {

class Clipboard;
class RecentPaths;

// What the commands ask of the window that shows the list.
class FavouritesDisplay {
public:
    virtual ~FavouritesDisplay() = default;

    virtual void AppendRow(const FavouriteEntry& entry) = 0;
    virtual void ShowRow(int index, const FavouriteEntry& entry) = 0;
    virtual void RemoveRow(int index) = 0;
    // Selects the row alone; kNoSelection clears the selection.
    virtual void SelectRow(int index) = 0;

    // The key box's text.
    virtual std::string KeyText() = 0;
    // After a box: the focus in the key box, its text selected.
    virtual void FocusKeyBox() = 0;
    virtual void CloseSuggestions() = 0;
    // Runs `boxes` while the window takes no input, as under any modal window.
    virtual void WhileModal(const std::function<void()>& boxes) = 0;
    // The user chose to restart Keystride as administrator to jump to `path`.
    virtual void RestartAsAdministrator(const std::string& path) = 0;
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
    FavouritesController(FavouritesList& favourites, RecentPaths& recentPaths,
                         const JumpPlatform& platform, Clipboard& clipboard,
                         FavouritesDisplay& display, FavouriteEditor& editor)
        : favourites_(favourites), recentPaths_(recentPaths), platform_(platform),
          clipboard_(clipboard), display_(display), editor_(editor) {}

    // The user selected a row in the display (kNoSelection: none).
    void RowSelected(int row) noexcept { favourites_.Select(row); }

    // The commands. Those on the selected row do nothing without one.
    void Add();
    void Edit();
    void Remove();
    void MoveUp();
    void MoveDown();
    void JumpFromList();
    // Both throw UserError when the clipboard cannot be opened.
    void CopyToClipboard();
    void JumpFromClipboard();
    void ImportEditorFavourites();
    void ClearRecentPaths();

    // A jump as the user starts it, with its boxes; a landing is remembered
    // among the recent paths.
    void JumpTo(const std::string& text);

    // The enable rules; Add is always enabled.
    bool CanActOnSelection() const noexcept { return favourites_.CanActOnSelection(); }
    bool CanMoveUp() const noexcept { return favourites_.CanMoveUp(); }
    bool CanMoveDown() const noexcept { return favourites_.CanMoveDown(); }
    bool CanClearRecentPaths() const noexcept;

private:
    // Shows two neighbouring rows after a move and the row that moved.
    void ShowMove(int upper);

    FavouritesList& favourites_;
    RecentPaths& recentPaths_;
    JumpPlatform platform_;
    Clipboard& clipboard_;
    FavouritesDisplay& display_;
    FavouriteEditor& editor_;
};

}  // namespace ks
