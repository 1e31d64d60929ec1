#pragma once
// Windows and messages: what the editor driver and the jump's boxes need
// from the window system.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/handles.h"
#include "platform/show_state.h"

namespace ks {

// The keys the editor is driven with.
enum class Key { Left, Right, Down };

// How keystrokes are marked. Windows' controls take them bare; Wine's ignore
// characters that carry no repeat count.
enum class KeystrokeMarking { Bare, RepeatCountOne };

// The program's message boxes.
enum class MessageBoxKind {
    Information,  // an OK button and the information icon
    Warning,      // an OK button and the warning icon
    Offer,        // Yes and No (the default), with the information icon
};

// What became of a message sent to another program's window.
enum class SendResult {
    Delivered,
    Refused,   // the system would not deliver it: the receiver runs with higher rights
    NoAnswer,  // not handled within the bound: the receiver is hung or gone
};

// How this program stands to the program that owns a window.
struct WindowAccess {
    bool higherRights = false;  // it runs at a higher integrity level, known for sure
    bool readable = false;      // its tree and list items can be read and set from here
};

// Bounds of a message to another program: most are handled at once; a key
// expanded in the editor's tree may first read thousands of subkeys.
inline constexpr std::uint32_t kSendTimeout = 5000;
inline constexpr std::uint32_t kSlowSendTimeout = 30000;

using TreeItem = std::uintptr_t;

// Which item of a tree another one leads to: the first root, the next
// sibling, the parent, the first child, or the selected item (whatever the
// item given).
enum class TreeRelation { Root, Next, Parent, Child, Caret };

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // FindWindowW(className, NULL); 0 when there is none.
    virtual Window FindTopWindow(const std::string& className) = 0;

    // EnumChildWindows: visits every descendant of `parent`, each window
    // before its own children, until `visit` returns false.
    virtual void EnumChildWindows(Window parent, const std::function<bool(Window)>& visit) = 0;

    // GetClassNameW into a buffer of 256 characters.
    virtual std::string ClassName(Window window) = 0;

    // Keystrokes for another program's window. Each message waits at most
    // `timeout` ms to be handled, so that a hung receiver cannot hold the
    // caller. A press is the key going down and then up; it ends at the
    // first message not delivered.
    virtual SendResult PressKey(Window window, Key key, KeystrokeMarking marking,
                                std::uint32_t timeout) = 0;
    // One character message carries one UTF-16 unit.
    virtual SendResult TypeCharacter(Window window, char16_t unit, KeystrokeMarking marking,
                                     std::uint32_t timeout) = 0;

    // Another program's window is shown without waiting for it to answer.
    virtual void ShowWindow(Window window, ShowState state) = 0;
    virtual bool IsMinimised(Window window) = 0;
    virtual WindowAccess AccessTo(Window window) = 0;
    virtual void SetForegroundWindow(Window window) = 0;

    // A modal message box owned by the application's window. True when the
    // user chose Yes, which only an offer has.
    virtual bool ShowMessageBox(const std::string& text, const std::string& caption,
                                MessageBoxKind kind) = 0;

    // Reading and setting another program's tree and list controls, where
    // AccessTo says they are readable. Every call is bounded like Send (an
    // expansion, which may fill thousands of keys, by kSlowSendTimeout);
    // nothing (or false) means it failed.
    virtual std::optional<TreeItem> TreeNextItem(Window tree, TreeRelation relation,
                                                 TreeItem item) = 0;
    virtual std::optional<std::string> TreeItemText(Window tree, TreeItem item) = 0;
    // The first child of `parent` whose text `matches` accepts: 0 when there
    // is none, nothing when the tree stopped answering. One pass over the
    // children, their texts read through one buffer.
    virtual std::optional<TreeItem> FindTreeChild(
        Window tree, TreeItem parent, const std::function<bool(const std::string&)>& matches) = 0;
    virtual bool TreeExpand(Window tree, TreeItem item) = 0;
    // Selects the item and scrolls it into view.
    virtual bool TreeSelect(Window tree, TreeItem item) = 0;

    virtual std::optional<int> ListItemCount(Window list) = 0;
    // The first selected item, or -1 for none.
    virtual std::optional<int> ListSelectedItem(Window list) = 0;
    virtual std::optional<std::string> ListItemText(Window list, int item) = 0;
    // Selects and focuses the item alone and scrolls it into view.
    virtual bool ListSelect(Window list, int item) = 0;

    // Whether the registry takes two key or value names as one: equal
    // ignoring case, in every script and not only in ASCII.
    virtual bool SameName(const std::string& a, const std::string& b) = 0;
};

}  // namespace ks
