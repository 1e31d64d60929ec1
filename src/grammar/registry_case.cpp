#include "grammar/registry_case.h"

#include "grammar/wide_text.h"

namespace ks {
namespace {

char16_t UpperUnit(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
        (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F))
        return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

}  // namespace

std::string FoldName(std::string_view name) {
    std::u16string wide = ToUtf16(name);
    for (char16_t& c : wide) c = UpperUnit(c);
    return FromUtf16(wide);
}

bool StartsWithFolded(std::string_view name, std::string_view foldedPrefix) {
    // Folding keeps every character's UTF-8 length, so the prefix's bytes
    // stand over the same characters of the name.
    if (name.size() < foldedPrefix.size()) return false;
    return FoldName(name.substr(0, foldedPrefix.size())) == foldedPrefix;
}

}  // namespace ks
