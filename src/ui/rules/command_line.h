#pragma once
// What keystride.exe is asked to do by its command line: start its window
// (no arguments), jump to a path, or jump to the path on the clipboard.
#include <string>
#include <string_view>
#include <vector>

#include "grammar/argument_quoting.h"

namespace ks {

struct CommandLineRequest {
    enum class Kind {
        StartWindow,
        JumpToPath,
        JumpFromClipboard,
        // Started as administrator by a running Keystride: take its place as
        // the window, then jump to the path.
        TakeOver,
        // Started in the notification area (from the Run key).
        StartInTray,
        // Started with a keystride: link (`path` is the link as given).
        OpenLink,
    };
    Kind kind = Kind::StartWindow;
    // For JumpToPath: everything after the program's name, as given; for
    // TakeOver: the one argument after the option.
    std::string path;
    bool operator==(const CommandLineRequest&) const = default;
};

// Reads the whole command line as the system hands it over (the program's
// name first, quoted or not). When the rest forms exactly one argument by
// the platform's rules (CommandLineArguments), that argument is the path
// (so "\"HKCU\Software\X\"" in quotes is the text "HKCU\Software\X" with its
// quotes); otherwise the path is the rest of the line as typed, blanks and
// all, so "keystride.exe HKCU\Control Panel\Desktop" needs no quotes. "-c",
// "/c" and "--clipboard" (any case) alone ask for the clipboard.
// "--take-over" and one argument ask for the take-over, "--tray" alone for a
// start in the notification area, and a rest that begins with "keystride:"
// (in quotes or not) for a link, which is then the rest as given, less its
// quotes, whatever it holds.
CommandLineRequest ReadCommandLine(std::string_view commandLine);

// The arguments of a Keystride that takes a running one's place.
std::string TakeOverArguments(std::string_view path);

// The exit code of a command-line jump.
inline constexpr int kExitLanded = 0;
inline constexpr int kExitNotFound = 1;      // not found, declined, nothing to jump to, or
                                             // nothing here to select
inline constexpr int kExitNotDriven = 2;     // the editor could not be brought there

}  // namespace ks
