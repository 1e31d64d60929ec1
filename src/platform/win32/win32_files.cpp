#include "platform/win32/win32_files.h"

#include <windows.h>
#include <objbase.h>
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
    InternetSetOptionA(nullptr, INTERNET_OPTION_END_BROWSER_SESSION, nullptr, 0);
}

std::string Win32Files::AppDataFolder() {
    TaskMemory<LPITEMIDLIST> list;
    if (FAILED(SHGetSpecialFolderLocation(reinterpret_cast<HWND>(owner_), CSIDL_APPDATA,
                                          list.Out())) ||
        !list.Get())
        return {};
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(list.Get(), buffer)) return {};
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

std::optional<std::string> Win32Files::ReadFile(const std::string& path) {
    FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<std::uint64_t>(size.QuadPart) > kMaxReadBytes)
        return std::nullopt;
    std::string contents(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t read = 0;
    while (read < contents.size()) {
        DWORD done = 0;
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(contents.size() - read, 1u << 20));
        if (!::ReadFile(file.Get(), contents.data() + read, chunk, &done, nullptr))
            return std::nullopt;
        if (done == 0) break;  // the file shrank while being read
        read += done;
    }
    contents.resize(read);
    return contents;
}

bool Win32Files::ReplaceContents(const std::string& path, const std::string& contents) {
    // Windows refuses to put a file in the place of a read-only one; Wine
    // run as root does not, so the file's own mark is looked at first.
    const DWORD attributes = Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    const std::wstring target = Wide(path);
    const std::wstring temporary = target + L".tmp";
    bool written = false;
    {
        FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        written = WriteAll(file.Get(), contents) && FlushFileBuffers(file.Get());
        written = file.Close() && written;
    }
    if (written && MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace ks
