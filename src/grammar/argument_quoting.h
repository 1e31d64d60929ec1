#pragma once
// Command-line arguments by the platform's rules: how a line falls into
// arguments, and how a text is written as one argument.
#include <string>
#include <string_view>
#include <vector>

namespace ks {

// The arguments of a command line after the program's name, as
// CommandLineToArgvW reads them: blanks separate them outside quotes; 2n
// backslashes before a quote are n and the quote opens or closes quoting,
// 2n+1 are n and a literal quote; two quotes inside quotes are one literal
// quote; other backslashes are themselves.
std::vector<std::string> CommandLineArguments(std::string_view text);

// The text as one argument on a command line, to be read back whole by
// the system's rules (CommandLineToArgvW): in quotes, with quotes and the
// backslashes before them escaped.
std::string QuotedArgument(std::string_view text);

}  // namespace ks
