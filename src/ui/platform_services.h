#pragma once
// The platform services of the program's windows, made once for the
// program's life and handed to the windows that use them.
#include "platform/handles.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"

namespace ks::ui {

struct PlatformServices {
    // `owner` owns the boxes, dialogs and clipboard the services open (the
    // application's window).
    explicit PlatformServices(Window owner) noexcept
        : files(owner), windows(owner), clipboard(owner) {}

    Win32Files files;
    Win32AnsiCodePage ansiCodePage;
    Win32Registry registry;
    Win32WindowSystem windows;
    Win32ProcessControl processes;
    Win32Clipboard clipboard;
};

}  // namespace ks::ui
