#pragma once
// A folder moved out of the way for a run that needs it fresh (a benchmark,
// the demonstration) and put back afterwards: whatever the run left there is
// removed and the user's own folder returns as it was.
#include <windows.h>

#include <string>
#include <utility>

#include "e2e/main_window_support.h"

namespace ks::test {

class FolderSetAside {
public:
    explicit FolderSetAside(std::string folder)
        : folder_(std::move(folder)), saved_(folder_ + ".keystride-saved") {
        // A copy left by a run that died before putting it back may be the
        // only one of the user's settings: neither folder is touched then.
        if (Exists(saved_)) return;
        if (Exists(folder_)) {
            if (!MoveFileA(folder_.c_str(), saved_.c_str())) return;
            moved_ = true;
        }
        ready_ = true;
    }
    ~FolderSetAside() { static_cast<void>(Restore()); }
    FolderSetAside(const FolderSetAside&) = delete;
    FolderSetAside& operator=(const FolderSetAside&) = delete;

    // The folder is out of the way (or was not there) and may be used.
    bool Ready() const { return ready_; }
    const std::string& SavedPath() const { return saved_; }

    // Removes what the run left and moves the saved folder back. Once is
    // enough; later calls (the destructor's) leave the folder alone.
    [[nodiscard]] bool Restore() {
        if (!ready_) return true;
        ready_ = false;
        RemoveTree(folder_);
        if (Exists(folder_)) return false;
        return !moved_ || MoveFileA(saved_.c_str(), folder_.c_str()) != FALSE;
    }

private:
    static bool Exists(const std::string& path) {
        return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string folder_;
    std::string saved_;
    bool moved_ = false;
    bool ready_ = false;
};

}  // namespace ks::test
