// keystride.exe: the application object, the main window and the message
// loop; or, with a path or -c on the command line, one jump without the
// window, its exit code saying what came of it.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "jump/jump_messages.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_process_control.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_window_system.h"
#include "resource.h"
#include "texts.h"
#include "ui/rules/clipboard_watcher.h"
#include "ui/rules/command_line.h"
#include "ui/rules/link_request.h"
#include "ui/app_window.h"
#include "ui/elevated_restart.h"
#include "ui/main_window.h"
#include "ui/message_loop.h"
#include "ui/platform_services.h"
#include "ui/single_instance.h"
#include "ui/rules/recent_handover.h"
#include "ui/window_text.h"

namespace {

// The program's window, one per user session: a start while Keystride runs
// brings the running window forward and ends without touching the settings;
// a copy started as administrator in a running one's place takes it over
// and jumps.
int RunMainWindow(HINSTANCE instance, const ks::CommandLineRequest& request) {
    ks::ui::SingleInstance instances;
    const bool takeOver = request.kind == ks::CommandLineRequest::Kind::TakeOver;
    if (takeOver)
        ks::ui::TakeOverFromRunningCopy(ks::ui::kMainWindowClass);
    else if (request.kind == ks::CommandLineRequest::Kind::StartInTray && instances.Running())
        return 0;  // started with Windows again: the running one stays as it is
    else if (instances.ActivateRunning())
        return 0;

    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    ks::ui::AppWindow app(instance);
    const auto icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_KEYSTRIDE), IMAGE_ICON, 0, 0,
                   LR_DEFAULTSIZE | LR_SHARED));
    if (!app.Create(KS_TEXT_PRODUCT_NAME, icon)) return 1;

    ks::ui::PlatformServices services(reinterpret_cast<ks::Window>(app.Handle()));
    ks::ui::MainWindow main(app, services);
    if (!main.Create()) return 1;
    if (request.kind == ks::CommandLineRequest::Kind::StartInTray)
        main.StartInTray();
    else
        main.Show();
    instances.EndTurn();
    if (ks::ui::Is32BitBuildOn64BitWindows())
        ks::ui::ShowWarningBox(main.Handle(), KS_TEXT_32_BIT_ON_64_BIT);
    if (takeOver) main.JumpWhenShown(request.path);
    // The main window takes the keyboard as a dialog does: Tab, arrows and
    // the access keys of its controls.
    ks::ui::RunMessageLoop([&app] { return app.Terminated(); }, [&main] { main.Idle(); },
                           main.Handle());
    return 0;
}

// One jump from the command line, beside any running window: the same
// reading, boxes and offer of the nearest key as the window's, owned by no
// window.
int RunCommandLineJump(const ks::CommandLineRequest& request) {
    ks::Win32Registry registry;
    ks::Win32WindowSystem windows;
    ks::Win32ProcessControl processes;
    std::string text = request.path;
    if (request.kind == ks::CommandLineRequest::Kind::OpenLink) {
        std::optional<std::string> path = ks::ConfirmLink(windows, request.path);
        if (!path) return ks::kExitNotFound;
        text = std::move(*path);
    }
    if (request.kind == ks::CommandLineRequest::Kind::JumpFromClipboard) {
        ks::Win32Clipboard clipboard;
        const ks::ClipboardOutcome outcome = ks::ReadClipboardForJump(clipboard, processes);
        if (outcome.cannotOpen) throw ks::UserError(ks::kCannotOpenClipboard);
        // As the window's Jump from Clipboard: no path there, nothing to do.
        if (!outcome.text) return ks::kExitNotFound;
        text = *outcome.text;
    }
    const ks::JumpOutcome outcome = ks::JumpAndReport({registry, windows, processes}, text);
    if (outcome.restartElevated) {
        if (const std::optional<int> code =
                ks::ui::JumpAgainAsAdministrator(ks::PathToJumpAgain(outcome, text)))
            return *code;
    }
    if (const auto landed = ks::LandingToRemember(outcome)) {
        ks::ui::HandOverRecentPath(*landed);
        return ks::kExitLanded;
    }
    return ks::NamesNothingHere(outcome.result) ? ks::kExitNotFound : ks::kExitNotDriven;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        const ks::CommandLineRequest request = ks::ReadCommandLine(ks::ui::Narrow(GetCommandLineW()));
        using Kind = ks::CommandLineRequest::Kind;
        if (request.kind == Kind::JumpToPath || request.kind == Kind::JumpFromClipboard ||
            request.kind == Kind::OpenLink)
            return RunCommandLineJump(request);
        return RunMainWindow(instance, request);
    } catch (const std::exception& error) {
        ks::ui::ShowErrorBox(nullptr, error.what());
        return 1;
    }
}
