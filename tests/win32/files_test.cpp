// The real file calls with texts outside the ANSI code page: a settings
// folder under a user name in Cyrillic, and the code page's own conversions.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "grammar/wide_text.h"
#include "favourites/held_files.h"
#include "platform/win32/win32_ansi_code_page.h"
#include "platform/win32/win32_files.h"

namespace ks::test {
namespace {

std::wstring Wide(const std::string& text) {
    const std::u16string units = ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

TEST(Win32FilesTest, SettingsFolderNamedOutsideTheCodePageIsCreatedWrittenAndRead) {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    const std::u16string tempUnits(temp, temp + wcslen(temp));
    const std::string user = FromUtf16(tempUnits) +
                             FromUtf16(u"keystride-\u0421\u0442\u0443\u043F\u0438\u043D-\u6CE8");
    const std::string folder = user + "\\Korvel\\Keystride\\";
    const std::string path = folder + "options.ini";
    Win32Files files;
    ASSERT_TRUE(files.CreateDirectories(folder));
    EXPECT_TRUE(files.DirectoryExists(folder));
    EXPECT_FALSE(files.FileExists(path));
    ASSERT_TRUE(ReplaceWhenFree(files, path, "[Copy]\r\nEnable=1\r\n"));
    EXPECT_TRUE(files.FileExists(path));
    EXPECT_EQ(ReadWhenFree(files, path), "[Copy]\r\nEnable=1\r\n");
    // The system holds the folder under its own name, not a best fit of it.
    EXPECT_NE(GetFileAttributesW(Wide(path).c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_TRUE(DeleteFileW(Wide(path).c_str()));
    for (const std::string& made : {user + "\\Korvel\\Keystride", user + "\\Korvel", user})
        EXPECT_TRUE(RemoveDirectoryW(Wide(made).c_str())) << made;
}

TEST(Win32FilesTest, CodePageRefusesWhatDoesNotComeBack) {
    const Win32AnsiCodePage ansi;
    EXPECT_EQ(ansi.Encode(u"HKCU\\a\xD800"), std::nullopt);  // a lone surrogate
    EXPECT_EQ(ansi.Encode(u""), std::string());
    EXPECT_EQ(ansi.Decode(""), std::u16string());
    if (GetACP() != 1252)
        GTEST_SKIP() << "the rest holds for Windows-1252, not code page " << GetACP();
    EXPECT_EQ(ansi.Encode(u"Caf\u00E9 \u20AC"), "Caf\xE9 \x80");
    EXPECT_EQ(ansi.Decode("Caf\xE9 \x80\x81"), u"Caf\u00E9 \u20AC\u0081");
    // Best fit would make these "Stupin" and "a".
    EXPECT_EQ(ansi.Encode(u"\u0421\u0442\u0443\u043F\u0438\u043D"), std::nullopt);
    EXPECT_EQ(ansi.Encode(u"\u0101"), std::nullopt);
}

}  // namespace
}  // namespace ks::test
