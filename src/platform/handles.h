#pragma once
// Opaque handle values shared by the platform interfaces. On Windows they
// carry HKEY, HWND, HANDLE and HTREEITEM values; the simulation hands out its own.
#include <cstdint>

namespace ks {

using RegKey = std::uintptr_t;
using Window = std::uintptr_t;
using ProcessHandle = std::uintptr_t;
// An item of another program's tree control (HTREEITEM).
using TreeItem = std::uintptr_t;

}  // namespace ks
