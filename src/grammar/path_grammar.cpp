#include "grammar/path_grammar.h"

#include "grammar/ascii.h"

namespace ks {

bool ContainsRootMarker(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (UpperAscii(text[i]) == 'H' && UpperAscii(text[i + 1]) == 'K') return true;
    return false;
}

RootSplit SplitRootPart(std::string_view text) {
    const std::size_t cut = text.find('\\');
    if (cut == std::string_view::npos) return {std::string(text), {}};
    return {std::string(text.substr(0, cut)), std::string(text.substr(cut + 1))};
}

std::string ExpandRootAbbreviation(std::string_view rootPart) {
    for (const RootName& row : RootNameTable)
        if (EqualsIgnoringAsciiCase(rootPart, row.abbreviation)) return std::string(row.longName);
    return std::string(rootPart);
}

std::optional<PredefinedKey> PredefinedRootKey(std::string_view rootName) {
    for (const RootName& row : RootNameTable)
        if (rootName == row.longName) return row.rootKey;
    return std::nullopt;
}

KeyValueSplit SplitValueName(std::string_view rest) {
    const std::size_t cut = rest.rfind('\\');
    const std::string_view valueName =
        cut == std::string_view::npos ? rest : rest.substr(cut + 1);
    if (valueName.empty()) return {std::string(rest), {}};
    const std::string_view keyPath =
        cut == std::string_view::npos ? std::string_view() : rest.substr(0, cut);
    return {std::string(keyPath), std::string(valueName)};
}

}  // namespace ks
