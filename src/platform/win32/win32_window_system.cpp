#include "platform/win32/win32_window_system.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/integrity_level.h"
#include "platform/win32/remote_memory.h"
#include "platform/win32/show_command.h"
#include "platform/win32/wide_strings.h"

namespace ks {
namespace {

HWND ToHwnd(Window window) { return reinterpret_cast<HWND>(window); }

// A bounded send whose result matters; nothing when it failed or timed out.
// A message to another program's window waits at most `timeout` ms, and not
// at all once the system considers the receiver hung.
std::optional<LRESULT> Query(Window window, UINT message, WPARAM wParam, LPARAM lParam,
                             UINT timeout = kSendTimeout) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG, timeout,
                             &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

// In UTF-16 characters.
constexpr std::size_t kTreeTextCapacity = 1024;    // key names are at most 255 characters
constexpr std::size_t kListTextCapacity = 32768;   // value names at most 16383

// A record of type Item in the control's process, followed by a buffer of
// `textCapacity` UTF-16 characters for the control to fill: the arguments of
// the control messages that take pointers. One serves any number of calls.
template <typename Item>
class RemoteItem {
public:
    RemoteItem(Window control, std::size_t textCapacity)
        : control_(control),
          textCapacity_(textCapacity),
          memory_(ToHwnd(control), sizeof(Item) + textCapacity * sizeof(wchar_t)) {}

    bool Ready() const noexcept { return memory_.Ready(); }

    // Sends `message` with the record; with `text`, the buffer's text is
    // read back into it.
    std::optional<LRESULT> Call(UINT message, WPARAM wParam, Item item,
                                std::string* text = nullptr) const {
        if (!Ready()) return std::nullopt;
        const std::size_t textBytes = textCapacity_ * sizeof(wchar_t);
        if (text) {
            item.pszText = static_cast<LPWSTR>(memory_.Address(sizeof(Item)));
            item.cchTextMax = static_cast<int>(textCapacity_);
            const wchar_t empty = 0;
            if (!memory_.Write(sizeof(Item), &empty, sizeof empty)) return std::nullopt;
        }
        if (!memory_.Write(0, &item, sizeof item)) return std::nullopt;
        const std::optional<LRESULT> result =
            Query(control_, message, wParam, reinterpret_cast<LPARAM>(memory_.Address()));
        if (!result || !text) return result;
        std::wstring wide(textCapacity_, L'\0');
        if (!memory_.Read(sizeof(Item), wide.data(), textBytes)) return std::nullopt;
        const std::size_t end = wide.find(L'\0');
        *text = Narrow(std::wstring_view(wide.data(), end == std::wstring::npos ? textCapacity_ - 1 : end));
        return result;
    }

private:
    Window control_;
    std::size_t textCapacity_;
    RemoteMemory memory_;
};

// One call through a record of its own.
template <typename Item>
std::optional<LRESULT> RemoteItemCall(Window control, UINT message, WPARAM wParam, Item item,
                                      std::string* text = nullptr,
                                      std::size_t textCapacity = 0) {
    return RemoteItem<Item>(control, textCapacity).Call(message, wParam, item, text);
}

std::optional<std::string> TreeText(const RemoteItem<TVITEMW>& remote, TreeItem item) {
    TVITEMW record{};
    record.mask = TVIF_TEXT;
    record.hItem = reinterpret_cast<HTREEITEM>(item);
    std::string text;
    const std::optional<LRESULT> found = remote.Call(TVM_GETITEMW, 0, record, &text);
    if (!found || !*found) return std::nullopt;
    return text;
}

// A bounded send whose only result is whether it was handled. User
// interface privilege isolation drops messages to a process of higher
// integrity and says so; a timeout or a gone window says otherwise.
SendResult Deliver(Window window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeout) {
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutW(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG, timeout,
                            &result))
        return SendResult::Delivered;
    return GetLastError() == ERROR_ACCESS_DENIED ? SendResult::Refused : SendResult::NoAnswer;
}

WPARAM VirtualKey(Key key) noexcept {
    switch (key) {
        case Key::Left:
            return VK_LEFT;
        case Key::Right:
            return VK_RIGHT;
        case Key::Down:
            break;
    }
    return VK_DOWN;
}

// A keystroke's lParam: its repeat count in the low word, no scan code or
// flags.
LPARAM KeystrokeLParam(KeystrokeMarking marking) noexcept {
    return marking == KeystrokeMarking::RepeatCountOne ? 1 : 0;
}

WPARAM TreeNextFlag(TreeRelation relation) noexcept {
    switch (relation) {
        case TreeRelation::Root:
            return TVGN_ROOT;
        case TreeRelation::Next:
            return TVGN_NEXT;
        case TreeRelation::Parent:
            return TVGN_PARENT;
        case TreeRelation::Child:
            return TVGN_CHILD;
        case TreeRelation::Caret:
            break;
    }
    return TVGN_CARET;
}

UINT MessageBoxFlags(MessageBoxKind kind) noexcept {
    switch (kind) {
        case MessageBoxKind::Information:
            return MB_OK | MB_ICONINFORMATION;
        case MessageBoxKind::Warning:
            return MB_OK | MB_ICONWARNING;
        case MessageBoxKind::Offer:
            break;
    }
    return MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2;
}

BOOL CALLBACK VisitChild(HWND window, LPARAM data) {
    const auto& visit = *reinterpret_cast<const std::function<bool(Window)>*>(data);
    return visit(reinterpret_cast<Window>(window)) ? TRUE : FALSE;
}

}  // namespace

