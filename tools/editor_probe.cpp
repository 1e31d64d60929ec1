// editor-probe: prints where the running Registry Editor stands: the key its
// status bar shows and the selected item of its value list.
#include <windows.h>

#include <cstdio>
#include <string>

#include "jump/editor_controls.h"
#include "jump/editor_driver.h"
#include "platform/win32/win32_window_system.h"
#include "platform/win32/window_text.h"

int main() {
    ks::Win32WindowSystem windows;
    const ks::Window editor = windows.FindTopWindow(ks::kEditorWindowClass);
    if (!editor) {
        std::puts("editor: not running");
        return 1;
    }
    HWND status = FindWindowExA(reinterpret_cast<HWND>(editor), nullptr, "msctls_statusbar32",
                                nullptr);
    std::printf("key: %s\n", status ? ks::WindowText(status).c_str() : "");

    std::string value;
    if (const ks::Window list = ks::FindListView(windows, editor)) {
        ks::ListControl values(windows, list);
        const auto selected = values.Selected();
        if (selected && *selected >= 0) value = values.Text(*selected).value_or("");
    }
    std::printf("value: %s\n", value.c_str());
    return 0;
}
