#include "ui/rules/command_line.h"

#include "grammar/ascii.h"

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

}  // namespace

std::vector<std::string> CommandLineArguments(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) break;
        std::string argument;
        bool quoted = false;
        while (i < text.size() && (quoted || !IsBlank(text[i]))) {
            std::size_t backslashes = 0;
            while (i < text.size() && text[i] == '\\') ++backslashes, ++i;
            if (i == text.size() || text[i] != '"') {
                argument.append(backslashes, '\\');
                if (i < text.size() && (quoted || !IsBlank(text[i]))) argument += text[i++];
                continue;
            }
            argument.append(backslashes / 2, '\\');
            if (backslashes % 2) {
                argument += '"';
            } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                argument += '"';  // two quotes inside quotes: one, and still quoted
                ++i;
            } else {
                quoted = !quoted;
            }
            ++i;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

namespace {
}  // namespace

std::string QuotedArgument(std::string_view text) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + '"';
}

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
    // One argument by the platform's rules is what the caller meant; more,
    // and the blanks between them are the path's own.
    if (arguments.size() == 1) return {CommandLineRequest::Kind::JumpToPath, arguments[0]};
    return {CommandLineRequest::Kind::JumpToPath, std::string(rest)};
}

}  // namespace ks
