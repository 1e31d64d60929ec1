#include "jump/jump_resolution.h"

#include <gtest/gtest.h>

#include "driver_fixture.h"

namespace ks::test {
namespace {

constexpr RegKey kHkcu = 0x80000001;
constexpr RegKey kHklm = 0x80000002;
const char* const kNotFound = "Keystride|Please check whether the registry key or value exist.";

class JumpResolutionTest : public ::testing::Test {
protected:
    JumpResolutionTest() {
        editor = AddEditor(world);
        world.registry.AddKey(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
        world.registry.AddValue(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                "ProgramFilesDir");
        world.registry.AddValue(kHkcu, "Environment", "Path");
        world.registry.AddValue(kHkcu, "", "RootValue");
    }

    void Jump(std::string_view text) {
        JumpToRegistryPath({world.registry, world.windows, world.processes}, text);
    }

    bool ShowedNotFound() const {
        const auto boxes = world.EventsOf("MessageBox");
        return boxes.size() == 1 && boxes[0].text == kNotFound && boxes[0].wParam == 0x40u;
    }

    // The tree and list characters the driver typed, with Right and Down
    // presses shown as '\' and '|'.
    std::string Typed() const {
        std::string typed;
        for (const sim::Event& e : world.EventsOf("SendMessage")) {
            if (e.message == 0x102) typed += static_cast<char>(e.wParam);
            if (e.message == 0x100 && e.wParam == kRight) typed += '\\';
            if (e.message == 0x100 && e.wParam == kDown) typed += '|';
        }
        return typed;
    }

    bool Drove() const { return !world.EventsOf("SendMessage").empty(); }

    sim::World world;
    SimEditor editor;
};

TEST_F(JumpResolutionTest, TextsWithoutARootAreRejectedWithoutReadingTheRegistry) {
    for (const char* text : {"", "Software\\Microsoft", "H K", "hxk"}) {
        world.log.clear();
        Jump(text);
        EXPECT_TRUE(ShowedNotFound()) << text;
        EXPECT_TRUE(world.EventsOf("RegOpenKey").empty()) << text;
        EXPECT_FALSE(Drove()) << text;
    }
}

TEST_F(JumpResolutionTest, UnknownRootPartsAreNotFound) {
    for (const char* text : {"hkey_local_machine\\SOFTWARE", "Software\\HKCU", "\\HKLM\\Software",
                             " HKLM\\SOFTWARE", "HKPD\\x"}) {
        world.log.clear();
        Jump(text);
        EXPECT_TRUE(ShowedNotFound()) << text;
        EXPECT_TRUE(world.EventsOf("RegOpenKey").empty()) << text;
    }
}

TEST_F(JumpResolutionTest, WholeRestThatIsAKeyIsJumpedToAsAKey) {
    Jump("HKLM\\SOFTWARE");
    EXPECT_EQ(Typed(), "\\HKEY_LOCAL_MACHINE\\SOFTWARE");
    const auto opens = world.EventsOf("RegOpenKey");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].handle, kHklm);
    EXPECT_EQ(opens[0].wParam, 0x20119u);
    EXPECT_EQ(opens[0].text, "SOFTWARE");
}

TEST_F(JumpResolutionTest, RootAloneOpensTheRoot) {
    for (const char* text : {"hkcu", "HKCU\\"}) {
        world.log.clear();
        Jump(text);
        EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\") << text;
        EXPECT_TRUE(world.EventsOf("MessageBox").empty()) << text;
    }
}

TEST_F(JumpResolutionTest, LastComponentIsTriedAsAValueWhenTheRestIsNoKey) {
    Jump("hklm\\software\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir");
    EXPECT_EQ(Typed(), "\\HKEY_LOCAL_MACHINE\\software\\Microsoft\\Windows\\CurrentVersion|"
                       "ProgramFilesDir");
    const auto opens = world.EventsOf("RegOpenKey");
    ASSERT_EQ(opens.size(), 3u);
    EXPECT_EQ(opens[1].wParam, 0x20009u) << "existence test without the 64-bit view flag";
    EXPECT_EQ(opens[2].wParam, 0x20119u);
    EXPECT_EQ(world.EventsOf("RegQueryValue").at(0).text, "ProgramFilesDir");
}

TEST_F(JumpResolutionTest, ValueDirectlyBelowTheRoot) {
    Jump("HKCU\\RootValue");
    EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\|RootValue");

    world.log.clear();
    Jump("HKCU\\NoSuchValue");
    EXPECT_TRUE(ShowedNotFound());
    EXPECT_FALSE(Drove());
}

TEST_F(JumpResolutionTest, MissingKeyOrValueShowsTheBoxAndDrivesNothing) {
    for (const char* text : {"HKCU\\Environment\\Missing", "HKCU\\NoSuchKey\\X"}) {
        world.log.clear();
        Jump(text);
        EXPECT_TRUE(ShowedNotFound()) << text;
        EXPECT_FALSE(Drove()) << text;
    }
}

TEST_F(JumpResolutionTest, KeyThatCannotBeOpenedForReadingIsJumpedToUnchecked) {
    world.registry.DenyWow64Open(kHkcu, "Locked");
    Jump("HKCU\\Locked\\AnyValue");
    EXPECT_TRUE(world.EventsOf("MessageBox").empty());
    EXPECT_TRUE(world.EventsOf("RegQueryValue").empty());
    EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\Locked|AnyValue");
}

TEST_F(JumpResolutionTest, DoubledBackslashAfterTheRootOpensFromTheRoot) {
    world.registry.AddKey(kHkcu, "Software");
    Jump("HKCU\\\\Software");
    const auto opens = world.EventsOf("RegOpenKey");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].text, "Software") << "one leading backslash dropped";
    EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\Software");
}

TEST_F(JumpResolutionTest, EveryKeyIsClosedBeforeTheDriverRunsAndOnEveryPath) {
    for (const char* text : {"HKLM\\SOFTWARE", "HKCU\\Environment\\Path", "HKCU\\Environment\\No",
                             "HKCU\\Nope\\x"}) {
        world.log.clear();
        Jump(text);
        EXPECT_EQ(world.registry.OpenHandleCount(), 0) << text;
        std::size_t lastRegistryCall = 0, firstMessage = world.log.size();
        for (std::size_t i = 0; i < world.log.size(); ++i) {
            if (world.log[i].call.rfind("Reg", 0) == 0) lastRegistryCall = i;
            if (world.log[i].call == "SendMessage" && firstMessage == world.log.size())
                firstMessage = i;
        }
        EXPECT_LT(lastRegistryCall, firstMessage) << text;
    }
}

}  // namespace
}  // namespace ks::test
