#include "grammar/root_switcher.h"

#include <algorithm>
#include <vector>

#include "grammar/ascii.h"
#include "grammar/path_notations.h"

namespace ks {

namespace {

// The length of the long root name at the front of the text, in any case,
// or 0. No entry is a prefix of another, so at most one matches.
std::size_t LongRootAtFront(std::string_view text) {
    for (std::size_t k = 1; k < RootPrefixTable.size(); ++k) {
        const std::string_view entry = RootPrefixTable[k];
        // Only the case of the root name is ignored; the entries are upper case.
        if (text.size() >= entry.size() && UpperAscii(text.substr(0, entry.size())) == entry)
            return entry.size();
    }
    return 0;
}

// The root, a backslash unless the rest brings its own, and the rest.
std::string Joined(std::string_view root, std::string_view rest) {
    std::string result(root);
    if (!rest.empty() && rest.front() != '\\') result += '\\';
    result += rest;
    return result;
}

}  // namespace

std::string ApplyRootPrefix(std::string_view text, int index) {
    if (index < 1 || index > 5) return std::string(text);
    const std::string_view root = RootPrefixTable[static_cast<std::size_t>(index)];
    // A long root name and its separator, as the switcher itself writes
    // them, are replaced letter for letter: a trailing backslash stays.
    const std::size_t front = LongRootAtFront(text);
    if (front != 0 && (front == text.size() || text[front] == '\\'))
        return Joined(root, text.substr(front));

    const std::vector<PathReading> readings = ReadPathNotations(text);
    if (readings.empty()) return Joined(root, text.substr(front));
    const PathReading& reading = readings.front();
    std::string result(root);
    if (!reading.rest.empty()) result += "\\" + reading.rest;
    if (reading.valueName) {
        // Quoted as reg.exe wants a name with blanks in it, and whenever the
        // name itself begins or ends with what may be a quote (straight, or
        // a typographic one in either encoding): reading the result takes
        // off one pair, which must be ours, not the name's own.
        const std::string& name = *reading.valueName;
        const auto mayBeQuote = [](char c) {
            return c == '"' || c == '\'' || static_cast<unsigned char>(c) >= 0x80;
        };
        const bool quoted =
            std::any_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= 0x20; }) ||
            mayBeQuote(name.front()) || mayBeQuote(name.back());
        result += quoted ? " /v \"" + name + "\"" : " /v " + name;
    }
    return result;
}

bool IsRegistryPathText(std::string_view text) {
    // The system's locale rule lower-cases more than A to Z, but every
    // fragment is ASCII, and that rule maps A to Z onto a to z in every
    // locale (I goes to i even for Turkish), so only that range decides a
    // match and the ASCII rule gives the same answer. Every fragment
    // begins with "hk", so only the places where those two letters stand are
    // tried: one pass over the text, however long. The third byte rules out
    // most fragments before any is compared in full, which keeps texts made
    // of "hk" near-misses cheap too.
    for (std::size_t at = 0; at + 2 < text.size(); ++at) {
        if (LowerAscii(text[at]) != 'h' || LowerAscii(text[at + 1]) != 'k') continue;
        const std::string_view rest = text.substr(at);
        const char third = UpperAscii(rest[2]);
        for (std::string_view fragment : ClipboardRecognizerTable)
            if (fragment[2] == third && rest.size() >= fragment.size() &&
                EqualsIgnoringAsciiCase(rest.substr(0, fragment.size()), fragment))
                return true;
    }
    // Native names such as \Registry\Machine\SOFTWARE hold no fragment.
    return !ReadPathNotations(text).empty();
}

std::string TrimClipboardText(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

}  // namespace ks
