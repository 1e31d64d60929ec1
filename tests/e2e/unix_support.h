#pragma once
// What Windows calls cannot do to a program under Wine, done through Unix:
// a folder nobody may write to, root included, and a program whose files
// cannot grow past a size, as on a full disk. Wine starts Unix programs as
// it starts Windows ones, from the test's own process.
#include <windows.h>

#include <optional>
#include <string>

#include "e2e/main_window_support.h"
#include "win32/win32_support.h"

namespace ks::test {

// The Unix path of a Windows path, through the Wine layer's own export;
// nothing outside Wine.
inline std::optional<std::string> UnixPath(const std::string& windowsPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return std::nullopt;
    std::wstring wide(windowsPath.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
    if (length <= 0) return std::nullopt;
    char* unix = convert(wide.c_str());
    if (!unix) return std::nullopt;
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

// `text` quoted for a POSIX shell.
inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Starts a Unix shell line through Wine. Wine hands back no usable process
// handle for a Unix program: whoever needs its end must watch for an effect.
inline bool StartUnixShell(const std::string& line) {
    // Windows rules split the command line into the shell's arguments: the
    // line travels as one quoted argument, its quotes and the backslashes
    // before them escaped.
    std::string command = "/bin/sh -c \"";
    std::size_t backslashes = 0;
    for (char c : line) {
        if (c == '"') command.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        command += c;
    }
    command.append(backslashes, '\\');
    command += '"';
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

// Runs a Unix shell line and waits for its exit status; nothing when it
// could not be started or did not end in time.
inline std::optional<int> RunUnixShell(const std::string& line, DWORD timeoutMs = kWaitMs) {
    // The status comes back in a file beside a name reserved for this run;
    // it is written under a third name and renamed, so that a half-written
    // status is never read.
    char folder[MAX_PATH] = {};
    char reserved[MAX_PATH] = {};
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "ks", 0, reserved))
        return std::nullopt;
    const std::string marker = std::string(reserved) + ".status";
    const std::optional<std::string> unixMarker = UnixPath(marker);
    std::optional<int> status;
    if (unixMarker) {
        const std::string quoted = ShellQuoted(*unixMarker);
        if (StartUnixShell("(" + line + ") >/dev/null 2>&1; echo $? > " + quoted +
                           ".new && mv " + quoted + ".new " + quoted) &&
            WaitUntil(
                [&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; },
                timeoutMs)) {
            const std::string text = ReadWholeFile(marker);
            if (!text.empty() && text[0] >= '0' && text[0] <= '9') status = std::stoi(text);
        }
    }
    DeleteFileA(marker.c_str());
    DeleteFileA(reserved);
    return status;
}

// A folder made immutable for the object's life (chattr +i): nothing can be
// created, renamed or deleted in it, not even by root, which Wine's tests
// run as and which no read-only mark stops. Needs the file system's support
// and the right to set the flag; Immutable() says whether it took.
class ImmutableFolder {
public:
    explicit ImmutableFolder(const std::string& folder) {
        const std::optional<std::string> unix = UnixPath(folder);
        if (!unix) return;
        unixPath_ = *unix;
        immutable_ = RunUnixShell("chattr +i " + ShellQuoted(unixPath_)) == 0;
    }
    ~ImmutableFolder() {
        if (immutable_) RunUnixShell("chattr -i " + ShellQuoted(unixPath_));
    }
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;
    bool Immutable() const { return immutable_; }

private:
    std::string unixPath_;
    bool immutable_ = false;
};

// keystride.exe started through a Unix shell that limits the size of every
// file it writes (RLIMIT_FSIZE), the limit a full disk sets: writes past
// `maxFileBytes` fail as they would with no room left. SIGXFSZ is ignored so
// that the write fails instead of the process being killed. Wine knows the
// process only by its window; it is ended when the object goes.
class SizeLimitedKeystride {
public:
    explicit SizeLimitedKeystride(std::size_t maxFileBytes) {
        const std::optional<std::string> program = UnixPath(KS_BUILD_DIR "/keystride.exe");
        available_ = program && RunUnixShell("command -v prlimit") == 0;
        if (!available_ ||
            !StartUnixShell("trap '' XFSZ; w=/usr/lib/wine/wine64; [ -x \"$w\" ] || w=wine; "
                            "exec prlimit --fsize=" + std::to_string(maxFileBytes) + " \"$w\" " +
                            ShellQuoted(*program) + " >/dev/null 2>&1"))
            return;
        WaitUntil([this] {
            main_ = FindWindowA(kMainClass, nullptr);
            return main_ && IsWindowVisible(main_);
        });
        if (!main_) return;
        GetWindowThreadProcessId(main_, &processId_);
        process_ = KernelHandle(OpenProcess(
            SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId_));
    }
    ~SizeLimitedKeystride() {
        if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), kWaitMs);
        }
    }
    SizeLimitedKeystride(const SizeLimitedKeystride&) = delete;
    SizeLimitedKeystride& operator=(const SizeLimitedKeystride&) = delete;

    // Whether the Unix side has what the limit needs (prlimit).
    bool Available() const { return available_; }
    bool Started() const { return static_cast<bool>(process_); }
    HWND Main() const { return main_; }
    DWORD ProcessId() const { return processId_; }
    void Command(int id) const { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    bool Ended(DWORD milliseconds) const {
        return WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0;
    }

private:
    bool available_ = false;
    HWND main_ = nullptr;
    DWORD processId_ = 0;
    KernelHandle process_;
};

}  // namespace ks::test
