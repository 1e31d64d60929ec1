#include "favourites/recent_paths.h"

#include <algorithm>
#include <utility>

#include "favourites/favourites_list.h"

namespace ks {

void RecentPaths::Remember(RecentPath path) {
    if (path.path.empty()) return;
    std::erase_if(paths_, [&](const RecentPath& held) { return SameKeyText(held.path, path.path); });
    paths_.insert(paths_.begin(), std::move(path));
    if (paths_.size() > kMostRecentPaths) paths_.resize(kMostRecentPaths);
}

void RecentPaths::AppendStored(RecentPath path) {
    if (path.path.empty() || paths_.size() >= kMostRecentPaths) return;
    if (std::any_of(paths_.begin(), paths_.end(),
                    [&](const RecentPath& held) { return SameKeyText(held.path, path.path); }))
        return;
    paths_.push_back(std::move(path));
}

}  // namespace ks
