#pragma once
// Process calls passed on to another ProcessControl, so that a bench can
// change one or two of them; and the real calls with the pauses a jump sleeps
// added up: what the keystroke sequence itself requires, to set apart from
// the jump's own work.
#include <cstdint>
#include <string>

#include "platform/win32/win32_process_control.h"

namespace ks::bench {

class PassingProcessControl : public ProcessControl {
public:
    explicit PassingProcessControl(ProcessControl& real) : real_(real) {}

    StartOutcome StartProgram(const ProgramStart& s, ProcessHandle& p) override {
        return real_.StartProgram(s, p);
    }
    void WaitForInputIdle(ProcessHandle p, std::uint32_t ms) override {
        real_.WaitForInputIdle(p, ms);
    }
    void CloseHandle(ProcessHandle p) override { real_.CloseHandle(p); }
    void DisableFsRedirection(void*& v) override { real_.DisableFsRedirection(v); }
    void RevertFsRedirection(void* v) override { real_.RevertFsRedirection(v); }
    std::string WindowsDirectory() override { return real_.WindowsDirectory(); }
    std::uint32_t GetTickCount() override { return real_.GetTickCount(); }
    void Sleep(std::uint32_t ms) override { real_.Sleep(ms); }
    bool IsWine() override { return real_.IsWine(); }
    std::string UserSid() override { return real_.UserSid(); }

private:
    ProcessControl& real_;
};

class CountingProcessControl final : public PassingProcessControl {
public:
    CountingProcessControl() : PassingProcessControl(real_) {}
    std::uint64_t slept = 0;  // milliseconds

    void Sleep(std::uint32_t ms) override {
        slept += ms;
        PassingProcessControl::Sleep(ms);
    }

private:
    Win32ProcessControl real_;
};

}  // namespace ks::bench
