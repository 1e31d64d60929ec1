// Settings with 10,000 favourites: the program's own reader and writer in
// both forms of the file (ANSI, and UTF-16LE for names outside the code
// page) against the system's private-profile functions on the ANSI file.
// Median of several runs; the profile writes are so slow (each one rewrites
// the whole file) that a tenth of them is timed and the figure scaled up.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../bench_clock.h"
#include "favourites/settings.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_files.h"

namespace {

constexpr int kRows = 10'000;
constexpr int kRuns = 5;

// The real file calls with the settings folder in a scratch place.
class ScratchFiles final : public ks::Files {
public:
    explicit ScratchFiles(std::string folder) : folder_(std::move(folder)) {}
    void EndBrowserSession() override {}
    std::string AppDataFolder() override { return folder_; }
    std::string ExecutableFolder() override { return real_.ExecutableFolder(); }
    bool DirectoryExists(const std::string& p) override { return real_.DirectoryExists(p); }
    bool CreateDirectories(const std::string& p) override { return real_.CreateDirectories(p); }
    bool FileExists(const std::string& p) override { return real_.FileExists(p); }
    bool IsReadOnly(const std::string& p) override { return real_.IsReadOnly(p); }
    ks::FileRead ReadFile(const std::string& p) override { return real_.ReadFile(p); }
    ks::FileOutcome WriteNewFile(const std::string& p, const std::string& c) override {
        return real_.WriteNewFile(p, c);
    }
    ks::FileOutcome MoveOver(const std::string& from, const std::string& to) override {
        return real_.MoveOver(from, to);
    }
    ks::FileOutcome Delete(const std::string& p) override { return real_.Delete(p); }
    std::uint32_t Milliseconds() override { return real_.Milliseconds(); }
    void Pause(std::uint32_t ms) override { real_.Pause(ms); }

private:
    std::string folder_;
    ks::Win32Files real_;
};

}  // namespace

int main() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "keystride-bench";
    ScratchFiles files(folder);
    const ks::Win32AnsiCodePage ansi;
    ks::Settings settings;
    // Own load and save of rows named from `stem`, leaving that file behind.
    const auto own = [&](const std::string& stem, double& load, double& save) {
        ks::FavouritesList rows;
        for (int i = 0; i < kRows; ++i)
            rows.Append({stem + std::to_string(i), "Comment " + std::to_string(i)});
        if (ks::SaveSettings(files, ansi, settings, rows, {}, false)) return false;
        load = ks::bench::MedianMs(kRuns, [&] {
            ks::Settings loaded;
            ks::FavouritesList list;
            ks::LoadSettings(files, ansi, loaded, list);
        });
        save = ks::bench::MedianMs(
            kRuns, [&] { (void)ks::SaveSettings(files, ansi, settings, rows, {}, false); });
        return true;
    };
    double wideLoad = 0;
    double wideSave = 0;
    double ownLoad = 0;
    double ownSave = 0;
    // Cyrillic names, which no single-byte Western code page holds.
    if (!own("HKEY_CURRENT_USER\\Software\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB4\\Key", wideLoad,
             wideSave) ||
        !own("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Product\\Key", ownLoad, ownSave)) {
        std::puts("cannot write the settings file");
        return 1;
    }
    bool firstRun = false;
    const std::string path = ks::OpenSettingsFile(files, firstRun);

    char value[2048];
    const double profileLoad = ks::bench::MedianMs(3, [&] {
        GetPrivateProfileStringA("RegistryList", "Count", "", value, sizeof value, path.c_str());
        for (int i = 0; i < kRows; ++i) {
            const std::string key = std::to_string(i);
            GetPrivateProfileStringA("RegistryList", key.c_str(), "", value, sizeof value, path.c_str());
            GetPrivateProfileStringA("CommentList", key.c_str(), "", value, sizeof value, path.c_str());
        }
    });
    const int sampledWrites = kRows / 10;
    const double profileSaveSample = ks::bench::MedianMs(3, [&] {
        for (int i = 0; i < sampledWrites; ++i) {
            const std::string key = std::to_string(i);
            WritePrivateProfileStringA("RegistryList", key.c_str(), "HKEY_LOCAL_MACHINE\\x", path.c_str());
            WritePrivateProfileStringA("CommentList", key.c_str(), "c", path.c_str());
        }
    });
    const double profileSave = profileSaveSample * 10;

    std::printf("settings, %d rows, UTF-16LE form: load %.1f ms (%.2fx ANSI), save %.1f ms "
                "(%.2fx ANSI); target < 100 ms\n",
                kRows, wideLoad, wideLoad / ownLoad, wideSave, wideSave / ownSave);
    std::printf("settings load, %d rows: own %.1f ms, private-profile API %.0f ms (%.0fx); target < 100 ms\n",
                kRows, ownLoad, profileLoad, profileLoad / ownLoad);
    std::printf("settings save, %d rows: own %.1f ms, private-profile API %.0f ms "
                "(scaled from %d rows, %.0fx); target < 100 ms\n",
                kRows, ownSave, profileSave, sampledWrites, profileSave / ownSave);
    DeleteFileA(path.c_str());
    return 0;
}
