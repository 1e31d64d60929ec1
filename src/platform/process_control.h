#pragma once
// Process start, clock and sleep.
#include <cstdint>
#include <string>

#include "platform/handles.h"
#include "platform/show_state.h"

namespace ks {

// A program to start through the shell: the verb and file it is given, how
// its window is shown, and what the caller asks besides. Nothing else is
// given: no owner window, parameters or folder.
struct ProgramStart {
    std::string verb;
    std::string file;
    ShowState show = ShowState::Hidden;
    bool keepProcess = false;  // the started process's handle comes back
    bool quiet = false;        // a failed start puts up no box of the shell's own
    bool operator==(const ProgramStart&) const = default;
};

// How a start through the shell ended. Declined: the system asked the user
// (the consent prompt of a program that runs as administrator) and was told
// No (ERROR_CANCELLED).
enum class StartOutcome { Started, Failed, Declined };

class ProcessControl {
public:
    virtual ~ProcessControl() = default;

    // ShellExecuteExW, the texts in UTF-16; `process` is set on a start that
    // asked to keep it.
    virtual StartOutcome StartProgram(const ProgramStart& start, ProcessHandle& process) = 0;
    virtual void WaitForInputIdle(ProcessHandle process, std::uint32_t milliseconds) = 0;
    virtual void CloseHandle(ProcessHandle process) = 0;

    // Wow64DisableWow64FsRedirection / Wow64RevertWow64FsRedirection; what
    // StartProgram loads of the system's is loaded before, with it on.
    virtual void DisableFsRedirection(void*& oldValue) = 0;
    virtual void RevertFsRedirection(void* oldValue) = 0;

    // GetWindowsDirectoryW, without a trailing backslash; empty on failure.
    virtual std::string WindowsDirectory() = 0;

    virtual std::uint32_t GetTickCount() = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    // True when the program runs under Wine (ntdll exports wine_get_version).
    virtual bool IsWine() = 0;

    // The signed-in user's security identifier in its string form
    // ("S-1-5-21-..."), as HKEY_USERS names the user's hive; empty when it
    // cannot be read.
    virtual std::string UserSid() = 0;
};

}  // namespace ks
