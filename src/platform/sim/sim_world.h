#pragma once
// A simulated platform for the native tests: a virtual clock, an in-memory
// registry, a window system that records every call with its time, and a
// process starter. All of them write into one ordered event log, so a test
// can check a whole call sequence, pauses included.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "grammar/registry_case.h"
#include "platform/process_control.h"
#include "platform/registry.h"
#include "platform/window_system.h"

namespace ks::sim {

// How an event records one of the platform's enumerations.
template <typename Enum>
constexpr std::uintptr_t Code(Enum value) noexcept {
    return static_cast<std::uintptr_t>(value);
}

struct Event {
    std::uint32_t time = 0;
    std::string call;  // "KeyPress", "Character", "Sleep", "ShowWindow", "RegOpenKey", ...
    std::uintptr_t handle = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::string text;
    bool operator==(const Event&) const = default;
};

class World;

class SimRegistry final : public Registry {
public:
    explicit SimRegistry(World& world) : world_(world) {}

    // Adds a key and all its missing parents. Names match as FoldName says,
    // and are enumerated in the order of their folded names.
    void AddKey(RegKey root, const std::string& path);
    void AddValue(RegKey root, const std::string& keyPath, const std::string& name);
    // A text value with its data; text values keep the order they were added in.
    void AddTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                      const std::string& data);
    // A REG_DWORD value.
    void AddNumberValue(RegKey root, const std::string& keyPath, const std::string& name,
                        std::uint32_t number);
    // The key exists, but its security lets nobody here open it.
    void DenyOpen(RegKey root, const std::string& path);

    long OpenKey(RegKey root, const std::string& subKey, KeyAccess access,
                 RegKey& key) override;
    long QueryValue(RegKey key, const std::string& name) override;
    long CloseKey(RegKey key) override;
    long ValueCount(RegKey key, std::uint32_t& values) override;
    long NumberValue(RegKey key, const std::string& name, std::uint32_t& number) override;
    long SetTextValue(RegKey root, const std::string& keyPath, const std::string& name,
                      const std::string& data) override;
    long DeleteValue(RegKey root, const std::string& keyPath, const std::string& name) override;
    long DeleteKey(RegKey root, const std::string& keyPath) override;
    // Whether the key is there (none of the calls above is recorded).
    bool HasKey(RegKey root, const std::string& keyPath) { return Find(root, keyPath, false); }
    std::optional<std::string> TextOf(RegKey root, const std::string& keyPath,
                                      const std::string& name);
    std::vector<std::pair<std::string, std::string>> TextValues(RegKey key) override;
    long SubkeyName(RegKey key, std::uint32_t index, std::string& name) override;
    long ValueName(RegKey key, std::uint32_t index, std::string& name) override;

    int OpenHandleCount() const noexcept { return static_cast<int>(open_.size()); }

private:
    struct Node {
        std::string name;                            // as first added
        std::map<std::string, Node> children;        // keyed by folded name
        // Folded name and name as added, in the order added (the registry's
        // order for values).
        std::vector<std::pair<std::string, std::string>> values;
        void AddValueName(const std::string& valueName);
        bool HasValue(const std::string& valueName) const;
        std::vector<std::pair<std::string, std::string>> textValues;  // as added
        std::map<std::string, std::uint32_t> numbers;                 // by folded name
        bool denyOpen = false;
    };
    Node* Find(RegKey root, const std::string& path, bool create);
    const Node* OpenNode(RegKey key) const;  // null for a key not open

    World& world_;
    std::map<RegKey, Node> roots_;
    std::map<RegKey, Node*> open_;
    RegKey nextHandle_ = 0x1000;
};

class SimWindowSystem final : public WindowSystem {
public:
    explicit SimWindowSystem(World& world) : world_(world) {}

    // A window of the class; a top window when `parent` is 0. It exists from
    // `appearsAt` on (virtual time).
    Window AddWindow(Window parent, const std::string& className, std::uint32_t appearsAt = 0);
    // Messages to this window fail, as a hung or dead receiver's do.
    void MakeUnresponsive(Window window) { unresponsive_.insert(window); }
    // Messages to this window are refused, as the system refuses those to a
    // process of higher rights; `known` says whether that shows beforehand.
    void MakeRefusing(Window window, bool known) {
        refusing_.insert(window);
        if (known) AccessOf(window).higherRights = true;
    }
    // Its process cannot be read from here (by default every window's can).
    void MakeUnreadable(Window window) { AccessOf(window).readable = false; }
    void SetMinimised(Window window, bool minimised) { minimised_[window] = minimised; }
    // Whether every offer is answered with Yes, and which choice a task
    // dialog's answer is (nothing: Cancel).
    bool answersYes = false;
    std::optional<std::size_t> choiceAnswer;

