#pragma once
// Folders and settings files.
#include <optional>
#include <string>

namespace ks {

class Files {
public:
    virtual ~Files() = default;

    // InternetSetOptionA(NULL, INTERNET_OPTION_END_BROWSER_SESSION, NULL, 0).
    virtual void EndBrowserSession() = 0;

    // The per-user application-data folder (CSIDL_APPDATA) as the shell
    // reports it, or empty when it cannot be determined.
    virtual std::string AppDataFolder() = 0;

    // The executable's folder, ending in a backslash.
    virtual std::string ExecutableFolder() = 0;

    virtual bool DirectoryExists(const std::string& path) = 0;
    // Creates the folder and every missing parent.
    virtual bool CreateDirectories(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;

    // The whole file, or nothing when it does not exist or cannot be read.
    virtual std::optional<std::string> ReadFile(const std::string& path) = 0;

    // Writes the whole file beside the old one and then puts it in its
    // place, so that a failed or interrupted write leaves the old file as
    // it was. False when anything failed, and for a file marked read-only.
    virtual bool ReplaceContents(const std::string& path, const std::string& contents) = 0;
};

}  // namespace ks
