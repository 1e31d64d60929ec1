#include "ui/this_program.h"

#include <windows.h>

namespace ks::ui {

std::wstring ThisProgram() {
    // Paths may be longer than MAX_PATH: the buffer grows until it holds one.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace ks::ui
