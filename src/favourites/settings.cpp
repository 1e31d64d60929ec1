#include "favourites/settings.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "favourites/held_files.h"
#include "favourites/ini_file.h"
#include "favourites/settings_text.h"
#include "platform/files.h"

namespace ks {
namespace {

constexpr std::string_view kSettingsFolder = "Korvel\\Keystride\\";
constexpr std::string_view kSettingsFileName = "options.ini";

constexpr std::string_view kCopy = "Copy";
constexpr std::string_view kRegistryList = "RegistryList";
constexpr std::string_view kCommentList = "CommentList";
constexpr std::string_view kWindowsPosition = "WindowsPosition";
// Earlier versions neither read nor write it, and keep it as it stands.
constexpr std::string_view kRecentList = "RecentList";
constexpr std::string_view kHotkeys = "Hotkeys";
// "Value3=1" beside row 3: that path names a value.
const std::string kRecentValuePrefix = "Value";

std::string WithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder.push_back('\\');
    return folder;
}

// A row key is the row's index in decimal, without sign or leading zeros;
// any other spelling is not a row.
std::optional<std::int32_t> RowIndex(std::string_view key) {
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key.front() == '0')) return {};
    if (!std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return ParseProfileInteger(key);
}

// The rows 0 .. count - 1 of a list section whose text is not empty, in
// index order, with their texts. Rows without a key read as empty and are skipped anyway,
// so walking only the keys present gives the same rows without walking up
// to two thousand million indices.
std::vector<std::pair<std::int32_t, std::string_view>> StoredRows(const IniFile& ini,
                                                                  std::string_view section) {
    std::vector<std::pair<std::int32_t, std::string_view>> rows;
    const std::int32_t count = ini.ReadInteger(section, "Count", 0);
    if (count <= 0) return rows;
    for (const IniFile::Entry& entry : ini.Entries(section)) {
        const std::optional<std::int32_t> index = RowIndex(entry.name);
        const std::string_view keyText = ProfileStringValue(entry.value);
        if (index && *index < count && !keyText.empty()) rows.emplace_back(*index, keyText);
    }
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    return rows;
}

WindowBounds ReadBounds(const IniFile& ini, std::string_view prefix) {
    const WindowBounds defaults;
    const auto read = [&](std::string_view name, std::int32_t defaultValue) {
        return ini.ReadInteger(kWindowsPosition, std::string(prefix) + std::string(name),
                               defaultValue);
    };
    WindowBounds bounds;
    bounds.left = read("Left", defaults.left);
    bounds.top = read("Top", defaults.top);
    bounds.width = read("Width", defaults.width);
    bounds.height = read("Height", defaults.height);
    return bounds;
}

void WriteBounds(IniFile& ini, std::string_view prefix, const WindowBounds& bounds) {
    const auto write = [&](std::string_view name, std::int32_t value) {
        ini.WriteInteger(kWindowsPosition, std::string(prefix) + std::string(name), value);
    };
    write("Left", bounds.left);
    write("Top", bounds.top);
    write("Width", bounds.width);
    write("Height", bounds.height);
}

// The file's text, or nothing when it cannot be read or is not text.
std::optional<std::string> ReadText(Files& files, const AnsiCodePage& ansi,
                                    const std::string& path) {
    const std::optional<std::string> bytes = ReadWhenFree(files, path);
    if (!bytes) return std::nullopt;
    return DecodeSettingsFile(*bytes, ansi);
}

std::string UnableToWrite(const std::string& path) { return "Unable to write to " + path; }

}  // namespace

std::string OpenSettingsFile(Files& files, bool& firstRun) {
    const std::string appData = files.AppDataFolder();
    // Without an application-data folder the settings would land in the root
    // of the current drive; the executable's folder is the one fallback.
    std::string folder =
        appData.empty() ? std::string() : WithBackslash(appData) + std::string(kSettingsFolder);
    if (folder.empty() || (!files.DirectoryExists(folder) && !files.CreateDirectories(folder)))
        folder = WithBackslash(files.ExecutableFolder());
    std::string path = folder + std::string(kSettingsFileName);
    firstRun = !files.FileExists(path);
    return path;
}

