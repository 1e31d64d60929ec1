// Jump overhead: from the start of a jump to the last message handled by a
// recording stand-in editor, against the pauses the keystroke sequence itself
// requires, on the paced route kept for an editor that cannot be read back.
// Ten levels deep (a root and nine keys), median of several runs.
//   jump_overhead <fake_regedit.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "counting_process_control.h"
#include "jump/jump_resolution.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "win32/drive_routes.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: jump_overhead <fake_regedit.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    const std::string keyPath = "Software\\KeystrideBench\\L3\\L4\\L5\\L6\\L7\\L8\\L9";
    HKEY created = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &created,
                    nullptr);
    if (created) RegCloseKey(created);

    std::string command = std::string("\"") + argv[1] + "\" NUL";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION editor{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &editor)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    for (int i = 0; i < 500 && !FindWindowA("RegEdit_RegEdit", nullptr); ++i) Sleep(20);

    ks::Win32Registry registry;
    ks::test::KeystrokesOnlyWindows windows;
    std::vector<double> overheads, totals;
    double pauses = 0;
    for (int run = 0; run < runs; ++run) {
        ks::bench::CountingProcessControl processes;
        const double start = ks::bench::NowMs();
        ks::JumpToRegistryPath({registry, windows, processes}, "HKCU\\" + keyPath);
        const double total = ks::bench::NowMs() - start;
        pauses = static_cast<double>(processes.slept);
        totals.push_back(total);
        overheads.push_back(total - pauses);
    }
    PostMessageA(FindWindowA("RegEdit_RegEdit", nullptr), WM_CLOSE, 0, 0);
    WaitForSingleObject(editor.hProcess, 10000);
    CloseHandle(editor.hProcess);
    CloseHandle(editor.hThread);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KeystrideBench");

    std::sort(overheads.begin(), overheads.end());
    std::sort(totals.begin(), totals.end());
    const double overhead = overheads[overheads.size() / 2];
    std::printf("jump overhead, ten levels: median %.1f ms total, %.0f ms of required pauses, "
                "%.1f ms overhead = %.2f %% (target < 5 %%), %d runs\n",
                totals[totals.size() / 2], pauses, overhead, 100.0 * overhead / pauses, runs);
    return 0;
}
