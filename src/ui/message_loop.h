#pragma once
// The message loops (the program's and the modal windows') and the report of
// errors that end a handler.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace ks::ui {

// A failure the user must see ("Cannot open clipboard", "Unable to write to
// ..."): it ends the handler that raised it, and the user is told.
class UserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The error box: error icon, caption "Keystride", the text with a full stop
// added when its last character sorts above ".".
void ShowErrorBox(HWND owner, const std::string& text);

// Runs a handler; an error it raises (a UserError among them) is shown and
// the program goes on. Exceptions must not cross the system's window
// procedure frames.
template <typename Handler>
void Guarded(HWND owner, Handler&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorBox(owner, error.what());
    }
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
