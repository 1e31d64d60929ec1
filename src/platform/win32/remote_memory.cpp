#include "platform/win32/remote_memory.h"

namespace ks {
namespace {

constexpr DWORD kMemoryAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                PROCESS_QUERY_LIMITED_INFORMATION;

bool IsWow64(HANDLE process) {
    BOOL wow64 = FALSE;
    return IsWow64Process(process, &wow64) && wow64;
}

// The process behind `window`, opened for its memory, when its records would
// have our layout; nothing otherwise.
KernelHandle OpenSameWidthProcess(HWND window) {
    DWORD processId = 0;
    if (!GetWindowThreadProcessId(window, &processId) || !processId) return {};
    KernelHandle process(OpenProcess(kMemoryAccess, FALSE, processId));
    if (!process || IsWow64(process.Get()) != IsWow64(GetCurrentProcess())) return {};
    return process;
}

}  // namespace

bool RemoteMemory::Reachable(HWND window) { return static_cast<bool>(OpenSameWidthProcess(window)); }

RemoteMemory::RemoteMemory(HWND window, std::size_t size) : process_(OpenSameWidthProcess(window)) {
    if (!process_) return;
    address_ = VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
    if (address_) VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_.Get(), Address(offset), data, size, &written) &&
           written == size;
}

bool RemoteMemory::Read(std::size_t offset, void* data, std::size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_.Get(), Address(offset), data, size, &read) && read == size;
}

}  // namespace ks
