#include "jump/jump_resolution.h"

#include <optional>
#include <string>

#include "grammar/path_grammar.h"
#include "jump/editor_driver.h"
#include "platform/registry.h"
#include "platform/window_system.h"
#include "texts.h"

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

void ShowNotFound(WindowSystem& windows) {
    windows.ShowMessageBox(KS_TEXT_NOT_FOUND, KS_TEXT_PRODUCT_NAME, kNotFoundBoxFlags);
}

}  // namespace

void JumpToRegistryPath(const JumpPlatform& platform, std::string_view text) {
    if (!ContainsRootMarker(text)) {
        ShowNotFound(platform.windows);
        return;
    }
    const RootSplit split = SplitRootPart(text);
    const std::string rootName = ExpandRootAbbreviation(split.rootPart);
    const std::optional<RegKey> root = PredefinedRootKey(rootName);
    if (!root) {
        ShowNotFound(platform.windows);
        return;
    }

    ResolvedJump target;
    {
        RegistryAccess access(platform.registry, *root);
        if (access.Open(split.rest)) {
            target = {rootName, split.rest, ""};
        } else {
            access.Close();
            KeyValueSplit candidate = SplitValueName(split.rest);
            if (!access.KeyExists(candidate.keyPath)) {
                ShowNotFound(platform.windows);
                return;
            }
            // A key that exists but cannot be read is jumped to without the
            // value being checked.
            if (access.Open(candidate.keyPath) && !access.OpenKeyHasValue(candidate.valueName)) {
                ShowNotFound(platform.windows);
                return;
            }
            target = {rootName, std::move(candidate.keyPath), std::move(candidate.valueName)};
        }
    }
    DriveRegistryEditor({platform.windows, platform.processes}, target);
}

}  // namespace ks
