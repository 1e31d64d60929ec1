#pragma once
// The forms that wrap a registry path in more than quotes: what security
// checklists, threat reports, .inf files, chat and reg.exe's switches put
// around it. Each gives the path as a plain text for the notation reader,
// with what the form itself says: a value name, the registry view, the
// default value.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/registry_view.h"

namespace ks {

struct PastedPath {
    std::string text;                      // to be read in every notation
    std::optional<std::string> valueName;  // the form names the value itself
    bool defaultValue = false;             // the form names the key's default value
    std::optional<RegistryView> view;      // reg.exe's /reg:32 or /reg:64
    bool operator==(const PastedPath&) const = default;
};

// Every form the text takes, outermost first:
// - reg.exe's switches at its end: "/reg:32", "/reg:64", "/ve" (any case,
//   any order), the rest read as the path (with its own "/v NAME");
// - backticks around it, one or three, as chat and Markdown write them;
// - a root in angle brackets at its front: "<HKLM>\SOFTWARE\...";
// - an .inf line: root, key in quotes or not, value name, the rest ignored
//   (HKR names no root of its own);
// - a checklist block: lines "Registry Hive: ...", "Registry Path: ..."
//   and "Value Name: ..." (the last two in any order, any case, other lines
//   ignored), or a path line followed by a "Value Name: ..." line;
// - the forms Copy As writes: a keystride: link, reg.exe's own "reg query"
//   line, PowerShell's Get-ItemProperty line, a string of source code or
//   JSON with its escapes.
std::vector<PastedPath> PastedPaths(std::string_view text);

// "\\PC\HKLM\..." or "\\PC\HKEY_...": a path on another computer, by that
// computer's name; nothing for any other text.
std::optional<std::string> RemoteComputerOf(std::string_view text);

}  // namespace ks
