#include "grammar/pasted_forms.h"

#include <array>
#include <cstdint>

#include "grammar/argument_quoting.h"
#include "grammar/ascii.h"
#include "grammar/path_forms.h"
#include "grammar/path_grammar.h"

namespace ks {
namespace {

bool IsBlank(char c) noexcept { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

bool IsRootName(std::string_view name) {
    for (const RootName& row : RootNameTable)
        if (EqualsIgnoringAsciiCase(name, row.abbreviation) ||
            EqualsIgnoringAsciiCase(name, row.longName))
            return true;
    return false;
}

// reg.exe's switches that may follow the path.
struct Switches {
    std::string_view rest;
    std::optional<RegistryView> view;
    bool defaultValue = false;
    bool any = false;
};

Switches CutSwitches(std::string_view text) {
    Switches cut{Trim(text)};
    for (;;) {
        const std::size_t blank = cut.rest.find_last_of(" \t");
        if (blank == std::string_view::npos) return cut;
        const std::string_view last = cut.rest.substr(blank + 1);
        if (EqualsIgnoringAsciiCase(last, "/reg:32"))
            cut.view = RegistryView::Bits32;
        else if (EqualsIgnoringAsciiCase(last, "/reg:64"))
            cut.view = RegistryView::Bits64;
        else if (EqualsIgnoringAsciiCase(last, "/ve"))
            cut.defaultValue = true;
        else
            return cut;
        cut.any = true;
        cut.rest = Trim(cut.rest.substr(0, blank));
    }
}

std::optional<std::string_view> InBackticks(std::string_view text) {
    for (std::string_view fence : {"```", "`"})
        if (text.size() > 2 * fence.size() && text.starts_with(fence) && text.ends_with(fence))
            return Trim(text.substr(fence.size(), text.size() - 2 * fence.size()));
    return std::nullopt;
}

std::optional<std::string> WithoutAngleBrackets(std::string_view text) {
    if (text.empty() || text.front() != '<') return std::nullopt;
    const std::size_t close = text.find('>');
    if (close == std::string_view::npos || !IsRootName(text.substr(1, close - 1)))
        return std::nullopt;
    return std::string(text.substr(1, close - 1)) + std::string(text.substr(close + 1));
}

// The comma-separated fields of an .inf line, each out of its quotes.
std::vector<std::string> InfFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (std::string& field : fields) field = std::string(Trim(field));
    return fields;
}

std::optional<PastedPath> InfLine(std::string_view text) {
    if (text.find(',') == std::string_view::npos || text.find('\n') != std::string_view::npos)
        return std::nullopt;
    const std::vector<std::string> fields = InfFields(text);
    if (fields.size() < 2 || !IsRootName(fields[0])) return std::nullopt;
    PastedPath path{fields[0] + "\\" + fields[1]};
    if (fields.size() > 2 && !fields[2].empty()) path.valueName = fields[2];
    return path;
}

// A line "Label: text" with the label in any case; the text after it.
std::optional<std::string_view> Labelled(std::string_view line, std::string_view label) {
    line = Trim(line);
    if (!StartsWithIgnoringCase(line, label)) return std::nullopt;
    std::string_view rest = Trim(line.substr(label.size()));
    if (rest.empty() || rest.front() != ':') return std::nullopt;
    return Trim(rest.substr(1));
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = Trim(text.substr(0, end));
        if (!line.empty()) lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::optional<PastedPath> ChecklistBlock(std::string_view text) {
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.size() < 2) return std::nullopt;
    std::optional<std::string_view> hive, key, value;
    for (std::string_view line : lines) {
        if (!hive) hive = Labelled(line, "Registry Hive");
        if (!key) key = Labelled(line, "Registry Path");
        if (!value) value = Labelled(line, "Value Name");
    }
    PastedPath path;
    if (hive && key) {
        std::string_view inner = *key;
        while (!inner.empty() && inner.front() == '\\') inner.remove_prefix(1);
        while (!inner.empty() && inner.back() == '\\') inner.remove_suffix(1);
        path.text = std::string(*hive) + (inner.empty() ? "" : "\\") + std::string(inner);
    } else if (value && lines.size() == 2 && !Labelled(lines[0], "Value Name")) {
        path.text = std::string(lines[0]);  // a path line, then its value's
    } else {
        return std::nullopt;
    }
    if (value && !value->empty()) path.valueName = std::string(*value);
    return path;
}

// reg.exe's own line: "reg query KEY [/v NAME | /ve] [/reg:32 | /reg:64]",
// its arguments by the system's rules, other switches ignored.
std::optional<PastedPath> RegQueryLine(std::string_view text) {
    std::string_view rest;
    for (std::string_view command : {"reg query ", "reg.exe query "})
        if (StartsWithIgnoringCase(text, command)) rest = text.substr(command.size());
    if (rest.empty()) return std::nullopt;
    const std::vector<std::string> arguments = CommandLineArguments(rest);
    if (arguments.empty()) return std::nullopt;
    PastedPath path{arguments[0]};
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (EqualsIgnoringAsciiCase(option, "/v") && i + 1 < arguments.size())
            path.valueName = arguments[++i];
        else if (EqualsIgnoringAsciiCase(option, "/ve"))
            path.defaultValue = true;
        else if (EqualsIgnoringAsciiCase(option, "/reg:32"))
            path.view = RegistryView::Bits32;
        else if (EqualsIgnoringAsciiCase(option, "/reg:64"))
            path.view = RegistryView::Bits64;
    }
    if (path.valueName && path.valueName->empty()) path.valueName.reset();
    return path;
}

// PowerShell's words: 'single' quotes (a doubled one inside is one),
// "double" quotes, or bare.
std::vector<std::string> PowerShellWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) break;
        std::string word;
        const char quote = text[i];
        if (quote == '\'' || quote == '"') {
            for (++i; i < text.size(); ++i) {
                if (text[i] != quote) {
                    word += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == quote) {
                    word += quote;
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        } else {
            while (i < text.size() && !IsBlank(text[i])) word += text[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

// "Get-ItemProperty -LiteralPath 'HKLM:\...' -Name 'Setting'", as Copy As
// writes it (also -Path, the path first without a name, and
// Get-ItemPropertyValue).
std::optional<PastedPath> ItemPropertyLine(std::string_view text) {
    const std::vector<std::string> words = PowerShellWords(text);
    if (words.empty() || !(EqualsIgnoringAsciiCase(words[0], "Get-ItemProperty") ||
                           EqualsIgnoringAsciiCase(words[0], "Get-ItemPropertyValue")))
        return std::nullopt;
    std::optional<std::string> path, name;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool last = i + 1 == words.size();
        if ((EqualsIgnoringAsciiCase(word, "-LiteralPath") || EqualsIgnoringAsciiCase(word, "-Path")) && !last)
            path = words[++i];
        else if (EqualsIgnoringAsciiCase(word, "-Name") && !last)
            name = words[++i];
        else if (!word.starts_with('-') && !path)
            path = word;
        else if (!word.starts_with('-') && !name)
            name = word;
    }
    if (!path) return std::nullopt;
    PastedPath form{*path};
    if (name && !name->empty()) form.valueName = *name;
    return form;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::optional<std::uint32_t> Hex4(std::string_view text) {
    if (text.size() < 4) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text.substr(0, 4)) {
        value <<= 4;
        if (c >= '0' && c <= '9') value |= static_cast<std::uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f') value |= static_cast<std::uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') value |= static_cast<std::uint32_t>(c - 'A' + 10);
        else return std::nullopt;
    }
    return value;
}

// A string as source code and JSON write it: in double quotes, with
// backslash escapes. Nothing for any other text, or one whose escapes are
// not all understood.
std::optional<std::string> StringLiteral(std::string_view text) {
    if (text.size() < 2 || text.front() != '"' || text.back() != '"') return std::nullopt;
    text = text.substr(1, text.size() - 2);
    if (text.find('\\') == std::string_view::npos) return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') return std::nullopt;  // an unescaped quote inside: no literal
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\': case '"': case '/': case '\'': out += text[i]; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                std::optional<std::uint32_t> code = Hex4(text.substr(i + 1));
                if (!code) return std::nullopt;
                i += 4;
                // A surrogate pair, as JSON writes characters beyond the BMP.
                if (*code >= 0xD800 && *code < 0xDC00 && text.substr(i + 1, 2) == "\\u") {
                    const std::optional<std::uint32_t> low = Hex4(text.substr(i + 3));
                    if (low && *low >= 0xDC00 && *low < 0xE000) {
                        code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
                        i += 6;
                    }
                }
                AppendUtf8(out, *code);
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return out;
}

}  // namespace

namespace {

// The forms of `text`, each with what the forms around it said.
void AddForms(std::string_view text, const PastedPath& around, std::vector<PastedPath>& forms) {
    const auto add = [&](PastedPath form) {
        form.defaultValue = form.defaultValue || (around.defaultValue && !form.valueName);
        if (!form.view) form.view = around.view;
        forms.push_back(form);
        return form;
    };
    const std::string_view core = Trim(text);
    if (const Switches switches = CutSwitches(core); switches.any) {
        const PastedPath inner =
            add({std::string(switches.rest), std::nullopt, switches.defaultValue, switches.view});
        AddForms(switches.rest, inner, forms);
        return;
    }
    if (const std::optional<std::string_view> inner = InBackticks(core)) {
        AddForms(*inner, add({std::string(*inner)}), forms);
        return;
    }
    if (const std::optional<std::string> linked = LinkPath(core)) {
        AddForms(*linked, add({*linked}), forms);
        return;
    }
    if (std::optional<PastedPath> query = RegQueryLine(core)) add(std::move(*query));
    if (std::optional<PastedPath> property = ItemPropertyLine(core)) add(std::move(*property));
    if (const std::optional<std::string> literal = StringLiteral(core)) add({*literal});
    if (const std::optional<std::string> plain = WithoutAngleBrackets(core)) add({*plain});
    if (std::optional<PastedPath> inf = InfLine(core)) add(std::move(*inf));
    if (std::optional<PastedPath> block = ChecklistBlock(core)) add(std::move(*block));
}

}  // namespace

std::vector<PastedPath> PastedPaths(std::string_view text) {
    std::vector<PastedPath> forms;
    AddForms(text, {}, forms);
    return forms;
}

std::optional<std::string> RemoteComputerOf(std::string_view text) {
    text = Trim(text);
    if (!text.starts_with("\\\\") || text.size() < 3 || text[2] == '\\') return std::nullopt;
    text.remove_prefix(2);
    const std::size_t cut = text.find('\\');
    if (cut == std::string_view::npos) return std::nullopt;
    const std::string_view computer = text.substr(0, cut);
    std::string_view rest = text.substr(cut + 1);
    const std::string_view root = rest.substr(0, rest.find('\\'));
    if (computer.empty() || EqualsIgnoringAsciiCase(computer, "Registry") || !IsRootName(root))
        return std::nullopt;
    return std::string(computer);
}

}  // namespace ks
