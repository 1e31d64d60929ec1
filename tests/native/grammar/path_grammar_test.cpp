#include "grammar/path_grammar.h"

#include <gtest/gtest.h>

#include "grammar/path_notations.h"

namespace ks {
namespace {

TEST(PathGrammar, RootMarkerIsFoundAnywhereInAnyCase) {
    EXPECT_TRUE(ContainsRootMarker("thk"));
    EXPECT_TRUE(ContainsRootMarker("Software\\HKCU"));
    EXPECT_TRUE(ContainsRootMarker("hK"));
    EXPECT_FALSE(ContainsRootMarker(""));
    EXPECT_FALSE(ContainsRootMarker("H"));
    EXPECT_FALSE(ContainsRootMarker("H K"));
    EXPECT_FALSE(ContainsRootMarker("K\xC8H"));
}

struct SplitCase {
    const char* text;
    const char* rootPart;
    const char* rest;
    const char* rootName;
    std::optional<PredefinedKey> rootKey;
};

TEST(PathGrammar, RootPartsAndRootNames) {
    const SplitCase cases[] = {
        {"HKLM\\SOFTWARE\\Microsoft", "HKLM", "SOFTWARE\\Microsoft", "HKEY_LOCAL_MACHINE",
         0x80000002u},
        {"hkcu", "hkcu", "", "HKEY_CURRENT_USER", 0x80000001u},
        {"HKCU\\", "HKCU", "", "HKEY_CURRENT_USER", 0x80000001u},
        {"hkey_current_user\\Software", "hkey_current_user", "Software", "hkey_current_user",
         std::nullopt},
        {"Software\\HKCU", "Software", "HKCU", "Software", std::nullopt},
        {"\\HKLM\\Software", "", "HKLM\\Software", "", std::nullopt},
        {" HKLM\\Software", " HKLM", "Software", " HKLM", std::nullopt},
        {"HKLM\\\\Software", "HKLM", "\\Software", "HKEY_LOCAL_MACHINE", 0x80000002u},
        {"hKu", "hKu", "", "HKEY_USERS", 0x80000003u},
        {"HKCC\\x", "HKCC", "x", "HKEY_CURRENT_CONFIG", 0x80000005u},
        {"HKCR", "HKCR", "", "HKEY_CLASSES_ROOT", 0x80000000u},
        {"HKEY_USERS\\.DEFAULT", "HKEY_USERS", ".DEFAULT", "HKEY_USERS", 0x80000003u},
        {"HKPD\\x", "HKPD", "x", "HKPD", std::nullopt},
        {"HKLM/Software", "HKLM/Software", "", "HKLM/Software", std::nullopt},
    };
    for (const SplitCase& c : cases) {
        const RootSplit split = SplitRootPart(c.text);
        EXPECT_EQ(split.rootPart, c.rootPart) << c.text;
        EXPECT_EQ(split.rest, c.rest) << c.text;
        const std::string rootName = ExpandRootAbbreviation(split.rootPart);
        EXPECT_EQ(rootName, c.rootName) << c.text;
        EXPECT_EQ(PredefinedRootKey(rootName), c.rootKey) << c.text;
    }
}

TEST(PathGrammar, ValueNameIsCutAtTheLastBackslash) {
    const std::pair<const char*, KeyValueSplit> cases[] = {
        {"SOFTWARE\\Microsoft", {"SOFTWARE", "Microsoft"}},
        {"Software\\MyApp\\App", {"Software\\MyApp", "App"}},
        {"Run", {"", "Run"}},
        {"Software\\Foo\\", {"Software\\Foo\\", ""}},
        {"", {"", ""}},
        {"\\x", {"", "x"}},
        {"a\\\\b", {"a\\", "b"}},
    };
    for (const auto& [rest, expected] : cases) EXPECT_EQ(SplitValueName(rest), expected) << rest;
}

TEST(PathGrammar, FavouriteKeyTextBeginsWithARootOrReadsAsAPath) {
    for (const char* accepted : {"hkey_foo\\x", "HKUSERS", "HKLM", "hkcu\\x", "HKCR", "hkcc",
                                 "HKU", "HKEY_", " HKLM", "Computer\\HKEY_USERS",
                                 "\\Registry\\Machine", "[HKEY_CURRENT_CONFIG]"})
        EXPECT_TRUE(IsFavouriteKeyText(accepted)) << accepted;
    for (const char* rejected : {"HK", "", "HKEY", "Software\\HKLM", "HKXX", " HKXX"})
        EXPECT_FALSE(IsFavouriteKeyText(rejected)) << rejected;
}

TEST(PathGrammar, ArbitraryBytesAreOrdinaryCharacters) {
    using namespace std::string_literals;
    EXPECT_TRUE(ContainsRootMarker("\0hk"s));
    EXPECT_FALSE(ContainsRootMarker("h\0k"s));
    EXPECT_EQ(SplitRootPart("HK\0LM\\a\0"s), (RootSplit{"HK\0LM"s, "a\0"s}));
    // Bytes above 0x7F are negative as char; none may pass for a letter.
    EXPECT_EQ(ExpandRootAbbreviation("HKL\xCD"), "HKL\xCD");
    EXPECT_EQ(ExpandRootAbbreviation("hklm\0"s), "hklm\0"s);
    EXPECT_EQ(PredefinedRootKey("HKEY_USERS\0"s), std::nullopt);
    EXPECT_EQ(SplitValueName("a\\\xFF\0"s), (KeyValueSplit{"a", "\xFF\0"s}));
    EXPECT_FALSE(IsFavouriteKeyText("\xC8KLM"));
    EXPECT_TRUE(IsFavouriteKeyText("hku\0\xFF"s));
    EXPECT_FALSE(IsFavouriteKeyText("hk\0u"s));
}

TEST(PathGrammar, LongTextsSplitWithoutLoss) {
    const std::string rest = std::string(1 << 20, 'k') + "\\v";
    const RootSplit split = SplitRootPart("hkcr\\" + rest);
    EXPECT_EQ(split.rest, rest);
    const KeyValueSplit kv = SplitValueName(split.rest);
    EXPECT_EQ(kv.keyPath.size(), std::size_t{1} << 20);
    EXPECT_EQ(kv.valueName, "v");
}

}  // namespace
}  // namespace ks
