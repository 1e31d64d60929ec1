#include "grammar/path_forms.h"

#include <vector>

#include "grammar/argument_quoting.h"
#include "grammar/ascii.h"
#include "grammar/default_value.h"
#include "grammar/wide_text.h"

namespace ks {
namespace {

const RootName* RootOf(std::string_view longName) {
    for (const RootName& row : RootNameTable)
        if (row.longName == longName) return &row;
    return nullptr;
}

// The key path's names, empty ones (runs of backslashes) left out, after
// `head`.
std::string KeyPath(std::string_view head, std::string_view keyPath) {
    std::string path(head);
    while (!keyPath.empty()) {
        const std::size_t cut = keyPath.find('\\');
        const std::string_view name = keyPath.substr(0, cut);
        if (!name.empty()) {
            if (!path.empty() && path.back() != '\\') path += '\\';
            path += name;
        }
        if (cut == std::string_view::npos) break;
        keyPath.remove_prefix(cut + 1);
    }
    return path;
}

std::string ValuePart(const ResolvedJump& target) {
    if (target.defaultValue) return std::string(kDefaultValueName);
    return target.valueName;
}

std::string WithValue(std::string key, const ResolvedJump& target) {
    const std::string value = ValuePart(target);
    if (!value.empty()) key += '\\' + value;
    return key;
}

std::string SingleQuoted(std::string_view text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return quoted + '\'';
}

std::string PowerShellPath(const ResolvedJump& target, const RootName& root) {
    // The two drives PowerShell has; the provider's own name for the rest.
    if (root.abbreviation == "HKLM" || root.abbreviation == "HKCU")
        return KeyPath(std::string(root.abbreviation) + ":\\", target.keyPath);
    return KeyPath("Registry::" + std::string(root.longName), target.keyPath);
}

std::string Escaped(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           c == '-' || c == '.' || c == '_' || c == '~' || c == '\\';
}

std::string PercentEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string WritePath(const ResolvedJump& target, PathForm form) {
    const RootName* root = RootOf(target.rootName);
    if (!root) return {};
    const std::string longKey = KeyPath(root->longName, target.keyPath);
    const bool keyAlone = target.valueName.empty() && !target.defaultValue;
    switch (form) {
        case PathForm::LongNames:
            return WithValue(longKey, target);
        case PathForm::ShortNames:
            return WithValue(KeyPath(root->abbreviation, target.keyPath), target);
        case PathForm::PowerShell:
            if (keyAlone) return PowerShellPath(target, *root);
            return "Get-ItemProperty -LiteralPath " + SingleQuoted(PowerShellPath(target, *root)) +
                   " -Name " + SingleQuoted(target.defaultValue ? "(default)" : target.valueName);
        case PathForm::RegHeader:
            return '[' + longKey + ']';
        case PathForm::RegQuery: {
            std::string command =
                "reg query " + QuotedArgument(KeyPath(root->abbreviation, target.keyPath));
            if (target.defaultValue) return command + " /ve";
            if (!keyAlone) command += " /v " + QuotedArgument(target.valueName);
            return command;
        }
        case PathForm::SourceString:
            return Escaped(WithValue(longKey, target));
        case PathForm::Link:
            return std::string(kLinkScheme) + PercentEncoded(WithValue(longKey, target));
    }
    return {};
}

std::optional<std::string> LinkPath(std::string_view link) {
    if (link.size() < kLinkScheme.size() ||
        !EqualsIgnoringAsciiCase(link.substr(0, kLinkScheme.size()), kLinkScheme))
        return std::nullopt;
    link.remove_prefix(kLinkScheme.size());
    std::string path;
    for (std::size_t i = 0; i < link.size(); ++i) {
        if (link[i] != '%') {
            path += link[i];
            continue;
        }
        if (i + 2 >= link.size()) return std::nullopt;
        const int high = HexDigit(link[i + 1]);
        const int low = HexDigit(link[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    // The question before the jump shows the whole path: a NUL would end
    // its text early, hiding what follows from the user.
    if (path.find('\0') != std::string::npos) return std::nullopt;
    if (FromUtf16(ToUtf16(path)) != path) return std::nullopt;  // not UTF-8
    return path;
}

}  // namespace ks
