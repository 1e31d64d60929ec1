#pragma once
// The application's own commands, above the favourites and the jump: Jump
// (the key box's text, a favourite, a path handed over), Jump from
// Clipboard with its offer of the nearest key, Copy to Clipboard, and the
// recent paths every landing goes to. The window answers a narrow interface.
#include <functional>
#include <string>

#include "grammar/path_forms.h"
#include "jump/jump_platform.h"

namespace ks {

class Clipboard;
class RecentPaths;

// What the commands ask of the window that starts them.
class AppWindowPort {
public:
    virtual ~AppWindowPort() = default;
    // The key box's text, as the box holds it.
    virtual std::string KeyText() = 0;
    // After a box: the focus in the key box, its text selected.
    virtual void FocusKeyBox() = 0;
    virtual void CloseSuggestions() = 0;
    // Runs `boxes` while the window takes no input, as under any modal window.
    virtual void WhileModal(const std::function<void()>& boxes) = 0;
    // The user chose to restart Keystride as administrator to jump to `path`.
    virtual void RestartAsAdministrator(const std::string& path) = 0;
};

class AppCommands {
public:
    AppCommands(const JumpPlatform& platform, Clipboard& clipboard, RecentPaths& recentPaths,
                AppWindowPort& window)
        : platform_(platform), clipboard_(clipboard), recentPaths_(recentPaths), window_(window) {}

    // The key box's text, not trimmed (Jump, Enter in the box).
    void Jump() { JumpTo(window_.KeyText()); }
    // A jump as the user starts it, with its boxes; a landing is remembered
    // among the recent paths.
    void JumpTo(const std::string& text);
    // The favourite editor's Launch Registry Editor: a jump to the key its
    // box names, as Jump makes it; the editor started as it is for a text
    // that names no key.
    void ShowInEditor(const std::string& text);
    // Both throw UserError when the clipboard cannot be opened; a clipboard
    // without a registry path says so in a box.
    void JumpFromClipboard();
    void CopyToClipboard(const std::string& text);
    // Copy As: the path the text names, in `form`; UserError for a text that
    // is no registry path.
    void CopyAs(const std::string& text, PathForm form);

    void ClearRecentPaths();
    bool CanClearRecentPaths() const noexcept;

private:
    JumpPlatform platform_;
    Clipboard& clipboard_;
    RecentPaths& recentPaths_;
    AppWindowPort& window_;
};

}  // namespace ks
