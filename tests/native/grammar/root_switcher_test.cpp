#include "grammar/root_switcher.h"

#include <gtest/gtest.h>

#include <random>

#include "grammar/ascii.h"

namespace ks {
namespace {

TEST(RootSwitcher, ReplacesOrPrependsTheRoot) {
    struct Case {
        std::string text;
        int index;
        std::string expected;
    };
    const Case cases[] = {
        {"Software\\Classes", 2, "HKEY_CURRENT_USER\\Software\\Classes"},
        {"\\Software", 3, "HKEY_LOCAL_MACHINE\\Software"},
        {"", 4, "HKEY_USERS"},
        {"hkey_local_machine\\SOFTWARE\\x", 1, "HKEY_CLASSES_ROOT\\SOFTWARE\\x"},
        {"HKEY_CURRENT_USER", 5, "HKEY_CURRENT_CONFIG"},
        {"HKEY_USERS.DEFAULT", 2, "HKEY_CURRENT_USER\\.DEFAULT"},
        {" HKEY_USERS\\x", 1, "HKEY_CLASSES_ROOT\\x"},
        {"HKEY_CURRENT_USER\\\\x", 2, "HKEY_CURRENT_USER\\\\x"},
        {"HKEY_CURRENT_CONFIG\\a\\", 4, "HKEY_USERS\\a\\"},
        {"HKEY_USER", 4, "HKEY_USERS\\HKEY_USER"},
        // The root is replaced however it is written.
        {"HKLM\\Software", 2, "HKEY_CURRENT_USER\\Software"},
        {"hkcu\\Software\\Wine", 3, "HKEY_LOCAL_MACHINE\\Software\\Wine"},
        {"hKcC\\", 1, "HKEY_CLASSES_ROOT"},
        {"HkEy_CuRrEnT_uSeR\\x", 5, "HKEY_CURRENT_CONFIG\\x"},
        {"Computer\\HKEY_USERS\\S-1-5-18", 2, "HKEY_CURRENT_USER\\S-1-5-18"},
        {"HKLM:\\SOFTWARE", 2, "HKEY_CURRENT_USER\\SOFTWARE"},
        {"Registry::hku\\x", 3, "HKEY_LOCAL_MACHINE\\x"},
        {"[-HKEY_CURRENT_USER\\x]\r\n", 3, "HKEY_LOCAL_MACHINE\\x"},
        {"\\Registry\\User\\S-1\\y", 2, "HKEY_CURRENT_USER\\S-1\\y"},
        {"\"HKLM\\x\" /v \"a b\"", 2, "HKEY_CURRENT_USER\\x /v \"a b\""},
        {"HKCU:\\x /v y", 4, "HKEY_USERS\\x /v y"},
        {"HKLM\\x /v y", 4, "HKEY_USERS\\x /v y"},
        // A name with quotes of its own keeps them: the quotes put around it
        // are the ones a second reading takes off.
        {"'HKCU:' /v \"'HK'\"", 2, "HKEY_CURRENT_USER /v \"'HK'\""},
        {"HKEY_CURRENT_USER/Environment", 3, "HKEY_LOCAL_MACHINE\\Environment"},
        {"HKCU\\a/b", 3, "HKEY_LOCAL_MACHINE\\a/b"},
        // No root: put in front, as a whole.
        {"Software/x", 2, "HKEY_CURRENT_USER\\Software/x"},
        {"\\", 5, "HKEY_CURRENT_CONFIG\\"},
        {"Computer\\Software", 1, "HKEY_CLASSES_ROOT\\Computer\\Software"},
        {"\\Registry\\Nowhere", 1, "HKEY_CLASSES_ROOT\\Registry\\Nowhere"},
    };
    for (const Case& c : cases) EXPECT_EQ(ApplyRootPrefix(c.text, c.index), c.expected) << c.text;
}

TEST(RootSwitcher, IndicesOutsideOneToFiveChangeNothing) {
    for (int index : {0, -1, 6, 1000, -1000})
        for (const char* text : {"", "HKLM\\x", "HKEY_USERS\\y", " a "})
            EXPECT_EQ(ApplyRootPrefix(text, index), text) << index;
}

TEST(RootSwitcher, ApplyingAgainOrAnotherRootComposes) {
    for (const char* text : {"Software\\x", "", "\\a", "HKEY_USERS", "hkey_users\\q", "x\\",
                             "HKLM:x", "'HKCU\\a' /v \" b\"", "\\", "hkcu\\"}) {
        for (int index = 1; index <= 5; ++index) {
            const std::string once = ApplyRootPrefix(text, index);
            EXPECT_EQ(ApplyRootPrefix(once, index), once) << text << " " << index;
        }
        EXPECT_EQ(ApplyRootPrefix(ApplyRootPrefix(text, 2), 3), ApplyRootPrefix(text, 3)) << text;
    }
}

TEST(RootSwitcher, ArbitraryBytesSurviveTheSwitch) {
    using namespace std::string_literals;
    EXPECT_EQ(ApplyRootPrefix("HKEY_USERS\0x"s, 2), "HKEY_CURRENT_USER\\\0x"s);
    EXPECT_EQ(ApplyRootPrefix("\xC8KEY_USERS\\x", 1), "HKEY_CLASSES_ROOT\\\xC8KEY_USERS\\x");
    EXPECT_EQ(ApplyRootPrefix("hkey_users\xFF", 3), "HKEY_LOCAL_MACHINE\\\xFF");
    const std::string longRest = "\\" + std::string(1 << 20, '\xE9');
    const std::string longText = "HKEY_CURRENT_CONFIG" + longRest;
    EXPECT_EQ(ApplyRootPrefix(longText, 5), longText);
}

TEST(ClipboardRecognizer, FragmentsCountAnywhereInAnyCase) {
    EXPECT_FALSE(IsRegistryPathText(""));
    EXPECT_TRUE(IsRegistryPathText("HKCU\\Software"));
    EXPECT_TRUE(IsRegistryPathText("open the hklm branch and look"));
    EXPECT_FALSE(IsRegistryPathText("HKEY"));
    EXPECT_FALSE(IsRegistryPathText("Software\\Microsoft"));
    EXPECT_TRUE(IsRegistryPathText("xhkux"));
    EXPECT_TRUE(IsRegistryPathText(std::string(1 << 20, 'a') + "HkCc"));
    EXPECT_TRUE(IsRegistryPathText(std::string("\0hku", 4)));
    EXPECT_FALSE(IsRegistryPathText("h\xC4k\xC0u"));
    EXPECT_FALSE(IsRegistryPathText("hk\0u"));
    EXPECT_FALSE(IsRegistryPathText("xhk"));
    EXPECT_TRUE(IsRegistryPathText("hKU"));
    EXPECT_TRUE(IsRegistryPathText("x hkey_current_config"));
    EXPECT_TRUE(IsRegistryPathText("\xFF\x80HKEY_LOCAL_MACHINE\xFF"));
    EXPECT_TRUE(IsRegistryPathText("\\Registry\\Machine\\SOFTWARE"));
    EXPECT_FALSE(IsRegistryPathText("\\Registry\\Nowhere"));
}

TEST(ClipboardRecognizer, LongTextsFullOfNearMissesStayFast) {
    // "hk" at every other byte makes every position a candidate; a search
    // that restarted per fragment and position would not finish here.
    std::string text;
    for (int i = 0; i < (1 << 19); ++i) text += "hK";
    EXPECT_FALSE(IsRegistryPathText(text));
    EXPECT_TRUE(IsRegistryPathText(text + "cC"));
    std::string nearMiss;
    while (nearMiss.size() < (1u << 20)) nearMiss += "hkey_local_machin\xC9";
    EXPECT_FALSE(IsRegistryPathText(nearMiss));
}

TEST(ClipboardRecognizer, AgreesWithSearchingEveryFragmentIgnoringCase) {
    const std::string alphabet = "hHkKuUlLmMcCrRx_\\ EYSTORA";
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 24, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        const std::string upper = UpperAscii(text);
        bool expected = false;
        for (std::string_view fragment : ClipboardRecognizerTable)
            expected = expected || upper.find(UpperAscii(fragment)) != std::string::npos;
        ASSERT_EQ(IsRegistryPathText(text), expected) << text;
    }
}

TEST(ClipboardText, TrimsBlanksAndControlsButKeepsHighBytes) {
    EXPECT_EQ(TrimClipboardText("  \tHKCU\\Software \r\n"), "HKCU\\Software");
    EXPECT_EQ(TrimClipboardText("\x01\x1F a b \x20"), "a b");
    EXPECT_EQ(TrimClipboardText("\xA0x\xFF"), "\xA0x\xFF");
    EXPECT_EQ(TrimClipboardText(std::string("\0x\0", 3)), "x");
    EXPECT_EQ(TrimClipboardText(" \r\n\t "), "");
    EXPECT_EQ(TrimClipboardText(""), "");
}

}  // namespace
}  // namespace ks
