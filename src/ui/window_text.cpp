#include "ui/window_text.h"

#include "grammar/wide_text.h"

namespace ks::ui {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide text is UTF-16");

std::wstring Wide(std::string_view text) {
    const std::u16string units = ToUtf16(text);
    return std::wstring(reinterpret_cast<const wchar_t*>(units.data()), units.size());
}

std::string Narrow(std::wstring_view text) {
    return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

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
