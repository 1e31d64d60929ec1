#include "ui/elevated_restart.h"

#include <sddl.h>
#include <shellapi.h>

#include "platform/win32/owned_handle.h"
#include "ui/rules/command_line.h"
#include "ui/this_program.h"
#include "ui/window_text.h"

namespace ks::ui {
namespace {

// The session's own namespace, as the single-instance mutex.
constexpr wchar_t kTakeOverEvent[] = L"Local\\Korvel Keystride take-over";
// Starting a Keystride and reading its settings takes far less.
constexpr DWORD kTakeOverWaitMs = 30000;
constexpr DWORD kWindowGoneWaitMs = 10000;

// The event may be signalled by the copy as administrator also when it runs
// under another account (an administrator's name and password typed at the
// consent prompt), which the default security would shut out: the user,
// the system and the administrators may wait on it and set it.
constexpr wchar_t kTakeOverEventSecurity[] = L"D:(A;;GA;;;OW)(A;;GA;;;SY)(A;;0x00100002;;;BA)";

// A security descriptor made by ConvertStringSecurityDescriptorToSecurityDescriptorW.
class LocalSecurityDescriptor {
public:
    explicit LocalSecurityDescriptor(const wchar_t* sddl) noexcept {
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor_,
                                                             nullptr);
    }
    ~LocalSecurityDescriptor() {
        if (descriptor_) LocalFree(descriptor_);
    }
    LocalSecurityDescriptor(const LocalSecurityDescriptor&) = delete;
    LocalSecurityDescriptor& operator=(const LocalSecurityDescriptor&) = delete;
    PSECURITY_DESCRIPTOR Get() const noexcept { return descriptor_; }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

struct ElevatedProcess {
    KernelHandle process;
    bool cancelled = false;
};

// `program` (keystride.exe when empty) with `arguments`, through the
// consent prompt.
ElevatedProcess StartElevated(HWND owner, const std::string& arguments,
                              const std::string& programPath = {}) {
    const std::wstring program = programPath.empty() ? ThisProgram() : Wide(programPath);
    const std::wstring parameters = Wide(arguments);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"runas";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    ElevatedProcess started;
    if (program.empty()) return started;
    if (!ShellExecuteExW(&info)) {
        started.cancelled = GetLastError() == ERROR_CANCELLED;
        return started;
    }
    started.process.Reset(info.hProcess);
    return started;
}

}  // namespace

HandOver HandOverToElevatedCopy(HWND owner, const std::string& path, const std::string& program) {
    const LocalSecurityDescriptor security(kTakeOverEventSecurity);
    if (!security.Get()) return HandOver::Failed;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security.Get(), FALSE};
    const KernelHandle tookOver(CreateEventW(&attributes, FALSE, FALSE, kTakeOverEvent));
    if (!tookOver) return HandOver::Failed;
    const ElevatedProcess started = StartElevated(owner, TakeOverArguments(path), program);
    if (started.cancelled) return HandOver::Cancelled;
    if (!started.process) return HandOver::Failed;
    // Whichever comes first: the new copy's word, or its end without one.
    const HANDLE waited[] = {tookOver.Get(), started.process.Get()};
    const DWORD woken = WaitForMultipleObjects(2, waited, FALSE, kTakeOverWaitMs);
    return woken == WAIT_OBJECT_0 ? HandOver::Done : HandOver::Failed;
}

void TakeOverFromRunningCopy(const char* mainWindowClass) {
    const KernelHandle tookOver(OpenEventW(EVENT_MODIFY_STATE, FALSE, kTakeOverEvent));
    if (tookOver) SetEvent(tookOver.Get());
    const std::wstring className = Wide(mainWindowClass);
    const ULONGLONG start = GetTickCount64();
    while (FindWindowW(className.c_str(), nullptr) && GetTickCount64() - start < kWindowGoneWaitMs)
        Sleep(20);
}

std::optional<int> JumpAgainAsAdministrator(const std::string& path) {
    const ElevatedProcess started = StartElevated(nullptr, QuotedArgument(path));
    if (!started.process) return std::nullopt;
    // The copy's jump ends by itself or with an answer to its box, which the
    // user sees in front.
    WaitForSingleObject(started.process.Get(), INFINITE);
    DWORD code = 0;
    if (!GetExitCodeProcess(started.process.Get(), &code)) return std::nullopt;
    return static_cast<int>(code);
}

bool Is32BitBuildOn64BitWindows() noexcept {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace ks::ui
