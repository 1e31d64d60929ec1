#include "platform/win32/win32_window_system.h"

#include <windows.h>
#include <commctrl.h>

#include "grammar/wide_text.h"
#include "platform/win32/integrity_level.h"
#include "platform/win32/remote_memory.h"

namespace ks {
namespace {

HWND ToHwnd(Window window) { return reinterpret_cast<HWND>(window); }

std::wstring Wide(const std::string& text) {
    const std::u16string wide = ToUtf16(text);
    return std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size());
}

std::string Narrow(const wchar_t* text, std::size_t length) {
    return FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

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

// Sends `message` with a record of type Item that lives in the control's
// process. With `text`, a buffer of `textCapacity` UTF-16 characters follows
// the record for the control to fill, and its text is read back.
template <typename Item>
std::optional<LRESULT> RemoteItemCall(Window control, UINT message, WPARAM wParam, Item item,
                                      std::string* text = nullptr,
                                      std::size_t textCapacity = 0) {
    const std::size_t textBytes = textCapacity * sizeof(wchar_t);
    RemoteMemory memory(ToHwnd(control), sizeof(Item) + textBytes);
    if (!memory.Ready()) return std::nullopt;
    if (text) {
        item.pszText = static_cast<LPWSTR>(memory.Address(sizeof(Item)));
        item.cchTextMax = static_cast<int>(textCapacity);
        const wchar_t empty = 0;
        if (!memory.Write(sizeof(Item), &empty, sizeof empty)) return std::nullopt;
    }
    if (!memory.Write(0, &item, sizeof item)) return std::nullopt;
    const std::optional<LRESULT> result =
        Query(control, message, wParam, reinterpret_cast<LPARAM>(memory.Address()));
    if (!result || !text) return result;
    std::wstring wide(textCapacity, L'\0');
    if (!memory.Read(sizeof(Item), wide.data(), textBytes)) return std::nullopt;
    const std::size_t end = wide.find(L'\0');
    *text = Narrow(wide.data(), end == std::wstring::npos ? textCapacity - 1 : end);
    return result;
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
    return Narrow(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

SendResult Win32WindowSystem::Send(Window window, unsigned message, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::uint32_t timeout) {
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutW(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG, timeout,
                            &result))
        return SendResult::Delivered;
    // User interface privilege isolation drops messages to a process of
    // higher integrity and says so; a timeout or a gone window says otherwise.
    return GetLastError() == ERROR_ACCESS_DENIED ? SendResult::Refused : SendResult::NoAnswer;
}

void Win32WindowSystem::ShowWindow(Window window, int command) {
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

int Win32WindowSystem::ShowMessageBox(const std::string& text, const std::string& caption,
                                  unsigned flags) {
    return MessageBoxW(ToHwnd(owner_), Wide(text).c_str(), Wide(caption).c_str(), flags);
}

std::optional<TreeItem> Win32WindowSystem::TreeNextItem(Window tree, TreeRelation relation,
                                                        TreeItem item) {
    const std::optional<LRESULT> next = Query(tree, TVM_GETNEXTITEM,
                                              static_cast<WPARAM>(relation),
                                              static_cast<LPARAM>(item));
    if (!next) return std::nullopt;
    return static_cast<TreeItem>(*next);
}

std::optional<std::string> Win32WindowSystem::TreeItemText(Window tree, TreeItem item) {
    TVITEMW record{};
    record.mask = TVIF_TEXT;
    record.hItem = reinterpret_cast<HTREEITEM>(item);
    std::string text;
    const std::optional<LRESULT> found =
        RemoteItemCall(tree, TVM_GETITEMW, 0, record, &text, kTreeTextCapacity);
    if (!found || !*found) return std::nullopt;
    return text;
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
