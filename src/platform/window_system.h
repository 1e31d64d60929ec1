#pragma once
// Windows and messages: what the editor driver and the jump's boxes need
// from the window system.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/process_memory.h"
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
    WarningOffer, // Yes and No (the default), with the warning icon
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

// What a bounded message to another program's window came to, and the
// receiver's answer when it was handled.
struct SendAnswer {
    SendResult result = SendResult::NoAnswer;
    std::intptr_t value = 0;
    bool Handled() const noexcept { return result == SendResult::Delivered; }
};

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
    // A task dialog owned like the message boxes: the text, then one command
    // link per choice (button IDs 1001, 1002, ... in order), then Cancel,
    // the default. The index of the choice taken; nothing for Cancel.
    virtual std::optional<std::size_t> ShowChoices(const std::string& text,
                                                   const std::string& caption,
                                                   const std::vector<std::string>& choices) = 0;

    // A message to another program's window, waiting at most `timeout` ms
    // for it to be handled (and not at all once the system considers the
    // receiver hung).
    virtual SendAnswer Send(Window window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam, std::uint32_t timeout = kSendTimeout) = 0;
    // GetWindowLongPtrW(GWL_STYLE).
    virtual std::uint32_t Style(Window window) = 0;
    // `size` bytes reserved in the process that owns `window`; null when that
    // process cannot be opened for it, or its pointers are not as wide as
    // ours (its records would not have our layout).
    virtual std::unique_ptr<ProcessMemory> ReserveMemoryIn(Window window, std::size_t size) = 0;

    // Brings another program's top window to the front, active, and gives
    // `control` in it the keyboard focus. This program must be in the
    // foreground (the user just acted in it). True when the focus is there
    // afterwards.
    virtual bool FocusControl(Window top, Window control) = 0;

    // Whether the registry takes two key or value names as one: equal
    // ignoring case, in every script and not only in ASCII.
    virtual bool SameName(const std::string& a, const std::string& b) = 0;
};

}  // namespace ks
