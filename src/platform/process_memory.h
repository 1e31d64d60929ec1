#pragma once
// Memory reserved inside another program's process, for the control
// messages whose arguments are pointers: the record and its text buffer
// must live in the process that owns the control. Freed with the object.
#include <cstddef>
#include <cstdint>

namespace ks {

class ProcessMemory {
public:
    virtual ~ProcessMemory() = default;

    // Where the reserved block starts, as that process sees it.
    virtual std::uintptr_t Address() const noexcept = 0;
    [[nodiscard]] virtual bool Write(std::size_t offset, const void* data, std::size_t size) = 0;
    // Reads from anywhere in that process, not only from the block: a
    // control may answer with a pointer into memory of its own.
    [[nodiscard]] virtual bool Read(std::uintptr_t address, void* data, std::size_t size) = 0;
};

}  // namespace ks
