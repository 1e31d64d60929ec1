#include "platform/sim/sim_world.h"

#include <algorithm>
#include <iterator>

#include "grammar/ascii.h"

namespace ks::sim {

namespace {
constexpr long kErrorInvalidHandle = 6;

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    // A trailing backslash names the same key, as the registry takes it.
    if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
    if (parts.size() == 1 && parts.front().empty()) parts.clear();
    return parts;
}
}  // namespace

std::vector<Event> World::EventsOf(const std::string& call) const {
    std::vector<Event> result;
    std::copy_if(log.begin(), log.end(), std::back_inserter(result),
                 [&](const Event& e) { return e.call == call; });
    return result;
}

std::vector<Event> World::Sent(std::uint32_t message) const {
    std::vector<Event> result;
    std::copy_if(log.begin(), log.end(), std::back_inserter(result),
                 [&](const Event& e) { return e.call == "Send" && e.wParam == message; });
    return result;
}

std::vector<Event> World::Keystrokes() const {
    std::vector<Event> result;
    std::copy_if(log.begin(), log.end(), std::back_inserter(result),
                 [](const Event& e) { return e.call == "KeyPress" || e.call == "Character"; });
    return result;
}

// --- registry --------------------------------------------------------------

SimRegistry::Node* SimRegistry::Find(RegKey root, const std::string& path, bool create) {
    auto rootIt = roots_.find(root);
    if (rootIt == roots_.end()) {
        if (!create) return nullptr;
        rootIt = roots_.emplace(root, Node{}).first;
    }
    Node* node = &rootIt->second;
    for (const std::string& part : SplitPath(path)) {
        if (part.empty()) return nullptr;  // two backslashes in a row
        const std::string name = FoldName(part);
        auto it = node->children.find(name);
        if (it == node->children.end()) {
            if (!create) return nullptr;
            it = node->children.emplace(name, Node{}).first;
            it->second.name = part;
        }
        node = &it->second;
    }
    return node;
}

void SimRegistry::Node::AddValueName(const std::string& valueName) {
    if (!HasValue(valueName)) values.emplace_back(FoldName(valueName), valueName);
}

bool SimRegistry::Node::HasValue(const std::string& valueName) const {
    const std::string folded = FoldName(valueName);
    return std::any_of(values.begin(), values.end(),
                       [&](const auto& value) { return value.first == folded; });
}

void SimRegistry::AddKey(RegKey root, const std::string& path) { Find(root, path, true); }

void SimRegistry::AddTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                               const std::string& data) {
    Node* node = Find(root, keyPath, true);
    node->AddValueName(name);
    node->textValues.emplace_back(name, data);
}

const SimRegistry::Node* SimRegistry::OpenNode(RegKey key) const {
    const auto it = open_.find(key);
    return it == open_.end() ? nullptr : it->second;
}

std::vector<std::pair<std::string, std::string>> SimRegistry::TextValues(RegKey key) {
    world_.Record({.call = "RegEnumValue", .handle = key});
    const Node* node = OpenNode(key);
    return node ? node->textValues : std::vector<std::pair<std::string, std::string>>{};
}

// Keys are enumerated by folded name, as the registry keeps them; values in
// the order they were added.
long SimRegistry::SubkeyName(RegKey key, std::uint32_t index, std::string& name) {
    world_.Record({.call = "RegEnumKey", .handle = key, .wParam = index});
    const Node* node = OpenNode(key);
    if (!node) return kErrorInvalidHandle;
    if (index >= node->children.size()) return kErrorNoMoreItems;
    name = std::next(node->children.begin(), static_cast<std::ptrdiff_t>(index))->second.name;
    return kErrorSuccess;
}

long SimRegistry::ValueName(RegKey key, std::uint32_t index, std::string& name) {
    world_.Record({.call = "RegEnumValue", .handle = key, .wParam = index});
    const Node* node = OpenNode(key);
    if (!node) return kErrorInvalidHandle;
    if (index >= node->values.size()) return kErrorNoMoreItems;
    name = node->values[index].second;
    return kErrorSuccess;
}

void SimRegistry::AddValue(RegKey root, const std::string& keyPath, const std::string& name) {
    Find(root, keyPath, true)->AddValueName(name);
}

void SimRegistry::DenyOpen(RegKey root, const std::string& path) {
    Find(root, path, true)->denyOpen = true;
}

long SimRegistry::OpenKey(RegKey root, const std::string& subKey, KeyAccess access,
                          RegKey& key) {
    world_.Record({.call = "RegOpenKey", .handle = root, .wParam = Code(access), .text = subKey});
    if (!subKey.empty() && subKey.front() == '\\') return kErrorFileNotFound;
    Node* node = Find(root, subKey, false);
    if (!node) return kErrorFileNotFound;
    if (node->denyOpen) return kErrorAccessDenied;
    key = nextHandle_++;
    open_[key] = node;
    return kErrorSuccess;
}

