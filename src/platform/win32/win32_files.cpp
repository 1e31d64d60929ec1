#include "platform/win32/win32_files.h"

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/owned_handle.h"
#include "platform/win32/wide_strings.h"

namespace ks {
namespace {

// Far beyond any settings file this program writes; a larger file is not
// read, so that a stray huge file cannot exhaust a 32-bit process.
constexpr std::uint64_t kMaxReadBytes = 128u * 1024u * 1024u;

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }

// Another program's open handle shows as one of these, whichever call meets it.
FileOutcome OutcomeOfLastError() {
    switch (GetLastError()) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
        return FileOutcome::Held;
    default:
        return FileOutcome::Failed;
    }
}

bool WriteAll(HANDLE file, const std::string& contents) {
    std::size_t written = 0;
    while (written < contents.size()) {
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(contents.size() - written, 1u << 20));
        DWORD done = 0;
        if (!WriteFile(file, contents.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

}  // namespace

void Win32Files::EndBrowserSession() {
    using SetOption = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, DWORD);
    if (!wininetTried_) {
        wininetTried_ = true;
        wininet_ = LoadSystemLibrary(L"wininet.dll");
    }
    if (const auto setOption = ModuleFunction<SetOption>(wininet_.Get(), "InternetSetOptionA"))
        setOption(nullptr, INTERNET_OPTION_END_BROWSER_SESSION, nullptr, 0);
}

std::string Win32Files::AppDataFolder() {
    // The folder's path directly: the item-ID list of
    // SHGetSpecialFolderLocation is COM memory, and asking for it would load
    // COM at every start.
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(reinterpret_cast<HWND>(owner_), CSIDL_APPDATA, nullptr,
                                SHGFP_TYPE_CURRENT, buffer)))
        return {};
    return Narrow(std::wstring_view(buffer, wcsnlen(buffer, MAX_PATH)));
}

std::string Win32Files::ExecutableFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            const std::string path = Narrow(std::wstring_view(buffer.data(), length));
            const std::size_t slash = path.rfind('\\');
            return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

bool Win32Files::DirectoryExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::CreateDirectories(const std::string& path) {
    // Each parent in turn; the ones that exist already (or are a drive or a
    // share) refuse, and only the final test decides.
    for (std::size_t slash = path.find('\\'); slash != std::string::npos;
         slash = path.find('\\', slash + 1)) {
        if (slash == 0 || path[slash - 1] == ':' || path[slash - 1] == '\\') continue;
        CreateDirectoryW(Wide(path.substr(0, slash)).c_str(), nullptr);
    }
    if (!path.empty() && path.back() != '\\') CreateDirectoryW(Wide(path).c_str(), nullptr);
    return DirectoryExists(path);
}

bool Win32Files::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::IsReadOnly(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

FileRead Win32Files::ReadFile(const std::string& path) {
    FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {OutcomeOfLastError(), {}};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxReadBytes)
        return {};
    FileRead read{FileOutcome::Done, std::string(static_cast<std::size_t>(size.QuadPart), '\0')};
    std::string& contents = read.contents;
    std::size_t done = 0;
    while (done < contents.size()) {
        DWORD got = 0;
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1u << 20));
        if (!::ReadFile(file.Get(), contents.data() + done, chunk, &got, nullptr))
            return {OutcomeOfLastError(), {}};
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    contents.resize(done);
    return read;
}

FileOutcome Win32Files::WriteNewFile(const std::string& path, const std::string& contents) {
    FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return OutcomeOfLastError();
    const bool written = WriteAll(file.Get(), contents) && FlushFileBuffers(file.Get());
    return file.Close() && written ? FileOutcome::Done : FileOutcome::Failed;
}

FileOutcome Win32Files::MoveOver(const std::string& from, const std::string& to) {
    if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FileOutcome::Done;
    return OutcomeOfLastError();
}

FileOutcome Win32Files::Delete(const std::string& path) {
    if (DeleteFileW(Wide(path).c_str())) return FileOutcome::Done;
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileOutcome::Done;
    return OutcomeOfLastError();
}

std::uint32_t Win32Files::Milliseconds() { return GetTickCount(); }

void Win32Files::Pause(std::uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace ks
