#include "ui/rules/command_line.h"

#include "grammar/ascii.h"

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

// The first argument of `text` by the system's rules: blanks end it outside
// quotes; 2n backslashes before a quote are n and the quote opens or closes,
// 2n+1 are n and a quote; other backslashes are themselves.
std::string FirstArgument(std::string_view text) {
    std::string argument;
    bool quoted = false;
    std::size_t i = 0;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
        std::size_t backslashes = 0;
        while (i < text.size() && text[i] == '\\') ++backslashes, ++i;
        if (i < text.size() && text[i] == '"') {
            argument.append(backslashes / 2, '\\');
            if (backslashes % 2) {
                argument += '"';
            } else {
                quoted = !quoted;
            }
            ++i;
            continue;
        }
        argument.append(backslashes, '\\');
        if (i < text.size() && (quoted || !IsBlank(text[i]))) argument += text[i++];
    }
    return argument;
}

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
    if (rest.size() > kTakeOver.size() && rest.substr(0, kTakeOver.size()) == kTakeOver &&
        IsBlank(rest[kTakeOver.size()]))
        return {CommandLineRequest::Kind::TakeOver,
                FirstArgument(TrimBlanks(rest.substr(kTakeOver.size())))};
    for (std::string_view flag : {"-c", "/c", "--clipboard"})
        if (EqualsIgnoringAsciiCase(rest, flag))
            return {CommandLineRequest::Kind::JumpFromClipboard, {}};
    return {CommandLineRequest::Kind::JumpToPath, std::string(rest)};
}

}  // namespace ks
