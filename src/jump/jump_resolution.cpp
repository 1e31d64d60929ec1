#include "jump/jump_resolution.h"

#include <optional>
#include <string>
#include <utility>

#include "grammar/path_grammar.h"
#include "jump/editor_driver.h"
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

    bool Open(std::string_view keyPath) {
        Close();
        RegKey key = 0;
        if (registry_.OpenKey(root_, RelativeToRoot(keyPath), kJumpAccessMask, key) != kErrorSuccess)
            return false;
        openKey_ = key;
        isOpen_ = true;
        return true;
    }

    bool KeyExists(std::string_view keyPath) {
        RegKey key = 0;
        if (registry_.OpenKey(root_, RelativeToRoot(keyPath), kExistenceTestMask, key) !=
            kErrorSuccess)
            return false;
        registry_.CloseKey(key);
        return true;
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
// root when none below it exists.
std::string DeepestExistingKey(RegistryAccess& access, std::string_view keyPath) {
    std::string_view candidate = keyPath;
    while (!candidate.empty()) {
        if (access.KeyExists(candidate)) return std::string(candidate);
        const std::size_t cut = candidate.rfind('\\');
        candidate = cut == std::string_view::npos ? std::string_view() : candidate.substr(0, cut);
    }
    return {};
}

JumpOutcome NotFound(ResolvedJump target, std::optional<ResolvedJump> nearest = std::nullopt) {
    return {JumpResult::NotFound, std::move(target), std::move(nearest)};
}

}  // namespace

JumpOutcome JumpToRegistryPath(const JumpPlatform& platform, std::string_view text) {
    if (!ContainsRootMarker(text)) return NotFound({});
    const RootSplit split = SplitRootPart(text);
    const std::string rootName = ExpandRootAbbreviation(split.rootPart);
    const std::optional<RegKey> root = PredefinedRootKey(rootName);
    if (!root) return NotFound({});

    ResolvedJump target;
    {
        RegistryAccess access(platform.registry, *root);
        if (access.Open(split.rest)) {
            target = {rootName, split.rest, ""};
        } else {
            access.Close();
            KeyValueSplit candidate = SplitValueName(split.rest);
            ResolvedJump named{rootName, candidate.keyPath, candidate.valueName};
            if (!access.KeyExists(candidate.keyPath)) {
                ResolvedJump nearest{rootName, DeepestExistingKey(access, candidate.keyPath), ""};
                return NotFound({rootName, split.rest, ""}, std::move(nearest));
            }
            // A key that exists but cannot be read is jumped to without the
            // value being checked.
            if (access.Open(candidate.keyPath) && !access.OpenKeyHasValue(candidate.valueName))
                return NotFound(std::move(named), ResolvedJump{rootName, candidate.keyPath, ""});
            target = std::move(named);
        }
    }
    const JumpResult result = DriveRegistryEditor({platform.windows, platform.processes}, target);
    return {result, std::move(target), std::nullopt};
}

}  // namespace ks
