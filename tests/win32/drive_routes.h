#pragma once
// The real platform with one fact taken otherwise, so that each of the
// driver's routes can be run here, under Wine, against real controls.
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_window_system.h"

namespace ks::test {

// The editor taken as unreadable: the drive is its keystrokes alone, as
// where the landing cannot be read back.
class KeystrokesOnlyWindows : public Win32WindowSystem {
public:
    WindowAccess AccessTo(Window window) override {
        WindowAccess access = Win32WindowSystem::AccessTo(window);
        access.readable = false;
        return access;
    }
};

// The platform taken as Windows: the keystrokes go out as they do there,
// lParam 0 and 10 ms pauses, and the landing is read back afterwards.
class AsOnWindowsProcesses : public Win32ProcessControl {
public:
    bool IsWine() override { return false; }
};

}  // namespace ks::test
