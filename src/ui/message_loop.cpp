#include "ui/message_loop.h"

#include "texts.h"
#include "ui/window_text.h"

namespace ks::ui {

void ShowErrorBox(HWND owner, const std::string& text) {
    std::string shown = text;
    if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
    MessageBoxW(owner, Wide(shown).c_str(), Wide(KS_TEXT_PRODUCT_NAME).c_str(), MB_OK | MB_ICONERROR);
}

void ShowWarningBox(HWND owner, const std::string& text) {
    MessageBoxW(owner, Wide(text).c_str(), Wide(KS_TEXT_PRODUCT_NAME).c_str(),
                MB_OK | MB_ICONWARNING);
}

bool RunMessageLoop(const std::function<bool()>& done, const std::function<void()>& onIdle,
                    HWND dialog) {
    MSG msg;
    while (!done()) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (onIdle) onIdle();
            if (done()) break;
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (dialog && IsDialogMessageW(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void RunModal(HWND window, HWND owner, const std::function<bool()>& done,
              const std::function<void()>& onIdle) {
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    RunMessageLoop(done, onIdle, window);
    // The owner comes back before the window goes, or the system would
    // activate some other program's window.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    ShowWindow(window, SW_HIDE);
    if (owner) SetActiveWindow(owner);
}

}  // namespace ks::ui
