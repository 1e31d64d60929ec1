#pragma once
// One owner for every kind of Win32 handle: each kind names how it is freed,
// and, where it is not null, which value stands for none.
#include <windows.h>

#include <type_traits>
#include <utility>

namespace ks {

// Owns one handle and frees it the way its kind is freed.
template <typename Handle, typename Free>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != None(); }
    void Reset(Handle handle = None()) noexcept {
        if (*this) Free{}(handle_);
        handle_ = handle;
    }
    // For a call that hands a new handle out through a pointer.
    Handle* Out() noexcept {
        Reset();
        return &handle_;
    }
    // Gives the handle up without freeing it, to whoever takes it over.
    [[nodiscard]] Handle Release() noexcept { return std::exchange(handle_, None()); }
    // Frees the handle now, for a kind whose freeing can fail and must be
    // known to: true when it was freed (or there was none).
    [[nodiscard]] bool Close() noexcept
        requires std::is_same_v<std::invoke_result_t<Free, Handle>, bool>
    {
        return !*this || Free{}(Release());
    }

    static Handle None() noexcept {
        if constexpr (requires { Free::None(); })
            return Free::None();
        else
            return nullptr;
    }

private:
    Handle handle_ = None();
};

struct CloseKernelHandle {
    bool operator()(HANDLE handle) const noexcept { return CloseHandle(handle) != FALSE; }
};
using KernelHandle = OwnedHandle<HANDLE, CloseKernelHandle>;

// An open file: CreateFile says "none" with INVALID_HANDLE_VALUE.
struct CloseFileHandle : CloseKernelHandle {
    static HANDLE None() noexcept { return INVALID_HANDLE_VALUE; }
};
using FileHandle = OwnedHandle<HANDLE, CloseFileHandle>;

struct FreeGlobalMemory {
    void operator()(HGLOBAL memory) const noexcept { GlobalFree(memory); }
};
using GlobalMemory = OwnedHandle<HGLOBAL, FreeGlobalMemory>;

// A lock on global memory, held for the owner's life.
struct UnlockGlobalMemory {
    void operator()(HGLOBAL memory) const noexcept { GlobalUnlock(memory); }
};
using GlobalMemoryLock = OwnedHandle<HGLOBAL, UnlockGlobalMemory>;

}  // namespace ks
