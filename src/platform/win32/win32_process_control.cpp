#include "platform/win32/win32_process_control.h"

#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/owned_handle.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/show_command.h"
#include "platform/win32/wide_strings.h"

// Present in every 64-bit capable kernel32 but missing from the headers.
extern "C" {
WINBASEAPI BOOL WINAPI Wow64DisableWow64FsRedirection(PVOID* oldValue);
WINBASEAPI BOOL WINAPI Wow64RevertWow64FsRedirection(PVOID oldValue);
}

namespace ks {

StartOutcome Win32ProcessControl::StartProgram(const ProgramStart& start, ProcessHandle& process) {
    EnsureComApartment();
    const std::wstring verb = Wide(start.verb);
    const std::wstring file = Wide(start.file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = (start.keepProcess ? SEE_MASK_NOCLOSEPROCESS : 0) |
                 (start.quiet ? SEE_MASK_FLAG_NO_UI : 0);
    info.lpVerb = verb.empty() ? nullptr : verb.c_str();
    info.lpFile = file.c_str();
    info.nShow = ShowCommand(start.show);
    if (!ShellExecuteExW(&info))
        return GetLastError() == ERROR_CANCELLED ? StartOutcome::Declined : StartOutcome::Failed;
    process = reinterpret_cast<ProcessHandle>(info.hProcess);
    return StartOutcome::Started;
}

void Win32ProcessControl::WaitForInputIdle(ProcessHandle process, std::uint32_t milliseconds) {
    if (process) ::WaitForInputIdle(reinterpret_cast<HANDLE>(process), milliseconds);
}

void Win32ProcessControl::CloseHandle(ProcessHandle process) {
    if (process) ::CloseHandle(reinterpret_cast<HANDLE>(process));
}

void Win32ProcessControl::DisableFsRedirection(void*& oldValue) {
    // COM's library is loaded from the system folder; with the redirection
    // off, a 32-bit Keystride would be handed the 64-bit one.
    EnsureComApartment();
    Wow64DisableWow64FsRedirection(&oldValue);
}

void Win32ProcessControl::RevertFsRedirection(void* oldValue) {
    Wow64RevertWow64FsRedirection(oldValue);
}

std::string Win32ProcessControl::WindowsDirectory() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string folder = Narrow(std::wstring_view(buffer, length));
    if (folder.back() == '\\') folder.pop_back();
    return folder;
}

std::uint32_t Win32ProcessControl::GetTickCount() { return ::GetTickCount(); }

void Win32ProcessControl::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::string Win32ProcessControl::UserSid() {
    KernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Out())) return {};
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    if (size < sizeof(TOKEN_USER)) return {};
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) return {};
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return {};
    std::string sid = Narrow(text);
    LocalFree(text);
    return sid;
}

bool Win32ProcessControl::IsWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace ks
