#pragma once
// The settings kept from one run to the next in options.ini: the auto-copy
// switch, the favourites, the recent jumps and the main window's bounds.
#include <cstdint>
#include <optional>
#include <string>

#include "favourites/favourites_list.h"
#include "favourites/hotkey_text.h"
#include "favourites/recent_paths.h"
#include "favourites/window_bounds.h"

namespace ks {

class AnsiCodePage;
class Files;

struct Settings {
    bool autoCopyEnabled = false;
    WindowBounds savedWindowBounds;
    bool savedMaximized = false;
    WindowBounds savedNormalBounds;
    bool firstRun = false;
    RecentPaths recentPaths;
    // The hotkeys as the file writes them (ReadHotkey): empty for none; one
    // that cannot be read is none, and stays in the file as it was.
    std::string jumpFromClipboardHotkey{kDefaultJumpHotkey};
    std::string showWindowHotkey{kDefaultShowHotkey};
    // The file was there when the settings were loaded but could not be
    // read: the rows it holds were never shown, and a save would drop them.
    bool unreadAtLoad = false;
    std::string path;  // the settings file, as found when loading
};

// Where the settings live: "<AppData>\Korvel\Keystride\options.ini", or the
// executable's folder when the settings folder cannot be created. Sets
// `firstRun` from whether the file exists at this moment.
std::string OpenSettingsFile(Files& files, bool& firstRun);

// Reads the file into `settings` and appends the stored rows to `list`.
// `ansi` reads and writes the files that are not in UTF-16.
void LoadSettings(Files& files, const AnsiCodePage& ansi, Settings& settings,
                  FavouritesList& list);

// Writes the settings, the list and the window's current state. Returns the
// error text ("Unable to write to <path>") when the file cannot be written,
// or cannot be read, now or when it was loaded; the previous file is then
// left as it was. A file another program holds is waited for a while
// (held_files.h), the first save's end of the browser session first.
[[nodiscard]] std::optional<std::string> SaveSettings(Files& files, const AnsiCodePage& ansi,
                                                      Settings& settings,
                                                      const FavouritesList& list,
                                                      const WindowBounds& currentBounds,
                                                      bool maximized);

}  // namespace ks
