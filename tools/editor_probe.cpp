// editor-probe: prints where the running Registry Editor stands: the key its
// status bar shows and the selected item of its value list.
#include <windows.h>

#include <cstdio>
#include <string>

#include "jump/editor_driver.h"
#include "platform/win32/win32_window_system.h"

int main() {
    ks::Win32WindowSystem windows;
    const ks::Window editor = windows.FindTopWindow(ks::kEditorWindowClass);
    if (!editor) {
        std::puts("editor: not running");
        return 1;
    }
    HWND status = FindWindowExA(reinterpret_cast<HWND>(editor), nullptr, "msctls_statusbar32",
                                nullptr);
    char text[1024] = {};
    DWORD_PTR ignored = 0;
    if (status)
        SendMessageTimeoutA(status, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 5000, &ignored);
    std::printf("key: %s\n", text);

    std::string value;
    if (const ks::Window list = ks::FindListView(windows, editor)) {
        const auto selected = windows.ListSelectedItem(list);
        if (selected && *selected >= 0) value = windows.ListItemText(list, *selected).value_or("");
    }
    std::printf("value: %s\n", value.c_str());
    return 0;
}
