#pragma once
// System libraries the program needs only for some commands, loaded from
// the system folder when first needed, so that start-up does without them.
#include <windows.h>

#include "platform/win32/owned_handle.h"

namespace ks {

struct FreeLibraryModule {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using LibraryModule = OwnedHandle<HMODULE, FreeLibraryModule>;

// The system folder's `name` (never one beside the program or in the
// current folder); empty when it cannot be loaded.
LibraryModule LoadSystemLibrary(const wchar_t* name) noexcept;

// A function of a loaded module, as its type; null when it has none.
template <typename Function>
Function ModuleFunction(HMODULE module, const char* name) noexcept {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

}  // namespace ks