long SimRegistry::QueryValue(RegKey key, const std::string& name) {
    world_.Record({.call = "RegQueryValue", .handle = key, .text = name});
    const Node* node = OpenNode(key);
    if (!node) return kErrorInvalidHandle;
    return node->HasValue(name) ? kErrorSuccess : kErrorFileNotFound;
}

long SimRegistry::ValueCount(RegKey key, std::uint32_t& values) {
    world_.Record({.call = "RegQueryInfoKey", .handle = key});
    const Node* node = OpenNode(key);
    if (!node) return kErrorInvalidHandle;
    values = static_cast<std::uint32_t>(node->values.size());
    return kErrorSuccess;
}

void SimRegistry::AddNumberValue(RegKey root, const std::string& keyPath, const std::string& name,
                                 std::uint32_t number) {
    Node* node = Find(root, keyPath, true);
    node->AddValueName(name);
    node->numbers[FoldName(name)] = number;
}

long SimRegistry::NumberValue(RegKey key, const std::string& name, std::uint32_t& number) {
    world_.Record({.call = "RegQueryValue", .handle = key, .text = name});
    const Node* node = OpenNode(key);
    if (!node) return kErrorInvalidHandle;
    const auto it = node->numbers.find(FoldName(name));
    if (it == node->numbers.end()) return kErrorFileNotFound;
    number = it->second;
    return kErrorSuccess;
}

long SimRegistry::SetTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                               const std::string& data) {
    world_.Record({.call = "RegSetValue", .handle = root, .text = keyPath + "|" + name + "|" + data});
    Node* node = Find(root, keyPath, true);
    if (!node) return kErrorFileNotFound;
    node->AddValueName(name);
    const std::string folded = FoldName(name);
    std::erase_if(node->textValues, [&](const auto& value) { return FoldName(value.first) == folded; });
    node->textValues.emplace_back(name, data);
    return kErrorSuccess;
}

long SimRegistry::DeleteValue(RegKey root, const std::string& keyPath, const std::string& name) {
    world_.Record({.call = "RegDeleteValue", .handle = root, .text = keyPath + "|" + name});
    Node* node = Find(root, keyPath, false);
    if (!node || !node->HasValue(name)) return kErrorFileNotFound;
    const std::string folded = FoldName(name);
    std::erase_if(node->values, [&](const auto& value) { return value.first == folded; });
    std::erase_if(node->textValues, [&](const auto& value) { return FoldName(value.first) == folded; });
    node->numbers.erase(folded);
    return kErrorSuccess;
}

long SimRegistry::DeleteKey(RegKey root, const std::string& keyPath) {
    world_.Record({.call = "RegDeleteKey", .handle = root, .text = keyPath});
    const std::size_t cut = keyPath.rfind('\\');
    Node* parent = Find(root, cut == std::string::npos ? "" : keyPath.substr(0, cut), false);
    Node* node = Find(root, keyPath, false);
    if (!parent || !node || keyPath.empty()) return kErrorFileNotFound;
    if (!node->children.empty()) return kErrorAccessDenied;  // as RegDeleteKeyExW answers
    parent->children.erase(FoldName(cut == std::string::npos ? keyPath : keyPath.substr(cut + 1)));
    return kErrorSuccess;
}

std::optional<std::string> SimRegistry::TextOf(RegKey root, const std::string& keyPath,
                                               const std::string& name) {
    const Node* node = Find(root, keyPath, false);
    if (!node) return std::nullopt;
    for (const auto& [valueName, data] : node->textValues)
        if (FoldName(valueName) == FoldName(name)) return data;
    return std::nullopt;
}

