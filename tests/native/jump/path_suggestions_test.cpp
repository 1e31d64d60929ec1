#include "jump/path_suggestions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/sim/sim_world.h"

namespace ks::test {
namespace {

constexpr RegKey kHkcu = 0x80000001;
constexpr RegKey kHklm = 0x80000002;
using Kind = SuggestionKind;

class PathSuggestionsTest : public ::testing::Test {
protected:
    PathSuggestionsTest() {
        // Added out of order: keys come back sorted as the registry keeps
        // them, values in their own order, and both are shown sorted.
        for (const char* key : {"beta", "ALPS", "Alpha", "Gamma"})
            world.registry.AddKey(kHkcu, std::string("Software\\") + key);
        for (const char* value : {"alpine", "Alarm", ""})
            world.registry.AddValue(kHkcu, "Software", value);
        world.registry.AddKey(kHklm, "SOFTWARE\\Microsoft\\Windows");
        world.registry.AddKey(kHklm, "SOFTWARE\\Mozilla");
    }

    // Every name read, as a test of what a user would see once the list
    // has caught up.
    Suggestions Settled(std::string_view text, const std::vector<RecentPath>& recent = {}) {
        Suggestions result = SuggestPaths(text, recent, listings);
        while (listings.HasNamesToRead()) {
            listings.ReadMore(1000);
            result = SuggestPaths(text, recent, listings);
        }
        return result;
    }

    std::vector<std::string> Names(const Suggestions& s) const {
        std::vector<std::string> names;
        for (const Suggestion& entry : s.entries) names.push_back(entry.name);
        return names;
    }

    long OpensOf(const std::string& keyPath) const {
        const auto opens = world.EventsOf("RegOpenKey");
        return std::count_if(opens.begin(), opens.end(),
                             [&](const sim::Event& e) { return e.text == keyPath; });
    }

    sim::World world;
    KeyListings listings{world.registry};
};

TEST_F(PathSuggestionsTest, FirstComponentOffersTheRootNamesTheNotationTakes) {
    EXPECT_EQ(Names(Settled("hkey_c")),
              (std::vector<std::string>{"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_CURRENT_CONFIG"}));
    EXPECT_EQ(Names(Settled("hkc")), (std::vector<std::string>{"HKCR", "HKCU", "HKCC"}));
    EXPECT_EQ(Settled("hkl").entries,
              (std::vector<Suggestion>{{Kind::Root, "HKLM", "HKLM\\"}}));
    // The address bar takes only long root names after its first component.
    EXPECT_EQ(Settled("Computer\\HKEY_L").entries,
              (std::vector<Suggestion>{
                  {Kind::Root, "HKEY_LOCAL_MACHINE", "Computer\\HKEY_LOCAL_MACHINE\\"}}));
    EXPECT_TRUE(Settled("Computer\\HKL").entries.empty());
    EXPECT_TRUE(Settled("xyz").entries.empty());
    // Below a root, names starting like roots are subkeys, not roots.
    EXPECT_TRUE(Settled("HKLM\\HK").entries.empty());
}

TEST_F(PathSuggestionsTest, SubkeysThenValuesBeginningWithTheLastComponentInAnyCase) {
    EXPECT_EQ(Settled("hkcu\\software\\al").entries,
              (std::vector<Suggestion>{
                  {Kind::Key, "Alpha", "hkcu\\software\\Alpha\\"},
                  {Kind::Key, "ALPS", "hkcu\\software\\ALPS\\"},
                  {Kind::Value, "Alarm", "hkcu\\software\\Alarm"},
                  {Kind::Value, "alpine", "hkcu\\software\\alpine"},
              }));
    // After a backslash every name, the default value (set here) by the
    // word that names it.
    EXPECT_EQ(Names(Settled("HKCU\\Software\\")),
              (std::vector<std::string>{"Alpha", "ALPS", "beta", "Gamma", "(Default)", "Alarm",
                                        "alpine"}));
    EXPECT_EQ(Settled("hkcu\\software\\(d").entries,
              (std::vector<Suggestion>{{Kind::Value, "(Default)", "hkcu\\software\\(Default)"}}));
    EXPECT_TRUE(Settled("hkcu\\software\\alpha\\(").entries.empty()) << "no default value set";
}

TEST_F(PathSuggestionsTest, EveryNotationThatNamesARootIsFollowed) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Computer\\HKEY_CURRENT_USER\\Software\\be", "Computer\\HKEY_CURRENT_USER\\Software\\beta\\"},
        {"HKCU:\\Software\\be", "HKCU:\\Software\\beta\\"},
        {"Registry::HKCU\\Software\\be", "Registry::HKCU\\Software\\beta\\"},
        {"\\Registry\\Machine\\SOFTWARE\\Mi", "\\Registry\\Machine\\SOFTWARE\\Microsoft\\"},
        {"HKLM\\\\SOFTWARE\\\\Mi", "HKLM\\\\SOFTWARE\\\\Microsoft\\\\"},
        {"HKEY_CURRENT_USER/Software/be", "HKEY_CURRENT_USER/Software/beta/"},
        {"[HKEY_CURRENT_USER\\Software\\be", "[HKEY_CURRENT_USER\\Software\\beta\\"},
        {"\"HKCU\\Software\\be", "\"HKCU\\Software\\beta\\"},
    };
    for (const auto& [text, completion] : cases) {
        const Suggestions s = Settled(text);
        ASSERT_EQ(s.entries.size(), 1u) << text;
        EXPECT_EQ(s.entries[0].completion, completion) << text;
    }
}