    // Tree and list contents, read and set through the controls' messages.
    // A tree item's children are offered only once it has been expanded, as
    // the editor fills them on demand.
    TreeItem AddTreeItem(Window tree, TreeItem parent, const std::string& text);
    void SetTreeCaret(Window tree, TreeItem item) { trees_[tree].caret = item; }
    TreeItem TreeCaret(Window tree) { return trees_[tree].caret; }
    void SetListItems(Window list, std::vector<std::string> items, int selected = -1);
    // The list shows its present items until `at` (virtual time), these after.
    void FillListLater(Window list, std::vector<std::string> items, std::uint32_t at);
    int ListSelection(Window list) { return ListAsNow(list).selected; }

    // The editor's habits, one switch each, as the controls' documentation
    // allows them:
    // - the control answers a text request by pointing the record at a
    //   buffer of its own instead of copying into the caller's;
    void AnswerWithOwnText(Window control) { ownText_.insert(control); }
    // - the editor dropped the item's children when it was collapsed; the
    //   item keeps its "expanded once" state, so expanding it again does not
    //   ask the editor to fill it;
    void DropChildren(Window tree, TreeItem item);
    // - selecting an item of the tree fills the list with that item's rows,
    //   `delay` ms later (a message the editor posts to itself);
    void LinkList(Window tree, Window list, std::uint32_t delay);
    void SetItemRows(Window tree, TreeItem item, std::vector<std::string> rows);
    // - a virtual list (LVS_OWNERDATA), whose texts no other program can read.
    void MakeVirtual(Window list) { virtual_.insert(list); }

    // Which window has the keyboard focus, and which is in front.
    Window Focused() const noexcept { return focused_; }
    Window Foreground() const noexcept { return foreground_; }
    // Blocks reserved in other programs' processes and not yet freed.
    int ReservedBlocks() const noexcept;

    Window FindTopWindow(const std::string& className) override;
    void EnumChildWindows(Window parent, const std::function<bool(Window)>& visit) override;
    std::string ClassName(Window window) override;
    SendResult PressKey(Window window, Key key, KeystrokeMarking marking,
                        std::uint32_t timeout) override;
    SendResult TypeCharacter(Window window, char16_t unit, KeystrokeMarking marking,
                             std::uint32_t timeout) override;
    void ShowWindow(Window window, ShowState state) override;
    bool IsMinimised(Window window) override { return minimised_[window]; }
    WindowAccess AccessTo(Window window) override;
    void SetForegroundWindow(Window window) override;
    bool ShowMessageBox(const std::string& text, const std::string& caption,
                        MessageBoxKind kind) override;
    std::optional<std::size_t> ShowChoices(const std::string& text, const std::string& caption,
                                           const std::vector<std::string>& choices) override;

    SendAnswer Send(Window window, std::uint32_t message, std::uintptr_t wParam,
                    std::intptr_t lParam, std::uint32_t timeout) override;
    std::uint32_t Style(Window window) override;
    std::unique_ptr<ProcessMemory> ReserveMemoryIn(Window window, std::size_t size) override;
    bool FocusControl(Window top, Window control) override;
    bool SameName(const std::string& a, const std::string& b) override {
        return FoldName(a) == FoldName(b);
    }

private:
    struct SimTreeItem {
        TreeItem parent = 0;
        std::string text;
        std::vector<TreeItem> children;
        bool filled = false;        // its children are in the control
        bool expandedOnce = false;  // TVIS_EXPANDEDONCE
        std::optional<std::vector<std::string>> rows;  // what the linked list shows for it
    };
    struct SimTree {
        std::map<TreeItem, SimTreeItem> items;
        std::vector<TreeItem> roots;
        TreeItem caret = 0;
        TreeItem nextItem = 0x100;
        Window list = 0;  // filled on selection, after `listDelay`
        std::uint32_t listDelay = 0;
    };
    struct SimList {
        std::vector<std::string> items;
        int selected = -1;
        std::optional<std::vector<std::string>> later;
        std::uint32_t laterAt = 0;
    };
    SimList& ListAsNow(Window list);

