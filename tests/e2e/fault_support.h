#pragma once
// What the robustness tests do to the program's surroundings: seeded junk,
// clipboard blocks as another program leaves them, a stopped editor, files
// moved aside. Every change is undone by the object that made it.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "e2e/main_window_support.h"
#include "win32/win32_support.h"

namespace ks::test {

// `size` bytes of junk, the same for the same seed on every machine.
inline std::string SeededBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

// The names in a folder, sorted, without "." and "..".
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Far beyond the one bounded message to the editor (5 s) or its start-up
// poll (3 s) a jump may spend: a jump still running then does not end.
inline constexpr DWORD kJumpBoundMs = 60000;

// A settings file with one favourite, and the row it shows: what a case
// must leave in place.
inline constexpr char kOneFavourite[] =
    "[RegistryList]\r\nCount=1\r\n0=HKCU\\Software\r\n[CommentList]\r\n0=kept\r\n";
inline std::vector<std::pair<std::string, std::string>> OneFavouriteRow() {
    return {{"HKCU\\Software", "kept"}};
}

inline std::string SettingsFile() { return SettingsFolder() + "\\options.ini"; }

// Keystride::Settle with a bound of the caller's own: true once everything
// posted to the program before has been handled.
inline bool SettledWithin(const Keystride& app, DWORD timeoutMs) {
    app.Send(IDC_KEY_BOX, EM_SETMODIFY, FALSE);
    PostMessageA(app.Control(IDC_KEY_BOX), EM_SETMODIFY, TRUE, 0);
    return WaitUntil([&] { return app.Send(IDC_KEY_BOX, EM_GETMODIFY) != 0; }, timeoutMs);
}

// Puts exactly `bytes` on the clipboard as CF_TEXT, with no terminating
// zero added; true when they are there.
inline bool PutClipboardBlock(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return false;
    void* data = GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!WaitUntil([] { return OpenClipboard(nullptr) != FALSE; })) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!set) GlobalFree(block);
    return set;
}

// Keeps another program's thread stopped for the object's life.
class SuspendedThread {
public:
    explicit SuspendedThread(DWORD threadId)
        : thread_(OpenThread(THREAD_SUSPEND_RESUME, FALSE, threadId)) {
        suspended_ = thread_ && SuspendThread(thread_.Get()) != static_cast<DWORD>(-1);
    }
    ~SuspendedThread() {
        if (suspended_) ResumeThread(thread_.Get());
    }
    SuspendedThread(const SuspendedThread&) = delete;
    SuspendedThread& operator=(const SuspendedThread&) = delete;
    bool Suspended() const { return suspended_; }

private:
    KernelHandle thread_;
    bool suspended_ = false;
};

// A file renamed for the object's life, and back afterwards.
class MovedAside {
public:
    MovedAside(std::string path, std::string aside)
        : path_(std::move(path)), aside_(std::move(aside)) {
        moved_ = MoveFileExA(path_.c_str(), aside_.c_str(), 0) != FALSE;
    }
    ~MovedAside() {
        if (moved_) MoveFileExA(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    MovedAside(const MovedAside&) = delete;
    MovedAside& operator=(const MovedAside&) = delete;
    bool Moved() const { return moved_; }

private:
    std::string path_;
    std::string aside_;
    bool moved_ = false;
};

}  // namespace ks::test
