// Times the settings load and save of 10,000 favourites through the
// simulated file system: the file is parsed once and written once, so both
// should stay far below what a user would notice at start-up and close.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "favourites/settings.h"
#include "platform/sim/sim_files.h"

namespace {

constexpr int kRows = 10'000;
constexpr int kRuns = 9;

}  // namespace

int main() {
    ks::sim::SimFiles files;
    ks::Settings settings;
    ks::FavouritesList rows;
    for (int i = 0; i < kRows; ++i)
        rows.Append({"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Product\\Key" + std::to_string(i),
                     "Comment for favourite number " + std::to_string(i)});
    if (ks::SaveSettings(files, settings, rows, {}, false)) {
        std::puts("settings save failed");
        return 1;
    }

    int loaded = 0;
    const double load = ks::bench::MedianMs(kRuns, [&] {
        ks::Settings fresh;
        ks::FavouritesList list;
        ks::LoadSettings(files, fresh, list);
        loaded = list.Count();
    });
    bool saved = true;
    const double save = ks::bench::MedianMs(kRuns, 
        [&] { saved = !ks::SaveSettings(files, settings, rows, {}, false) && saved; });
    if (loaded != kRows || !saved) {
        std::printf("settings round trip failed: %d rows loaded\n", loaded);
        return 1;
    }
    std::printf("settings load %d rows: %.2f ms (target < 100 ms)\n", kRows, load);
    std::printf("settings save %d rows: %.2f ms (target < 100 ms)\n", kRows, save);
    return 0;
}
