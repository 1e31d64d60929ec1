#pragma once
// The paths the last jumps landed on, newest first, as the jumps resolved
// them. They are offered again while the user types.
#include <string>
#include <string_view>
#include <vector>

#include "jump/path_suggestions.h"

namespace ks {

inline constexpr int kMostRecentPaths = 20;

class RecentPaths {
public:
    const std::vector<RecentPath>& Paths() const noexcept { return paths_; }

    // A jump landed on `path`: it goes first, and an older copy of it (by
    // the favourites' duplicate rule) goes.
    void Remember(RecentPath path);
    // The stored paths, oldest last: each one after the newer ones, unless
    // it is empty, a copy of one of them, or beyond the bound.
    void AppendStored(RecentPath path);
    void Clear() noexcept { paths_.clear(); }

private:
    std::vector<RecentPath> paths_;
};

}  // namespace ks
