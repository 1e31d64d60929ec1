#pragma once
// What keystride.exe is asked to do by its command line: start its window
// (no arguments), jump to a path, or jump to the path on the clipboard.
#include <string>
#include <string_view>

namespace ks {

struct CommandLineRequest {
    enum class Kind {
        StartWindow,
        JumpToPath,
        JumpFromClipboard,
        // Started as administrator by a running Keystride: take its place as
        // the window, then jump to the path.
        TakeOver,
    };
    Kind kind = Kind::StartWindow;
    // For JumpToPath: everything after the program's name, as given; for
    // TakeOver: the one argument after the option.
    std::string path;
    bool operator==(const CommandLineRequest&) const = default;
};

// Reads the whole command line as the system hands it over (the program's
// name first, quoted or not). The path is the rest of the line, blanks and
// all, so "keystride.exe HKCU\Control Panel\Desktop" needs no quotes; quotes
// around it are the path reader's to take off. "-c", "/c" and "--clipboard"
// (any case) alone ask for the clipboard.
// "--take-over" and one argument ask for the take-over.
CommandLineRequest ReadCommandLine(std::string_view commandLine);

// The text as one argument on a command line, to be read back whole by
// the system's rules (CommandLineToArgvW): in quotes, with quotes and the
// backslashes before them escaped.
std::string QuotedArgument(std::string_view text);

// The arguments of a Keystride that takes a running one's place.
std::string TakeOverArguments(std::string_view path);

// The exit code of a command-line jump.
inline constexpr int kExitLanded = 0;
inline constexpr int kExitNotFound = 1;      // not found, declined, or nothing to jump to
inline constexpr int kExitNotDriven = 2;     // the editor could not be brought there

}  // namespace ks
