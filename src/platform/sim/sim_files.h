#pragma once
// An in-memory file system for the native tests. Paths use backslashes and
// match ignoring ASCII case, as on Windows; a folder's trailing backslash
// does not matter. Failures are switched on by the test.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace ks::sim {

class SimFiles final : public Files {
public:
    SimFiles();

    // The folders the program is told about; both exist from the start.
    void SetAppDataFolder(std::string folder);
    void SetExecutableFolder(std::string folder);

    // Adds a file, creating its folders.
    void PutFile(const std::string& path, std::string contents);
    void AddDirectory(const std::string& path);
    std::optional<std::string> Contents(const std::string& path) const;

    // Nothing can be written to or created in a read-only file or folder, or
    // anywhere below a read-only folder.
    void SetReadOnly(const std::string& path, bool readOnly = true);
    void SetUnreadable(const std::string& path, bool unreadable = true);
    void FailCreateDirectories(bool fail = true) noexcept { failCreate_ = fail; }
    void FailReplaceFile(bool fail = true) noexcept { failReplace_ = fail; }
    // Another program has the file open without sharing it, for so many
    // milliseconds of the simulated clock from now: reading it, replacing
    // it or deleting it is refused as held meanwhile.
    void HoldFile(const std::string& path, std::uint32_t forMs);
    // The outcomes of the next moves, one each, whatever the files are;
    // after them, `thereafter` for every move, or the files decide when it
    // is nothing.
    void ScriptMoves(std::deque<FileOutcome> outcomes,
                     std::optional<FileOutcome> thereafter = std::nullopt);
    // The simulated clock, which only pauses move on.
    std::uint32_t Now() const noexcept { return now_; }

    int ReadCount() const noexcept { return reads_; }
    int WriteCount() const noexcept { return writes_; }
    int BrowserSessionsEnded() const noexcept { return browserSessionsEnded_; }
    // The names of the interface calls made, in order ("ReadFile", ...).
    const std::vector<std::string>& Calls() const noexcept { return calls_; }
    void ResetCounts() noexcept {
        reads_ = writes_ = browserSessionsEnded_ = 0;
        calls_.clear();
    }

    void EndBrowserSession() override;
    std::string AppDataFolder() override;
    std::string ExecutableFolder() override;
    bool DirectoryExists(const std::string& path) override;
    bool CreateDirectories(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool IsReadOnly(const std::string& path) override;
    FileRead ReadFile(const std::string& path) override;
    FileOutcome WriteNewFile(const std::string& path, const std::string& contents) override;
    FileOutcome MoveOver(const std::string& from, const std::string& to) override;
    FileOutcome Delete(const std::string& path) override;
    std::uint32_t Milliseconds() override { return now_; }
    void Pause(std::uint32_t milliseconds) override;

private:
    bool IsWritable(const std::string& key) const;
    bool IsHeld(const std::string& key) const;

    std::string appData_;
    std::string executableFolder_;
    std::map<std::string, std::string> files_;  // keyed by the normalised path
    std::set<std::string> directories_;
    std::set<std::string> readOnly_;
    std::set<std::string> unreadable_;
    bool failCreate_ = false;
    bool failReplace_ = false;
    std::map<std::string, std::uint32_t> heldUntil_;
    std::deque<FileOutcome> movesScripted_;
    std::optional<FileOutcome> movesThereafter_;
    std::uint32_t now_ = 0;
    int reads_ = 0;
    int writes_ = 0;
    int browserSessionsEnded_ = 0;
    std::vector<std::string> calls_;
};

}  // namespace ks::sim
