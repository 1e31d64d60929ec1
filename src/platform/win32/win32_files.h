#pragma once
#include "platform/files.h"
#include "platform/handles.h"

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
    std::optional<std::string> ReadFile(const std::string& path) override;
    bool ReplaceContents(const std::string& path, const std::string& contents) override;

private:
    Window owner_;
};

}  // namespace ks
