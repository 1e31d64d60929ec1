// Start-up: from CreateProcess to keystride.exe's main window shown and
// idle, and the process's peak memory at that moment, against a program that
// shows one empty window and, when given, against other builds of
// keystride.exe (today's, or one per step of a change). All of them take
// turns run by run, in an order that moves on by one each run; medians and
// ratios.
//   startup_vs_empty_window <keystride.exe> <empty_window.exe> [runs] [other keystride.exe ...]
// keystride.exe starts from a settings file with a handful of favourites;
// the user's settings folder is set aside meanwhile and put back at the end.
// With KS_BENCH_VERBOSE set, every start's time is printed as it is taken.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "e2e/folder_set_aside.h"
#include "e2e/main_window_support.h"
#include "e2e/sample_favourites.h"
#include "ui/control_ids.h"
#include "win32/win32_support.h"

namespace {

using ks::bench::Median;
using ks::bench::NowMs;

constexpr DWORD kWaitMs = 10000;
constexpr char kEmptyWindowClass[] = "Keystride Bench Empty Window";

struct Program {
    std::string name;
    std::string path;
    const char* windowClass;
    // How the program is ended once measured: keystride.exe through its
    // Exit button, as a user ends it; the empty window by closing it.
    UINT closeMessage;
    WPARAM closeWParam;
    // Rows its favourites list must show once started; -1: it has none.
    int favourites;
};

struct Sample {
    double startMs = 0;
    double peakWorkingSetMb = 0;
    double peakPagefileMb = 0;
};

struct Samples {
    std::vector<double> startMs, peakWorkingSetMb, peakPagefileMb;
    void Add(const Sample& s) {
        startMs.push_back(s.startMs);
        peakWorkingSetMb.push_back(s.peakWorkingSetMb);
        peakPagefileMb.push_back(s.peakPagefileMb);
    }
};

HWND VisibleTopWindow(DWORD processId, const char* windowClass) {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, windowClass, nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == processId && IsWindowVisible(found)) return found;
    }
    return nullptr;
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// One start, measured, then ended. Nothing when any step failed; the reason
// is printed.
std::optional<Sample> StartMeasureAndEnd(const Program& program) {
    const double start = NowMs();
    ks::test::ChildProcess process(ks::test::Quoted(program.path));
    if (!process.Started()) {
        std::printf("%s: cannot start %s (error %lu)\n", program.name.c_str(),
                    program.path.c_str(), GetLastError());
        return std::nullopt;
    }
    const DWORD processId = GetProcessId(process.Handle());
    const bool idle = WaitForInputIdle(process.Handle(), kWaitMs) == 0;
    HWND window = nullptr;
    const DWORD pollStart = GetTickCount();
    while (!(window = VisibleTopWindow(processId, program.windowClass)) &&
           GetTickCount() - pollStart < kWaitMs)
        Sleep(1);
    Sample sample;
    sample.startMs = NowMs() - start;
    if (std::getenv("KS_BENCH_VERBOSE")) std::printf("  %s %.1f ms\n", program.name.c_str(), sample.startMs);

    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool measured = GetProcessMemoryInfo(process.Handle(), &counters, sizeof counters);
    sample.peakWorkingSetMb = Megabytes(counters.PeakWorkingSetSize);
    sample.peakPagefileMb = Megabytes(counters.PeakPagefileUsage);

    // The start counts only if the program did its real work: the
    // favourites from the settings file are in its list.
    const bool loaded =
        program.favourites < 0 ||
        (window && SendMessageA(ks::test::FindControl(window, IDC_FAVOURITES), LVM_GETITEMCOUNT,
                                0, 0) == program.favourites);

    if (window) PostMessageA(window, program.closeMessage, program.closeWParam, 0);
    DWORD exitCode = 1;
    const bool ended = process.Wait(kWaitMs, &exitCode);
    if (!idle || !window || !measured || !loaded || !ended || exitCode != 0) {
        std::printf("%s: %s\n", program.name.c_str(),
                    !idle       ? "never became idle"
                    : !window   ? "showed no window"
                    : !measured ? "memory counters unreadable"
                    : !loaded   ? "did not show the favourites"
                    : !ended    ? "did not end when closed"
                                : "ended with an error code");
        return std::nullopt;
    }
    return sample;
}

