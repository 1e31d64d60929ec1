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

bool SimFiles::IsReadOnly(const std::string& path) {
    calls_.emplace_back("IsReadOnly");
    return readOnly_.count(Key(path)) != 0;
}

void SimFiles::HoldFile(const std::string& path, std::uint32_t forMs) {
    heldUntil_[Key(path)] = now_ + forMs;
}

void SimFiles::ScriptMoves(std::deque<FileOutcome> outcomes,
                           std::optional<FileOutcome> thereafter) {
    movesScripted_ = std::move(outcomes);
    movesThereafter_ = thereafter;
}

bool SimFiles::IsHeld(const std::string& key) const {
    const auto held = heldUntil_.find(key);
    return held != heldUntil_.end() && now_ < held->second;
}

FileRead SimFiles::ReadFile(const std::string& path) {
    calls_.emplace_back("ReadFile");
    ++reads_;
    const std::string key = Key(path);
    if (IsHeld(key)) return {FileOutcome::Held, {}};
    if (unreadable_.count(key) != 0) return {};
    const std::optional<std::string> contents = Contents(key);
    if (!contents) return {};
    return {FileOutcome::Done, *contents};
}

FileOutcome SimFiles::WriteNewFile(const std::string& path, const std::string& contents) {
    calls_.emplace_back("WriteNewFile");
    ++writes_;
    const std::string key = Key(path);
    if (IsHeld(key)) return FileOutcome::Held;
    if (!IsWritable(key) || directories_.count(Parent(key)) == 0 || directories_.count(key) != 0)
        return FileOutcome::Failed;
    files_[key] = contents;
    return FileOutcome::Done;
}

FileOutcome SimFiles::MoveOver(const std::string& from, const std::string& to) {
    calls_.emplace_back("MoveOver");
    std::optional<FileOutcome> scripted = movesThereafter_;
    if (!movesScripted_.empty()) {
        scripted = movesScripted_.front();
        movesScripted_.pop_front();
    }
    if (scripted && *scripted != FileOutcome::Done) return *scripted;
    const std::string source = Key(from);
    const std::string target = Key(to);
    if (IsHeld(source) || IsHeld(target)) return FileOutcome::Held;
    if (failReplace_ || files_.count(source) == 0 || !IsWritable(target) ||
        directories_.count(Parent(target)) == 0 || directories_.count(target) != 0)
        return FileOutcome::Failed;
    files_[target] = std::move(files_[source]);
    files_.erase(source);
    return FileOutcome::Done;
}

FileOutcome SimFiles::Delete(const std::string& path) {
    calls_.emplace_back("Delete");
    const std::string key = Key(path);
    if (IsHeld(key)) return FileOutcome::Held;
    if (files_.count(key) != 0 && !IsWritable(Parent(key))) return FileOutcome::Failed;
    files_.erase(key);
    return FileOutcome::Done;
}

void SimFiles::Pause(std::uint32_t milliseconds) {
    calls_.emplace_back("Pause");
    now_ += milliseconds;
}

}  // namespace ks::sim
