#pragma once
// Folders and settings files.
#include <cstdint>
#include <optional>
#include <string>

namespace ks {

// What became of a file operation. `Held`: another program has the file
// open without sharing it (an antivirus scanner, the search indexer, a
// synchronised profile folder): ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION
// and ERROR_ACCESS_DENIED, which Windows gives for a file being replaced or
// deleted while it is open.
enum class FileOutcome { Done, Held, Failed };

struct FileRead {
    FileOutcome outcome = FileOutcome::Failed;
    std::string contents;  // the whole file when Done
};

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
    // The file is marked read-only.
    virtual bool IsReadOnly(const std::string& path) = 0;

    // The whole file; Failed when it does not exist or cannot be read.
    virtual FileRead ReadFile(const std::string& path) = 0;

    // Creates the file, or empties one that is there, and writes the whole
    // of it through to the disk.
    virtual FileOutcome WriteNewFile(const std::string& path, const std::string& contents) = 0;

    // Puts the file `from` in the place of `to` in one step, replacing it
    // (MoveFileEx with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    virtual FileOutcome MoveOver(const std::string& from, const std::string& to) = 0;

    // Done also when there was no such file.
    virtual FileOutcome Delete(const std::string& path) = 0;

    // The clock and the pause of the waits for a file another program holds.
    virtual std::uint32_t Milliseconds() = 0;
    virtual void Pause(std::uint32_t milliseconds) = 0;
};

}  // namespace ks
