#include "favourites/ini_file.h"

#include <gtest/gtest.h>

#include <random>

namespace ks::test {
namespace {

using namespace std::string_literals;

TEST(ProfileInteger, ReadingRules) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-5", -5},
        {"+7", 7},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"4294967296", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"0x10", 16},
        {"0X1f", 31},
        {"0xAbC", 0xABC},
        {"0x0000000000000010", 16},
        {"0x7FFFFFFF", 2147483647},
        {"0x80000000", std::nullopt},
        {"0xFFFFFFFF", std::nullopt},
        {"0x", std::nullopt},  // two characters: decimal, and not a number
        {"0xg", std::nullopt},
        {"0x-1", std::nullopt},
        {"-0x10", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"12abc", std::nullopt},
        {"yes", std::nullopt},
        {"1 2", std::nullopt},
        {"1.5", std::nullopt},
        {"1e3", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseProfileInteger(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(ParseProfileInteger("1\0"s), std::nullopt);
}

TEST(IniFile, StringReadingRules) {
    const std::string longValue(3000, 'v');
    struct Case {
        std::string line;  // the value line in [S], key K
        std::string read;
    };
    const Case cases[] = {
        {"K=plain", "plain"},
        {"K=", ""},
        {"K=  \t padded \t ", "padded"},
        {"  K  =  spaced key", "spaced key"},
        {"K=inner  blanks kept", "inner  blanks kept"},
        {"K=\"quoted\"", "quoted"},
        {"K='single'", "single"},
        {"K=\" blanks inside \"", " blanks inside "},
        {"K=  \"trimmed first\"  ", "trimmed first"},
        {"K=\"\"", ""},
        {"K=\"", "\""},
        {"K='", "'"},
        {"K=\"mixed'", "\"mixed'"},
        {"K=\"a\"b\"", "a\"b"},
        {"K=\"\"twice\"\"", "\"twice\""},
        {"K=a=b=c", "a=b=c"},
        {"K=" + longValue, longValue.substr(0, 2047)},
        {"K=\"" + longValue + "\"", longValue.substr(0, 2047)},
        {"K=nul\0inside"s, "nul\0inside"s},
        {"k=lower case key", "lower case key"},
    };
    for (const Case& c : cases) {
        const IniFile ini("[S]\r\n" + c.line + "\r\n");
        EXPECT_EQ(ini.ReadString("S", "K", "default"), c.read) << c.line.substr(0, 40);
    }
}

TEST(IniFile, MissingSectionsAndKeysGiveTheDefault) {
    const IniFile ini(
        "K=before any section\r\n[S]\r\n;K=comment\r\nK\r\n[T]\r\nK=in T\r\n[S2]\r\n");
    EXPECT_EQ(ini.ReadString("S", "K", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("Missing", "K", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("T", "Other", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("S2", "K", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("T", "K", "dflt"), "in T");
    EXPECT_EQ(ini.ReadInteger("T", "K", -9), -9);
    EXPECT_EQ(ini.ReadInteger("Missing", "K", 342), 342);
    EXPECT_EQ(ini.Find("S", "K"), std::nullopt);
}

TEST(IniFile, NamesMatchIgnoringAsciiCaseAndTheFirstOneCounts) {
    const IniFile ini(
        "[copy]\r\nENABLE=1\r\nenable=2\r\n[COPY]\r\nEnable=3\r\nOther=4\r\n"
        "[\xC9t\xE9]\r\nK=5\r\n");
    EXPECT_EQ(ini.ReadInteger("Copy", "Enable", 0), 1);
    EXPECT_EQ(ini.ReadInteger("Copy", "Other", 0), 0);  // only the first [Copy] counts
    EXPECT_EQ(ini.ReadInteger("\xC9t\xE9", "k", 0), 5);
    EXPECT_EQ(ini.ReadInteger("\xE9t\xE9", "k", 0), 0);  // not an ASCII letter
}

TEST(IniFile, LineEndsAndLineShapes) {
    struct Case {
        std::string text;
        std::string value;
    };
    const Case cases[] = {
        {"[S]\r\nK=crlf\r\n", "crlf"},
        {"[S]\nK=lf\n", "lf"},
        {"[S]\rK=cr\r", "cr"},
        {"[S]\n\n\r\n  \t \nK=after blank lines", "after blank lines"},
        {"  [S]  \r\n\tK=indented", "indented"},
        {"[ S ]\r\nK=blanks in brackets", "blanks in brackets"},
        {"[S]trailing text\r\nK=after header text", "after header text"},
        {"[S]\r\n[S\r\nK=open bracket line is no header", "open bracket line is no header"},
        {"\xEF\xBB\xBFK=x\r\n[S]\r\nK=after a byte order mark", "after a byte order mark"},
    };
    for (const Case& c : cases) {
        const IniFile ini(c.text);
        EXPECT_EQ(ini.ReadString("S", "K", "default"), c.value) << c.text;
    }
}

TEST(IniFile, TypedReads) {
    const IniFile ini(
        "[S]\r\nTwo=2\r\nZero=0\r\nYes=yes\r\nHex=0x10\r\nQuoted=\"-3\"\r\nSpaced=  12  \r\n"
        "Empty=\r\nHuge=4294967296\r\n");
    EXPECT_TRUE(ini.ReadBoolean("S", "Two", false));
    EXPECT_FALSE(ini.ReadBoolean("S", "Zero", true));
    EXPECT_FALSE(ini.ReadBoolean("S", "Yes", false));
    EXPECT_TRUE(ini.ReadBoolean("S", "Yes", true));
    EXPECT_TRUE(ini.ReadBoolean("S", "Missing", true));
    EXPECT_TRUE(ini.ReadBoolean("S", "Hex", false));
    EXPECT_EQ(ini.ReadInteger("S", "Hex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "Quoted", 0), -3);
    EXPECT_EQ(ini.ReadInteger("S", "Spaced", 0), 12);
    EXPECT_EQ(ini.ReadInteger("S", "Empty", 7), 7);
    EXPECT_EQ(ini.ReadInteger("S", "Huge", 7), 7);
}

TEST(IniFile, UntouchedTextIsKeptByteForByte) {
    const std::string text =
        "; header comment\n[A]\r\n  key = value  \r\nno equals here\n\n[B]\rX=1\r\n\0junk\xFF"s;
    IniFile ini(text);
    EXPECT_EQ(ini.ReadString("A", "KEY", ""), "value");
    EXPECT_EQ(ini.ReadString("B", "X", ""), "1");
    EXPECT_EQ(ini.Serialize(), text);
}

TEST(IniFile, WritingRules) {
    struct Case {
        const char* name;
        std::string before;
        std::string section, key, value;
        std::string after;
    };
    const Case cases[] = {
        {"empty file gets a section", "", "S", "K", "v", "[S]\r\nK=v\r\n"},
        {"value replaced where it stands", "[S]\r\nA=1\r\nK=old\r\nB=2\r\n", "S", "K", "new",
         "[S]\r\nA=1\r\nK=new\r\nB=2\r\n"},
        {"replaced line keeps its name as written", "[s]\r\n  key = old \r\n", "S", "KEY", "new",
         "[s]\r\nkey=new\r\n"},
        {"replaced LF line ends in CR LF", "[S]\nK=old\nB=2\n", "S", "K", "new",
         "[S]\nK=new\r\nB=2\n"},
        {"only the first of two keys", "[S]\r\nK=1\r\nK=2\r\n", "S", "k", "3",
         "[S]\r\nK=3\r\nK=2\r\n"},
        {"new key at the end of its section, before blank lines",
         "[S]\r\nA=1\r\n; note\r\n\r\n[T]\r\nB=2\r\n", "S", "K", "v",
         "[S]\r\nA=1\r\n; note\r\nK=v\r\n\r\n[T]\r\nB=2\r\n"},
        {"new key in an empty section", "[S]\r\n[T]\r\n", "S", "K", "v", "[S]\r\nK=v\r\n[T]\r\n"},
        {"new key after a last line without a break", "[S]\r\nA=1", "S", "K", "v",
         "[S]\r\nA=1\r\nK=v\r\n"},
        {"new key after a header without a break", "[S]", "S", "K", "v", "[S]\r\nK=v\r\n"},
        {"new section at the end", "[S]\r\nA=1\r\n\r\n", "T", "K", "v",
         "[S]\r\nA=1\r\n\r\n[T]\r\nK=v\r\n"},
        {"new section after a last line without a break", "[S]\r\nA=1", "T", "K", "v",
         "[S]\r\nA=1\r\n[T]\r\nK=v\r\n"},
        {"a second [S] is not the section", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nK=old\r\n", "S", "K", "v",
         "[S]\r\nA=1\r\nK=v\r\n[T]\r\n[S]\r\nK=old\r\n"},
        {"a commented key is not the key", "[S]\r\n;K=old\r\n", "S", "K", "v",
         "[S]\r\n;K=old\r\nK=v\r\n"},
        {"empty value", "[S]\r\nK=old\r\n", "S", "K", "", "[S]\r\nK=\r\n"},
        {"line breaks become blanks", "[S]\r\n", "S", "K", "a\r\n[Copy]\r\nEnable=1\nb\rc",
         "[S]\r\nK=a  [Copy]  Enable=1 b c\r\n"},
    };
    for (const Case& c : cases) {
        IniFile ini(c.before);
        ini.Set(c.section, c.key, c.value);
        EXPECT_EQ(ini.Serialize(), c.after) << c.name;
    }
}

TEST(IniFile, ChangesAreVisibleAndTheLastWriteWins) {
    IniFile ini("[S]\r\nK=old\r\n");
    ini.Set("S", "K", "  one  ");
    ini.Set("s", "k", "two");
    ini.WriteInteger("S", "New", -12);
    ini.WriteBoolean("S", "New", true);
    ini.WriteBoolean("T", "Flag", false);
    EXPECT_EQ(ini.ReadString("S", "K", ""), "two");
    EXPECT_EQ(ini.ReadInteger("S", "NEW", 0), 1);
    EXPECT_FALSE(ini.ReadBoolean("T", "Flag", true));
    EXPECT_EQ(ini.Serialize(), "[S]\r\nK=two\r\nNew=1\r\n[T]\r\nFlag=0\r\n");
}

// A removed key's line goes, whether it stood in the text, was changed or
// was added; set again, it comes back where it stood.
TEST(IniFile, RemovedKeysLeaveNoLine) {
    IniFile ini("[S]\r\nA=1\r\n;note\r\nB=2\r\nC=3\r\n[T]\r\nA=4\r\n");
    ini.Set("S", "B", "changed");
    ini.Set("S", "D", "added");
    for (const char* key : {"b", "D", "C", "Missing"}) ini.Remove("S", key);
    ini.Remove("Nowhere", "A");
    EXPECT_FALSE(ini.Find("S", "B"));
    EXPECT_EQ(ini.Entries("S").size(), 1u);
    EXPECT_EQ(ini.Serialize(), "[S]\r\nA=1\r\n;note\r\n[T]\r\nA=4\r\n");
    ini.Set("S", "C", "back");
    EXPECT_EQ(ini.Serialize(), "[S]\r\nA=1\r\n;note\r\nC=back\r\n[T]\r\nA=4\r\n");
}

TEST(IniFile, AddSectionWritesAHeaderOnlyWhenMissing) {
    IniFile ini("[S]\r\n");
    ini.AddSection("s");
    ini.AddSection("Empty");
    ini.Set("Later", "K", "v");
    ini.AddSection("EMPTY");
    EXPECT_EQ(ini.Serialize(), "[S]\r\n[Empty]\r\n[Later]\r\nK=v\r\n");
}

TEST(IniFile, EntriesListEachNameOnceWithItsValue) {
    IniFile ini("[S]\r\nB=1\r\na= 2 \r\nA=3\r\n;C=4\r\nD\r\n[T]\r\nD=5\r\n");
    ini.Set("S", "E", " 6 ");
    ini.Set("S", "b", "7");
    std::vector<std::pair<std::string, std::string>> entries;
    for (const IniFile::Entry& entry : ini.Entries("s"))
        entries.emplace_back(entry.name, entry.value);
    EXPECT_EQ(entries, (std::vector<std::pair<std::string, std::string>>{
                           {"B", "7"}, {"a", "2"}, {"E", "6"}}));
    EXPECT_TRUE(ini.Entries("Missing").empty());
}

// Whatever the text, an unchanged document gives it back unchanged, and what
// was written reads back after the text is parsed again.
TEST(IniFile, LoneCarriageReturnAtTheEndOfTheFile) {
    // Found by fuzzing: the last line ends in a CR with nothing after it, and
    // a key is replaced in that section while another section gets a new key.
    IniFile ini("[A]\nx=1\n[B]\r\n0=\r"s);
    ini.Set("A", "x", "2");
    ini.Set("B", "0", "v");
    ini.Set("B", "1", "w");
    EXPECT_EQ(ini.Serialize(), "[A]\nx=2\r\n[B]\r\n0=v\r\n1=w\r\n");
    IniFile reread(ini.Serialize());
    EXPECT_EQ(reread.ReadString("B", "1", ""), "w");
}

TEST(IniFile, RandomBytesRoundTrip) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        std::string text(static_cast<std::size_t>(random() % 4096), '\0');
        // Weighted towards the bytes that shape the file.
        const std::string shaping = "[]=;\r\n \t\"'Ss";
        for (char& c : text)
            c = random() % 3 == 0 ? shaping[random() % shaping.size()]
                                  : static_cast<char>(random() % 256);
        IniFile unchanged(text);
        static_cast<void>(unchanged.ReadInteger("S", "S", 0));
        ASSERT_EQ(unchanged.Serialize(), text) << round;

        IniFile changed(text);
        changed.Set("S", "S", "first");
        changed.Set("s", "K", "second \"value\"");
        changed.Set("New", "S", "third");
        const IniFile reread(changed.Serialize());
        EXPECT_EQ(reread.ReadString("S", "S", ""), "first") << round;
        EXPECT_EQ(reread.ReadString("S", "K", ""), "second \"value\"") << round;
        EXPECT_EQ(reread.ReadString("NEW", "s", ""), "third") << round;
    }
}

}  // namespace
}  // namespace ks::test
