#pragma once
// What can follow a path typed so far: recent jumps that begin with it, root
// names, then the subkeys and values of the deepest complete key in it, read
// in every notation the jump reads.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jump/key_listing.h"

namespace ks {

enum class SuggestionKind { Recent, RecentValue, Root, Key, Value };

// A path a jump landed on, and whether it names a value.
struct RecentPath {
    std::string path;
    bool value = false;
    bool operator==(const RecentPath&) const = default;
};

struct Suggestion {
    SuggestionKind kind = SuggestionKind::Key;
    std::string name;        // what the list shows
    std::string completion;  // the whole text once it is chosen
    bool operator==(const Suggestion&) const = default;
};

inline constexpr std::size_t kMostSuggestions = 50;

struct Suggestions {
    std::vector<Suggestion> entries;  // at most kMostSuggestions
    std::size_t more = 0;             // matches left out of the entries
    bool complete = true;             // false while names are still being read
};

// The suggestions for `text`; `recent` is the recent jumps, newest first.
// An empty text gets the recent jumps alone. A key that cannot be opened or
// read has no names to suggest.
Suggestions SuggestPaths(std::string_view text, const std::vector<RecentPath>& recent,
                         KeyListings& listings);

}  // namespace ks
