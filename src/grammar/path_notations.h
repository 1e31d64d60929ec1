#pragma once
// The notations in which registry paths reach the program: as typed, from
// the Registry Editor's address bar, PowerShell, .reg files, reg.exe, the
// kernel's native names, source code and web pages. One reader gives every
// way a text can be read as a path; which of them names something is left
// to the registry.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ks {

// One reading of a text as a registry path.
struct PathReading {
    std::string rootName;  // one of the five long root names, exactly as in RootNameTable
    // What follows the root, as the grammar's rest: a key path, possibly
    // ending in a value name that is split off the way SplitValueName does.
    std::string rest;
    // Only when the notation names the value itself (reg.exe's "/v Name");
    // `rest` is then the key path alone. Never empty, never holds a backslash.
    std::optional<std::string> valueName;
    // The notation names the key's default value (reg.exe's "/ve"); `rest`
    // is then the key path alone.
    bool defaultValue = false;
    bool operator==(const PathReading&) const = default;
};

// Every reading of the text, in the order in which they are to be tried,
// each one once (a reading equal to an earlier one is left out):
//
// 1. The literal reading, exactly as ContainsRootMarker, SplitRootPart,
//    ExpandRootAbbreviation and PredefinedRootKey give it, when they find a
//    root. Whatever that reading names keeps its meaning.
// 2. reg.exe's value form, then the text's core, each read in every
//    notation below. The core is the text without what wraps it, taken off
//    layer by layer from the outside in: bytes up to 0x20 (blanks, tabs,
//    line breaks) at both ends; quotes at both ends of one kind (straight "
//    or ', or typographic double or single ones, in the ANSI bytes
//    0x93/0x94 and 0x91/0x92 or their UTF-8 forms, either shape at either
//    end); .reg header brackets "[...]" and "[-...]", only when the text
//    both begins and ends with them. The value form is "KEY /v NAME" (or
//    /V), cut at the first " /v " of the trimmed text when the key before
//    it is wrapped on its own ("KEY" /v "NAME"), otherwise of the core
//    ("KEY /v NAME" in quotes); the key is then taken out of its wrapping,
//    the name out of its blanks and one pair of quotes, and the name runs
//    to the end of the text.
//    The notations, tried in this order on each:
//    - a root name at the front, long or short, in any letter case
//      ("hkey_local_machine\SOFTWARE", "HKLM\SOFTWARE");
//    - the address bar: any one component, then a long root name in any
//      case ("Computer\HKEY_CURRENT_USER\Software", "Ordinateur\HKEY_...");
//    - PowerShell drives: a short root name and a colon, with or without a
//      backslash after it ("HKLM:\SOFTWARE", "HKCU:Software");
//    - PowerShell provider paths: "Registry::" before a long or short root
//      name, optionally after "Microsoft.PowerShell.Core\" (any case);
//    - native names: "\Registry\Machine\X" is HKEY_LOCAL_MACHINE\X and
//      "\Registry\User\X" is HKEY_USERS\X (any case).
// 3. The same with every doubled backslash halved ("HKLM\\SOFTWARE\\X"
//    from source code or JSON), only when every run of backslashes in the
//    key text has an even length.
// 4. The same with forward slashes as backslashes
//    ("HKEY_CURRENT_USER/Environment"): a forward slash is an ordinary
//    character in key names, so this comes after the readings above.
// 5. Last, each of the forms that wrap a path in more (PastedPaths: reg.exe's
//    switches, backticks, a root in angle brackets, .inf lines, checklist
//    blocks), read as in 2 to 4; a path in reg.exe's 32-bit view first as
//    that view keeps it, then as written (the key may be one both views
//    share). Coming last, they never change what an earlier reading names.
//
// Pure: no registry access. Work and memory grow linearly with the text.
std::vector<PathReading> ReadPathNotations(std::string_view text);

// The favourite editor's rule for a key text: it begins with "HKEY_" or a
// short root name in any case (the text as typed, not trimmed), or the
// reader above reads it as a path.
bool IsFavouriteKeyText(std::string_view text);

}  // namespace ks
