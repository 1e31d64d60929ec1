#include "ui/rules/shell_registration.h"

#include <optional>

#include "grammar/ascii.h"
#include "grammar/path_grammar.h"
#include "jump/text_value.h"
#include "platform/registry.h"

namespace ks {
namespace {

constexpr char kProtocolName[] = "URL:Keystride link";
constexpr char kProtocolMarker[] = "URL Protocol";
// The keys the protocol's command stands in, innermost first.
constexpr const char* kProtocolKeys[] = {kProtocolCommandKey,
                                         "Software\\Classes\\keystride\\shell\\open",
                                         "Software\\Classes\\keystride\\shell", kProtocolKey};

RegKey User() { return PredefinedRootKey("HKEY_CURRENT_USER").value_or(0); }

std::optional<std::string> TextValue(Registry& registry, const char* keyPath, std::string_view name) {
    return ReadTextValue(registry, User(), keyPath, name);
}

bool Empty(Registry& registry, const char* keyPath) {
    RegKey key = 0;
    if (registry.OpenKey(User(), keyPath, KeyAccess::Read, key) != kErrorSuccess) return false;
    std::uint32_t values = 0;
    std::string name;
    const bool empty = registry.ValueCount(key, values) == kErrorSuccess && values == 0 &&
                       registry.SubkeyName(key, 0, name) == kErrorNoMoreItems;
    registry.CloseKey(key);
    return empty;
}

std::string Quoted(std::string_view program) { return "\"" + std::string(program) + "\""; }

}  // namespace

std::string StartWithWindowsCommand(std::string_view program) {
    return Quoted(program) + " --tray";
}

std::string LinkCommand(std::string_view program) { return Quoted(program) + " \"%1\""; }

bool StartsWithWindows(Registry& registry, std::string_view program) {
    const std::optional<std::string> command = TextValue(registry, kRunKey, kRunValue);
    return command && EqualsIgnoringAsciiCase(*command, StartWithWindowsCommand(program));
}

bool SetStartWithWindows(Registry& registry, std::string_view program, bool on) {
    if (on)
        return registry.SetTextValue(User(), kRunKey, kRunValue, StartWithWindowsCommand(program)) ==
               kErrorSuccess;
    // Another copy's start is not this one's to take away.
    if (!StartsWithWindows(registry, program)) return true;
    return registry.DeleteValue(User(), kRunKey, kRunValue) == kErrorSuccess;
}

bool OpensLinks(Registry& registry, std::string_view program) {
    const std::optional<std::string> command = TextValue(registry, kProtocolCommandKey, "");
    return command && EqualsIgnoringAsciiCase(*command, LinkCommand(program)) &&
           TextValue(registry, kProtocolKey, kProtocolMarker);
}

bool SetOpensLinks(Registry& registry, std::string_view program, bool on) {
    if (on)
        return registry.SetTextValue(User(), kProtocolKey, "", kProtocolName) == kErrorSuccess &&
               registry.SetTextValue(User(), kProtocolKey, kProtocolMarker, "") == kErrorSuccess &&
               registry.SetTextValue(User(), kProtocolCommandKey, "", LinkCommand(program)) ==
                   kErrorSuccess;
    if (!OpensLinks(registry, program)) return true;
    // What was written goes; a key goes only when nothing else is left in it.
    bool removed = registry.DeleteValue(User(), kProtocolCommandKey, "") == kErrorSuccess;
    if (TextValue(registry, kProtocolKey, "") == std::optional<std::string>(kProtocolName))
        removed = registry.DeleteValue(User(), kProtocolKey, "") == kErrorSuccess && removed;
    removed = registry.DeleteValue(User(), kProtocolKey, kProtocolMarker) == kErrorSuccess && removed;
    for (const char* keyPath : kProtocolKeys)
        if (Empty(registry, keyPath)) removed = registry.DeleteKey(User(), keyPath) == kErrorSuccess && removed;
    return removed;
}

}  // namespace ks
