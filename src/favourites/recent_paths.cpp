#include "favourites/recent_paths.h"

#include <algorithm>
#include <utility>

#include "favourites/favourites_list.h"

namespace ks {

void RecentPaths::Remember(std::string path) {
    if (path.empty()) return;
    std::erase_if(paths_, [&](const std::string& held) { return SameKeyText(held, path); });
    paths_.insert(paths_.begin(), std::move(path));
    if (paths_.size() > kMostRecentPaths) paths_.resize(kMostRecentPaths);
}

void RecentPaths::AppendStored(std::string path) {
    if (path.empty() || paths_.size() >= kMostRecentPaths) return;
    if (std::any_of(paths_.begin(), paths_.end(),
                    [&](const std::string& held) { return SameKeyText(held, path); }))
        return;
    paths_.push_back(std::move(path));
}

}  // namespace ks
