#pragma once
// The favourites' commands bound to the main window: the list view mirrors
// the model, the favourite editor dialog asks for entries, and the jump's
// boxes are modal over the application window.
#include <windows.h>

#include <functional>

#include "favourites/favourites_controller.h"
#include "ui/favourites_view.h"

namespace ks::ui {

class SuggestionPopup;

// The parts of the main window that the commands reach.
struct FavouritesWindowParts {
    HWND window = nullptr;       // owns the favourite editor
    HWND application = nullptr;  // owns the jump's boxes
    HWND keyBox = nullptr;
    std::function<void()> focusKeyBox;
    std::function<void(const std::string&)> restartAsAdministrator;
};

class FavouritesBinding final : private FavouritesDisplay, private FavouriteEditor {
public:
    FavouritesBinding(FavouritesList& favourites, RecentPaths& recentPaths,
                      const JumpPlatform& platform, Clipboard& clipboard, FavouritesView& view,
                      SuggestionPopup& suggestions, FavouritesWindowParts parts)
        : view_(view), suggestions_(suggestions), parts_(std::move(parts)),
          commands_(favourites, recentPaths, platform, clipboard, *this, *this) {}
    FavouritesBinding(const FavouritesBinding&) = delete;
    FavouritesBinding& operator=(const FavouritesBinding&) = delete;

    FavouritesController& Commands() noexcept { return commands_; }
    // The list view's selection changed.
    void OnSelectionChanged();

private:
    void AppendRow(const FavouriteEntry& entry) override { view_.Append(entry); }
    void ShowRow(int index, const FavouriteEntry& entry) override { view_.ShowRow(index, entry); }
    void RemoveRow(int index) override { view_.Remove(index); }
    void SelectRow(int index) override { view_.Select(index); }
    std::string KeyText() override;
    void FocusKeyBox() override { parts_.focusKeyBox(); }
    void CloseSuggestions() override;
    void WhileModal(const std::function<void()>& boxes) override;
    void RestartAsAdministrator(const std::string& path) override {
        parts_.restartAsAdministrator(path);
    }
    std::optional<FavouriteEntry> Ask(FavouriteEditing purpose,
                                      const FavouriteEntry& start) override;

    FavouritesView& view_;
    SuggestionPopup& suggestions_;
    FavouritesWindowParts parts_;
    FavouritesController commands_;
};

}  // namespace ks::ui