Window Win32WindowSystem::FindTopWindow(const std::string& className) {
    return reinterpret_cast<Window>(FindWindowW(Wide(className).c_str(), nullptr));
}

void Win32WindowSystem::EnumChildWindows(Window parent,
                                         const std::function<bool(Window)>& visit) {
    ::EnumChildWindows(ToHwnd(parent), VisitChild, reinterpret_cast<LPARAM>(&visit));
}

std::string Win32WindowSystem::ClassName(Window window) {
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(ToHwnd(window), buffer, 256);
    return Narrow(std::wstring_view(buffer, length > 0 ? static_cast<std::size_t>(length) : 0));
}

SendResult Win32WindowSystem::PressKey(Window window, Key key, KeystrokeMarking marking,
                                       std::uint32_t timeout) {
    const SendResult down =
        Deliver(window, WM_KEYDOWN, VirtualKey(key), KeystrokeLParam(marking), timeout);
    if (down != SendResult::Delivered) return down;
    return Deliver(window, WM_KEYUP, VirtualKey(key), KeystrokeLParam(marking), timeout);
}

SendResult Win32WindowSystem::TypeCharacter(Window window, char16_t unit,
                                            KeystrokeMarking marking, std::uint32_t timeout) {
    return Deliver(window, WM_CHAR, unit, KeystrokeLParam(marking), timeout);
}

void Win32WindowSystem::ShowWindow(Window window, ShowState state) {
    const int command = ShowCommand(state);
    // For another thread's window the call waits, without a bound, for that
    // thread to show it: a stopped editor would hold the jump for good.
    HWND target = ToHwnd(window);
    if (GetWindowThreadProcessId(target, nullptr) == GetCurrentThreadId())
        ::ShowWindow(target, command);
    else
        ShowWindowAsync(target, command);
}

bool Win32WindowSystem::IsMinimised(Window window) { return IsIconic(ToHwnd(window)) != FALSE; }

WindowAccess Win32WindowSystem::AccessTo(Window window) {
    return {.higherRights = OutranksThisProcess(ToHwnd(window)),
            .readable = RemoteMemory::Reachable(ToHwnd(window))};
}

void Win32WindowSystem::SetForegroundWindow(Window window) {
    ::SetForegroundWindow(ToHwnd(window));
}

