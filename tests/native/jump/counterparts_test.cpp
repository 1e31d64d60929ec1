#include "jump/counterparts.h"

#include <gtest/gtest.h>

#include "jump/driver_fixture.h"
#include "jump/jump_messages.h"

namespace ks::test {
namespace {

constexpr RegKey kHkcr = 0x80000000u;
constexpr RegKey kHkcu = 0x80000001u;
constexpr RegKey kHklm = 0x80000002u;
constexpr RegKey kHku = 0x80000003u;

class CounterpartsTest : public ::testing::Test {
protected:
    // The lines the not-found box would offer for the path.
    std::vector<std::string> Offered(const ResolvedJump& path) {
        std::vector<std::string> lines;
        for (const Counterpart& c : FindCounterparts(world.registry, world.processes, path))
            lines.push_back(CounterpartLine(c));
        return lines;
    }
    sim::World world;
    const std::string sid = world.processes.userSid;
};

// One row per rule, each way, with a value and without: where the path
// exists instead.
TEST_F(CounterpartsTest, EachRuleEachWay) {
    auto& r = world.registry;
    r.AddKey(kHklm, "SOFTWARE\\WOW6432Node\\Vendor32");
    r.AddValue(kHklm, "SOFTWARE\\Vendor64", "Setting");
    r.AddKey(kHkcr, "WOW6432Node\\CLSID\\{1}");
    r.AddValue(kHklm, "SOFTWARE\\Installer", "Path");
    r.AddKey(kHkcu, "Software\\Policies\\Kst");
    r.AddKey(kHkcu, "Software\\Classes\\.kst");
    r.AddKey(kHkcr, ".machine");
    r.AddNumberValue(kHklm, "SYSTEM\\Select", "Current", 2);
    r.AddKey(kHklm, "SYSTEM\\ControlSet002\\Services\\Kst");
    r.AddValue(kHklm, "SYSTEM\\CurrentControlSet\\Services\\Live", "Start");
    r.AddKey(kHkcu, "Software\\Mine");
    r.AddKey(kHku, sid + "\\Software\\Theirs");
    r.AddKey(kHku, sid + "_Classes\\.cls");
    r.AddValue(kHkcu, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Legacy", "Saved");
    r.AddKey(kHklm, "SOFTWARE\\Behind");
    struct Case {
        ResolvedJump path;
        std::vector<std::string> offered;
    };
    const Case cases[] = {
        {{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor32", ""},
         {"The 32-bit view: HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Vendor32"}},
        {{"HKEY_LOCAL_MACHINE", "SOFTWARE\\WOW6432Node\\Vendor64", "Setting"},
         {"The 64-bit view: HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor64\\Setting"}},
        {{"HKEY_CLASSES_ROOT", "CLSID\\{1}", ""},
         {"The 32-bit view: HKEY_CLASSES_ROOT\\WOW6432Node\\CLSID\\{1}"}},
        {{"HKEY_CURRENT_USER", "Software\\Installer", "Path"},
         {"For all users: HKEY_LOCAL_MACHINE\\SOFTWARE\\Installer\\Path"}},
        {{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Policies\\Kst", ""},
         {"For the signed-in user: HKEY_CURRENT_USER\\Software\\Policies\\Kst"}},
        {{"HKEY_CLASSES_ROOT", ".kst", ""},
         {"The signed-in user's classes: HKEY_CURRENT_USER\\Software\\Classes\\.kst"}},
        {{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Classes\\.machine", ""},
         {"The classes as programs see them: HKEY_CLASSES_ROOT\\.machine"}},
        {{"HKEY_LOCAL_MACHINE", "SYSTEM\\CurrentControlSet\\Services\\Kst", ""},
         {"The control set in use, by its number: HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet002\\Services\\Kst"}},
        {{"HKEY_LOCAL_MACHINE", "SYSTEM\\ControlSet001\\Services\\Live", "Start"},
         {"The control set in use: HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Live\\Start"}},
        {{"HKEY_USERS", "S-1-5-21-9-9-9-1001\\Software\\Mine", ""},
         {"The signed-in user's hive: HKEY_CURRENT_USER\\Software\\Mine"}},
        {{"HKEY_CURRENT_USER", "Software\\Theirs", ""},
         {"The signed-in user's hive under HKEY_USERS: HKEY_USERS\\" + sid + "\\Software\\Theirs"}},
        {{"HKEY_CURRENT_USER", "Software\\Classes\\.cls", ""},
         {"The signed-in user's hive under HKEY_USERS: HKEY_USERS\\" + sid + "_Classes\\.cls"}},
        {{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Legacy", "Saved"},
         {"The virtual store, where Windows put a program's writes: HKEY_CURRENT_USER\\Software"
          "\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Legacy\\Saved"}},
        {{"HKEY_CURRENT_USER", "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Behind", ""},
         {"The machine's key behind the virtual store: HKEY_LOCAL_MACHINE\\SOFTWARE\\Behind"}},
        // With the value named, the key alone is not enough.
        {{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor32", "Missing"}, {}},
        {{"HKEY_CURRENT_USER", "Software\\Nowhere", ""}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Offered(c.path), c.offered) << DisplayPath(c.path);
    EXPECT_EQ(world.registry.OpenHandleCount(), 0);
}

// The rules in their order; a path the jump read as one key is also
// found as a key and a value there.
TEST_F(CounterpartsTest, InTheirOrderAndAsTheJumpReadsAPath) {
    auto& r = world.registry;
    r.AddKey(kHklm, "SOFTWARE\\WOW6432Node\\Both");
    r.AddKey(kHkcu, "Software\\Both");
    r.AddKey(kHkcu, "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Both");
    EXPECT_EQ(Offered({"HKEY_LOCAL_MACHINE", "SOFTWARE\\Both", ""}),
              (std::vector<std::string>{
                  "The 32-bit view: HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Both",
                  "For the signed-in user: HKEY_CURRENT_USER\\Software\\Both",
                  "The virtual store, where Windows put a program's writes: HKEY_CURRENT_USER"
                  "\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Both"}));
    r.AddValue(kHklm, "SOFTWARE\\Vendor", "Setting");
    EXPECT_EQ(Offered({"HKEY_CURRENT_USER", "Software\\Vendor\\Setting", ""}),
              (std::vector<std::string>{"For all users: HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor\\Setting"}));
}

// The not-found box becomes a choice: the places, the nearest key, Cancel.
// The choice taken is jumped to; Cancel does nothing more.
TEST_F(CounterpartsTest, TheChoiceIsJumpedTo) {
    const SimEditor editor = AddUnreadableEditor(world);
    world.registry.AddKey(kHklm, "SOFTWARE\\WOW6432Node\\Vendor");
    world.registry.AddKey(kHklm, "SOFTWARE");
    JumpOutcome outcome =
        JumpAndReport({world.registry, world.windows, world.processes}, "HKLM\\SOFTWARE\\Vendor");
    const auto boxes = world.EventsOf("ChoiceBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Keystride|Please check whether the registry key or value exist.\r\n"
              "HKEY_LOCAL_MACHINE\\SOFTWARE has no subkey or value \"Vendor\"."
              "|The 32-bit view: HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Vendor"
              "|The nearest key that exists: HKEY_LOCAL_MACHINE\\SOFTWARE");
    EXPECT_EQ(outcome.result, JumpResult::NotFound) << "Cancel";
    EXPECT_TRUE(world.Keystrokes().empty());

    world.windows.choiceAnswer = 0;
    outcome = JumpAndReport({world.registry, world.windows, world.processes}, "HKLM\\SOFTWARE\\Vendor");
    EXPECT_TRUE(outcome.offerTaken);
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_LOCAL_MACHINE", "SOFTWARE\\WOW6432Node\\Vendor", ""}));
    EXPECT_EQ(PathToJumpAgain(outcome, "ignored"), "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Vendor");
    world.windows.choiceAnswer = 1;
    outcome = JumpAndReport({world.registry, world.windows, world.processes}, "HKLM\\SOFTWARE\\Vendor");
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_LOCAL_MACHINE", "SOFTWARE", ""}));
    EXPECT_TRUE(world.EventsOf("MessageBox").empty()) << "the plain boxes stay away";
}

}  // namespace
}  // namespace ks::test
