#include "platform/win32/window_text.h"

#include "platform/win32/wide_strings.h"

namespace ks {

std::string WindowText(HWND window, UINT timeout) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeout, &length) ||
        length == 0)
        return {};
    std::wstring text(length + 1, L'\0');
    // The text may have shrunk meanwhile; only what was copied counts.
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, timeout, &copied))
        return {};
    text.resize(copied < length ? copied : length);
    return Narrow(text);
}

}  // namespace ks
