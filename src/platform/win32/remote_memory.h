#pragma once
// Memory inside another process, for the control messages whose arguments
// are pointers (a tree item's text, a list item's state): the record and its
// text buffer must live in the process that owns the control.
#include <windows.h>

#include <cstddef>
#include <memory>

#include "platform/process_memory.h"
#include "platform/win32/owned_handle.h"

namespace ks {

class RemoteMemory final : public ProcessMemory {
public:
    // `size` bytes in the process that owns `window`; null when it cannot be
    // opened for its memory, the memory cannot be reserved, or its pointers
    // are not as wide as ours (the records would not match its layout).
    static std::unique_ptr<RemoteMemory> Reserve(HWND window, std::size_t size);
    // Whether memory can be had in the process that owns `window`.
    static bool Reachable(HWND window);
    ~RemoteMemory() override;
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    std::uintptr_t Address() const noexcept override {
        return reinterpret_cast<std::uintptr_t>(address_);
    }
    [[nodiscard]] bool Write(std::size_t offset, const void* data, std::size_t size) override;
    [[nodiscard]] bool Read(std::uintptr_t address, void* data, std::size_t size) override;

private:
    RemoteMemory(KernelHandle process, void* address)
        : process_(std::move(process)), address_(address) {}
    KernelHandle process_;
    void* address_;
};

}  // namespace ks
