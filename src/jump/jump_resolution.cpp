#include "jump/jump_resolution.h"

#include <optional>
#include <string>
#include <utility>

#include "grammar/default_value.h"
#include "grammar/pasted_forms.h"
#include "grammar/path_grammar.h"
#include "grammar/path_notations.h"
#include "grammar/root_switcher.h"
#include "jump/counterparts.h"
#include "jump/editor_driver.h"
#include "jump/landing_check.h"
#include "platform/registry.h"

namespace ks {
namespace {

// A read-only view of one root with at most one key open at a time; the
// open key is closed on every path out.
class RegistryAccess {
public:
    RegistryAccess(Registry& registry, RegKey root) : registry_(registry), root_(root) {}
    ~RegistryAccess() { Close(); }
    RegistryAccess(const RegistryAccess&) = delete;
    RegistryAccess& operator=(const RegistryAccess&) = delete;

    // The registry's answer: kErrorSuccess when the key is now open, and
    // kErrorAccessDenied for a key that is there but may not be read here.
    long Open(std::string_view keyPath) {
        Close();
        RegKey key = 0;
        const long result =
            registry_.OpenKey(root_, RelativeToRoot(keyPath), KeyAccess::Read, key);
        if (result != kErrorSuccess) return result;
        openKey_ = key;
        isOpen_ = true;
        return result;
    }

    // A key whose security refuses this user is there all the same: the
    // editor lists it under its parent.
    bool KeyExists(std::string_view keyPath) {
        RegKey key = 0;
        const long result =
            registry_.OpenKey(root_, RelativeToRoot(keyPath), KeyAccess::TestExistence, key);
        if (result == kErrorSuccess) registry_.CloseKey(key);
        return result == kErrorSuccess || result == kErrorAccessDenied;
    }

    bool OpenKeyHasValue(const std::string& name) {
        return isOpen_ && registry_.QueryValue(openKey_, name) == kErrorSuccess;
    }

    void Close() {
        if (isOpen_) registry_.CloseKey(openKey_);
        isOpen_ = false;
    }

private:
    // Keys are opened from the root: one leading backslash is dropped.
    static std::string RelativeToRoot(std::string_view keyPath) {
        if (!keyPath.empty() && keyPath.front() == '\\') keyPath.remove_prefix(1);
        return std::string(keyPath);
    }