TEST_F(PathSuggestionsTest, FiftyEntriesAndTheCountOfTheRest) {
    for (int i = 0; i < 70; ++i) world.registry.AddKey(kHkcu, "Big\\K" + std::to_string(100 + i));
    world.registry.AddValue(kHkcu, "Big", "Kvalue");
    const Suggestions s = Settled("HKCU\\Big\\k");
    ASSERT_EQ(s.entries.size(), kMostSuggestions);
    EXPECT_EQ(s.more, 21u);
    EXPECT_EQ(s.entries.front().name, "K100");
    EXPECT_EQ(s.entries.back().name, "K149");
    EXPECT_TRUE(s.complete);
}

TEST_F(PathSuggestionsTest, KeysThatCannotBeOpenedOrDoNotExistSuggestNothing) {
    world.registry.DenyOpen(kHkcu, "Software\\Alpha");
    world.registry.AddKey(kHkcu, "Software\\Alpha\\Inner");
    EXPECT_TRUE(Settled("HKCU\\Software\\Alpha\\").entries.empty());
    EXPECT_TRUE(Settled("HKCU\\Software\\Missing\\").entries.empty());
}

TEST_F(PathSuggestionsTest, RecentJumpsComeFirstInAnyNotationAndAloneForAnEmptyText) {
    const std::string windows = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows";
    const std::string beta = "HKEY_CURRENT_USER\\Software\\beta";
    const std::string value = "HKEY_CURRENT_USER\\Software\\Alarm";
    const std::vector<RecentPath> recent = {{windows}, {beta}, {value, true}};
    const Suggestions s = Settled("HKLM\\SOFTWARE\\M", recent);
    EXPECT_EQ(s.entries, (std::vector<Suggestion>{
                             {Kind::Recent, windows, windows},
                             {Kind::Key, "Microsoft", "HKLM\\SOFTWARE\\Microsoft\\"},
                             {Kind::Key, "Mozilla", "HKLM\\SOFTWARE\\Mozilla\\"},
                         }));
    EXPECT_EQ(Names(Settled("hkey_current_user\\soft", recent)),
              (std::vector<std::string>{beta, value, "Software"}));
    EXPECT_EQ(Names(Settled("", recent)), (std::vector<std::string>{windows, beta, value}));
    // A recent value is marked as values are.
    EXPECT_EQ(Settled("HKCU\\Software\\Ala", recent).entries.front(),
              (Suggestion{Kind::RecentValue, value, value}));
}

TEST_F(PathSuggestionsTest, LargeKeysAreReadInStepsAndReusedWhileTheTextStaysBelowThem) {
    for (int i = 0; i < 500; ++i) world.registry.AddKey(kHkcu, "Large\\N" + std::to_string(1000 + i));
    const Suggestions first = SuggestPaths("HKCU\\Large\\", {}, listings);
    EXPECT_FALSE(first.complete);
    EXPECT_LT(world.EventsOf("RegEnumKey").size(), 100u);  // the keystroke did not read them all
    EXPECT_EQ(first.entries.size(), kMostSuggestions);

    const Suggestions settled = Settled("HKCU\\Large\\N149");
    EXPECT_EQ(settled.entries.size(), 10u);
    EXPECT_TRUE(settled.complete);
    Settled("HKCU\\Large\\N14");
    Settled("HKCU\\Large\\N1");
    EXPECT_EQ(OpensOf("Large"), 1);
    EXPECT_EQ(world.EventsOf("RegEnumKey").size(), 501u);  // each name once, and the end

    // Read-only, and every key closed when the names are dropped.
    listings.Forget();
    EXPECT_EQ(world.registry.OpenHandleCount(), 0);
    for (const sim::Event& e : world.log)
        EXPECT_TRUE(e.call == "RegOpenKey" || e.call == "RegEnumKey" || e.call == "RegEnumValue" ||
                    e.call == "RegCloseKey")
            << e.call;
}

TEST_F(PathSuggestionsTest, TheOnlyMatchingKeyIsReadBeforeItsBackslashIsTyped) {
    Settled("HKLM\\SOFTWARE\\Micro");
    EXPECT_EQ(OpensOf("SOFTWARE\\Microsoft"), 1);
    EXPECT_EQ(Names(Settled("HKLM\\SOFTWARE\\Microsoft\\")), (std::vector<std::string>{"Windows"}));
    EXPECT_EQ(OpensOf("SOFTWARE\\Microsoft"), 1);
}

TEST_F(PathSuggestionsTest, HugeAndControlCharacterTextsSuggestNothingQuickly) {
    EXPECT_TRUE(Settled("HKCU\\Software\\" + std::string(65536, 'a')).entries.empty());
    EXPECT_TRUE(Settled(std::string(65536, '\\')).entries.empty());
    EXPECT_TRUE(Settled("HKCU\\Soft\x01\x7f\\\t").entries.empty());
    EXPECT_EQ(Names(Settled(std::string("HKCU\\Software\\\0", 15))), std::vector<std::string>{});
}

}  // namespace
}  // namespace ks::test
