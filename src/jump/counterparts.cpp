#include "jump/counterparts.h"

#include <cstdio>
#include <string_view>

#include "grammar/ascii.h"
#include "grammar/registry_view.h"
#include "jump/jump_messages.h"
#include "platform/process_control.h"
#include "platform/registry.h"
#include "texts.h"

namespace ks {
namespace {

constexpr std::string_view kUser = "HKEY_CURRENT_USER";
constexpr std::string_view kMachine = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kClasses = "HKEY_CLASSES_ROOT";
constexpr std::string_view kUsers = "HKEY_USERS";

// A key path taken apart at its backslashes, empty components left out.
struct Parts {
    std::vector<std::string> names;

    explicit Parts(std::string_view path) {
        while (!path.empty()) {
            const std::size_t cut = path.find('\\');
            if (cut != 0) names.emplace_back(path.substr(0, cut));
            if (cut == std::string_view::npos) break;
            path.remove_prefix(cut + 1);
        }
    }
    // Whether the path begins with these components, letter case ignored.
    bool StartsWith(std::initializer_list<std::string_view> prefix) const {
        if (names.size() < prefix.size()) return false;
        std::size_t i = 0;
        for (std::string_view name : prefix)
            if (!EqualsIgnoringAsciiCase(names[i++], name)) return false;
        return true;
    }
    // The path from component `from` on, after `head`.
    std::string After(std::size_t from, std::string_view head = {}) const {
        std::string path(head);
        for (std::size_t i = from; i < names.size(); ++i) {
            if (!path.empty()) path += '\\';
            path += names[i];
        }
        return path;
    }
};

bool IsControlSetNumber(std::string_view name) {
    constexpr std::string_view kPrefix = "ControlSet";
    if (name.size() != kPrefix.size() + 3 ||
        !EqualsIgnoringAsciiCase(name.substr(0, kPrefix.size()), kPrefix))
        return false;
    for (char c : name.substr(kPrefix.size()))
        if (c < '0' || c > '9') return false;
    return true;
}

bool LooksLikeSid(std::string_view name) {
    return name.size() > 4 && (name[0] == 'S' || name[0] == 's') && name[1] == '-';
}

class Collector {
public:
    Collector(const ResolvedJump& path) : path_(path) {}

