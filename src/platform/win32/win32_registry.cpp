#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <iterator>
#include <optional>

#include "platform/win32/wide_strings.h"

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
// character as the characters before it, each naming some other key or
// value. Such a name cannot name anything, and is not passed on.
std::optional<std::wstring> PassableName(const std::string& name) {
    constexpr std::size_t kMostCharacters = 0x7FFF;
    if (name.find('\0') != std::string::npos) return std::nullopt;
    std::wstring wide = Wide(name);
    if (wide.size() > kMostCharacters) return std::nullopt;
    return wide;
}

// The 64-bit view throughout: it is the one the Registry Editor shows, and
// the flag is a no-op where there is no other (a 64-bit process, 32-bit
// Windows).
REGSAM RightsFor(KeyAccess access) {
    if (access == KeyAccess::Read) return KEY_READ | KEY_WOW64_64KEY;
    return READ_CONTROL | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_WOW64_64KEY;
}

}  // namespace

long Win32Registry::OpenKey(RegKey root, const std::string& subKey, KeyAccess access,
                            RegKey& key) {
    const std::optional<std::wstring> wide = PassableName(subKey);
    if (!wide) return ERROR_FILE_NOT_FOUND;
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExW(ToHkey(root), wide->c_str(), 0, RightsFor(access), &opened);
    if (result == ERROR_SUCCESS) key = reinterpret_cast<RegKey>(opened);
    return result;
}

long Win32Registry::QueryValue(RegKey key, const std::string& name) {
    const std::optional<std::wstring> wide = PassableName(name);
    if (!wide) return ERROR_FILE_NOT_FOUND;
    DWORD type = 0;
    DWORD size = 0;
    return RegQueryValueExW(ToHkey(key), wide->c_str(), nullptr, &type, nullptr, &size);
}

long Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::ValueCount(RegKey key, std::uint32_t& values) {
    DWORD count = 0;
    const LONG result = RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, &count, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) values = count;
    return result;
}

long Win32Registry::DeleteValue(RegKey root, const std::string& keyPath, const std::string& name) {
    const std::optional<std::wstring> key = PassableName(keyPath);
    const std::optional<std::wstring> value = PassableName(name);
    if (!key || !value) return ERROR_FILE_NOT_FOUND;
    HKEY opened = nullptr;
    LONG result =
        RegOpenKeyExW(ToHkey(root), key->c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &opened);
    if (result != ERROR_SUCCESS) return result;
    result = RegDeleteValueW(opened, value->c_str());
    RegCloseKey(opened);
    return result;
}

long Win32Registry::DeleteKey(RegKey root, const std::string& keyPath) {
    const std::optional<std::wstring> key = PassableName(keyPath);
    if (!key || key->empty()) return ERROR_FILE_NOT_FOUND;
    return RegDeleteKeyExW(ToHkey(root), key->c_str(), KEY_WOW64_64KEY, 0);
}

long Win32Registry::NumberValue(RegKey key, const std::string& name, std::uint32_t& number) {
    const std::optional<std::wstring> wide = PassableName(name);
    if (!wide) return ERROR_FILE_NOT_FOUND;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LONG result =
        RegGetValueW(ToHkey(key), nullptr, wide->c_str(), RRF_RT_REG_DWORD, nullptr, &data, &size);
    if (result == ERROR_SUCCESS) number = data;
    return result;
}

long Win32Registry::SetTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                                 const std::string& data) {
    const std::optional<std::wstring> key = PassableName(keyPath);
    const std::optional<std::wstring> value = PassableName(name);
    const std::optional<std::wstring> text = PassableName(data);
    if (!key || !value || !text) return ERROR_INVALID_PARAMETER;
    // The key is opened in the 64-bit view like every other.
    HKEY opened = nullptr;
    LONG result = RegCreateKeyExW(ToHkey(root), key->c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &opened, nullptr);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExW(opened, value->c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text->c_str()),
                            static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    return result;
}

std::vector<std::pair<std::string, std::string>> Win32Registry::TextValues(RegKey key) {
    std::vector<std::pair<std::string, std::string>> values;
    DWORD count = 0, longestName = 0, largestData = 0;
    if (RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &largestData, nullptr, nullptr) != ERROR_SUCCESS)
        return values;
    std::wstring name(longestName + 1, L'\0');
    std::vector<wchar_t> data(largestData / sizeof(wchar_t) + 1);
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD dataBytes = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
        if (RegEnumValueW(ToHkey(key), index, name.data(), &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &dataBytes) != ERROR_SUCCESS)
            continue;  // changed since it was counted: passed over
        if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
        // The data need not end in a zero: it ends where its bytes do, or at
        // its first zero.
        std::size_t units = dataBytes / sizeof(wchar_t);
        for (std::size_t i = 0; i < units; ++i)
            if (data[i] == L'\0') units = i;
        values.emplace_back(
            Narrow(std::wstring_view(name.data(), nameLength)),
            Narrow(std::wstring_view(data.data(), units)));
    }
    return values;
}

// Key and value names are at most 16,383 and 32,767 UTF-16 units long.
long Win32Registry::SubkeyName(RegKey key, std::uint32_t index, std::string& name) {
    wchar_t buffer[16384];
    DWORD length = static_cast<DWORD>(std::size(buffer));
    const LONG result =
        RegEnumKeyExW(ToHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) name = Narrow(std::wstring_view(buffer, length));
    return result;
}

long Win32Registry::ValueName(RegKey key, std::uint32_t index, std::string& name) {
    // Most names are short: a long one is read again into room for any.
    wchar_t shortName[256];
    DWORD length = static_cast<DWORD>(std::size(shortName));
    LONG result = RegEnumValueW(ToHkey(key), index, shortName, &length, nullptr, nullptr, nullptr,
                                nullptr);
    if (result == ERROR_SUCCESS) name = Narrow(std::wstring_view(shortName, length));
    if (result != ERROR_MORE_DATA) return result;
    std::wstring longName(32768, L'\0');
    length = static_cast<DWORD>(longName.size());
    result = RegEnumValueW(ToHkey(key), index, longName.data(), &length, nullptr, nullptr, nullptr,
                           nullptr);
    if (result == ERROR_SUCCESS) name = Narrow(std::wstring_view(longName.data(), length));
    return result;
}

}  // namespace ks
