// Jumps into the running Registry Editor by the one route every platform
// takes and by the route Windows took before (bare keystrokes, then the
// read-back), alternating run by run; the editor is put back on its top item before each jump. Two
// targets: a key ten levels deep (a root and nine keys), and the last
// subkey of HKEY_LOCAL_MACHINE\Software\Classes, the widest level there is.
// Medians of the time until the jump returned, and whether the editor's
// status bar then shows the key. Read-only.
//   warm_jump_routes [runs]
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "counting_process_control.h"
#include "e2e/main_window_support.h"
#include "grammar/ascii.h"
#include "jump/editor_driver.h"
#include "jump/jump_resolution.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "todays_route.h"
#include "win32/win32_support.h"

namespace {

using ks::bench::Median;
using ks::bench::NowMs;

// The first key, in enumeration order, that lies `levels` keys below `path`.
std::optional<std::string> KeyAtDepth(HKEY parent, const std::string& path, int levels) {
    if (levels == 0) return path;
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, nullptr, 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> found;
    char name[256];
    for (DWORD i = 0; !found; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY sub = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_ENUMERATE_SUB_KEYS, &sub) != ERROR_SUCCESS) continue;
        found = KeyAtDepth(sub, path + "\\" + name, levels - 1);
        RegCloseKey(sub);
    }
    RegCloseKey(key);
    return found;
}

bool EditorShows(const std::string& key) {
    const std::string status = ks::test::RegeditStatus();
    const std::size_t cut = status.find('\\');
    return cut != std::string::npos && ks::EqualsIgnoringAsciiCase(status.substr(cut + 1), key);
}

// The last subkey of a key, in enumeration order.
std::optional<std::string> LastSubkey(HKEY root, const std::string& rootName, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    char name[256];
    DWORD length = sizeof name;
    const bool found =
        count && RegEnumKeyExA(key, count - 1, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                     ERROR_SUCCESS;
    RegCloseKey(key);
    if (!found) return std::nullopt;
    return rootName + "\\" + path + "\\" + name;
}

struct Route {
    const char* name;
    std::function<ks::JumpOutcome(ks::ProcessControl&)> jump;
    std::vector<double> times;
    int landed = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::optional<std::string> deep = KeyAtDepth(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", 9);
    const std::optional<std::string> wide =
        LastSubkey(HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "Software\\Classes");
    if (!deep || !wide) {
        std::printf("no key ten levels deep, or no subkey of Software\\Classes\n");
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ks::Win32Registry registry;
    ks::Win32WindowSystem windows;
    bool allLanded = true;
    for (const std::string& key : {*deep, *wide}) {
        Route routes[] = {
            {"direct selection", [&](ks::ProcessControl& p) {
                 return ks::JumpToRegistryPath({registry, windows, p}, key);
             }},
            {"Windows keystrokes + read-back", [&](ks::ProcessControl& p) {
                 return ks::bench::JumpTodaysWay(registry, p, key);
             }},
        };
        // The first jump starts the editor (or brings it there) and is not counted.
        {
            ks::bench::CountingProcessControl processes;
            routes[0].jump(processes);
        }
        for (int run = 0; run < runs; ++run) {
            for (Route& route : routes) {
                ks::bench::ResetEditor(windows);
                ks::bench::CountingProcessControl processes;
                const double start = NowMs();
                route.jump(processes);
                route.times.push_back(NowMs() - start);
                route.landed += EditorShows(key);
            }
        }
        std::printf("jump into the running editor: %s\n", key.c_str());
        for (const Route& route : routes)
            std::printf("  %s: median %.0f ms of %d runs, landed %d / %d\n", route.name,
                        Median(route.times), runs, route.landed, runs);
        const double now = Median(routes[0].times), before = Median(routes[1].times);
        std::printf("  against the earlier Windows route %.2fx faster\n", before / now);
        if (key == *deep)
            std::printf("  target for the ten-level jump: median at most 1000 ms: %s\n",
                        now <= 1000 ? "met" : "NOT met");
        allLanded = allLanded && routes[0].landed == runs;
    }
    ks::test::CloseRegistryEditor();
    CoUninitialize();
    return allLanded ? 0 : 1;
}
