#include "grammar/argument_quoting.h"

namespace ks {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

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

}  // namespace ks