    // The simulated address space of the other programs: blocks of whole
    // pages, as the system commits memory; a read or write must stay within
    // one block.
    class AddressSpace {
    public:
        std::uintptr_t Reserve(std::size_t size);
        void Free(std::uintptr_t base) { blocks_.erase(base); }
        bool Write(std::uintptr_t address, const void* data, std::size_t size);
        bool Read(std::uintptr_t address, void* data, std::size_t size) const;
        int Blocks() const noexcept { return static_cast<int>(blocks_.size()); }

    private:
        unsigned char* Span(std::uintptr_t address, std::size_t size);
        std::map<std::uintptr_t, std::vector<unsigned char>> blocks_;
        std::uintptr_t next_ = 0x7f0000000000;
    };
    class SimMemory;
    // The controls' answers (sim_controls.cpp).
    SendAnswer AnswerTree(Window tree, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam);
    // TVM_GETITEMW and TVM_SETITEMW: the record at `lParam` in the editor's memory.
    SendAnswer AnswerTreeItem(Window tree, std::uint32_t message, std::intptr_t lParam);
    SendAnswer AnswerList(Window list, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam);
    // Puts an item's text where a record asks for it (or, for a control that
    // answers with its own buffer, there) and points the record at it.
    template <typename Record>
    bool AnswerText(Window control, Record& record, const std::string& text);
    std::uintptr_t ownTextBlock_ = 0;
    AddressSpace memory_;
    std::set<Window> ownText_;
    std::set<Window> virtual_;
    Window focused_ = 0;
    Window foreground_ = 0;

    // Records a message to another program's window and says what became of it.
    SendResult Deliver(Event event, std::uint32_t timeout);

    struct SimWindow {
        Window parent = 0;
        std::string className;
        std::uint32_t appearsAt = 0;
        std::vector<Window> children;
    };
    bool Exists(Window window) const;
    WindowAccess& AccessOf(Window window) {
        return access_.try_emplace(window, WindowAccess{.readable = true}).first->second;
    }
    bool Walk(Window parent, const std::function<bool(Window)>& visit);

    World& world_;
    std::map<Window, SimWindow> windows_;
    std::vector<Window> topWindows_;
    std::set<Window> unresponsive_;
    std::set<Window> refusing_;
    std::map<Window, WindowAccess> access_;
    std::map<Window, bool> minimised_;
    std::map<Window, SimTree> trees_;
    std::map<Window, SimList> lists_;
    Window nextHandle_ = 0x10000;
};

class SimProcessControl final : public ProcessControl {
public:
    explicit SimProcessControl(World& world) : world_(world) {}

    // What happens when a program is started: return false to fail the start.
    std::function<bool(const ProgramStart&)> onStart = [](const ProgramStart&) { return false; };
    bool userDeclines = false;  // the system's question before a start is answered No
    std::vector<ProgramStart> starts;  // every start asked for, in order
    bool wine = false;
    std::string windowsDirectory = "C:\\windows";
    std::string userSid = "S-1-5-21-1004336348-1177238915-682003330-1001";

    StartOutcome StartProgram(const ProgramStart& start, ProcessHandle& process) override;
    void WaitForInputIdle(ProcessHandle process, std::uint32_t milliseconds) override;
    void CloseHandle(ProcessHandle process) override;
    void DisableFsRedirection(void*& oldValue) override;
    void RevertFsRedirection(void* oldValue) override;
    std::string WindowsDirectory() override { return windowsDirectory; }
    std::uint32_t GetTickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
    bool IsWine() override { return wine; }
    std::string UserSid() override { return userSid; }

    int OpenProcessHandles() const noexcept { return openProcesses_; }

private:
    World& world_;
    int openProcesses_ = 0;
};

class World {
public:
    World() : registry(*this), windows(*this), processes(*this) {}

    std::uint32_t now = 0;
    std::vector<Event> log;

    SimRegistry registry;
    SimWindowSystem windows;
    SimProcessControl processes;

    void Record(Event event) {
        event.time = now;
        log.push_back(std::move(event));
    }
    std::vector<Event> EventsOf(const std::string& call) const;
    // The messages of one kind sent to other programs' windows.
    std::vector<Event> Sent(std::uint32_t message) const;
    // The key presses and characters sent, in order.
    std::vector<Event> Keystrokes() const;
};

}  // namespace ks::sim
