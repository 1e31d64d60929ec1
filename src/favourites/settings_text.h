#pragma once
// The settings file's bytes and the program's text. A file that begins with
// the UTF-16LE byte-order mark is UTF-16LE, as Windows' own Unicode profile
// files are; any other file is in the ANSI code page. A save keeps the ANSI
// form, byte for byte, whenever the whole text survives it, so the files
// that other programs read stay as they were, and otherwise writes the whole
// file as UTF-16LE after the mark.
#include <optional>
#include <string>
#include <string_view>

namespace ks {

class AnsiCodePage;

inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// The file's text, or nothing when it cannot be read as text: the mark says
// UTF-16 and an odd number of bytes follows it, or the code page cannot
// convert the bytes. Every unit is a character, U+0000 and lone surrogates
// included, as a NUL byte is in an ANSI file, so that every file written
// reads back whatever it holds.
std::optional<std::string> DecodeSettingsFile(std::string_view bytes, const AnsiCodePage& ansi);

// The bytes of the file that holds `text`: ANSI when every character of it
// survives the code page and the bytes do not begin with the mark.
std::string EncodeSettingsFile(std::string_view text, const AnsiCodePage& ansi);

}  // namespace ks
