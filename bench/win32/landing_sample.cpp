// Jumps to keys drawn at random from this machine's own registry and counts
// how many the Registry Editor ends up showing, each key by the one route
// every platform now takes and by the route Windows took before (bare
// keystrokes, then the read-back), one after the other, so that both are
// measured in the same run. Read-only.
//   landing_sample [count] [seed]
// Keys with characters that type-ahead skips are drawn on purpose.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "counting_process_control.h"
#include "todays_route.h"
#include "grammar/ascii.h"
#include "jump/editor_driver.h"
#include "jump/jump_resolution.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "platform/win32/window_text.h"

namespace {

struct Root {
    HKEY key;
    const char* name;
    const char* start;
};

void Collect(HKEY parent, const std::string& path, int depth, std::vector<std::string>& out) {
    if (out.size() >= 50000 || depth > 12) return;
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, nullptr, 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS) return;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        const std::string child = path + "\\" + name;
        out.push_back(child);
        HKEY sub = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_ENUMERATE_SUB_KEYS, &sub) == ERROR_SUCCESS) {
            Collect(sub, child, depth + 1, out);
            RegCloseKey(sub);
        }
    }
    RegCloseKey(key);
}

// Characters Wine's tree type-ahead accepts; a name with any other one can
// land on a sibling.
bool TypeAheadSafe(const std::string& path) {
    static const std::string accepted = ".`!@#$%^&*()-_+=]}[{/?><,~\\";
    return std::all_of(path.begin(), path.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               accepted.find(c) != std::string::npos;
    });
}

std::string StatusBarPath() {
    HWND editor = FindWindowA("RegEdit_RegEdit", nullptr);
    HWND status = editor ? FindWindowExA(editor, nullptr, "msctls_statusbar32", nullptr) : nullptr;
    const std::string path = status ? ks::WindowText(status) : std::string();
    const std::size_t cut = path.find('\\');  // the computer's name comes first
    return cut == std::string::npos ? std::string() : path.substr(cut + 1);
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[rank];
}

// Landings and times of one route over the sample.
struct RouteTally {
    const char* name;
    std::size_t landed = 0, hardLanded = 0, hardTried = 0;
    std::vector<double> times;

    template <typename JumpFn>
    void Jump(const std::string& key, bool isHard, JumpFn jump) {
        ks::bench::CountingProcessControl processes;
        const double start = ks::bench::NowMs();
        const ks::JumpOutcome outcome = jump(processes);
        times.push_back(ks::bench::NowMs() - start);
        const bool ok = ks::EqualsIgnoringAsciiCase(StatusBarPath(), key);
        landed += ok;
        hardTried += isHard;
        hardLanded += ok && isHard;
        if (!ok)
            std::printf("%s missed: %s (editor shows %s, outcome %d)\n", name, key.c_str(),
                        StatusBarPath().c_str(), static_cast<int>(outcome.result));
    }

    void Print(std::size_t sampled) const {
        std::printf("%s: landed %zu / %zu (type-ahead-hostile keys %zu / %zu); per jump median "
                    "%.0f ms, 90th percentile %.0f ms\n",
                    name, landed, sampled, hardLanded, hardTried, ks::bench::Median(times),
                    Percentile(times, 0.9));
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;

    std::vector<std::string> keys;
    const Root roots[] = {{HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "Software"},
                          {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", nullptr}};
    for (const Root& root : roots) {
        HKEY start = nullptr;
        if (RegOpenKeyExA(root.key, root.start, 0, KEY_ENUMERATE_SUB_KEYS, &start) != ERROR_SUCCESS)
            continue;
        std::string base = root.name;
        if (root.start) {
            base += std::string("\\") + root.start;
            keys.push_back(base);
        }
        Collect(start, base, 0, keys);
        RegCloseKey(start);
    }
    std::vector<std::string> hard, plain;
    for (const std::string& key : keys) (TypeAheadSafe(key) ? plain : hard).push_back(key);

    std::mt19937 random(seed);
    std::shuffle(hard.begin(), hard.end(), random);
    std::shuffle(plain.begin(), plain.end(), random);
    std::vector<std::string> sample(hard.begin(), hard.begin() + std::min(hard.size(), count / 4));
    for (std::size_t i = 0; sample.size() < count && i < plain.size(); ++i)
        sample.push_back(plain[i]);
    std::shuffle(sample.begin(), sample.end(), random);

    std::printf("keys: %zu (%zu with characters type-ahead skips); sampled %zu, seed %u\n",
                keys.size(), hard.size(), sample.size(), seed);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ks::Win32Registry registry;
    ks::Win32WindowSystem windows;
    RouteTally now{"direct selection"}, before{"Windows keystrokes + read-back"};
    // Each jump starts with the editor on its top item, away from the key.
    for (const std::string& key : sample) {
        const bool isHard = !TypeAheadSafe(key);
        ks::bench::ResetEditor(windows);
        now.Jump(key, isHard, [&](ks::ProcessControl& processes) {
            return ks::JumpToRegistryPath({registry, windows, processes}, key);
        });
        ks::bench::ResetEditor(windows);
        before.Jump(key, isHard, [&](ks::ProcessControl& processes) {
            return ks::bench::JumpTodaysWay(registry, processes, key);
        });
        std::fflush(stdout);
    }
    for (const RouteTally* tally : {&now, &before}) tally->Print(sample.size());
    CoUninitialize();
    return now.landed == sample.size() ? 0 : 1;
}
