#pragma once
// The notations a path is written in for the tool it goes to next: Copy As.
// Each one, read back by the path reader, names the same key and value.
#include <optional>
#include <string>
#include <string_view>

#include "grammar/path_grammar.h"

namespace ks {

enum class PathForm {
    LongNames,     // HKEY_LOCAL_MACHINE\SOFTWARE\Vendor\Setting
    ShortNames,    // HKLM\SOFTWARE\Vendor\Setting
    PowerShell,    // HKLM:\SOFTWARE\Vendor, or Get-ItemProperty for a value
    RegHeader,     // [HKEY_LOCAL_MACHINE\SOFTWARE\Vendor], the key's for a value
    RegQuery,      // reg query "HKLM\SOFTWARE\Vendor" /v "Setting"
    SourceString,  // "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor", escaped for C and JSON
    Link,          // keystride:HKEY_LOCAL_MACHINE\SOFTWARE\Vendor, percent-encoded
};

std::string WritePath(const ResolvedJump& target, PathForm form);

inline constexpr std::string_view kLinkScheme = "keystride:";

// A keystride: link's path: the text after the scheme (any letter case),
// percent-decoded as UTF-8. Nothing for a text that is no such link, whose
// encoding is malformed (a bad escape, bytes that are no UTF-8) or that
// decodes to a NUL.
std::optional<std::string> LinkPath(std::string_view link);

}  // namespace ks
