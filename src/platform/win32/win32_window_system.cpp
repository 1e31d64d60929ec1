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

// A message to another program's window waits at most `timeout` ms, and
// not at all once the system considers the receiver hung. User interface
// privilege isolation drops messages to a process of higher integrity and
// says so; a timeout or a gone window says otherwise.
SendAnswer SendBounded(Window window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeout) {
    DWORD_PTR result = 0;
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutW(ToHwnd(window), message, wParam, lParam, SMTO_ABORTIFHUNG, timeout,
                            &result))
        return {SendResult::Delivered, static_cast<std::intptr_t>(result)};
    return {GetLastError() == ERROR_ACCESS_DENIED ? SendResult::Refused : SendResult::NoAnswer, 0};
}

SendResult Deliver(Window window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeout) {
    return SendBounded(window, message, wParam, lParam, timeout).result;
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

UINT MessageBoxFlags(MessageBoxKind kind) noexcept {
    switch (kind) {
        case MessageBoxKind::Information:
            return MB_OK | MB_ICONINFORMATION;
        case MessageBoxKind::Warning:
            return MB_OK | MB_ICONWARNING;
        case MessageBoxKind::Offer:
            return MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2;
        case MessageBoxKind::WarningOffer:
            break;
    }
    return MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
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

std::optional<std::size_t> Win32WindowSystem::ShowChoices(const std::string& text,
                                                          const std::string& caption,
                                                          const std::vector<std::string>& choices) {
    using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);
    // Only version 6 of the common controls has task dialogs, and only a
    // program whose manifest asks for it gets that version.
    const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    const auto taskDialog = controls ? reinterpret_cast<TaskDialogIndirectFn>(reinterpret_cast<void*>(
                                           GetProcAddress(controls, "TaskDialogIndirect")))
                                     : nullptr;
    if (!taskDialog) {
        if (choices.empty()) return std::nullopt;
        const bool yes = ShowMessageBox(text + "\r\n" + choices.front() + "?", caption,
                                        MessageBoxKind::Offer);
        return yes ? std::optional<std::size_t>(0) : std::nullopt;
    }
    constexpr int kFirstChoice = 1001;
    std::vector<std::wstring> labels;
    for (const std::string& choice : choices) labels.push_back(Wide(choice));
    std::vector<TASKDIALOG_BUTTON> buttons;
    for (std::size_t i = 0; i < labels.size(); ++i)
        buttons.push_back({kFirstChoice + static_cast<int>(i), labels[i].c_str()});
    const std::wstring title = Wide(caption);
    const std::wstring content = Wide(text);
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof config;
    config.hwndParent = ToHwnd(owner_);
    config.dwFlags = TDF_USE_COMMAND_LINKS | TDF_ALLOW_DIALOG_CANCELLATION;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = title.c_str();
    config.pszMainIcon = TD_INFORMATION_ICON;
    config.pszContent = content.c_str();
    config.cButtons = static_cast<UINT>(buttons.size());
    config.pButtons = buttons.data();
    config.nDefaultButton = IDCANCEL;
    int pressed = IDCANCEL;
    if (FAILED(taskDialog(&config, &pressed, nullptr, nullptr))) return std::nullopt;
    const int chosen = pressed - kFirstChoice;
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= choices.size()) return std::nullopt;
    return static_cast<std::size_t>(chosen);
}

SendAnswer Win32WindowSystem::Send(Window window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::uint32_t timeout) {
    return SendBounded(window, message, wParam, lParam, timeout);
}

std::uint32_t Win32WindowSystem::Style(Window window) {
    return static_cast<std::uint32_t>(GetWindowLongPtrW(ToHwnd(window), GWL_STYLE));
}

std::unique_ptr<ProcessMemory> Win32WindowSystem::ReserveMemoryIn(Window window,
                                                                  std::size_t size) {
    return RemoteMemory::Reserve(ToHwnd(window), size);
}

bool Win32WindowSystem::FocusControl(Window top, Window control) {
    HWND editor = ToHwnd(top);
    HWND pane = ToHwnd(control);
    ::SetForegroundWindow(editor);
    // The focus is per thread: set from the editor's thread's input state,
    // shared for the moment. Refused for a thread of higher rights.
    const DWORD theirs = GetWindowThreadProcessId(pane, nullptr);
    const DWORD ours = GetCurrentThreadId();
    if (!theirs) return false;
    if (theirs != ours && !AttachThreadInput(ours, theirs, TRUE)) return false;
    SetFocus(pane);
    if (theirs != ours) AttachThreadInput(ours, theirs, FALSE);
    GUITHREADINFO state{};
    state.cbSize = sizeof state;
    return GetGUIThreadInfo(theirs, &state) && state.hwndFocus == pane;
}

bool Win32WindowSystem::SameName(const std::string& a, const std::string& b) {
    const std::wstring wideA = Wide(a);
    const std::wstring wideB = Wide(b);
    // The registry's own rule: ordinal, each character upper-cased alone.
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace ks
