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

std::unique_ptr<RemoteMemory> RemoteMemory::Reserve(HWND window, std::size_t size) {
    KernelHandle process = OpenSameWidthProcess(window);
    if (!process) return nullptr;
    void* address =
        VirtualAllocEx(process.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address) return nullptr;
    return std::unique_ptr<RemoteMemory>(new RemoteMemory(std::move(process), address));
}

RemoteMemory::~RemoteMemory() { VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE); }

bool RemoteMemory::Write(std::size_t offset, const void* data, std::size_t size) {
    SIZE_T written = 0;
    return WriteProcessMemory(process_.Get(), static_cast<char*>(address_) + offset, data, size,
                              &written) &&
           written == size;
}

bool RemoteMemory::Read(std::uintptr_t address, void* data, std::size_t size) {
    SIZE_T read = 0;
    return ReadProcessMemory(process_.Get(), reinterpret_cast<const void*>(address), data, size,
                             &read) &&
           read == size;
}

}  // namespace ks
