#include "ui/window_text.h"

namespace ks::ui {

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    // The text may have shrunk meanwhile; only what was copied counts.
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return Narrow(text);
}

bool SetWindowTextTo(HWND window, std::string_view text) {
    return SetWindowTextW(window, Wide(text).c_str()) != FALSE;
}

}  // namespace ks::ui