    void Add(const char* place, std::string_view root, std::string keyPath) {
        ResolvedJump target{std::string(root), std::move(keyPath), path_.valueName,
                            path_.defaultValue};
        if (Same(target, path_)) return;
        for (const Counterpart& known : found_)
            if (Same(known.target, target)) return;
        found_.push_back({place, std::move(target)});
    }
    std::vector<Counterpart> Take() { return std::move(found_); }

private:
    static bool Same(const ResolvedJump& a, const ResolvedJump& b) {
        return a.rootName == b.rootName && EqualsIgnoringAsciiCase(Parts(a.keyPath).After(0),
                                                                   Parts(b.keyPath).After(0));
    }
    const ResolvedJump& path_;
    std::vector<Counterpart> found_;
};

void AddOtherView(const ResolvedJump& path, const Parts&, Collector& out) {
    const std::optional<std::string> other = KeyPathInOtherView(path.rootName, path.keyPath);
    if (!other) return;
    out.Add(IsIn32BitView(path.rootName, path.keyPath) ? KS_TEXT_PLACE_64_BIT : KS_TEXT_PLACE_32_BIT,
            path.rootName, *other);
}

void AddOtherHive(const ResolvedJump& path, const Parts& parts, Collector& out) {
    if (path.rootName == kUser && parts.StartsWith({"Software"}))
        out.Add(KS_TEXT_PLACE_ALL_USERS, kMachine, parts.After(1, "SOFTWARE"));
    if (path.rootName == kMachine && parts.StartsWith({"SOFTWARE"}))
        out.Add(KS_TEXT_PLACE_THIS_USER, kUser, parts.After(1, "Software"));
}

void AddClassSources(const ResolvedJump& path, const Parts& parts, Collector& out) {
    const bool user = path.rootName == kUser && parts.StartsWith({"Software", "Classes"});
    const bool machine = path.rootName == kMachine && parts.StartsWith({"SOFTWARE", "Classes"});
    if (path.rootName == kClasses) {
        out.Add(KS_TEXT_PLACE_USER_CLASSES, kUser, parts.After(0, "Software\\Classes"));
        out.Add(KS_TEXT_PLACE_MACHINE_CLASSES, kMachine, parts.After(0, "SOFTWARE\\Classes"));
    } else if (user || machine) {
        out.Add(KS_TEXT_PLACE_MERGED_CLASSES, kClasses, parts.After(2));
        if (user)
            out.Add(KS_TEXT_PLACE_MACHINE_CLASSES, kMachine, parts.After(2, "SOFTWARE\\Classes"));
        else
            out.Add(KS_TEXT_PLACE_USER_CLASSES, kUser, parts.After(2, "Software\\Classes"));
    }
}

void AddControlSet(const ResolvedJump& path, const Parts& parts, const CounterpartFacts& facts,
                   Collector& out) {
    if (path.rootName != kMachine || !parts.StartsWith({"SYSTEM"}) || parts.names.size() < 2)
        return;
    if (EqualsIgnoringAsciiCase(parts.names[1], "CurrentControlSet") && facts.currentControlSet) {
        char numbered[32];
        std::snprintf(numbered, sizeof numbered, "SYSTEM\\ControlSet%03u",
                      static_cast<unsigned>(*facts.currentControlSet % 1000));
        out.Add(KS_TEXT_PLACE_NUMBERED_SET, kMachine, parts.After(2, numbered));
    } else if (IsControlSetNumber(parts.names[1])) {
        out.Add(KS_TEXT_PLACE_CONTROL_SET, kMachine, parts.After(2, "SYSTEM\\CurrentControlSet"));
    }
}

void AddUserHive(const ResolvedJump& path, const Parts& parts, const CounterpartFacts& facts,
                 Collector& out) {
    if (path.rootName == kUsers && !parts.names.empty() && LooksLikeSid(parts.names[0])) {
        constexpr std::string_view kClassesSuffix = "_Classes";
        const std::string& hive = parts.names[0];
        const bool classes = hive.size() > kClassesSuffix.size() &&
                             EqualsIgnoringAsciiCase(
                                 std::string_view(hive).substr(hive.size() - kClassesSuffix.size()),
                                 kClassesSuffix);
        out.Add(KS_TEXT_PLACE_USER_HIVE, kUser,
                classes ? parts.After(1, "Software\\Classes") : parts.After(1));
    }
    if (path.rootName == kUser && !facts.userSid.empty()) {
        if (parts.StartsWith({"Software", "Classes"}))
            out.Add(KS_TEXT_PLACE_USERS_HIVE, kUsers, parts.After(2, facts.userSid + "_Classes"));
        out.Add(KS_TEXT_PLACE_USERS_HIVE, kUsers, parts.After(0, facts.userSid));
    }
}

void AddVirtualStore(const ResolvedJump& path, const Parts& parts, Collector& out) {
    if (path.rootName == kMachine && parts.StartsWith({"SOFTWARE"}))
        out.Add(KS_TEXT_PLACE_VIRTUAL_STORE, kUser,
                parts.After(1, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE"));
    if (path.rootName == kUser &&
        parts.StartsWith({"Software", "Classes", "VirtualStore", "MACHINE", "SOFTWARE"}))
        out.Add(KS_TEXT_PLACE_BEHIND_STORE, kMachine, parts.After(5, "SOFTWARE"));
}

// The key, and the value when one is named, are there. A key that refuses
// this user has values nobody here can check: it counts only for a key.
bool Exists(Registry& registry, const ResolvedJump& target) {
    const std::optional<RegKey> root = PredefinedRootKey(target.rootName);
    if (!root) return false;
    RegKey key = 0;
    const long opened = registry.OpenKey(*root, target.keyPath, KeyAccess::Read, key);
    const bool keyAlone = target.valueName.empty() && !target.defaultValue;
    if (opened != kErrorSuccess) return keyAlone && opened == kErrorAccessDenied;
    const bool exists = keyAlone || registry.QueryValue(key, target.valueName) == kErrorSuccess;
    registry.CloseKey(key);
    return exists;
}

}  // namespace

std::vector<Counterpart> CounterpartCandidates(const ResolvedJump& path,
                                               const CounterpartFacts& facts) {
    const Parts parts(path.keyPath);
    Collector out(path);
    AddOtherView(path, parts, out);
    AddOtherHive(path, parts, out);
    AddClassSources(path, parts, out);
    AddControlSet(path, parts, facts, out);
    AddUserHive(path, parts, facts, out);
    AddVirtualStore(path, parts, out);
    return out.Take();
}

CounterpartFacts ReadCounterpartFacts(Registry& registry, ProcessControl& processes) {
    CounterpartFacts facts;
    facts.userSid = processes.UserSid();
    RegKey select = 0;
    if (registry.OpenKey(PredefinedRootKey(kMachine).value_or(0), "SYSTEM\\Select",
                         KeyAccess::Read, select) == kErrorSuccess) {
        std::uint32_t current = 0;
        if (registry.NumberValue(select, "Current", current) == kErrorSuccess)
            facts.currentControlSet = current;
        registry.CloseKey(select);
    }
    return facts;
}

// A path that names no key there may name a value: its last component, as
// the jump reads a path.
std::optional<ResolvedJump> AsKeyAndValue(const ResolvedJump& target) {
    if (!target.valueName.empty() || target.defaultValue) return std::nullopt;
    const std::size_t cut = target.keyPath.rfind('\\');
    if (cut == std::string::npos || cut + 1 == target.keyPath.size()) return std::nullopt;
    return ResolvedJump{target.rootName, target.keyPath.substr(0, cut),
                        target.keyPath.substr(cut + 1)};
}

std::vector<Counterpart> FindCounterparts(Registry& registry, ProcessControl& processes,
                                          const ResolvedJump& path) {
    // Read as the jump reads it: the whole path a key, or else its last
    // component a value.
    ResolvedJump whole = path;
    if (!whole.valueName.empty()) {
        whole.keyPath += (whole.keyPath.empty() ? "" : "\\") + whole.valueName;
        whole.valueName.clear();
    }
    std::vector<Counterpart> found;
    for (Counterpart& candidate :
         CounterpartCandidates(whole, ReadCounterpartFacts(registry, processes))) {
        if (!Exists(registry, candidate.target)) {
            std::optional<ResolvedJump> value = AsKeyAndValue(candidate.target);
            if (!value || !Exists(registry, *value)) continue;
            candidate.target = std::move(*value);
        }
        found.push_back(std::move(candidate));
    }
    return found;
}

std::string CounterpartLine(const Counterpart& counterpart) {
    return counterpart.place + ": " + DisplayPath(counterpart.target);
}

}  // namespace ks
