// Starts the keystride.exe named on the command line (the one unpacked from
// the download), waits for its window, ends it with its Exit button and says
// whether all of that went as it should. The settings folder is set aside
// meanwhile and put back afterwards.
//   start_check <keystride.exe>
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/folder_set_aside.h"
#include "e2e/main_window_support.h"
#include "texts.h"

int main(int argc, char** argv) {
    using namespace ks::test;
    if (argc != 2) {
        std::fprintf(stderr, "usage: start_check <keystride.exe>\n");
        return 2;
    }
    FolderSetAside settings(SettingsFolder());
    if (!settings.Ready()) {
        std::fprintf(stderr, "start_check: cannot set %s aside\n", SettingsFolder().c_str());
        return 1;
    }
    const std::string caption = std::string(KS_TEXT_PRODUCT_NAME) + " " + KS_TEXT_VERSION;
    bool shown = false;
    bool ended = false;
    {
        Keystride app(argv[1]);
        shown = app.Started() && WindowText(app.Main()) == caption;
        ended = shown && app.Exit();
    }
    const bool restored = settings.Restore();
    std::printf("%s: window %s, Exit %s\n", argv[1], shown ? "shown" : "NOT shown",
                ended ? "ended it" : "did NOT end it");
    if (!restored) std::fprintf(stderr, "start_check: settings folder not put back\n");
    return shown && ended && restored ? 0 : 1;
}