void LoadSettings(Files& files, const AnsiCodePage& ansi, Settings& settings,
                  FavouritesList& list) {
    const std::string path = OpenSettingsFile(files, settings.firstRun);
    settings.path = path;
    std::optional<std::string> text;
    if (!settings.firstRun) text = ReadText(files, ansi, path);
    settings.unreadAtLoad = !settings.firstRun && !text;
    const IniFile ini(std::move(text).value_or(std::string()));

    settings.autoCopyEnabled = ini.ReadBoolean(kCopy, "Enable", false);
    for (const auto& [index, keyText] : StoredRows(ini, kRegistryList)) {
        std::string comment = ini.ReadString(kCommentList, std::to_string(index), {});
        list.Append({std::string(keyText), std::move(comment)});
    }
    settings.recentPaths.Clear();
    for (const auto& [index, recentPath] : StoredRows(ini, kRecentList))
        settings.recentPaths.AppendStored(
            {std::string(recentPath),
             ini.ReadBoolean(kRecentList, kRecentValuePrefix + std::to_string(index), false)});
    // A file without them (one of an earlier version, or none) gets the defaults.
    settings.jumpFromClipboardHotkey =
        ini.ReadString(kHotkeys, "JumpFromClipboard", kDefaultJumpHotkey);
    settings.showWindowHotkey = ini.ReadString(kHotkeys, "ShowWindow", kDefaultShowHotkey);
    settings.savedWindowBounds = ReadBounds(ini, "");
    settings.savedMaximized = ini.ReadBoolean(kWindowsPosition, "Maximized", false);
    settings.savedNormalBounds = ReadBounds(ini, "Normal");
}

std::optional<std::string> SaveSettings(Files& files, const AnsiCodePage& ansi, Settings& settings,
                                        const FavouritesList& list,
                                        const WindowBounds& currentBounds, bool maximized) {
    // Its library is loaded only now: nothing before the first save needs it.
    files.EndBrowserSession();
    const std::string path = OpenSettingsFile(files, settings.firstRun);
    std::optional<std::string> text;
    if (!settings.firstRun) {
        // Writing over a file that cannot be read would lose whatever else
        // it holds; over one that could not be read at start-up, the rows
        // it holds, which the list never had.
        if (settings.unreadAtLoad) return UnableToWrite(path);
        text = ReadText(files, ansi, path);
        if (!text) return UnableToWrite(path);
    }
    IniFile ini(std::move(text).value_or(std::string()));

    ini.WriteBoolean(kCopy, "Enable", settings.autoCopyEnabled);
    ini.WriteInteger(kRegistryList, "Count", list.Count());
    // Present even with no rows, so a new file always has all four sections.
    ini.AddSection(kCommentList);
    for (int i = 0; i < list.Count(); ++i) {
        const std::string key = std::to_string(i);
        ini.WriteString(kRegistryList, key, list.Row(i).keyText);
        ini.WriteString(kCommentList, key, list.Row(i).comment);
    }
    // A file that never had recent jumps keeps its four sections.
    // The recent paths are the program's alone: their section holds exactly
    // the paths there are, so that a cleared list leaves none behind.
    const std::vector<RecentPath>& recent = settings.recentPaths.Paths();
    if (!recent.empty() || !ini.Entries(kRecentList).empty()) {
        std::vector<std::string> stale;
        for (const IniFile::Entry& entry : ini.Entries(kRecentList)) stale.emplace_back(entry.name);
        for (const std::string& name : stale) ini.Remove(kRecentList, name);
        ini.WriteInteger(kRecentList, "Count", static_cast<std::int32_t>(recent.size()));
        for (std::size_t i = 0; i < recent.size(); ++i) {
            ini.WriteString(kRecentList, std::to_string(i), recent[i].path);
            if (recent[i].value) ini.WriteBoolean(kRecentList, kRecentValuePrefix + std::to_string(i), true);
        }
    }
    // Like the recent paths, the hotkeys' section is written once there is
    // something in it to keep: the defaults need none.
    if (!ini.Entries(kHotkeys).empty() || settings.jumpFromClipboardHotkey != kDefaultJumpHotkey ||
        settings.showWindowHotkey != kDefaultShowHotkey) {
        ini.WriteString(kHotkeys, "JumpFromClipboard", settings.jumpFromClipboardHotkey);
        ini.WriteString(kHotkeys, "ShowWindow", settings.showWindowHotkey);
    }
    WriteBounds(ini, "", currentBounds);
    ini.WriteBoolean(kWindowsPosition, "Maximized", maximized);
    WriteBounds(ini, "Normal", settings.savedNormalBounds);

    // The whole text goes in one write that replaces the old file only when
    // it succeeded, so a failed save leaves the previous settings intact; a
    // file another program holds for a moment is waited for.
    if (!ReplaceWhenFree(files, path, EncodeSettingsFile(ini.Serialize(), ansi)))
        return UnableToWrite(path);
    return std::nullopt;
}

}  // namespace ks
