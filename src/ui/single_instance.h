#pragma once
// One Keystride per user session. Starts take turns under a named mutex of
// the session's namespace: each looks for the main window of a Keystride
// already running, and the turn ends only once the start's own window can
// be found. Two starts at once thus never both open a window.
#include <windows.h>

#include "jump/path_suggestions.h"
#include "platform/win32/owned_handle.h"

namespace ks::ui {

// Tells a Keystride window running in this session where a command-line
// jump landed, for its recent paths; waits a second at the most.
void HandOverRecentPath(const RecentPath& landed);

class SingleInstance {
public:
    // Waits for this start's turn (bounded: a start that hangs holds no
    // other for good).
    SingleInstance() noexcept;
    // Ends the turn if it is still held.
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Asks the main window of a Keystride already running in this session to
    // come forward; true when there was one, and this start is to end.
    [[nodiscard]] bool ActivateRunning() const noexcept;
    // A Keystride runs in this session already.
    [[nodiscard]] bool Running() const noexcept;

    // This start's main window exists and can be found: the next start may
    // look.
    void EndTurn() noexcept;

private:
    KernelHandle mutex_;
    bool turn_ = false;
};

}  // namespace ks::ui
