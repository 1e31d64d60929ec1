#pragma once
// How a typed registry path is read: root part, rest, root names and their
// short forms, and the split of the rest into key path and value name.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>


namespace ks {

// One jump target: a long root name, the key path below it (empty for the
// root itself) and a value name (empty for the key alone, or for its
// default value).
struct ResolvedJump {
    std::string rootName;
    std::string keyPath;
    std::string valueName;
    // The key's default value: the list's first row (the value name is empty).
    bool defaultValue = false;
    bool operator==(const ResolvedJump&) const = default;
};

// The documented values of the predefined keys (HKEY_CLASSES_ROOT and the
// rest), as the registry calls take them.
using PredefinedKey = std::uint32_t;

struct RootName {
    std::string_view abbreviation;
    std::string_view longName;
    PredefinedKey rootKey;
};

// The one table of root names; every other list of them is derived from it.
// The rows stand in the order of the root switcher's items.
inline constexpr std::array<RootName, 5> RootNameTable{{
    {"HKCR", "HKEY_CLASSES_ROOT", 0x80000000u},
    {"HKCU", "HKEY_CURRENT_USER", 0x80000001u},
    {"HKLM", "HKEY_LOCAL_MACHINE", 0x80000002u},
    {"HKU", "HKEY_USERS", 0x80000003u},
    {"HKCC", "HKEY_CURRENT_CONFIG", 0x80000005u},
}};

struct RootSplit {
    std::string rootPart;
    std::string rest;
    bool operator==(const RootSplit&) const = default;
};

struct KeyValueSplit {
    std::string keyPath;
    std::string valueName;
    bool operator==(const KeyValueSplit&) const = default;
};

// True when the text, upper-cased, contains "HK" anywhere.
bool ContainsRootMarker(std::string_view text);

// Cuts at the first backslash; no backslash gives the whole text as root.
RootSplit SplitRootPart(std::string_view text);

// The long root name for an abbreviation in any case; otherwise the root
// part unchanged.
std::string ExpandRootAbbreviation(std::string_view rootPart);

// The predefined key of a long root name written exactly as in the table.
std::optional<PredefinedKey> PredefinedRootKey(std::string_view rootName);

// The last component of the rest as a value name, the part before its
// backslash as the key path: without a backslash the whole rest is the value
// name (of the root); after a trailing backslash there is no value name and
// the whole rest is the key path.
KeyValueSplit SplitValueName(std::string_view rest);

}  // namespace ks
