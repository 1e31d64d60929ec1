// The recognizer, the path reader and the root switcher on a 1 MB clipboard
// text, adding, moving and removing rows in a list of 10,000 favourites,
// and looking for the places where a missing path exists instead. Each must
// stay well inside one frame (16 ms) so the window never stutters; the
// places at most 20 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "favourites/favourites_list.h"
#include "grammar/path_notations.h"
#include "grammar/root_switcher.h"
#include "jump/counterparts.h"
#include "platform/sim/sim_world.h"

namespace {

constexpr int kRuns = 9;

void Report(const char* what, double ms) {
    std::printf("%-48s %8.3f ms (target < 16 ms)\n", what, ms);
}

}  // namespace

int main() {
    // The worst case for the recognizer: no fragment anywhere, so every one
    // is searched through the whole text.
    std::string text(1 << 20, 'h');
    for (std::size_t i = 0; i < text.size(); i += 7) text[i] = 'k';
    volatile bool found = false;
    Report("recognizer, 1 MB text without a root",
           ks::bench::MedianMs(kRuns, [&] { found = ks::IsRegistryPathText(text); }));
    Report("path reader, 1 MB text without a root", ks::bench::MedianMs(kRuns, [&] {
               found = ks::ReadPathNotations(text).empty();
           }));
    // The most work for the reader: quoted, in the value form, every
    // backslash doubled and slashes too, so every notation step has the
    // whole text to read and each gives a reading of its own.
    std::string path = "\"HKEY_LOCAL_MACHINE\\\\";
    while (path.size() < (1u << 20)) path += "Key\\\\a/b";
    path += "\" /v \"Value\"";
    Report("path reader, 1 MB path read in every notation", ks::bench::MedianMs(kRuns, [&] {
               found = ks::ReadPathNotations(path).size() > 4;
           }));
    Report("root switcher, 1 MB text", ks::bench::MedianMs(kRuns, [&] {
               found = ks::ApplyRootPrefix(text, 3).size() > text.size();
           }));
    Report("clipboard trim, 1 MB text", ks::bench::MedianMs(kRuns, [&] {
               found = ks::TrimClipboardText(text).empty();
           }));

    // The places: a path under HKLM\SOFTWARE, for which the most rules
    // apply, in a registry of 10,000 keys; and a path of 1 MB.
    ks::sim::World world;
    for (int i = 0; i < 10'000; ++i)
        world.registry.AddKey(0x80000002u, "SOFTWARE\\Vendor" + std::to_string(i % 100) +
                                               "\\App" + std::to_string(i));
    world.registry.AddNumberValue(0x80000002u, "SYSTEM\\Select", "Current", 1);
    const ks::ResolvedJump missing{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor7\\Missing", "Value"};
    std::printf("%-48s %8.3f ms (target < 20 ms)\n", "counterparts of a missing path",
                ks::bench::MedianMs(kRuns, [&] {
                    found = ks::FindCounterparts(world.registry, world.processes, missing).empty();
                }));
    const ks::ResolvedJump huge{"HKEY_LOCAL_MACHINE", "SOFTWARE\\" + std::string(1 << 20, 'k'), ""};
    std::printf("%-48s %8.3f ms (target < 20 ms)\n", "counterparts of a 1 MB path",
                ks::bench::MedianMs(kRuns, [&] {
                    found = ks::FindCounterparts(world.registry, world.processes, huge).empty();
                }));

    ks::FavouritesList list;
    for (int i = 0; i < 10'000; ++i)
        list.Append({"HKEY_CURRENT_USER\\Software\\Vendor\\Key" + std::to_string(i), "comment"});
    Report("add to 10,000 rows (duplicate test on every row)", ks::bench::MedianMs(kRuns, [&] {
               list.Add("HKCU\\new", {"HKCU\\new", ""});
               list.RemoveSelected();
           }));
    list.Select(5'000);
    Report("move up and down in 10,000 rows", ks::bench::MedianMs(kRuns, [&] {
               list.MoveSelectedUp();
               list.MoveSelectedDown();
           }));
    Report("remove the first of 10,000 rows", ks::bench::MedianMs(kRuns, [&] {
               list.Select(0);
               list.RemoveSelected();
               list.Append({"HKCU\\x", ""});
           }));
    return found ? 0 : 0;
}
