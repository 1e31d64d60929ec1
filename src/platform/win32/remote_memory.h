#pragma once
// Memory inside another process, for the control messages whose arguments
// are pointers (a tree item's text, a list item's state): the record and its
// text buffer must live in the process that owns the control.
#include <windows.h>

#include <cstddef>

#include "platform/win32/owned_handle.h"

namespace ks {

class RemoteMemory {
public:
    // Opens the process that owns `window` and reserves `size` bytes in it.
    RemoteMemory(HWND window, std::size_t size);
    // Whether memory can be had in the process that owns `window`: it can
    // be opened for reading and writing, and its pointers are as wide as ours.
    static bool Reachable(HWND window);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    // False when the process could not be opened or the memory reserved,
    // or when its pointers are not as wide as ours (the records would not
    // match its layout).
    bool Ready() const noexcept { return address_ != nullptr; }
    void* Address(std::size_t offset = 0) const noexcept {
        return static_cast<char*>(address_) + offset;
    }
    [[nodiscard]] bool Write(std::size_t offset, const void* data, std::size_t size) const;
    [[nodiscard]] bool Read(std::size_t offset, void* data, std::size_t size) const;

private:
    KernelHandle process_;
    void* address_ = nullptr;
};

}  // namespace ks
