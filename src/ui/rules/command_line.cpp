#include "ui/rules/command_line.h"

#include "grammar/argument_quoting.h"
#include "grammar/ascii.h"
#include "grammar/path_forms.h"

#include <optional>
#include <vector>

namespace ks {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The line after the program's name: a quoted name ends at its closing
// quote, a bare one at the first blank.
std::string_view AfterProgramName(std::string_view line) {
    std::size_t at = 0;
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        at = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (at < line.size() && !IsBlank(line[at])) ++at;
    }
    return line.substr(at);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

constexpr std::string_view kTakeOver = "--take-over";

// A link as the shell starts it: the rest of the line, less the one pair of
// quotes the registered command puts around it. Read as given, not by the
// argument rules: a link that holds a quote or ends in a backslash would
// fall apart into arguments there, and then into a path jumped to unasked.
std::optional<std::string_view> LinkText(std::string_view rest) {
    if (!rest.empty() && rest.front() == '"') {
        rest.remove_prefix(1);
        if (!rest.empty() && rest.back() == '"') rest.remove_suffix(1);
    }
    if (rest.size() < kLinkScheme.size() ||
        !EqualsIgnoringAsciiCase(rest.substr(0, kLinkScheme.size()), kLinkScheme))
        return std::nullopt;
    return rest;
}

}  // namespace

std::string TakeOverArguments(std::string_view path) {
    return std::string(kTakeOver) + ' ' + QuotedArgument(path);
}

CommandLineRequest ReadCommandLine(std::string_view commandLine) {
    const std::string_view rest = TrimBlanks(AfterProgramName(commandLine));
    if (rest.empty()) return {};
    const std::vector<std::string> arguments = CommandLineArguments(rest);
    if (arguments.size() == 2 && arguments[0] == kTakeOver)
        return {CommandLineRequest::Kind::TakeOver, arguments[1]};
    for (std::string_view flag : {"-c", "/c", "--clipboard"})
        if (EqualsIgnoringAsciiCase(rest, flag))
            return {CommandLineRequest::Kind::JumpFromClipboard, {}};
    if (EqualsIgnoringAsciiCase(rest, "--tray")) return {CommandLineRequest::Kind::StartInTray, {}};
    // A link's text is only ever a path, whatever it holds.
    if (const std::optional<std::string_view> link = LinkText(rest))
        return {CommandLineRequest::Kind::OpenLink, std::string(*link)};
    // One argument by the platform's rules is what the caller meant; more,
    // and the blanks between them are the path's own.
    if (arguments.size() == 1) return {CommandLineRequest::Kind::JumpToPath, arguments[0]};
    return {CommandLineRequest::Kind::JumpToPath, std::string(rest)};
}

}  // namespace ks
