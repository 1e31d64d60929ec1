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

// The registry counts a name's length in bytes of UTF-16 in 16 bits: a
// longer name would be read as its length modulo 65536, a name with a zero
// byte as the bytes before the zero, each naming some other key or value.
// Such a name cannot name anything, and is not passed on.
bool PassableName(const std::string& name) {
    constexpr int kMostCharacters = 0x7FFF;
    if (name.find('\0') != std::string::npos) return false;
    if (name.size() <= static_cast<std::size_t>(kMostCharacters)) return true;
    if (name.size() > 2 * static_cast<std::size_t>(kMostCharacters)) return false;
    // Between the two, a double-byte code page decides.
    const int characters = MultiByteToWideChar(CP_ACP, 0, name.data(),
                                               static_cast<int>(name.size()), nullptr, 0);
    return characters > 0 && characters <= kMostCharacters;
}

}  // namespace

long Win32Registry::OpenKey(RegKey root, const std::string& subKey, std::uint32_t access,
                            RegKey& key) {
    if (!PassableName(subKey)) return ERROR_FILE_NOT_FOUND;
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(ToHkey(root), subKey.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(opened);
    return result;
}

long Win32Registry::QueryValue(RegKey key, const std::string& name) {
    if (!PassableName(name)) return ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    DWORD size = 0;
    return RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &type, nullptr, &size);
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace ks
