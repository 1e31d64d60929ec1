// Jump resolution against Wine's real registry, with the editor simulated:
// keys are created under HKCU\Software\KeystrideTest and removed after.
#include <gtest/gtest.h>

#include "grammar/wide_text.h"
#include "jump/jump_resolution.h"
#include "platform/sim/sim_world.h"
#include "platform/win32/win32_registry.h"
#include "win32/win32_support.h"

namespace ks::test {
namespace {

constexpr const char* kTestRoot = "Software\\KeystrideTest";

// Names are given in the program's own text form and created in UTF-16.
const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

void CreateKey(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(ToUtf16(path)), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetValue(const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(ToUtf16(path)), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t data[] = L"x";
    RegSetValueExW(key, Wide(ToUtf16(name)), 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                   sizeof data);
    RegCloseKey(key);
}

class ResolutionAgainstTheRegistry : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
        CreateKey(std::string(kTestRoot) + "\\Alpha\\Beta");
        CreateKey(std::string(kTestRoot) + "\\With Blank");
        SetValue(std::string(kTestRoot) + "\\Alpha", "Setting");
        SetValue(std::string(kTestRoot) + "\\Alpha", "Name With Blanks");
        // Names in other scripts; 表 (U+8868) ends in 0x5C in code page 932,
        // 𠀋 lies outside the Basic Multilingual Plane.
        CreateKey(std::string(kTestRoot) + "\\ТЕСТ\\Ελληνικά");
        CreateKey(std::string(kTestRoot) + "\\表示\\𠀋");
        SetValue(std::string(kTestRoot) + "\\ТЕСТ", "Значение");
        SetValue(std::string(kTestRoot) + "\\表示", "値𠀋");
    }
    static void TearDownTestSuite() { RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot); }

    void SetUp() override {
        world.windows.AddWindow(0, "RegEdit_RegEdit");  // a running editor with no tree
    }

    // Whether the text was found and handed to the (simulated) editor.
    std::string Resolve(const std::string& text) {
        world.log.clear();
        const JumpOutcome outcome = JumpToRegistryPath({registry, world.windows, world.processes}, text);
        if (outcome.result == JumpResult::NotFound) return "not found";
        return world.EventsOf("ShowWindow").empty() ? "nothing" : "driven";
    }

    Win32Registry registry;
    sim::World world;
};

TEST_F(ResolutionAgainstTheRegistry, KeysValuesAndMisses) {
    const std::string base = "HKCU\\Software\\KeystrideTest";
    EXPECT_EQ(Resolve(base), "driven");
    EXPECT_EQ(Resolve(base + "\\alpha\\BETA"), "driven") << "names ignore case";
    EXPECT_EQ(Resolve(base + "\\Alpha\\Setting"), "driven");
    EXPECT_EQ(Resolve(base + "\\Alpha\\Name With Blanks"), "driven");
    EXPECT_EQ(Resolve(base + "\\With Blank"), "driven");
    EXPECT_EQ(Resolve(base + "\\Alpha\\Missing"), "not found");
    EXPECT_EQ(Resolve(base + "\\Nope\\Setting"), "not found");
    EXPECT_EQ(Resolve("HKCU"), "driven");
    EXPECT_EQ(Resolve("HKCU\\"), "driven");
    EXPECT_EQ(Resolve("HKEY_LOCAL_MACHINE\\Software"), "driven");
    // Read in the other notations once the literal reading names nothing.
    EXPECT_EQ(Resolve("hkey_local_machine\\Software"), "driven");
    EXPECT_EQ(Resolve(" " + base), "driven");
    EXPECT_EQ(Resolve("hkey_local_machine\\NoSuchKeyForKeystride"), "not found");
    EXPECT_EQ(Resolve("HKCU\\\\Software\\KeystrideTest"), "driven")
        << "one leading backslash of the key path is dropped";
}

TEST_F(ResolutionAgainstTheRegistry, NamesInEveryScript) {
    const std::string base = "HKCU\\Software\\KeystrideTest\\";
    EXPECT_EQ(Resolve(base + "ТЕСТ\\Ελληνικά"), "driven");
    EXPECT_EQ(Resolve(base + "тест\\ΕΛΛΗΝΙΚΆ"), "driven")
        << "the registry ignores case in every script";
    EXPECT_EQ(Resolve(base + "ТЕСТ\\значение"), "driven");
    EXPECT_EQ(Resolve(base + "表示\\𠀋"), "driven");
    EXPECT_EQ(Resolve(base + "表示\\値𠀋"), "driven");
    EXPECT_EQ(Resolve(base + "表\\示"), "not found") << "U+8868 holds no backslash";
    EXPECT_EQ(Resolve(base + "表示\\𠀌"), "not found") << "a neighbour outside the BMP";
    EXPECT_EQ(Resolve(base + "ТЕСТ\\\xED\xA0\x80"), "not found")
        << "a lone surrogate goes to the registry as itself, and names nothing here";
}

TEST_F(ResolutionAgainstTheRegistry, RootsAreTheSystemsPredefinedKeys) {
    for (const char* root : {"HKCR", "HKCU", "HKLM", "HKU", "HKCC"}) {
        EXPECT_EQ(Resolve(root), "driven") << root;
    }
}

}  // namespace
}  // namespace ks::test
