#pragma once
// The message loops (the program's and the modal windows') and the report of
// errors that end a handler.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "user_error.h"

namespace ks::ui {

using ks::UserError;

// The error box: error icon, caption "Keystride", the text with a full stop
// added when its last character sorts above ".".
void ShowErrorBox(HWND owner, const std::string& text);
// The program's warning box: `text` as it stands, OK alone.
void ShowWarningBox(HWND owner, const std::string& text);

// The rule of every window procedure of the program: a failure a handler
// raises (a UserError, or any other) ends the handler, is shown in the
// error box over `owner`, and the program goes on; the message then
// answers `failed`. Exceptions must not cross the system's window procedure
// frames.
template <typename Handler>
LRESULT HandledGuarded(HWND owner, LRESULT failed, Handler&& handler) noexcept {
    try {
        return handler();
    } catch (const std::exception& error) {
        ShowErrorBox(owner, error.what());
        return failed;
    }
}

// The same for a handler that answers nothing.
template <typename Handler>
void Guarded(HWND owner, Handler&& handler) noexcept {
    HandledGuarded(owner, 0, [&]() -> LRESULT {
        handler();
        return 0;
    });
}

// Dispatches messages until `done` says so, calling `onIdle` each time the
// queue runs empty. Keyboard navigation (Tab, Enter, Escape) goes to
// `dialog` when given. Returns false when the program was told to quit; the
// quit message is posted again for the outer loop.
bool RunMessageLoop(const std::function<bool()>& done, const std::function<void()>& onIdle,
                    HWND dialog = nullptr);

// Shows `window` modally over `owner` (disabled meanwhile) until `done`.
void RunModal(HWND window, HWND owner, const std::function<bool()>& done,
              const std::function<void()>& onIdle);

}  // namespace ks::ui
