#pragma once
// The application's and the favourites' commands bound to the main window:
// the list view mirrors the model, the favourite editor asks for entries,
// the jump's boxes are modal over the application window, and each command
// is registered with its enable rule.
#include <windows.h>

#include <functional>
#include <string>

#include "favourites/favourites_controller.h"
#include "ui/favourites_view.h"
#include "ui/rules/app_commands.h"

namespace ks::ui {

class CommandList;
class SuggestionPopup;

// The parts of the main window that the commands reach.
struct CommandWindowParts {
    HWND window = nullptr;       // owns the favourite editor
    HWND application = nullptr;  // owns the jump's boxes
    HWND keyBox = nullptr;
    std::function<void()> focusKeyBox;
    std::function<void(const std::string&)> restartAsAdministrator;
};

class WindowCommands final : private AppWindowPort,
                             private FavouritesDisplay,
                             private FavouriteEditor {
public:
    WindowCommands(const JumpPlatform& platform, Clipboard& clipboard, RecentPaths& recentPaths,
                   FavouritesList& favourites, FavouritesView& view, SuggestionPopup& suggestions,
                   CommandWindowParts parts)
        : view_(view), suggestions_(suggestions), parts_(std::move(parts)),
          app_(platform, clipboard, recentPaths, *this),
          favourites_(favourites, platform.registry, platform.windows, *this, *this) {}
    WindowCommands(const WindowCommands&) = delete;
    WindowCommands& operator=(const WindowCommands&) = delete;

    // Registers the application's and the favourites' commands.
    void Register(CommandList& commands);

    AppCommands& App() noexcept { return app_; }
    FavouritesController& Favourites() noexcept { return favourites_; }
    void JumpToFavourite();
    // The text Copy As writes in another notation.
    std::string CopyAsSource();
    // The list view's selection changed.
    void OnSelectionChanged();

private:
    void InsertRow(int index, const FavouriteEntry& entry) override { view_.Insert(index, entry); }
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
    CommandWindowParts parts_;
    AppCommands app_;
    FavouritesController favourites_;
};

}  // namespace ks::ui