    Registry& registry_;
    RegKey root_;
    RegKey openKey_ = 0;
    bool isOpen_ = false;
};

// The deepest existing key on the way to `keyPath`, itself included: the
// root when none below it exists. Looked for from the root down, so that a
// path of a million components costs one look more than the keys that exist.
std::string DeepestExistingKey(RegistryAccess& access, std::string_view keyPath) {
    std::size_t reached = 0;  // length of the longest prefix that exists
    std::size_t end = 0;
    while (end < keyPath.size()) {
        end = keyPath.find('\\', end + 1);
        if (end == std::string_view::npos) end = keyPath.size();
        const std::string_view prefix = keyPath.substr(0, end);
        if (prefix.find_first_not_of('\\') == std::string_view::npos) continue;
        if (!access.KeyExists(prefix)) break;
        reached = end;
    }
    return std::string(keyPath.substr(0, reached));
}

// What one reading of the text names in the registry: the target, or what
// was looked for and the deepest key of its path that exists.
struct ReadingResult {
    std::optional<ResolvedJump> target;
    ResolvedJump lookedFor;
    ResolvedJump nearest;
    // The path names the key's default value, which is not set: the target
    // is the key.
    bool defaultNotSet = false;
};

ReadingResult Miss(ResolvedJump lookedFor, std::string nearestKey) {
    ResolvedJump nearest{lookedFor.rootName, std::move(nearestKey), ""};
    return {std::nullopt, std::move(lookedFor), std::move(nearest)};
}

ResolvedJump DefaultValueOf(ResolvedJump named) {
    named.valueName.clear();
    named.defaultValue = true;
    return named;
}

// In a key that exists, the value must be there; a key that cannot be read
// is taken without the value being checked. The editor's word for the
// default value names it, unless the key holds a value of that very name.
ReadingResult ResolveValueOfExistingKey(RegistryAccess& access, ResolvedJump named) {
    const bool defaultWord = IsDefaultValueWord(named.valueName);
    if (access.Open(named.keyPath) != kErrorSuccess)
        return {defaultWord ? DefaultValueOf(std::move(named)) : std::move(named), {}, {}};
    if (access.OpenKeyHasValue(named.valueName)) return {std::move(named), {}, {}};
    if (defaultWord) {
        const bool set = access.OpenKeyHasValue("");
        ResolvedJump key{named.rootName, named.keyPath, "", set};
        return {std::move(key), {}, {}, !set};
    }
    std::string nearest = named.keyPath;
    return Miss(std::move(named), std::move(nearest));
}

// reg.exe's "/ve": the key's default value, which must be set.
ReadingResult ResolveDefaultValue(RegistryAccess& access, const PathReading& reading) {
    if (!access.KeyExists(reading.rest)) {
        std::string nearest = DeepestExistingKey(access, reading.rest);
        return Miss({reading.rootName, reading.rest, "", true}, std::move(nearest));
    }
    if (access.Open(reading.rest) != kErrorSuccess)
        return {ResolvedJump{reading.rootName, reading.rest, "", true}, {}, {}};
    const bool set = access.OpenKeyHasValue("");
    return {ResolvedJump{reading.rootName, reading.rest, "", set}, {}, {}, !set};
}

ReadingResult Resolve(Registry& registry, const PathReading& reading) {
    // The reader gives only the table's root names.
    RegistryAccess access(registry, PredefinedRootKey(reading.rootName).value_or(0));
    if (reading.defaultValue) return ResolveDefaultValue(access, reading);
    if (reading.valueName) {
        ResolvedJump named{reading.rootName, reading.rest, *reading.valueName};
        if (!access.KeyExists(named.keyPath)) {
            std::string nearest = DeepestExistingKey(access, named.keyPath);
            return Miss(std::move(named), std::move(nearest));
        }
        return ResolveValueOfExistingKey(access, std::move(named));
    }
    if (const long opened = access.Open(reading.rest);
        opened == kErrorSuccess || opened == kErrorAccessDenied)
        return {ResolvedJump{reading.rootName, reading.rest, ""}, {}, {}};
    KeyValueSplit candidate = SplitValueName(reading.rest);
    if (!access.KeyExists(candidate.keyPath)) {
        // Nothing of the whole path is a key: what is missing is the key.
        std::string nearest = DeepestExistingKey(access, candidate.keyPath);
        return Miss({reading.rootName, reading.rest, ""}, std::move(nearest));
    }
    ReadingResult found = ResolveValueOfExistingKey(
        access, {reading.rootName, std::move(candidate.keyPath), std::move(candidate.valueName)});
    // Neither a key nor a value of that name: what was looked for is the path.
    if (!found.target) found.lookedFor = {reading.rootName, reading.rest, ""};
    return found;
}

std::size_t Depth(const ResolvedJump& key) {
    return TreeComponents(key).size();
}

}  // namespace

std::optional<ResolvedJump> ResolveRegistryPath(Registry& registry, std::string_view text) {
    std::optional<ResolvedJump> firstLookedFor;
    for (const PathReading& reading : ReadPathNotations(text)) {
        ReadingResult result = Resolve(registry, reading);
        if (result.target) return std::move(*result.target);
        if (!firstLookedFor) firstLookedFor = std::move(result.lookedFor);
    }
    return firstLookedFor;
}

JumpOutcome JumpToRegistryPath(const JumpPlatform& platform, std::string_view text) {
    // The readings are tried in their order; the first that names a key or
    // value is the target. Of those that name nothing, the one whose path
    // exists furthest down is offered.
    std::optional<JumpOutcome> miss;
    const std::vector<PathReading> readings = ReadPathNotations(text);
    if (readings.empty()) {
        // This computer's registry is the only one there is to jump into.
        if (std::optional<std::string> computer = RemoteComputerOf(text)) {
            JumpOutcome remote{JumpResult::OnAnotherComputer};
            remote.computer = std::move(*computer);
            remote.text = TrimClipboardText(text);
            return remote;
        }
    }
    for (const PathReading& reading : readings) {
        ReadingResult result = Resolve(platform.registry, reading);
        if (result.target) {
            JumpResult driven = DriveRegistryEditor(platform, *result.target);
            if (result.defaultNotSet && HasLanded(driven)) driven = JumpResult::DefaultValueNotSet;
            return {driven, std::move(*result.target), std::nullopt};
        }
        if (!miss || Depth(result.nearest) > Depth(*miss->nearest))
            miss = JumpOutcome{JumpResult::NotFound, std::move(result.lookedFor),
                               std::move(result.nearest)};
    }
    if (!miss) {
        JumpOutcome nothing;
        nothing.text = std::string(text);
        return nothing;
    }
    miss->text = std::string(text);
    miss->counterparts = FindCounterparts(platform.registry, platform.processes, miss->target);
    return std::move(*miss);
}

}  // namespace ks