// One figure of every keystride.exe against the empty window, and of each
// other build against the first.
void PrintFigure(const char* what, const char* unit, const std::vector<Program>& programs,
                 const std::vector<Samples>& samples, std::vector<double> Samples::*figure,
                 int runs) {
    const std::size_t empty = programs.size() - 1;
    const double baseline = Median(samples[empty].*figure);
    const double first = Median(samples[0].*figure);
    std::printf("%s, median of %d: empty window %.1f %s\n", what, runs, baseline, unit);
    for (std::size_t i = 0; i < empty; ++i) {
        const double value = Median(samples[i].*figure);
        std::printf("  %-34s %8.1f %s", programs[i].name.c_str(), value, unit);
        if (baseline > 0)
            std::printf(", %.2fx the empty window (target <= 1.5x: %s)", value / baseline,
                        value / baseline <= 1.5 ? "met" : "NOT met");
        if (i > 0 && value > 0) std::printf(", first build %.2fx this one", first / value);
        std::printf("\n");
    }
}

// A build's name as printed: the file name without its folder.
std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_vs_empty_window <keystride.exe> "
                             "<empty_window.exe> [runs] [other keystride.exe ...]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    const int favourites = static_cast<int>(ks::test::SampleFavourites().size());
    const auto keystride = [&](const std::string& path) {
        return Program{NameOf(path), path, ks::test::kMainClass, WM_COMMAND,
                       MAKEWPARAM(IDC_EXIT, 0), favourites};
    };
    // The builds first, the empty window last.
    std::vector<Program> programs{keystride(argv[1])};
    for (int i = 4; i < argc; ++i) programs.push_back(keystride(argv[i]));
    programs.push_back({"empty window", argv[2], kEmptyWindowClass, WM_CLOSE, 0, -1});

    ks::test::FolderSetAside settingsAside(ks::test::SettingsFolder());
    if (!settingsAside.Ready()) {
        std::printf("the settings folder could not be set aside; if %s exists, an earlier run "
                    "left it: move it back by hand\n",
                    settingsAside.SavedPath().c_str());
        return 1;
    }

    std::vector<Samples> samples(programs.size());
    int failures = 0;
    int counted = 0;
    // The first round warms the file cache and Wine's server; it is not counted.
    for (int run = -1; run < runs; ++run) {
        std::vector<Sample> round(programs.size());
        bool complete = true;
        for (std::size_t turn = 0; turn < programs.size(); ++turn) {
            const std::size_t at = (turn + static_cast<std::size_t>(run + 1)) % programs.size();
            // Each start ends by saving the settings: every start reads the same file.
            if (const auto error = ks::test::WriteSampleSettings()) {
                std::printf("%s\n", error->c_str());
                complete = false;
                break;
            }
            const std::optional<Sample> sample = StartMeasureAndEnd(programs[at]);
            if (!sample) {
                complete = false;
                continue;
            }
            round[at] = *sample;
        }
        if (!complete) {
            ++failures;
            continue;
        }
        if (run < 0) continue;
        for (std::size_t i = 0; i < programs.size(); ++i) samples[i].Add(round[i]);
        ++counted;
    }
    const bool restored = settingsAside.Restore();

    if (counted > 0) {
        PrintFigure("start-up to main window shown and idle", "ms", programs, samples,
                    &Samples::startMs, counted);
        PrintFigure("peak working set", "MB", programs, samples, &Samples::peakWorkingSetMb,
                    counted);
        PrintFigure("peak pagefile usage", "MB", programs, samples, &Samples::peakPagefileMb,
                    counted);
    }
    if (failures) std::printf("%d of %d rounds failed\n", failures, runs + 1);
    if (!restored) std::printf("the user's settings folder could not be put back\n");
    return failures == 0 && restored && counted > 0 ? 0 : 1;
}
