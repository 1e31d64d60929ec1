#pragma once
// A settings file with a handful of favourites, written by the program's own
// writer into the settings folder, for runs of keystride.exe that should
// start as a user's would: the benchmarks and the demonstration.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "favourites/settings.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_files.h"

namespace ks::test {

// Keys and one value every Wine prefix has, with comments.
inline std::vector<FavouriteEntry> SampleFavourites() {
    return {
        {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "Where programs register"},
        {"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir",
         "The Program Files folder (a value)"},
        {"HKCU\\Environment", "My environment variables"},
        {"HKCU\\Control Panel\\Desktop", "Desktop and screen saver"},
        {"HKLM\\SYSTEM\\CurrentControlSet\\Services", "Drivers and services"},
        {"HKCU\\Software\\Wine", "Wine's own per-user settings"},
    };
}

// Replaces options.ini with the sample favourites and the designed window
// bounds; the error text when it cannot be written.
inline std::optional<std::string> WriteSampleSettings() {
    Win32Files files;
    Settings settings;
    FavouritesList rows;
    for (FavouriteEntry& entry : SampleFavourites()) rows.Append(std::move(entry));
    return SaveSettings(files, Win32AnsiCodePage{}, settings, rows, WindowBounds{}, false);
}

}  // namespace ks::test
