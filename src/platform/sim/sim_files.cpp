#include "platform/sim/sim_files.h"

#include <utility>

#include "grammar/ascii.h"

namespace ks::sim {
namespace {

// The form paths are kept under: upper case, no trailing backslash.
std::string Key(std::string_view path) {
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return UpperAscii(path);
}

std::string Parent(const std::string& key) {
    const std::size_t slash = key.rfind('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

void Mark(std::set<std::string>& marked, const std::string& path, bool on) {
    if (on) {
        marked.insert(Key(path));
    } else {
        marked.erase(Key(path));
    }
}

}  // namespace

SimFiles::SimFiles() {
    SetAppDataFolder("C:\\Users\\Ada\\AppData\\Roaming");
    SetExecutableFolder("C:\\Program Files\\Keystride\\");
}

void SimFiles::SetAppDataFolder(std::string folder) {
    if (!folder.empty()) AddDirectory(folder);
    appData_ = std::move(folder);
}

void SimFiles::SetExecutableFolder(std::string folder) {
    AddDirectory(folder);
    executableFolder_ = std::move(folder);
}

void SimFiles::PutFile(const std::string& path, std::string contents) {
    const std::string key = Key(path);
    AddDirectory(Parent(key));
    files_[key] = std::move(contents);
}

void SimFiles::AddDirectory(const std::string& path) {
    for (std::string key = Key(path); !key.empty(); key = Parent(key)) directories_.insert(key);
}

std::optional<std::string> SimFiles::Contents(const std::string& path) const {
    const auto file = files_.find(Key(path));
    if (file == files_.end()) return std::nullopt;
    return file->second;
}

void SimFiles::SetReadOnly(const std::string& path, bool readOnly) {
    Mark(readOnly_, path, readOnly);
}

void SimFiles::SetUnreadable(const std::string& path, bool unreadable) {
    Mark(unreadable_, path, unreadable);
}

bool SimFiles::IsWritable(const std::string& key) const {
    for (std::string at = key; !at.empty(); at = Parent(at))
        if (readOnly_.count(at) != 0) return false;
    return true;
}

void SimFiles::EndBrowserSession() {
    calls_.emplace_back("EndBrowserSession");
    ++browserSessionsEnded_;
}

std::string SimFiles::AppDataFolder() {
    calls_.emplace_back("AppDataFolder");
    return appData_;
}

std::string SimFiles::ExecutableFolder() {
    calls_.emplace_back("ExecutableFolder");
    return executableFolder_;
}

bool SimFiles::DirectoryExists(const std::string& path) {
    calls_.emplace_back("DirectoryExists");
    return directories_.count(Key(path)) != 0;
}

bool SimFiles::CreateDirectories(const std::string& path) {
    calls_.emplace_back("CreateDirectories");
    const std::string key = Key(path);
    if (failCreate_ || key.empty() || files_.count(key) != 0) return false;
    std::string existing = key;
    while (!existing.empty() && directories_.count(existing) == 0) existing = Parent(existing);
    if (existing != key && !IsWritable(existing.empty() ? key : existing)) return false;
    AddDirectory(key);
    return true;
}

bool SimFiles::FileExists(const std::string& path) {
    calls_.emplace_back("FileExists");
    return files_.count(Key(path)) != 0;
}

std::optional<std::string> SimFiles::ReadFile(const std::string& path) {
    calls_.emplace_back("ReadFile");
    ++reads_;
    const std::string key = Key(path);
    if (unreadable_.count(key) != 0) return std::nullopt;
    return Contents(key);
}

bool SimFiles::ReplaceContents(const std::string& path, const std::string& contents) {
    calls_.emplace_back("ReplaceFile");
    ++writes_;
    const std::string key = Key(path);
    if (failReplace_ || !IsWritable(key) || directories_.count(Parent(key)) == 0 ||
        directories_.count(key) != 0)
        return false;
    files_[key] = contents;
    return true;
}

}  // namespace ks::sim
