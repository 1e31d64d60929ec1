#pragma once
#include "platform/process_control.h"

namespace ks {

class Win32ProcessControl : public ProcessControl {
public:
    StartOutcome StartProgram(const ProgramStart& start, ProcessHandle& process) override;
    void WaitForInputIdle(ProcessHandle process, std::uint32_t milliseconds) override;
    void CloseHandle(ProcessHandle process) override;
    void DisableFsRedirection(void*& oldValue) override;
    void RevertFsRedirection(void* oldValue) override;
    std::string WindowsDirectory() override;
    std::uint32_t GetTickCount() override;
    void Sleep(std::uint32_t milliseconds) override;
    bool IsWine() override;
    std::string UserSid() override;
};

}  // namespace ks
