#include "jump/text_value.h"

#include "grammar/ascii.h"
#include "platform/registry.h"

namespace ks {

std::optional<std::string> ReadTextValue(Registry& registry, RegKey root, const char* keyPath,
                                         std::string_view name) {
    RegKey key = 0;
    if (registry.OpenKey(root, keyPath, KeyAccess::Read, key) != kErrorSuccess)
        return std::nullopt;
    std::optional<std::string> found;
    for (const auto& [valueName, data] : registry.TextValues(key))
        if (EqualsIgnoringAsciiCase(valueName, name)) found = data;
    registry.CloseKey(key);
    return found;
}

}  // namespace ks
