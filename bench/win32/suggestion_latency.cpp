// Suggestions while typing: for each keystroke typed into keystride.exe's key
// box, the time until the drop-down shows every suggestion for the text,
// under the prefix's largest keys; beside it, the same keystrokes typed into
// the favourite editor's key box, a plain edit box of the same program, until
// it shows the character. Medians and 95th percentiles of both.
//   suggestion_latency [rounds]      (KS_BENCH_VERBOSE=1: every keystroke's time)
// Each round starts keystride.exe afresh (nothing read yet) and types the
// paths character by character at a fast typist's pace. What the list must
// show is worked out here, from the registry, with the program's own rules.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "e2e/folder_set_aside.h"
#include "e2e/main_window_support.h"
#include "jump/key_listing.h"
#include "jump/path_suggestions.h"
#include "platform/win32/win32_registry.h"

namespace {

using ks::bench::Median;
using ks::bench::NowMs;

// The largest keys a Wine prefix has, typed as a user would.
const char* const kTexts[] = {
    "HKCR\\Interface\\{0000010",
    "HKEY_CLASSES_ROOT\\CLSID\\{0002",
    "HKLM\\SOFTWARE\\Classes\\Interface\\{00020",
    "HKCR\\.tx",
};
constexpr double kKeystrokePauseMs = 100;  // about ten characters a second
constexpr double kGiveUpMs = 5000;

double Percentile95(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[(values.size() * 95 + 99) / 100 - 1];
}

std::wstring ItemText(HWND list, LRESULT index) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) texts.push_back(ItemText(list, i));
    return texts;
}

// Reading all fifty entries across processes takes longer than showing them:
// while waiting, the count and the two ends are compared; the whole list is
// compared once it seems complete.
bool LooksComplete(HWND list, const std::vector<std::wstring>& expected) {
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    return count == static_cast<LRESULT>(expected.size()) && !expected.empty() &&
           ItemText(list, 0) == expected.front() && ItemText(list, count - 1) == expected.back();
}

// What the list must hold for the text once every name is read: the names in
// order (values marked), then the line that counts the rest.
std::vector<std::wstring> Expected(const std::string& text, ks::KeyListings& listings) {
    ks::Suggestions s = ks::SuggestPaths(text, {}, listings);
    while (listings.HasNamesToRead()) {
        listings.ReadMore(4096);
        s = ks::SuggestPaths(text, {}, listings);
    }
    std::vector<std::wstring> texts;
    for (const ks::Suggestion& entry : s.entries)
        texts.push_back(ks::Wide(entry.kind == ks::SuggestionKind::Value ? entry.name + "  (value)"
                                                                          : entry.name));
    if (s.more > 0)
        texts.push_back(ks::Wide("... and " + std::to_string(s.more) +
                                 " more: type on to narrow the list"));
    return texts;
}

HWND SuggestionList(DWORD processId) {
    HWND popup = ks::test::FindProcessWindow(processId, "", "Keystride Suggestions");
    return popup ? ks::test::FindControl(popup, IDC_SUGGESTIONS) : nullptr;
}

struct Samples {
    std::vector<double> plainMs, listMs;
    int missed = 0;
};

// The time until a plain edit box shows each character typed into it.
void TypePlain(HWND box, const std::string& path, std::vector<double>& times) {
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    std::string typed;
    for (const char c : path) {
        typed += c;
        const double start = NowMs();
        PostMessageW(box, WM_CHAR, static_cast<unsigned char>(c), 1);
        while (ks::test::WindowText(box) != typed && NowMs() - start < kGiveUpMs) Sleep(1);
        times.push_back(NowMs() - start);
        while (NowMs() - start < kKeystrokePauseMs) Sleep(1);
    }
}

void TypeRound(Samples& samples, bool verbose) {
    ks::Win32Registry registry;
    ks::KeyListings listings(registry);
    ks::test::Keystride app;
    if (!app.Started()) {
        std::fprintf(stderr, "keystride.exe did not start\n");
        std::exit(2);
    }
    HWND edit = app.Control(IDC_KEY_BOX);
    HWND list = nullptr;  // the popup lives as long as the window, once made
    for (const char* path : kTexts) {
        app.SetEditText("");
        std::string typed;
        for (const char c : std::string(path)) {
            typed += c;
            const std::vector<std::wstring> expected = Expected(typed, listings);
            const double start = NowMs();
            PostMessageW(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
            double shown = -1;
            while (NowMs() - start < kGiveUpMs && shown == -1) {
                if (app.EditText() == typed) {
                    if (!list) list = SuggestionList(app.ProcessId());
                    const bool open = list && IsWindowVisible(GetParent(list));
                    if (open ? LooksComplete(list, expected) : expected.empty())
                        shown = NowMs() - start;
                    if (shown >= 0 && open && ListTexts(list) != expected) shown = -2;
                }
                if (shown == -1) Sleep(1);
            }
            if (shown < 0) {
                ++samples.missed;
                std::fprintf(stderr, "%s for %s\n", shown == -2 ? "a wrong list" : "no list in time",
                             typed.c_str());
            } else {
                samples.listMs.push_back(shown);
                if (verbose) std::fprintf(stderr, "%-45s %6.1f ms\n", typed.c_str(), shown);
            }
            while (NowMs() - start < kKeystrokePauseMs) Sleep(1);
        }
    }
    // The same keystrokes in the favourite editor's key box.
    app.Command(IDM_ADD_FAVOURITE);
    HWND editor = app.WaitForWindow("Add to list");
    HWND box = editor ? ks::test::FindControl(editor, IDC_EDITOR_KEY) : nullptr;
    if (box) {
        for (const char* path : kTexts) TypePlain(box, path, samples.plainMs);
        PostMessageW(editor, WM_COMMAND, IDCANCEL, 0);
        app.WaitGone(editor);
    } else {
        std::fprintf(stderr, "the favourite editor did not open\n");
    }
    app.Exit();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    ks::test::FolderSetAside settings(ks::test::SettingsFolder());
    if (!settings.Ready()) {
        std::fprintf(stderr, "the settings folder could not be set aside\n");
        return 2;
    }
    Samples samples;
    // KS_BENCH_VERBOSE=1 prints every keystroke's time.
    const bool verbose = std::getenv("KS_BENCH_VERBOSE") != nullptr;
    for (int round = 0; round < rounds; ++round) TypeRound(samples, verbose);
    std::printf("suggestions: %zu keystrokes in %d rounds under the prefix's largest keys "
                "(%d without a settled list)\n",
                samples.listMs.size(), rounds, samples.missed);
    std::printf("  key box, list shows every match:      median %.1f ms, 95th percentile %.1f ms "
                "(target: 95th percentile <= 50 ms)\n",
                Median(samples.listMs), Percentile95(samples.listMs));
    std::printf("  plain edit box, shows the character:  median %.1f ms, 95th percentile %.1f ms\n",
                Median(samples.plainMs), Percentile95(samples.plainMs));
    return samples.missed == 0 ? 0 : 1;
}
