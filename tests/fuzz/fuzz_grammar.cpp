// Path grammar, the reader of path notations, root switcher, recognizer and
// trimming on arbitrary bytes, with the properties that must hold for every
// input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "grammar/ascii.h"
#include "grammar/path_grammar.h"
#include "grammar/path_notations.h"
#include "grammar/root_switcher.h"
#include "ui/rules/command_line.h"

namespace {
void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int index = static_cast<int>(static_cast<std::int8_t>(data[0])) % 8;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    const ks::RootSplit split = ks::SplitRootPart(text);
    if (text.find('\\') == std::string::npos)
        Require(split.rootPart == text && split.rest.empty());
    else
        Require(split.rootPart + "\\" + split.rest == text);
    Require(split.rootPart.find('\\') == std::string::npos);

    // Only an abbreviation, in any case, is expanded, and to its own root.
    const std::string rootName = ks::ExpandRootAbbreviation(split.rootPart);
    if (rootName != split.rootPart) {
        bool ownAbbreviation = false;
        for (const ks::RootName& row : ks::RootNameTable)
            ownAbbreviation = ownAbbreviation || (row.longName == rootName &&
                                                  ks::EqualsIgnoringAsciiCase(row.abbreviation,
                                                                              split.rootPart));
        Require(ownAbbreviation);
    }

    const ks::KeyValueSplit kv = ks::SplitValueName(split.rest);
    Require(kv.valueName.find('\\') == std::string::npos);
    if (kv.valueName.empty())
        Require(kv.keyPath == split.rest);
    else if (split.rest.find('\\') == std::string::npos)
        Require(kv.keyPath.empty() && kv.valueName == split.rest);
    else
        Require(kv.keyPath + "\\" + kv.valueName == split.rest);

    const std::vector<ks::PathReading> readings = ks::ReadPathNotations(text);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const ks::PathReading& reading = readings[i];
        Require(ks::PredefinedRootKey(reading.rootName).has_value());
        for (std::size_t j = 0; j < i; ++j) Require(!(readings[j] == reading));
        if (reading.valueName)
            Require(!reading.valueName->empty() &&
                    reading.valueName->find('\\') == std::string::npos);
    }
    // The literal reading keeps its meaning: it comes first.
    if (ks::PredefinedRootKey(rootName))
        Require(!readings.empty() && readings.front() == ks::PathReading{rootName, split.rest, {}});

    const std::string once = ks::ApplyRootPrefix(text, index);
    Require(ks::ApplyRootPrefix(once, index) == once);
    if (index < 1 || index > 5) {
        Require(once == text);
    } else {
        const std::vector<ks::PathReading> switched = ks::ReadPathNotations(once);
        Require(!switched.empty() &&
                switched.front().rootName == ks::RootPrefixTable[static_cast<std::size_t>(index)]);
    }

    // Both tests accept a root name, or a native name (\Registry\Machine).
    const bool rootOrNative =
        ks::ContainsRootMarker(text) || ks::UpperAscii(text).find("REGISTRY") != std::string::npos;
    if (ks::IsRegistryPathText(text) || ks::IsFavouriteKeyText(text)) Require(rootOrNative);
    if (!readings.empty()) Require(ks::IsRegistryPathText(text) && ks::IsFavouriteKeyText(text));

    // Any text handed on as one quoted argument comes back whole.
    if (text.find('\0') == std::string::npos)
        Require(ks::CommandLineArguments(ks::QuotedArgument(text)) ==
                std::vector<std::string>{text});

    const std::string trimmed = ks::TrimClipboardText(text);
    Require(trimmed.size() <= text.size());
    Require(text.find(trimmed) != std::string::npos);
    if (!trimmed.empty()) {
        Require(static_cast<unsigned char>(trimmed.front()) > 32);
        Require(static_cast<unsigned char>(trimmed.back()) > 32);
    }
    return 0;
}
