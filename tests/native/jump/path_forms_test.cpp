#include "grammar/path_forms.h"

#include <gtest/gtest.h>

#include <random>

#include "driver_fixture.h"
#include "jump/jump_resolution.h"

namespace ks {
inline void PrintTo(const ResolvedJump& jump, std::ostream* out) {
    *out << jump.rootName << " | " << jump.keyPath << " | " << jump.valueName
         << (jump.defaultValue ? " | default" : "");
}
}  // namespace ks

namespace ks::test {
namespace {

// The same key, however its backslashes run.
ResolvedJump Normalised(ResolvedJump jump) {
    jump.keyPath = WritePath({jump.rootName, jump.keyPath, ""}, PathForm::LongNames);
    return jump;
}

const ResolvedJump kKey{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor", ""};
const ResolvedJump kValue{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor", "Setting"};
const ResolvedJump kDefault{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor", "", true};

TEST(PathForms, EachFormForAKeyAValueAndTheDefaultValue) {
    struct Case {
        PathForm form;
        const char* key;
        const char* value;
        const char* defaultValue;
    };
    const Case cases[] = {
        {PathForm::LongNames, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor",
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Setting", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\(Default)"},
        {PathForm::ShortNames, "HKLM\\SOFTWARE\\Vendor", "HKLM\\SOFTWARE\\Vendor\\Setting",
         "HKLM\\SOFTWARE\\Vendor\\(Default)"},
        {PathForm::PowerShell, "HKLM:\\SOFTWARE\\Vendor",
         "Get-ItemProperty -LiteralPath 'HKLM:\\SOFTWARE\\Vendor' -Name 'Setting'",
         "Get-ItemProperty -LiteralPath 'HKLM:\\SOFTWARE\\Vendor' -Name '(default)'"},
        {PathForm::RegHeader, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]",
         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]"},
        {PathForm::RegQuery, "reg query \"HKLM\\SOFTWARE\\Vendor\"",
         "reg query \"HKLM\\SOFTWARE\\Vendor\" /v \"Setting\"", "reg query \"HKLM\\SOFTWARE\\Vendor\" /ve"},
        {PathForm::SourceString, "\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Vendor\"",
         "\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Vendor\\\\Setting\"",
         "\"HKEY_LOCAL_MACHINE\\\\SOFTWARE\\\\Vendor\\\\(Default)\""},
        {PathForm::Link, "keystride:HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor",
         "keystride:HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Setting",
         "keystride:HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\%28Default%29"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WritePath(kKey, c.form), c.key);
        EXPECT_EQ(WritePath(kValue, c.form), c.value);
        EXPECT_EQ(WritePath(kDefault, c.form), c.defaultValue);
    }
    // Every root, and the drives PowerShell has only for two of them.
    EXPECT_EQ(WritePath({"HKEY_CLASSES_ROOT", ".txt", ""}, PathForm::PowerShell),
              "Registry::HKEY_CLASSES_ROOT\\.txt");
    EXPECT_EQ(WritePath({"HKEY_CURRENT_USER", "", ""}, PathForm::PowerShell), "HKCU:\\");
    EXPECT_EQ(WritePath({"HKEY_USERS", "\\\\.DEFAULT\\", ""}, PathForm::ShortNames), "HKU\\.DEFAULT");
    EXPECT_EQ(WritePath({"HKEY_CURRENT_CONFIG", "System", "O'Neil \"x\""}, PathForm::PowerShell),
              "Get-ItemProperty -LiteralPath 'Registry::HKEY_CURRENT_CONFIG\\System' -Name 'O''Neil \"x\"'");
    EXPECT_EQ(WritePath({"HKEY_CURRENT_USER", "A\\B\\", "v\"\\"}, PathForm::RegQuery),
              "reg query \"HKCU\\A\\B\" /v \"v\\\"\\\\\"");
    EXPECT_EQ(WritePath({"HKEY_CURRENT_USER", "T\xC3\xA9st 100%", ""}, PathForm::Link),
              "keystride:HKEY_CURRENT_USER\\T%C3%A9st%20100%25");
    EXPECT_EQ(WritePath({"HKEY_CURRENT_USER", "a\tb\x01", ""}, PathForm::SourceString),
              "\"HKEY_CURRENT_USER\\\\a\\tb\\u0001\"");
}

TEST(PathForms, LinksDecodeOrNameNothing) {
    EXPECT_EQ(LinkPath("keystride:HKCU\\T%C3%A9st%20x"), "HKCU\\T\xC3\xA9st x");
    EXPECT_EQ(LinkPath("KEYSTRIDE:hkcu"), "hkcu");
    EXPECT_EQ(LinkPath("keystride:-c"), "-c");
    EXPECT_EQ(LinkPath("keystride:a%ED%A0%80"), "a\xED\xA0\x80") << "a lone surrogate, as names hold";
    EXPECT_EQ(LinkPath("keystride:a%09b"), "a\tb") << "shown in the question as it is";
    for (const char* bad : {"keystride:%", "keystride:%4", "keystride:%zz", "keystrid:HKCU", "HKCU",
                            // The question would show "Safe" alone.
                            "keystride:Safe%00%5CHKLM%5CSOFTWARE%5CTarget",
                            // No UTF-8: a stray byte, a cut sequence, an overlong slash.
                            "keystride:HKCU%5C%FF", "keystride:HKCU%5C%C3", "keystride:%C0%AF"})
        EXPECT_EQ(LinkPath(bad), std::nullopt) << bad;
}

// Every form, read back by the path reader against a registry that holds
// the key and value, names the same key and value (the .reg header, the
// key): paths drawn at random from names with blanks, quotes, slashes,
// brackets, percent signs, commas, other scripts and characters beyond the
// Basic Multilingual Plane.
TEST(PathForms, EveryFormReadsBackToWhatItWrote) {
    const std::vector<std::string> pieces = {
        "a", "Z", "0", " ", "'", "\"", "/", "[", "]", "%", ",", ":", "`", "-", "(", ")", ".",
        "\xC3\xA9", "\xD0\xB6", "\xE8\xA1\xA8", "\xF0\xA0\x80\x8B", "v", "reg", "%41"};
    std::mt19937 random(20261209);
    const auto name = [&] {
        std::string text;
        const std::size_t length = 1 + random() % 6;
        while (text.size() < length) text += pieces[random() % pieces.size()];
        // The readers take blanks off the ends of a text, as pasted.
        while (text.front() == ' ') text.erase(0, 1);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text.empty() ? std::string("n") : text;
    };
    const PathForm forms[] = {PathForm::LongNames, PathForm::ShortNames, PathForm::PowerShell,
                              PathForm::RegHeader, PathForm::RegQuery,   PathForm::SourceString,
                              PathForm::Link};
    for (int round = 0; round < 300; ++round) {
        sim::World world;
        world.windows.MakeUnreadable(AddEditor(world).top);
        const RootName& root = RootNameTable[random() % RootNameTable.size()];
        std::string keyPath;
        for (std::size_t depth = random() % 3; depth > 0; --depth)
            keyPath += (keyPath.empty() ? "" : "\\") + name();
        ResolvedJump target{std::string(root.longName), keyPath, ""};
        const unsigned kind = random() % 3;
        world.registry.AddKey(root.rootKey, keyPath);
        if (kind == 1) target.valueName = name();
        if (kind == 2) target.defaultValue = true;
        if (kind != 0) world.registry.AddValue(root.rootKey, keyPath, target.valueName);
        for (const PathForm form : forms) {
            const std::string text = WritePath(target, form);
            const JumpOutcome outcome =
                JumpToRegistryPath({world.registry, world.windows, world.processes}, text);
            ResolvedJump expected = target;
            if (form == PathForm::RegHeader) expected = {target.rootName, target.keyPath, ""};
            EXPECT_EQ(outcome.result, JumpResult::Unverified) << text;
            EXPECT_EQ(Normalised(outcome.target), Normalised(expected)) << text;
        }
    }
}

}  // namespace
}  // namespace ks::test