long SimRegistry::CloseKey(RegKey key) {
    world_.Record({.call = "RegCloseKey", .handle = key});
    return open_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

// --- windows ---------------------------------------------------------------

Window SimWindowSystem::AddWindow(Window parent, const std::string& className,
                                  std::uint32_t appearsAt) {
    const Window handle = nextHandle_++;
    windows_[handle] = SimWindow{parent, className, appearsAt, {}};
    if (parent)
        windows_.at(parent).children.push_back(handle);
    else
        topWindows_.push_back(handle);
    return handle;
}

bool SimWindowSystem::Exists(Window window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.appearsAt <= world_.now;
}

Window SimWindowSystem::FindTopWindow(const std::string& className) {
    world_.Record({.call = "FindWindow", .text = className});
    for (Window top : topWindows_)
        if (Exists(top) && EqualsIgnoringAsciiCase(windows_.at(top).className, className))
            return top;
    return 0;
}

bool SimWindowSystem::Walk(Window parent, const std::function<bool(Window)>& visit) {
    // Copy: a visitor may add windows while the walk runs.
    const std::vector<Window> children = windows_.at(parent).children;
    for (Window child : children) {
        if (!visit(child)) return false;
        if (!Walk(child, visit)) return false;
    }
    return true;
}

void SimWindowSystem::EnumChildWindows(Window parent, const std::function<bool(Window)>& visit) {
    world_.Record({.call = "EnumChildWindows", .handle = parent});
    if (Exists(parent)) Walk(parent, visit);
}

std::string SimWindowSystem::ClassName(Window window) {
    if (!Exists(window)) return {};
    return windows_.at(window).className.substr(0, 255);
}

SendResult SimWindowSystem::Deliver(Event event, std::uint32_t timeout) {
    const Window window = event.handle;
    event.text = std::to_string(timeout);
    world_.Record(std::move(event));
    if (!Exists(window)) return SendResult::NoAnswer;
    if (refusing_.count(window)) return SendResult::Refused;
    if (unresponsive_.count(window)) {
        world_.now += timeout;
        return SendResult::NoAnswer;
    }
    return SendResult::Delivered;
}

SendResult SimWindowSystem::PressKey(Window window, Key key, KeystrokeMarking marking,
                                     std::uint32_t timeout) {
    return Deliver({.call = "KeyPress", .handle = window, .wParam = Code(key),
                    .lParam = static_cast<std::intptr_t>(Code(marking))},
                   timeout);
}

SendResult SimWindowSystem::TypeCharacter(Window window, char16_t unit, KeystrokeMarking marking,
                                          std::uint32_t timeout) {
    return Deliver({.call = "Character", .handle = window, .wParam = unit,
                    .lParam = static_cast<std::intptr_t>(Code(marking))},
                   timeout);
}

void SimWindowSystem::ShowWindow(Window window, ShowState state) {
    world_.Record({.call = "ShowWindow", .handle = window, .wParam = Code(state)});
    if (state == ShowState::Restored) minimised_[window] = false;
}

WindowAccess SimWindowSystem::AccessTo(Window window) {
    world_.Record({.call = "AccessTo", .handle = window});
    return AccessOf(window);
}

void SimWindowSystem::SetForegroundWindow(Window window) {
    world_.Record({.call = "SetForegroundWindow", .handle = window});
    if (Exists(window)) foreground_ = window;
}

bool SimWindowSystem::ShowMessageBox(const std::string& text, const std::string& caption,
                                     MessageBoxKind kind) {
    world_.Record({.call = "MessageBox", .wParam = Code(kind), .text = caption + "|" + text});
    return (kind == MessageBoxKind::Offer || kind == MessageBoxKind::WarningOffer) && answersYes;
}

std::optional<std::size_t> SimWindowSystem::ShowChoices(const std::string& text,
                                                        const std::string& caption,
                                                        const std::vector<std::string>& choices) {
    std::string shown = caption + "|" + text;
    for (const std::string& choice : choices) shown += "|" + choice;
    world_.Record({.call = "ChoiceBox", .wParam = choices.size(), .text = shown});
    if (choiceAnswer && *choiceAnswer >= choices.size()) return std::nullopt;
    return choiceAnswer;
}

// --- processes and clock ---------------------------------------------------

StartOutcome SimProcessControl::StartProgram(const ProgramStart& start, ProcessHandle& process) {
    world_.Record({.call = "ShellExecuteEx", .text = start.verb + "|" + start.file});
    starts.push_back(start);
    if (userDeclines) return StartOutcome::Declined;
    if (!onStart(start)) return StartOutcome::Failed;
    process = 0x4242;
    ++openProcesses_;
    return StartOutcome::Started;
}

void SimProcessControl::WaitForInputIdle(ProcessHandle process, std::uint32_t milliseconds) {
    world_.Record({.call = "WaitForInputIdle", .handle = process, .wParam = milliseconds});
}

void SimProcessControl::CloseHandle(ProcessHandle process) {
    world_.Record({.call = "CloseHandle", .handle = process});
    --openProcesses_;
}

void SimProcessControl::DisableFsRedirection(void*& oldValue) {
    world_.Record({.call = "Wow64DisableFsRedirection"});
    oldValue = reinterpret_cast<void*>(0x77);
}

void SimProcessControl::RevertFsRedirection(void* oldValue) {
    world_.Record({.call = "Wow64RevertFsRedirection",
                   .wParam = reinterpret_cast<std::uintptr_t>(oldValue)});
}

std::uint32_t SimProcessControl::GetTickCount() { return world_.now; }

void SimProcessControl::Sleep(std::uint32_t milliseconds) {
    world_.Record({.call = "Sleep", .wParam = milliseconds});
    world_.now += milliseconds;
}

}  // namespace ks::sim
