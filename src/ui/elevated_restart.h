#pragma once
// Keystride restarted as administrator, to jump where this copy cannot (an
// editor that runs as administrator takes nothing from a program of lower
// rights). The new copy is started through the consent prompt with the
// path on its command line; it takes its turn at the single-instance mutex,
// tells this copy, which then ends, and becomes the running window itself.
#include <windows.h>

#include <optional>
#include <string>

namespace ks::ui {

enum class HandOver {
    Done,       // the copy as administrator has taken over: this one is to end
    Cancelled,  // the user declined the consent prompt; nothing changed
    Failed,     // it could not be started, or never took over
};

// In the window's copy: starts the copy as administrator for `path` (this
// program, unless another is named) and waits, bounded, until it has taken
// its turn.
HandOver HandOverToElevatedCopy(HWND owner, const std::string& path,
                                const std::string& program = {});

// In the copy started so, holding its turn: tells the copy that handed over,
// and waits, bounded, until that one's window has gone.
void TakeOverFromRunningCopy(const char* mainWindowClass);

// For a jump from the command line: the same jump in a copy as
// administrator, waited for; its exit code, or nothing when the user
// declined or it could not be started.
std::optional<int> JumpAgainAsAdministrator(const std::string& path);

// Whether this is the 32-bit build running on 64-bit Windows.
bool Is32BitBuildOn64BitWindows() noexcept;

}  // namespace ks::ui
