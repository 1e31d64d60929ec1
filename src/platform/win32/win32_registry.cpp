#include "platform/win32/win32_registry.h"

#include <windows.h>

namespace ks {
namespace {

// The predefined keys are 32-bit values that the system sign-extends in a
// 64-bit process (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 there).
HKEY ToHkey(RegKey key) {
    if (key >= 0x80000000u && key <= 0x800000FFu)
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
    return reinterpret_cast<HKEY>(key);
}

}  // namespace

long Win32Registry::OpenKey(RegKey root, const std::string& subKey, std::uint32_t access,
                            RegKey& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(ToHkey(root), subKey.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(opened);
    return result;
}

long Win32Registry::QueryValue(RegKey key, const std::string& name) {
    DWORD type = 0;
    DWORD size = 0;
    return RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &type, nullptr, &size);
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace ks
