// keystride-jump: jumps to one registry path from the command line, exactly
// as the program's Jump button does, boxes included, so a jump can be tried
// and scripted without the window. Exit code: 0 landed, 1 not found, 2 the
// editor could not be brought there (also after the nearest key was taken);
// 3 for a wrong command line.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "platform/win32/wide_strings.h"

#include "jump/jump_messages.h"
#include "jump/jump_resolution.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"

namespace {

// The path as given, in any script: the narrow argv holds only what the
// ANSI code page can say.
bool WideArgument(std::string& path) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return false;
    const bool one = count == 2;
    if (one) path = ks::Narrow(arguments[1]);
    LocalFree(arguments);
    return one;
}

}  // namespace

int main() {
    std::string path;
    if (!WideArgument(path)) {
        std::fprintf(stderr, "usage: keystride-jump <registry path>\n"
                             "  for example: keystride-jump HKLM\\SOFTWARE\\Microsoft\n");
        return 3;
    }
    // The shell may use COM to start the editor.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ks::Win32Registry registry;
    ks::Win32WindowSystem windows;
    ks::Win32ProcessControl processes;
    const ks::JumpOutcome outcome = ks::JumpAndReport({registry, windows, processes}, path);
    if (SUCCEEDED(com)) CoUninitialize();
    if (ks::HasLanded(outcome.result)) return 0;
    return ks::NamesNothingHere(outcome.result) ? 1 : 2;
}
