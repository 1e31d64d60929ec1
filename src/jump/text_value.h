#pragma once
// One text value of a registry key, read with the key opened and closed
// again; value names compare as the registry compares them.
#include <optional>
#include <string>
#include <string_view>

#include "platform/handles.h"

namespace ks {

class Registry;

// Nothing when the key cannot be opened for reading or has no such value.
std::optional<std::string> ReadTextValue(Registry& registry, RegKey root, const char* keyPath,
                                         std::string_view name);

}  // namespace ks
