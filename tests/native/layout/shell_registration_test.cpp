#include "ui/rules/shell_registration.h"
#include "ui/rules/tray_tip.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_world.h"

namespace ks {
namespace {

constexpr RegKey kHkcu = 0x80000001u;
constexpr char kProgram[] = "C:\\Tools\\Keystride\\keystride.exe";

// The registry's writes and deletions, in order.
std::vector<std::string> Changes(const sim::World& world) {
    std::vector<std::string> changes;
    for (const sim::Event& e : world.log)
        if (e.call == "RegSetValue" || e.call == "RegDeleteValue" || e.call == "RegDeleteKey")
            changes.push_back(e.call + " " + e.text);
    return changes;
}

TEST(ShellRegistration, StartWithWindowsWritesAndTakesBackTheRunValue) {
    sim::World world;
    EXPECT_FALSE(StartsWithWindows(world.registry, kProgram));
    ASSERT_TRUE(SetStartWithWindows(world.registry, kProgram, true));
    EXPECT_EQ(world.registry.TextOf(kHkcu, kRunKey, "Keystride"),
              "\"C:\\Tools\\Keystride\\keystride.exe\" --tray");
    EXPECT_TRUE(StartsWithWindows(world.registry, "c:\\tools\\keystride\\KEYSTRIDE.EXE"));
    EXPECT_FALSE(StartsWithWindows(world.registry, "D:\\Other\\keystride.exe"));
    // Another copy's start is left to that copy.
    EXPECT_TRUE(SetStartWithWindows(world.registry, "D:\\Other\\keystride.exe", false));
    EXPECT_TRUE(world.registry.TextOf(kHkcu, kRunKey, "Keystride"));
    world.log.clear();
    ASSERT_TRUE(SetStartWithWindows(world.registry, kProgram, false));
    EXPECT_EQ(Changes(world), std::vector<std::string>{"RegDeleteValue " + std::string(kRunKey) +
                                                       "|Keystride"});
    EXPECT_FALSE(world.registry.TextOf(kHkcu, kRunKey, "Keystride"));
    EXPECT_TRUE(world.registry.HasKey(kHkcu, kRunKey)) << "the Run key is Windows'";
}

TEST(ShellRegistration, LinksWriteTheProtocolAndRemoveExactlyThat) {
    sim::World world;
    world.registry.AddKey(kHkcu, "Software\\Classes\\.txt");
    ASSERT_TRUE(SetOpensLinks(world.registry, kProgram, true));
    EXPECT_TRUE(OpensLinks(world.registry, kProgram));
    EXPECT_EQ(world.registry.TextOf(kHkcu, kProtocolCommandKey, ""),
              "\"C:\\Tools\\Keystride\\keystride.exe\" \"%1\"");
    EXPECT_EQ(world.registry.TextOf(kHkcu, kProtocolKey, "URL Protocol"), "");
    EXPECT_FALSE(OpensLinks(world.registry, "D:\\Other\\keystride.exe"));

    ASSERT_TRUE(SetOpensLinks(world.registry, kProgram, false));
    EXPECT_FALSE(world.registry.HasKey(kHkcu, kProtocolKey));
    EXPECT_TRUE(world.registry.HasKey(kHkcu, "Software\\Classes\\.txt"));

    // A verb of another program's under the key stays, and so does the key.
    ASSERT_TRUE(SetOpensLinks(world.registry, kProgram, true));
    world.registry.AddTextValue(kHkcu, "Software\\Classes\\keystride\\shell\\print\\command", "",
                                "other.exe");
    ASSERT_TRUE(SetOpensLinks(world.registry, kProgram, false));
    EXPECT_FALSE(world.registry.HasKey(kHkcu, "Software\\Classes\\keystride\\shell\\open"));
    EXPECT_EQ(world.registry.TextOf(kHkcu, "Software\\Classes\\keystride\\shell\\print\\command", ""),
              "other.exe");
    EXPECT_FALSE(world.registry.TextOf(kHkcu, kProtocolKey, "URL Protocol"));
    EXPECT_FALSE(OpensLinks(world.registry, kProgram));
}

// The tray's tip: the program's name, then the hotkey that reaches it, the
// jump's first, within the shell's 63 characters.
TEST(ShellRegistration, TheTrayTipNamesTheProgramAndItsHotkey) {
    EXPECT_EQ(TrayTip("", ""), "Keystride");
    EXPECT_EQ(TrayTip("Ctrl+Alt+Shift+J", "Ctrl+Alt+Shift+K"),
              "Keystride\r\nCtrl+Alt+Shift+J: Jump from Clipboard");
    EXPECT_EQ(TrayTip("", "Win+F12"), "Keystride\r\nWin+F12: Show Keystride");
    const std::string longest = "Ctrl+Alt+Shift+Win+Scroll Lock";
    EXPECT_LE(TrayTip(longest, "").size(), kMostTrayTipCharacters);
    EXPECT_EQ(TrayTip(std::string(60, 'k'), ""), "Keystride") << "too long for the tip: the name alone";
}

}  // namespace
}  // namespace ks
