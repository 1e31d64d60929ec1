#include "platform/win32/remote_memory.h"

namespace ks {
namespace {

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

}  // namespace

RemoteMemory::RemoteMemory(HWND window, std::size_t size) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId) || !processId) return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                               PROCESS_QUERY_LIMITED_INFORMATION,
                           FALSE, processId);
    if (!process_) return;
    if (IsWow64(process_) != IsWow64(GetCurrentProcess())) return;
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
}

bool RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, Address(offset), data, size, &written) && written == size;
}

bool RemoteMemory::Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, Address(offset), data, size, &read) && read == size;
}

}  // namespace ks
