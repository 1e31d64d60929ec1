// Times the settings load and save of 10,000 favourites through the
// simulated file system, in both forms of the file: ANSI (names the code
// page holds) and UTF-16LE (Cyrillic names, which it does not). The file is
// parsed once and written once, so both should stay far below what a user
// would notice at start-up and close.
#include <cstdio>
#include <string>

#include "../bench_clock.h"
#include "favourites/settings.h"
#include "platform/sim/sim_ansi_code_page.h"
#include "platform/sim/sim_files.h"

namespace {

constexpr int kRows = 10'000;
constexpr int kRuns = 9;

struct Figures {
    double load = 0;
    double save = 0;
    std::size_t bytes = 0;
};

// The same rows but for the product's name in each key.
bool Measure(const std::string& product, Figures& figures) {
    ks::sim::SimFiles files;
    const ks::sim::SimAnsiCodePage ansi;
    ks::Settings settings;
    ks::FavouritesList rows;
    for (int i = 0; i < kRows; ++i)
        rows.Append({"HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\" + product + "\\Key" +
                         std::to_string(i),
                     "Comment for favourite number " + std::to_string(i)});
    if (ks::SaveSettings(files, ansi, settings, rows, {}, false)) return false;

    int loaded = 0;
    figures.load = ks::bench::MedianMs(kRuns, [&] {
        ks::Settings fresh;
        ks::FavouritesList list;
        ks::LoadSettings(files, ansi, fresh, list);
        loaded = list.Count();
    });
    bool saved = true;
    figures.save = ks::bench::MedianMs(
        kRuns, [&] { saved = !ks::SaveSettings(files, ansi, settings, rows, {}, false) && saved; });
    bool firstRun = false;
    const std::string path = ks::OpenSettingsFile(files, firstRun);
    figures.bytes = files.Contents(path).value_or(std::string()).size();
    return loaded == kRows && saved;
}

}  // namespace

int main() {
    Figures ansi;
    Figures utf16;
    Figures cafe;
    if (!Measure("Product", ansi) || !Measure("Caf\xC3\xA9", cafe) ||
        !Measure("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB4\xD1\x83\xD0\xBA\xD1\x82", utf16)) {
        std::puts("settings round trip failed");
        return 1;
    }
    // ASCII needs no conversion; "Caf\xE9" goes through the code page.
    std::printf("settings load %d rows: ASCII %.2f ms, ANSI %.2f ms, UTF-16 %.2f ms (%.2fx ANSI); "
                "target < 100 ms\n",
                kRows, ansi.load, cafe.load, utf16.load, utf16.load / cafe.load);
    std::printf("settings save %d rows: ASCII %.2f ms, ANSI %.2f ms, UTF-16 %.2f ms (%.2fx ANSI); "
                "target < 100 ms\n",
                kRows, ansi.save, cafe.save, utf16.save, utf16.save / cafe.save);
    std::printf("file size: ASCII %zu bytes, ANSI %zu bytes, UTF-16 %zu bytes\n", ansi.bytes,
                cafe.bytes, utf16.bytes);
    return 0;
}