bool Win32WindowSystem::ShowMessageBox(const std::string& text, const std::string& caption,
                                       MessageBoxKind kind) {
    return MessageBoxW(ToHwnd(owner_), Wide(text).c_str(), Wide(caption).c_str(),
                       MessageBoxFlags(kind)) == IDYES;
}

std::optional<TreeItem> Win32WindowSystem::TreeNextItem(Window tree, TreeRelation relation,
                                                        TreeItem item) {
    const std::optional<LRESULT> next =
        Query(tree, TVM_GETNEXTITEM, TreeNextFlag(relation), static_cast<LPARAM>(item));
    if (!next) return std::nullopt;
    return static_cast<TreeItem>(*next);
}

std::optional<std::string> Win32WindowSystem::TreeItemText(Window tree, TreeItem item) {
    return TreeText(RemoteItem<TVITEMW>(tree, kTreeTextCapacity), item);
}

std::optional<TreeItem> Win32WindowSystem::FindTreeChild(
    Window tree, TreeItem parent, const std::function<bool(const std::string&)>& matches) {
    // Keys may have thousands of subkeys: one buffer in the tree's process
    // serves them all, instead of one reserved and freed for each.
    const RemoteItem<TVITEMW> remote(tree, kTreeTextCapacity);
    if (!remote.Ready()) return std::nullopt;
    std::optional<LRESULT> child =
        Query(tree, TVM_GETNEXTITEM, TVGN_CHILD, static_cast<LPARAM>(parent));
    while (child && *child) {
        const auto item = static_cast<TreeItem>(*child);
        const std::optional<std::string> text = TreeText(remote, item);
        if (!text) return std::nullopt;
        if (matches(*text)) return item;
        child = Query(tree, TVM_GETNEXTITEM, TVGN_NEXT, static_cast<LPARAM>(item));
    }
    if (!child) return std::nullopt;
    return TreeItem{0};
}

bool Win32WindowSystem::TreeExpand(Window tree, TreeItem item) {
    // The result says whether anything changed, not whether it worked.
    return Query(tree, TVM_EXPAND, TVE_EXPAND, static_cast<LPARAM>(item), kSlowSendTimeout)
        .has_value();
}

bool Win32WindowSystem::TreeSelect(Window tree, TreeItem item) {
    const std::optional<LRESULT> selected =
        Query(tree, TVM_SELECTITEM, TVGN_CARET, static_cast<LPARAM>(item));
    if (!selected || !*selected) return false;
    return Query(tree, TVM_ENSUREVISIBLE, 0, static_cast<LPARAM>(item)).has_value();
}

std::optional<int> Win32WindowSystem::ListItemCount(Window list) {
    const std::optional<LRESULT> count = Query(list, LVM_GETITEMCOUNT, 0, 0);
    if (!count) return std::nullopt;
    return static_cast<int>(*count);
}

std::optional<int> Win32WindowSystem::ListSelectedItem(Window list) {
    const std::optional<LRESULT> item =
        Query(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (!item) return std::nullopt;
    return static_cast<int>(*item);
}

std::optional<std::string> Win32WindowSystem::ListItemText(Window list, int item) {
    LVITEMW record{};
    record.iSubItem = 0;
    std::string text;
    if (!RemoteItemCall(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), record, &text,
                        kListTextCapacity))
        return std::nullopt;
    return text;
}

bool Win32WindowSystem::ListSelect(Window list, int item) {
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    clear.state = 0;
    const std::optional<LRESULT> cleared =
        RemoteItemCall(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), clear);
    if (!cleared || !*cleared) return false;
    LVITEMW select{};
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    const std::optional<LRESULT> selected =
        RemoteItemCall(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), select);
    if (!selected || !*selected) return false;
    return Query(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE).has_value();
}

bool Win32WindowSystem::SameName(const std::string& a, const std::string& b) {
    const std::wstring wideA = Wide(a);
    const std::wstring wideB = Wide(b);
    // The registry's own rule: ordinal, each character upper-cased alone.
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace ks
