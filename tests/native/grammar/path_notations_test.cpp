#include "grammar/path_notations.h"

#include <gtest/gtest.h>

#include <vector>

namespace ks {

void PrintTo(const PathReading& reading, std::ostream* out) {
    *out << reading.rootName << " | " << reading.rest;
    if (reading.valueName) *out << " | /v " << *reading.valueName;
    if (reading.defaultValue) *out << " | /ve";
}

namespace {

constexpr char kHklm[] = "HKEY_LOCAL_MACHINE";
constexpr char kHkcu[] = "HKEY_CURRENT_USER";
constexpr char kHku[] = "HKEY_USERS";

PathReading Key(const char* root, const char* rest) { return {root, rest, std::nullopt}; }
PathReading Value(const char* root, const char* key, const char* value) {
    return {root, key, value};
}
PathReading Default(const char* root, const char* key) { return {root, key, std::nullopt, true}; }

struct NotationCase {
    std::string text;
    std::vector<PathReading> readings;
};

TEST(PathNotations, EveryNotationInTheOrderTheyAreTried) {
    const NotationCase cases[] = {
        // As typed: the literal reading alone.
        {"HKLM\\SOFTWARE\\Microsoft", {Key(kHklm, "SOFTWARE\\Microsoft")}},
        {"hkcu", {Key(kHkcu, "")}},
        {"hkey_local_machine\\software", {Key(kHklm, "software")}},
        {"HKEY_Users", {Key(kHku, "")}},
        // The address bar, in any language.
        {"Computer\\HKEY_CURRENT_USER\\Software", {Key(kHkcu, "Software")}},
        {"Ordinateur\\hkey_users\\S-1-5-18", {Key(kHku, "S-1-5-18")}},
        {"Computador\\HKEY_LOCAL_MACHINE", {Key(kHklm, "")}},
        // PowerShell drives and provider paths.
        {"HKLM:\\SOFTWARE\\Microsoft", {Key(kHklm, "SOFTWARE\\Microsoft")}},
        {"HKCU:Software", {Key(kHkcu, "Software")}},
        {"hku:", {Key(kHku, "")}},
        {"Registry::HKEY_LOCAL_MACHINE\\SOFTWARE", {Key(kHklm, "SOFTWARE")}},
        {"Microsoft.PowerShell.Core\\Registry::HKEY_LOCAL_MACHINE\\SOFTWARE",
         {Key(kHklm, "SOFTWARE")}},
        {"registry::hkcu\\Software", {Key(kHkcu, "Software")}},
        // .reg headers, also quoted or with a line break after them.
        {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]", {Key(kHklm, "SOFTWARE\\Vendor")}},
        {"[-HKEY_CURRENT_USER\\Software\\Old]\r\n", {Key(kHkcu, "Software\\Old")}},
        {"\"[HKEY_USERS\\.DEFAULT]\"", {Key(kHku, ".DEFAULT")}},
        // Quotes and blanks around the text: the literal reading keeps the
        // trailing blank, the core does not.
        {"\"HKCU\\Software\" ", {Key(kHkcu, "Software")}},
        {"HKCU\\Software \t", {Key(kHkcu, "Software \t"), Key(kHkcu, "Software")}},
        {"'HKCU:\\Software\\O'Reilly'", {Key(kHkcu, "Software\\O'Reilly")}},
        {"\x93HKCU\\Software\x94", {Key(kHkcu, "Software")}},
        {"\x91HKCU\\Software\x92", {Key(kHkcu, "Software")}},
        {"\xE2\x80\x9CHKCU\\Software\xE2\x80\x9D", {Key(kHkcu, "Software")}},
        // Names in any script: no byte of a character other than the
        // backslash itself separates (表 is 0x95 0x5C in code page 932).
        {"HKCU\\Software\\表示\\値𠀋", {Key(kHkcu, "Software\\表示\\値𠀋")}},
        {"“HKLM:\\SOFTWARE\\Тест”", {Key(kHklm, "SOFTWARE\\Тест")}},
        {"HKCU\\Software\\Ελληνικά /v Значение",
         {Key(kHkcu, "Software\\Ελληνικά /v Значение"),
          Value(kHkcu, "Software\\Ελληνικά", "Значение"),
          Key(kHkcu, "Software\\Ελληνικά \\v Значение")}},
        {"\xE2\x80\x98HKCU\\Software\x92", {Key(kHkcu, "Software")}},
        {"  \" Computer\\HKEY_CURRENT_USER\\Software \"\n", {Key(kHkcu, "Software")}},
        // Native names.
        {"\\Registry\\Machine\\SOFTWARE", {Key(kHklm, "SOFTWARE")}},
        {"\\REGISTRY\\USER\\S-1-5-21-7\\Software", {Key(kHku, "S-1-5-21-7\\Software")}},
        {"\\registry\\machine", {Key(kHklm, "")}},
        // reg.exe's value form: the literal reading first, then the value;
        // forward slashes last of all.
        {"HKLM\\SOFTWARE\\Vendor /v Setting",
         {Key(kHklm, "SOFTWARE\\Vendor /v Setting"), Value(kHklm, "SOFTWARE\\Vendor", "Setting"),
          Key(kHklm, "SOFTWARE\\Vendor \\v Setting")}},
        {"\"HKLM:\\SOFTWARE\\Vendor\" /V \"My Setting\"",
         {Value(kHklm, "SOFTWARE\\Vendor", "My Setting"),
          // The outer quotes taken as a pair name nothing that exists.
          Key(kHklm, "SOFTWARE\\Vendor\" /V \"My Setting"),
          Key(kHklm, "SOFTWARE\\Vendor\" \\V \"My Setting")}},
        {"'HKCU\\x /v y'", {Value(kHkcu, "x", "y"), Key(kHkcu, "x /v y"), Key(kHkcu, "x \\v y")}},
        // Escaped backslashes, only when every one is doubled.
        {"HKLM\\\\SOFTWARE\\\\Microsoft",
         {Key(kHklm, "\\SOFTWARE\\\\Microsoft"), Key(kHklm, "SOFTWARE\\Microsoft")}},
        {"\"HKCU:\\\\Software\"", {Key(kHkcu, "\\Software"), Key(kHkcu, "Software")}},
        {"HKLM\\\\SOFTWARE\\x", {Key(kHklm, "\\SOFTWARE\\x")}},
        // Forward slashes, after the slash as an ordinary character.
        {"HKEY_CURRENT_USER/Environment", {Key(kHkcu, "Environment")}},
        {"HKCU\\AES 128/128", {Key(kHkcu, "AES 128/128"), Key(kHkcu, "AES 128\\128")}},
        {"Computer/HKEY_USERS/x", {Key(kHku, "x")}},
        // Key names with brackets, colons or a root name in them keep
        // their literal reading first.
        {"HKCU\\[x]", {Key(kHkcu, "[x]")}},
        {"HKCU\\C:\\x", {Key(kHkcu, "C:\\x")}},
        {"HKLM\\HKEY_USERS\\x", {Key(kHklm, "HKEY_USERS\\x"), Key(kHku, "x")}},
        // Look-alikes name no root.
        {"Computer\\Software", {}},
        {"HK:", {}},
        {"HKX:\\Software", {}},
        {"[", {}},
        {"[]", {}},
        {"\\Registry\\Nowhere\\x", {}},
        {"\\Registry\\MachineX", {}},
        {"Registry::HKX\\y", {}},
        {"\"HKLM\\SOFTWARE", {}},
        {"\"HKLM\\SOFTWARE'", {}},
        {"\x93HKLM\\SOFTWARE\x92", {}},
        {"HKLM\\SOFTWARE\"", {Key(kHklm, "SOFTWARE\"")}},
        {"HKLM\\x /v ", {Key(kHklm, "x /v "), Key(kHklm, "x /v"), Key(kHklm, "x \\v")}},
        {"HKLM\\x /v a\\b", {Key(kHklm, "x /v a\\b"), Key(kHklm, "x \\v a\\b")}},
        {"", {}},
        {" \r\n", {}},
    };
    for (const NotationCase& c : cases) EXPECT_EQ(ReadPathNotations(c.text), c.readings) << c.text;
}

// The forms that wrap a path in more, read after every earlier reading, so
// that none changes what an older one names; one look-alike of each names
// nothing.
TEST(PathNotations, WrappingFormsComeLast) {
    const NotationCase cases[] = {
        // reg.exe's switches: the 32-bit view first as WOW64 keeps it, then
        // as written, for a key both views share.
        {"HKLM\\SOFTWARE\\Vendor /reg:32",
         {Key(kHklm, "SOFTWARE\\Vendor /reg:32"), Key(kHklm, "SOFTWARE\\Vendor \\reg:32"),
          Key(kHklm, "SOFTWARE\\WOW6432Node\\Vendor"), Key(kHklm, "SOFTWARE\\Vendor")}},
        {"HKCU\\Software\\X /VE",
         {Key(kHkcu, "Software\\X /VE"), Key(kHkcu, "Software\\X \\VE"), Default(kHkcu, "Software\\X")}},
        {"\"HKLM\\SOFTWARE\\Vendor\" /v Name /reg:64",
         {Value(kHklm, "SOFTWARE\\Vendor", "Name /reg:64"), Value(kHklm, "SOFTWARE\\Vendor", "Name")}},
        {"HKLM\\SOFTWARE /reg:16", {Key(kHklm, "SOFTWARE /reg:16"), Key(kHklm, "SOFTWARE \\reg:16")}},
        // Backticks, one or three, switches inside them too.
        {"`HKLM\\SOFTWARE\\Vendor`", {Key(kHklm, "SOFTWARE\\Vendor")}},
        {"```\nHKCU\\Software\\X\n```", {Key(kHkcu, "Software\\X")}},
        {"`HKLM\\SOFTWARE\\V /reg:32`",
         {Key(kHklm, "SOFTWARE\\V /reg:32"), Key(kHklm, "SOFTWARE\\V \\reg:32"),
          Key(kHklm, "SOFTWARE\\WOW6432Node\\V"), Key(kHklm, "SOFTWARE\\V")}},
        {"`HKLM\\SOFTWARE", {}},
        // A root in angle brackets.
        {"<HKLM>\\SOFTWARE\\Vendor", {Key(kHklm, "SOFTWARE\\Vendor")}},
        {"<HKEY_CURRENT_USER>\\Software", {Key(kHkcu, "Software")}},
        {"<HKX>\\SOFTWARE", {}},
        // .inf lines: root, key, value name; HKR names no root of its own.
        {"HKLM,\"System\\Setup\",,", {Key(kHklm, "System\\Setup")}},
        {"HKLM,\"Software\\Vendor\",\"Name\",0x00010001,1", {Value(kHklm, "Software\\Vendor", "Name")}},
        {"HKR,\"Setup\",,", {}},
        // Checklist blocks, any order of path and value, any case.
        {"Registry Hive: HKEY_LOCAL_MACHINE\r\nRegistry Path: \\Software\\Policies\\Kst\\\r\n"
         "Value Name: Enabled\r\nValue Type: REG_DWORD\r\nValue: 1",
         {Value(kHklm, "Software\\Policies\\Kst", "Enabled")}},
        {"  value name:  Setting \n registry path: \\Software\\Vendor\\ \n REGISTRY HIVE: HKEY_CURRENT_USER",
         {Value(kHkcu, "Software\\Vendor", "Setting")}},
        {"HKCU\\Software\\Vendor\nValue Name: Setting",
         {Key(kHkcu, "Software\\Vendor\nValue Name: Setting"), Value(kHkcu, "Software\\Vendor", "Setting")}},
        {"Registry Hive: HKEY_LOCAL_MACHINE", {}},
    };
    for (const NotationCase& c : cases) EXPECT_EQ(ReadPathNotations(c.text), c.readings) << c.text;
}

TEST(PathNotations, LongTextsAndArbitraryBytes) {
    using namespace std::string_literals;
    const std::string rest(1 << 20, '/');
    const std::vector<PathReading> readings = ReadPathNotations("\"hkcu\\" + rest + "\"");
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_EQ(readings[0].rest, rest);
    EXPECT_EQ(readings[1].rest, std::string(1 << 20, '\\'));
    // Last, as a source-code string: its "\/" is one slash.
    EXPECT_EQ(readings[2].rest, std::string((1 << 20) - 1, '\\'));
    EXPECT_EQ(ReadPathNotations(std::string(1 << 20, '"')), std::vector<PathReading>{});
    EXPECT_EQ(ReadPathNotations("HKCU\\\0x"s), (std::vector<PathReading>{{kHkcu, "\0x"s, {}}}));
    EXPECT_EQ(ReadPathNotations("\xE2\x80\x9C"), std::vector<PathReading>{});
}

}  // namespace
}  // namespace ks
