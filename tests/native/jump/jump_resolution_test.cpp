#include "jump/jump_resolution.h"

#include <gtest/gtest.h>

#include <optional>

#include "driver_fixture.h"
#include "jump/jump_messages.h"

namespace ks::test {
namespace {

constexpr RegKey kHkcu = 0x80000001;
constexpr RegKey kHklm = 0x80000002;
const char* const kNotFound = "Keystride|Please check whether the registry key or value exist.";

class JumpResolutionTest : public ::testing::Test {
protected:
    JumpResolutionTest() {
        editor = AddEditor(world);
        // What the driver does with the target is its own suite's business:
        // here the keystrokes alone decide.
        world.windows.MakeUnreadable(editor.top);
        world.registry.AddKey(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
        world.registry.AddValue(kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                "ProgramFilesDir");
        world.registry.AddValue(kHkcu, "Environment", "Path");
        world.registry.AddValue(kHkcu, "", "RootValue");
    }

    // As every caller does: the jump, then its box.
    void Jump(std::string_view text) {
        outcome = JumpAndReport({world.registry, world.windows, world.processes}, text);
    }

    // The plain not-found box, for a text whose root is not known.
    bool ShowedNotFound() const {
        const auto boxes = world.EventsOf("MessageBox");
        return boxes.size() == 1 && boxes[0].text.rfind(kNotFound, 0) == 0 &&
               boxes[0].wParam == sim::Code(MessageBoxKind::Information);
    }
    // The not-found box that offers the nearest key (Yes and No, No the
    // default), for a known root.
    bool OfferedNearest(const std::string& nearest) const {
        const auto boxes = world.EventsOf("MessageBox");
        const std::string offer = "\r\nThe nearest key that exists is " + nearest + ". Jump there?";
        return boxes.size() == 1 && boxes[0].wParam == sim::Code(MessageBoxKind::Offer) &&
               boxes[0].text.rfind(kNotFound, 0) == 0 && boxes[0].text.ends_with(offer);
    }

    // The tree and list characters the driver typed, with Right and Down
    // presses shown as '\' and '|'.
    std::string Typed() const {
        std::string typed;
        for (const sim::Event& e : world.Keystrokes()) {
            if (e.call == "Character") typed += static_cast<char>(e.wParam);
            if (e.call == "KeyPress" && e.wParam == sim::Code(kRight)) typed += '\\';
            if (e.call == "KeyPress" && e.wParam == sim::Code(kDown)) typed += '|';
        }
        return typed;
    }

    bool Drove() const { return !world.Keystrokes().empty(); }

    sim::World world;
    SimEditor editor;
    JumpOutcome outcome;
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
    for (const char* text : {"Software\\HKCU", "\\HKLM\\Software", "HKPD\\x", "HK:",
                             "Computer\\Software", "\\Registry\\Nowhere\\SOFTWARE", "["}) {
        world.log.clear();
        Jump(text);
        EXPECT_TRUE(ShowedNotFound()) << text;
        EXPECT_TRUE(world.EventsOf("RegOpenKey").empty()) << text;
    }
    // Texts that only look like a notation may be tried, and name nothing.
    for (const char* text : {"\"HKLM\\SOFTWARE\\Microsoft", "HKCU::Software", "HKLM\\SOFTWARE\"'"}) {
        Jump(text);
        EXPECT_EQ(outcome.result, JumpResult::NotFound) << text;
        EXPECT_FALSE(Drove()) << text;
    }
}

// Paths as people paste them: the first reading that names something wins,
// and the literal one comes first.
TEST_F(JumpResolutionTest, PastedNotationsReachTheKeyTheyName) {
    world.registry.AddKey(kHklm, "SOFTWARE\\AES 128/128");
    world.registry.AddKey(kHklm, "SOFTWARE\\AES 128\\128");
    struct Case {
        const char* text;
        ResolvedJump target;
    };
    const ResolvedJump microsoft{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft", ""};
    const ResolvedJump environmentPath{"HKEY_CURRENT_USER", "Environment", "Path"};
    const Case cases[] = {
        {"Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft", microsoft},
        {"HKLM:\\SOFTWARE\\Microsoft", microsoft},
        {"Registry::HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft", microsoft},
        {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft]", microsoft},
        {" \"hkey_local_machine\\SOFTWARE\\Microsoft\"\r\n", microsoft},
        {"\\Registry\\Machine\\SOFTWARE\\Microsoft", microsoft},
        {"HKLM\\\\SOFTWARE\\\\Microsoft", microsoft},
        {"HKCU\\Environment /v Path", environmentPath},
        {"HKEY_CURRENT_USER/Environment/Path", environmentPath},
        // A forward slash in a key's name is read as written first.
        {"HKLM\\SOFTWARE\\AES 128/128", {"HKEY_LOCAL_MACHINE", "SOFTWARE\\AES 128/128", ""}},
    };
    for (const Case& c : cases) {
        Jump(c.text);
        EXPECT_TRUE(HasLanded(outcome.result)) << c.text;
        EXPECT_EQ(outcome.target, c.target) << c.text;
    }
}

TEST_F(JumpResolutionTest, WholeRestThatIsAKeyIsJumpedToAsAKey) {
    Jump("HKLM\\SOFTWARE");
    EXPECT_EQ(Typed(), "\\HKEY_LOCAL_MACHINE\\SOFTWARE");
    const auto opens = world.EventsOf("RegOpenKey");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].handle, kHklm);
    EXPECT_EQ(opens[0].wParam, sim::Code(KeyAccess::Read));
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
    EXPECT_EQ(opens[1].wParam, sim::Code(KeyAccess::TestExistence));
    EXPECT_EQ(opens[2].wParam, sim::Code(KeyAccess::Read));
    EXPECT_EQ(world.EventsOf("RegQueryValue").at(0).text, "ProgramFilesDir");
}

TEST_F(JumpResolutionTest, ValueDirectlyBelowTheRoot) {
    Jump("HKCU\\RootValue");
    EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\|RootValue");

    world.log.clear();
    Jump("HKCU\\NoSuchValue");
    EXPECT_TRUE(OfferedNearest("HKEY_CURRENT_USER"));
    EXPECT_FALSE(Drove());
}

TEST_F(JumpResolutionTest, MissingKeyOrValueOffersTheNearestKeyAndDrivesNothingOnNo) {
    const std::pair<const char*, const char*> cases[] = {
        {"HKCU\\Environment\\Missing", "HKEY_CURRENT_USER\\Environment"},
        {"HKCU\\NoSuchKey\\X", "HKEY_CURRENT_USER"},
    };
    for (const auto& [text, nearest] : cases) {
        world.log.clear();
        Jump(text);
        EXPECT_TRUE(OfferedNearest(nearest)) << text;
        EXPECT_FALSE(Drove()) << text;
        EXPECT_EQ(outcome.result, JumpResult::NotFound) << text;
    }
}

TEST_F(JumpResolutionTest, YesJumpsToTheNearestKey) {
    world.windows.answersYes = true;
    Jump("HKLM\\SOFTWARE\\Microsoft\\Windows\\Gone\\Deeper");
    EXPECT_EQ(Typed(), "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows");
    EXPECT_TRUE(HasLanded(outcome.result));
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows", ""}));
    EXPECT_EQ(world.EventsOf("MessageBox").size(), 1u) << "the landing itself says nothing";
}

// With a known root, the outcome names the deepest key of the path that
// exists, so that the user can be offered the nearest place.
TEST_F(JumpResolutionTest, NotFoundNamesTheDeepestExistingKey) {
    struct Case {
        const char* text;
        std::optional<ResolvedJump> nearest;
    };
    const Case cases[] = {
        {"HKLM\\SOFTWARE\\Microsoft\\Gone\\Deeper\\Still",
         ResolvedJump{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft", ""}},
        {"HKCU\\Environment\\Missing", ResolvedJump{"HKEY_CURRENT_USER", "Environment", ""}},
        {"HKCU\\NoSuchKey\\X", ResolvedJump{"HKEY_CURRENT_USER", "", ""}},
        {"HKCU\\NoSuchValue", ResolvedJump{"HKEY_CURRENT_USER", "", ""}},
        {"HKPD\\x", std::nullopt},
        {"no root at all", std::nullopt},
    };
    for (const Case& c : cases) {
        outcome = JumpToRegistryPath({world.registry, world.windows, world.processes}, c.text);
        EXPECT_EQ(outcome.result, JumpResult::NotFound) << c.text;
        EXPECT_EQ(outcome.nearest, c.nearest) << c.text;
        EXPECT_EQ(world.registry.OpenHandleCount(), 0) << c.text;
    }
}

// Every outcome but a landing tells the user why, in a box of its own; the
// not-found box stays as it always was.
TEST_F(JumpResolutionTest, EachOutcomeHasItsBox) {
    struct Case {
        JumpResult result;
        std::optional<MessageBoxKind> box;
        const char* says;
    };
    const Case cases[] = {
        {JumpResult::Landed, std::nullopt, ""},
        {JumpResult::Unverified, std::nullopt, ""},
        {JumpResult::NotFound, MessageBoxKind::Offer,
         "exist.\r\nHKEY_CURRENT_USER\\Software has no subkey \"Vendor\".\r\nThe nearest key that "
         "exists is HKEY_CURRENT_USER\\Software."},
        {JumpResult::EditorNotStarted, MessageBoxKind::Warning, "did not start"},
        {JumpResult::EditorRefused, MessageBoxKind::WarningOffer,
         "runs as administrator, so Keystride cannot drive it. You can close the Registry "
         "Editor and jump again.\r\n\r\nRestart Keystride as administrator?"},
        {JumpResult::OpenedElevated, MessageBoxKind::WarningOffer,
         "opened at HKEY_CURRENT_USER\\Software\\Vendor. It runs as administrator, so Keystride "
         "cannot select the value Setting there.\r\n\r\nRestart Keystride as administrator?"},
        {JumpResult::ValueUnreadable, MessageBoxKind::Warning,
         "shows HKEY_CURRENT_USER\\Software\\Vendor, but the value Setting could not be read"},
        {JumpResult::EditorNotAnswering, MessageBoxKind::Warning, "stopped answering"},
        {JumpResult::NotReached, MessageBoxKind::Warning, "brought to HKEY_CURRENT_USER\\Software\\Vendor\\Setting."},
    };
    for (const Case& c : cases) {
        world.log.clear();
        JumpOutcome shown{c.result, {"HKEY_CURRENT_USER", "Software\\Vendor", "Setting"},
                          ResolvedJump{"HKEY_CURRENT_USER", "Software", ""}};
        shown.text = "HKCU\\Software\\Vendor /v Setting";
        ShowJumpOutcome(world.windows, shown);
        const auto boxes = world.EventsOf("MessageBox");
        if (!c.box) {
            EXPECT_TRUE(boxes.empty()) << static_cast<int>(c.result);
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u) << static_cast<int>(c.result);
        EXPECT_EQ(boxes[0].wParam, sim::Code(*c.box)) << static_cast<int>(c.result);
        EXPECT_EQ(boxes[0].text.rfind("Keystride|", 0), 0u);
        EXPECT_NE(boxes[0].text.find(c.says), std::string::npos) << boxes[0].text;
    }
}

// The not-found box names what is missing, under its unchanged first
// sentence: the first key of the path that is not there and the key it is
// missing from, or the value, or that the text is no path at all.
TEST_F(JumpResolutionTest, TheNotFoundBoxNamesWhatIsMissing) {
    world.registry.AddKey(kHkcu, "Software\\Vendor");
    const struct {
        const char* text;
        const char* line;
    } cases[] = {
        {"HKCU\\Software\\Vendor\\Tools\\Deeper",
         "HKEY_CURRENT_USER\\Software\\Vendor has no subkey \"Tools\"."},
        {"HKCU\\Software\\Vendor\\Setting",
         "HKEY_CURRENT_USER\\Software\\Vendor has no subkey or value \"Setting\"."},
        {"HKCU\\Software\\Vendor /v Setting", "HKEY_CURRENT_USER\\Software\\Vendor has no value \"Setting\"."},
        {"HKCU\\Nowhere", "HKEY_CURRENT_USER has no subkey or value \"Nowhere\"."},
        {"HKCU\\Nowhere\\Deeper", "HKEY_CURRENT_USER has no subkey \"Nowhere\"."},
        {"hello world", "The text is not a registry path: it names no root such as HKLM or "
                        "HKEY_CURRENT_USER."},
        {"HKPD\\x", "The text is not a registry path: it names no root such as HKLM or "
                    "HKEY_CURRENT_USER."},
        {"", "The box is empty: type or paste a registry path, such as HKCU\\Software."},
        {" \t", "The box is empty: type or paste a registry path, such as HKCU\\Software."},
    };
    for (const auto& c : cases) {
        world.log.clear();
        Jump(c.text);
        const auto boxes = world.EventsOf("MessageBox");
        ASSERT_EQ(boxes.size(), 1u) << c.text;
        const std::string second = boxes[0].text.substr(boxes[0].text.find("\r\n") + 2);
        EXPECT_EQ(second.substr(0, second.find("\r\n")), c.line) << c.text;
    }
}

// The editor's word for the default value, in any of its languages and
// letter cases, names it when the key holds no value of that literal name;
// a default value that is not set leaves the key, and a box that says so.
TEST_F(JumpResolutionTest, TheDefaultValueByTheEditorsWord) {
    world.registry.AddValue(kHkcu, "Environment", "");
    world.registry.AddValue(kHkcu, "Literal", "(Standard)");
    const ResolvedJump defaultOfEnvironment{"HKEY_CURRENT_USER", "Environment", "", true};
    for (const char* word :
         {"(Default)", "(default)", "(STANDARD)", "(par d\xC3\xA9" "faut)", "(Predeterminado)",
          "(Predefinito)", "(PADR\xC3\x83O)", "(\xD0\xBF\xD0\xBE \xD1\x83\xD0\xBC\xD0\xBE\xD0\xBB"
          "\xD1\x87\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x8E)", "(\xE6\x97\xA2\xE5\xAE\x9A)",
          "(\xE9\xBB\x98\xE8\xAE\xA4)"}) {
        world.log.clear();
        Jump(std::string("HKCU\\Environment\\") + word);
        EXPECT_EQ(outcome.result, JumpResult::Unverified) << word;
        EXPECT_EQ(outcome.target, defaultOfEnvironment) << word;
        EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\Environment|") << "Down alone: the first row";
    }
    Jump("HKCU\\Literal\\(standard)");
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_CURRENT_USER", "Literal", "(standard)"}));

    world.log.clear();
    Jump("HKCU\\Literal\\(Default)");
    EXPECT_EQ(outcome.result, JumpResult::DefaultValueNotSet);
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_CURRENT_USER", "Literal", ""}));
    EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\Literal") << "the key is reached";
    const auto boxes = world.EventsOf("MessageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Keystride|The Registry Editor shows HKEY_CURRENT_USER\\Literal. Its "
                             "default value is not set, so there is no value to select.");

    for (const char* lookalike : {"(Defaults)", "Default", "(Default", "( Default)"}) {
        Jump(std::string("HKCU\\Environment\\") + lookalike);
        EXPECT_EQ(outcome.result, JumpResult::NotFound) << lookalike;
    }
    EXPECT_EQ(DisplayPath(defaultOfEnvironment), "HKEY_CURRENT_USER\\Environment\\(Default)");
}

// reg.exe's switches: "/reg:32" reads the key a 32-bit program reads (or,
// for a key both views share, the key itself), "/ve" the default value. A
// path on another computer is not looked for here, and the box says why.
TEST_F(JumpResolutionTest, RegExeSwitchesAndOtherComputers) {
    world.registry.AddKey(kHklm, "SOFTWARE\\WOW6432Node\\Vendor");
    world.registry.AddKey(kHklm, "SOFTWARE\\Vendor");
    world.registry.AddKey(kHklm, "SOFTWARE\\Clients\\Mail");
    world.registry.AddValue(kHkcu, "Environment", "");
    Jump("HKLM\\SOFTWARE\\Vendor /reg:32");
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_LOCAL_MACHINE", "SOFTWARE\\WOW6432Node\\Vendor", ""}));
    Jump("HKLM\\SOFTWARE\\Vendor /reg:64");
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor", ""}));
    Jump("\"HKLM\\SOFTWARE\\Clients\\Mail\" /reg:32");
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_LOCAL_MACHINE", "SOFTWARE\\Clients\\Mail", ""}));
    Jump("reg query-like HKCU\\Environment /ve");
    EXPECT_EQ(outcome.result, JumpResult::NotFound) << "a reg.exe line is not read yet";
    Jump("HKCU\\Environment /ve");
    EXPECT_EQ(outcome.target, (ResolvedJump{"HKEY_CURRENT_USER", "Environment", "", true}));
    Jump("HKLM\\SOFTWARE\\Vendor /ve");
    EXPECT_EQ(outcome.result, JumpResult::DefaultValueNotSet);

    for (const char* remote : {"\\\\PC\\HKLM\\SOFTWARE", "  \\\\build-7\\HKEY_CURRENT_USER\\x "}) {
        world.log.clear();
        Jump(remote);
        EXPECT_EQ(outcome.result, JumpResult::OnAnotherComputer) << remote;
        EXPECT_TRUE(world.EventsOf("RegOpenKey").empty()) << remote;
        EXPECT_FALSE(Drove());
    }
    const auto boxes = world.EventsOf("MessageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Keystride|\\\\build-7\\HKEY_CURRENT_USER\\x is on another computer "
                             "(build-7). Keystride opens this computer's registry only.");
    for (const char* local : {"\\\\\\HKLM\\x", "\\\\Registry\\HKLM", "\\\\PC\\HKR\\x"}) {
        Jump(local);
        EXPECT_EQ(outcome.result, JumpResult::NotFound) << local;
    }
}

// A key whose security refuses this user is there all the same (the editor
// shows it under its parent): it is jumped to, a value in it is taken
// unchecked, and the nearest-key offer counts it as existing.
TEST_F(JumpResolutionTest, KeysThatRefuseThisUserExist) {
    world.registry.DenyOpen(kHkcu, "Locked");
    Jump("HKCU\\Locked");
    EXPECT_TRUE(world.EventsOf("MessageBox").empty());
    EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\Locked");

    world.log.clear();
    Jump("HKCU\\Locked\\AnyValue");
    EXPECT_TRUE(world.EventsOf("MessageBox").empty());
    EXPECT_TRUE(world.EventsOf("RegQueryValue").empty());
    EXPECT_EQ(Typed(), "\\HKEY_CURRENT_USER\\Locked|AnyValue");

    world.log.clear();
    Jump("HKCU\\Locked\\Missing\\Deeper");
    EXPECT_TRUE(OfferedNearest("HKEY_CURRENT_USER\\Locked"));
}

// After a box that says the editor is out of reach, Yes asks the caller to
// restart as administrator, and No leaves it; both ways nothing else runs.
TEST_F(JumpResolutionTest, OutOfReachBoxesOfferTheRestart) {
    world.windows.MakeRefusing(editor.top, true);
    for (const bool yes : {false, true}) {
        world.windows.answersYes = yes;
        world.log.clear();
        Jump("HKLM\\SOFTWARE");
        EXPECT_EQ(outcome.result, JumpResult::EditorRefused);
        EXPECT_EQ(outcome.restartElevated, yes);
        EXPECT_EQ(world.EventsOf("MessageBox").size(), 1u);
        EXPECT_EQ(PathToJumpAgain(outcome, "HKLM\\SOFTWARE"), "HKLM\\SOFTWARE");
    }
    // The nearest key taken from the offer and then out of reach: the
    // restart goes to that key.
    world.windows.answersYes = true;
    world.log.clear();
    Jump("HKLM\\SOFTWARE\\Microsoft\\Nowhere\\Deeper");
    EXPECT_TRUE(outcome.offerTaken);
    EXPECT_TRUE(outcome.restartElevated);
    EXPECT_EQ(world.EventsOf("MessageBox").size(), 2u);
    EXPECT_EQ(PathToJumpAgain(outcome, "ignored"), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft");
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
            if ((world.log[i].call == "KeyPress" || world.log[i].call == "Character") &&
                firstMessage == world.log.size())
                firstMessage = i;
        }
        EXPECT_LT(lastRegistryCall, firstMessage) << text;
    }
}

}  // namespace
}  // namespace ks::test
