#include "grammar/root_switcher.h"

#include <algorithm>
#include <vector>

#include "grammar/ascii.h"
#include "grammar/path_notations.h"

namespace ks {

std::string ApplyRootPrefix(std::string_view text, int index) {
    if (index < 1 || index > 5) return std::string(text);
    std::string result(RootPrefixTable[static_cast<std::size_t>(index)]);
    const std::vector<PathReading> readings = ReadPathNotations(text);
    // What follows the root: after its separator in a reading, after the
    // root name's letters (or the whole text) otherwise.
    std::string_view rest = text;
    bool separated = false;
    if (!readings.empty()) {
        rest = readings.front().rest;
        separated = true;
    } else {
        for (std::size_t k = 1; k < RootPrefixTable.size(); ++k) {
            const std::string_view entry = RootPrefixTable[k];
            // Only the case of the root name is ignored; the entries are upper case.
            if (text.size() >= entry.size() &&
                UpperAscii(text.substr(0, entry.size())) == entry) {
                rest = text.substr(entry.size());
                break;
            }
        }
    }
    if (!rest.empty()) {
        if (separated || rest.front() != '\\') result += '\\';
        result += rest;
    }
    if (!readings.empty() && readings.front().valueName) {
        // Quoted as reg.exe wants a name with blanks in it.
        const std::string& name = *readings.front().valueName;
        const bool blanks = std::any_of(name.begin(), name.end(), [](char c) {
            return static_cast<unsigned char>(c) <= 0x20;
        });
        result += blanks ? " /v \"" + name + "\"" : " /v " + name;
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
