#include "platform/win32/system_library.h"

#include <string>

namespace ks {

LibraryModule LoadSystemLibrary(const wchar_t* name) noexcept {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return LibraryModule();
    try {
        const std::wstring path = std::wstring(folder, length) + L"\\" + name;
        return LibraryModule(LoadLibraryW(path.c_str()));
    } catch (...) {
        return LibraryModule();
    }
}

}  // namespace ks
