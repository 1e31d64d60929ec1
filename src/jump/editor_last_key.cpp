#include "jump/editor_last_key.h"

#include <algorithm>

#include "grammar/ascii.h"
#include "jump/landing_check.h"
#include "jump/text_value.h"
#include "platform/registry.h"

namespace ks {
namespace {

bool IsLongRootName(std::string_view name) {
    for (const RootName& row : RootNameTable)
        if (EqualsIgnoringAsciiCase(name, row.longName)) return true;
    return false;
}

// What the editor puts before the root name, as `present` shows it; nothing
// when `present` does not show it.
std::optional<std::string> PrefixIn(std::string_view present, bool underWine) {
    std::size_t start = 0;
    while (start <= present.size()) {
        const std::size_t end = std::min(present.find('\\', start), present.size());
        if (IsLongRootName(present.substr(start, end - start)))
            return std::string(present.substr(0, start));
        if (end == present.size()) break;
        start = end + 1;
    }
    // The tree's top item alone (the editor closed there) names itself.
    if (!underWine && !present.empty() && present.find('\\') == std::string_view::npos)
        return std::string(present) + '\\';
    return std::nullopt;
}

std::optional<std::string> PresentValue(Registry& registry, RegKey user) {
    return ReadTextValue(registry, user, kEditorSettingsKey, kEditorLastKeyValue);
}

}  // namespace

std::string EditorLastKeyFor(const ResolvedJump& target, const std::optional<std::string>& present,
                             bool underWine) {
    std::optional<std::string> prefix = present ? PrefixIn(*present, underWine) : std::nullopt;
    std::string value = prefix ? *prefix : underWine ? "" : "Computer\\";
    const std::vector<std::string> components = TreeComponents(target);
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i) value += '\\';
        value += components[i];
    }
    return value;
}

bool RememberTargetInEditor(Registry& registry, const ResolvedJump& target, bool underWine) {
    const RegKey user = PredefinedRootKey("HKEY_CURRENT_USER").value_or(0);
    const std::string value =
        EditorLastKeyFor(target, PresentValue(registry, user), underWine);
    return registry.SetTextValue(user, kEditorSettingsKey, kEditorLastKeyValue, value) ==
           kErrorSuccess;
}

}  // namespace ks
