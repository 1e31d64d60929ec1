#include "jump/path_suggestions.h"

#include <optional>

#include "grammar/path_grammar.h"
#include "grammar/path_notations.h"
#include "grammar/registry_case.h"

namespace ks {
namespace {

// The text cut before its last component: `head` keeps the separator, which
// a completed key is given again ("\", "\\" in source code, "/" where the
// text has no backslash at all).
struct TypedPath {
    std::string_view head;
    std::string_view partial;
    std::string_view separator;
};

TypedPath Cut(std::string_view text) {
    std::size_t cut = text.rfind('\\');
    if (cut == std::string_view::npos) cut = text.rfind('/');
    if (cut == std::string_view::npos) return {{}, text, {}};
    const bool doubled = text[cut] == '\\' && cut > 0 && text[cut - 1] == '\\';
    const std::size_t separatorAt = doubled ? cut - 1 : cut;
    return {text.substr(0, cut + 1), text.substr(cut + 1),
            text.substr(separatorAt, cut + 1 - separatorAt)};
}

// A head without its separator, and without an opening quote or .reg
// bracket whose closing one is yet to be typed.
std::vector<std::string_view> ParentTexts(const TypedPath& typed) {
    std::string_view head = typed.head;
    head.remove_suffix(typed.separator.size());
    std::vector<std::string_view> texts{head};
    std::string_view opened = head;
    while (!opened.empty() && (opened.front() == '"' || opened.front() == '\'' ||
                               opened.front() == '[' || opened.front() == '-' ||
                               static_cast<unsigned char>(opened.front()) <= 0x20))
        opened.remove_prefix(1);
    if (opened.size() != head.size()) texts.push_back(opened);
    return texts;
}

struct ParentKey {
    RegKey root;
    std::string keyPath;
};

std::vector<ParentKey> ParentKeys(const TypedPath& typed) {
    std::vector<ParentKey> keys;
    for (std::string_view text : ParentTexts(typed))
        for (const PathReading& reading : ReadPathNotations(text)) {
            if (reading.valueName) continue;
            const std::optional<RegKey> root = PredefinedRootKey(reading.rootName);
            if (!root) continue;
            std::string_view keyPath = reading.rest;
            if (!keyPath.empty() && keyPath.front() == '\\') keyPath.remove_prefix(1);
            keys.push_back({*root, std::string(keyPath)});
        }
    return keys;
}

// The path a text names so far, as a recent jump would be written; nothing
// when no root can be read from it.
std::optional<std::string> ResolvedPrefix(std::string_view text) {
    const std::vector<PathReading> readings = ReadPathNotations(text);
    if (readings.empty() || readings.front().valueName) return std::nullopt;
    const PathReading& reading = readings.front();
    if (reading.rest.empty()) return reading.rootName;
    return reading.rootName + (reading.rest.front() == '\\' ? "" : "\\") + reading.rest;
}

class Collector {
public:
    void Add(SuggestionKind kind, std::string name, std::string completion) {
        if (result_.entries.size() < kMostSuggestions)
            result_.entries.push_back({kind, std::move(name), std::move(completion)});
        else
            ++result_.more;
    }
    Suggestions Take(bool complete) {
        result_.complete = complete;
        return std::move(result_);
    }

private:
    Suggestions result_;
};

void AddRecent(std::string_view text, const std::vector<RecentPath>& recent, Collector& out) {
    const std::string typed = FoldName(text);
    const std::optional<std::string> resolved = ResolvedPrefix(text);
    const std::string folded = resolved ? FoldName(*resolved) : std::string();
    for (const RecentPath& recentPath : recent) {
        const std::string& path = recentPath.path;
        if (StartsWithFolded(path, typed) || (resolved && StartsWithFolded(path, folded)))
            out.Add(recentPath.value ? SuggestionKind::RecentValue : SuggestionKind::Recent, path,
                    path);
    }
}

void AddRoots(const TypedPath& typed, Collector& out, KeyListings& listings) {
    const std::string partial = FoldName(typed.partial);
    for (const RootName& root : RootNameTable)
        for (std::string_view name : {root.longName, root.abbreviation}) {
            if (!StartsWithFolded(name, partial)) continue;
            // Only where the notation takes this form of the root name.
            const std::string candidate = std::string(typed.head) + std::string(name);
            const std::vector<PathReading> readings = ReadPathNotations(candidate);
            if (readings.empty() || !readings.front().rest.empty()) continue;
            out.Add(SuggestionKind::Root, std::string(name), candidate + "\\");
            // A root typed whole is read before its backslash comes.
            if (name.size() == partial.size()) listings.Prefetch(root.rootKey, {});
        }
}

}  // namespace

Suggestions SuggestPaths(std::string_view text, const std::vector<RecentPath>& recent,
                         KeyListings& listings) {
    Collector out;
    AddRecent(text, recent, out);
    if (text.empty()) return out.Take(true);

    const TypedPath typed = Cut(text);
    const std::vector<ParentKey> parents = ParentKeys(typed);
    if (parents.empty()) {
        AddRoots(typed, out, listings);
        return out.Take(true);
    }
    const std::string partial = FoldName(typed.partial);
    for (const ParentKey& parent : parents) {
        const KeyNames& names = listings.Names(parent.root, parent.keyPath);
        if (!names.readable) continue;
        const KeyNames::Name* onlyKey = nullptr;
        std::size_t keyMatches = 0;
        for (const KeyNames::Name& key : names.subkeys) {
            if (!key.folded.starts_with(partial)) continue;
            ++keyMatches;
            if (keyMatches == 1 || key.folded == partial) onlyKey = &key;
            out.Add(SuggestionKind::Key, key.name,
                    std::string(typed.head) + key.name + std::string(typed.separator));
        }
        for (const KeyNames::Name& value : names.values)
            if (value.folded.starts_with(partial))
                out.Add(SuggestionKind::Value, value.name, std::string(typed.head) + value.name);
        // The key the user is most likely to open next is read meanwhile.
        if (onlyKey && (keyMatches == 1 || onlyKey->folded == partial))
            listings.Prefetch(parent.root, parent.keyPath.empty()
                                               ? onlyKey->name
                                               : parent.keyPath + "\\" + onlyKey->name);
        return out.Take(names.complete);
    }
    return out.Take(true);
}

}  // namespace ks
