#pragma once
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/win32/system_library.h"

namespace ks {

class Win32Files final : public Files {
public:
    // `owner` is the window the shell may use as parent when it asks where
    // the application-data folder is.
    explicit Win32Files(Window owner = 0) noexcept : owner_(owner) {}

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
    std::uint32_t Milliseconds() override;
    void Pause(std::uint32_t milliseconds) override;

private:
    Window owner_;
    // wininet, loaded at the first save: only the browser-session call
    // needs it, and it brings the network libraries with it.
    LibraryModule wininet_;
    bool wininetTried_ = false;
};

}  // namespace ks
