#include "grammar/pasted_forms.h"

#include <array>

#include "grammar/ascii.h"
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
