#pragma once
// Process start, clock and sleep.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace ks {

// What ShellExecuteExW is given, its texts in UTF-16, to start a program.
// Every field the caller does not set stays zero, as in a zero-filled
// SHELLEXECUTEINFOW.
struct ProgramStart {
    std::uint32_t mask = 0;  // fMask
    std::string verb;        // lpVerb
    std::string file;        // lpFile
    int show = 0;            // nShow
};

inline constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x40;
inline constexpr std::uint32_t kSeeMaskFlagNoUi = 0x400;

class ProcessControl {
public:
    virtual ~ProcessControl() = default;

    // ShellExecuteExW. True on success, with `process` set when the mask
    // asked for the process handle.
    virtual bool StartProgram(const ProgramStart& start, ProcessHandle& process) = 0;
    virtual void WaitForInputIdle(ProcessHandle process, std::uint32_t milliseconds) = 0;
    virtual void CloseHandle(ProcessHandle process) = 0;

    // Wow64DisableWow64FsRedirection / Wow64RevertWow64FsRedirection.
    virtual void DisableFsRedirection(void*& oldValue) = 0;
    virtual void RevertFsRedirection(void* oldValue) = 0;

    // GetWindowsDirectoryW, without a trailing backslash; empty on failure.
    virtual std::string WindowsDirectory() = 0;

    virtual std::uint32_t GetTickCount() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    // True when the program runs under Wine (ntdll exports wine_get_version).
    virtual bool IsWine() = 0;
};

}  // namespace ks
