#pragma once
// Registry access: the calls jump resolution relies on, the reading of one
// key's text values, and the names under a key for the suggestions while
// typing; all read-only but for the one value of the Registry Editor's own
// that a jump writes before it starts the editor.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/handles.h"

namespace ks {

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
// The key is there, but its security does not let this user open it.
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorNoMoreItems = 259;

// What a key is opened for. Every open is in the 64-bit view, which the
// Registry Editor shows on 64-bit Windows, also from the 32-bit build.
enum class KeyAccess {
    Read,           // its values and subkeys
    TestExistence,  // whether it is there (values queried, subkeys listed)
};

class Registry {
public:
    virtual ~Registry() = default;

    // RegOpenKeyExW(root, subKey, 0, rights, &key), the names in UTF-16 and
    // the rights those `access` needs. Returns the Win32 error code;
    // kErrorSuccess means `key` now holds an open key. A name the call
    // cannot take whole (32,768 UTF-16 characters or more, or holding a zero
    // character) names no key, here and in QueryValue.
    virtual long OpenKey(RegKey root, const std::string& subKey, KeyAccess access,
                         RegKey& key) = 0;

    // RegQueryValueExW(key, name, NULL, &type, NULL, &size): kErrorSuccess
    // when the value exists. An empty name asks for the default value.
    virtual long QueryValue(RegKey key, const std::string& name) = 0;

    virtual long CloseKey(RegKey key) = 0;

    // A REG_DWORD value of the open key (RegQueryValueExW).
    virtual long NumberValue(RegKey key, const std::string& name, std::uint32_t& number) = 0;

    // RegQueryInfoKeyW: how many values the open key holds, the default
    // value among them when it is set.
    virtual long ValueCount(RegKey key, std::uint32_t& values) = 0;

    // Sets a REG_SZ value, creating the key when it is missing
    // (RegCreateKeyExW, RegSetValueExW). The program writes the Registry
    // Editor's own remembered key before a jump starts the editor, and, at
    // the user's choice, its own start with Windows and its links.
    virtual long SetTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                              const std::string& data) = 0;
    // RegDeleteKeyValueW, and RegDeleteKeyExW (a key without subkeys), for
    // taking back what the user's choices wrote.
    virtual long DeleteValue(RegKey root, const std::string& keyPath, const std::string& name) = 0;
    virtual long DeleteKey(RegKey root, const std::string& keyPath) = 0;

    // The open key's text values (REG_SZ and REG_EXPAND_SZ, unexpanded), name
    // and data, in the order the registry enumerates them; others are passed
    // over. Empty when the key holds none or cannot be read.
    virtual std::vector<std::pair<std::string, std::string>> TextValues(RegKey key) = 0;

    // RegEnumKeyExW and RegEnumValueW on the open key: the name of its
    // subkey or value number `index`, in the registry's own order;
    // kErrorNoMoreItems after the last one.
    virtual long SubkeyName(RegKey key, std::uint32_t index, std::string& name) = 0;
    virtual long ValueName(RegKey key, std::uint32_t index, std::string& name) = 0;
};

}  // namespace ks
