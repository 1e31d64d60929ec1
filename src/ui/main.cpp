// keystride.exe: the application object, the main window and the message
// loop. No command-line arguments are read.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "resource.h"
#include "texts.h"
#include "ui/app_window.h"
#include "ui/main_window.h"
#include "ui/message_loop.h"
#include "ui/single_instance.h"

namespace {

// The shell's "open" may hand the address to COM components; they expect an
// apartment on the calling thread.
class ComApartment {
public:
    ComApartment() noexcept
        : initialised_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

// The program's window, one per user session: a start while Keystride runs
// brings the running window forward and ends without touching the settings.
int RunMainWindow(HINSTANCE instance) {
    ks::ui::SingleInstance instances;
    if (instances.ActivateRunning()) return 0;

    ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    ks::ui::AppWindow app(instance);
    const auto icon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_KEYSTRIDE), IMAGE_ICON, 0, 0,
                   LR_DEFAULTSIZE | LR_SHARED));
    if (!app.Create(KS_TEXT_PRODUCT_NAME, icon)) return 1;

    ks::ui::MainWindow main(app);
    if (!main.Create()) return 1;
    main.Show();
    instances.EndTurn();
    // The main window takes the keyboard as a dialog does: Tab, arrows and
    // the access keys of its controls.
    ks::ui::RunMessageLoop([&app] { return app.Terminated(); }, [&main] { main.Idle(); },
                           main.Handle());
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        return RunMainWindow(instance);
    } catch (const std::exception& error) {
        ks::ui::ShowErrorBox(nullptr, error.what());
        return 1;
    }
}
