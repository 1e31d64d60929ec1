#include "ui/rules/command_line.h"
#include "ui/rules/recent_handover.h"
#include "ui/rules/link_request.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_world.h"

namespace ks {
namespace {

using Kind = CommandLineRequest::Kind;

TEST(CommandLine, WhatEachLineAsksFor) {
    struct Case {
        const char* line;
        CommandLineRequest request;
    };
    const Case cases[] = {
        {"keystride.exe", {}},
        {"\"C:\\Program Files\\Keystride\\keystride.exe\"   ", {}},
        {"keystride.exe HKLM\\SOFTWARE", {Kind::JumpToPath, "HKLM\\SOFTWARE"}},
        // Blanks inside the path need no quotes; quotes stay for the reader.
        {"keystride HKCU\\Control Panel\\Desktop ", {Kind::JumpToPath, "HKCU\\Control Panel\\Desktop"}},
        // One argument by the platform's rules is read as that argument.
        {"\"C:\\K S\\keystride.exe\" \"HKCU\\Control Panel\"", {Kind::JumpToPath, "HKCU\\Control Panel"}},
        // What PowerShell 7.3 and Python's subprocess write for a path with
        // quotes in it, and a trailing backslash doubled before the quote.
        {"keystride.exe \"\\\"HKCU\\Software\\X\\\"\"", {Kind::JumpToPath, "\"HKCU\\Software\\X\""}},
        {"keystride.exe \"HKCU\\Software\\\\\"", {Kind::JumpToPath, "HKCU\\Software\\"}},
        {"keystride.exe \"HKCU\\Control Panel\" /v x", {Kind::JumpToPath, "\"HKCU\\Control Panel\" /v x"}},
        // Names in other scripts, from a program folder named in one too.
        {"\"C:\\Программы\\keystride.exe\" HKCU\\Software\\Λογισμικό\\表示\\\xF0\x9F\x94\x91",
         {Kind::JumpToPath, "HKCU\\Software\\Λογισμικό\\表示\\\xF0\x9F\x94\x91"}},
        {"keystride.exe -c", {Kind::JumpFromClipboard, ""}},
        {"keystride.exe\t/C", {Kind::JumpFromClipboard, ""}},
        {"keystride.exe --Clipboard", {Kind::JumpFromClipboard, ""}},
        {"keystride.exe -c HKCU", {Kind::JumpToPath, "-c HKCU"}},
        {"keystride.exe --tray", {Kind::StartInTray, ""}},
        {"keystride.exe --TRAY ", {Kind::StartInTray, ""}},
        {"keystride.exe --tray HKCU", {Kind::JumpToPath, "--tray HKCU"}},
        // A link is a link whatever it holds, option-like texts too.
        {"\"C:\\K\\keystride.exe\" \"keystride:HKCU%5CSoftware\"", {Kind::OpenLink, "keystride:HKCU%5CSoftware"}},
        {"keystride.exe KEYSTRIDE:-c", {Kind::OpenLink, "KEYSTRIDE:-c"}},
        {"keystride.exe keystride:a b", {Kind::OpenLink, "keystride:a b"}},
        // A quote in the link does not make a path of what follows it, and a
        // backslash before the closing quote escapes nothing.
        {"\"C:\\K\\keystride.exe\" \"keystride:a\" \\HKEY_CURRENT_USER\\Software\\Foo\"",
         {Kind::OpenLink, "keystride:a\" \\HKEY_CURRENT_USER\\Software\\Foo"}},
        {"keystride.exe \"keystride:HKCU%5CApp\\\"", {Kind::OpenLink, "keystride:HKCU%5CApp\\"}},
        // A program name whose quote never closes leaves nothing after it.
        {"\"keystride.exe HKCU", {}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadCommandLine(c.line), c.request) << c.line;
}

// The documented examples of how a command line falls into arguments.
TEST(CommandLine, ArgumentsAsTheSystemReadsThem) {
    using Arguments = std::vector<std::string>;
    EXPECT_EQ(CommandLineArguments("\"abc\" d e"), (Arguments{"abc", "d", "e"}));
    EXPECT_EQ(CommandLineArguments("a\\\\b d\"e f\"g h"), (Arguments{"a\\\\b", "de fg", "h"}));
    EXPECT_EQ(CommandLineArguments("a\\\\\\\"b c d"), (Arguments{"a\\\"b", "c", "d"}));
    EXPECT_EQ(CommandLineArguments("a\\\\\\\\\"b c\" d e"), (Arguments{"a\\\\b c", "d", "e"}));
    EXPECT_EQ(CommandLineArguments("a\"b\"\" c d"), (Arguments{"ab\" c d"}));
    EXPECT_EQ(CommandLineArguments("  \t "), Arguments{});
    EXPECT_EQ(CommandLineArguments("\"\""), Arguments{""});
}

// A Keystride restarted as administrator is handed the path as one quoted
// argument, and reads back exactly the text it was given.
TEST(CommandLine, TheTakeOverPathComesBackWhole) {
    for (const char* path : {"HKCU\\Software", "HKCU\\Control Panel\\", "\"HKLM\\Soft ware\\\"",
                             "a\\\\\"b\\", "", "-c", "--take-over x", "\\\\PC\\HKLM\\Раздел"}) {
        const std::string line = "\"C:\\K S\\keystride.exe\" " + TakeOverArguments(path);
        EXPECT_EQ(ReadCommandLine(line), (CommandLineRequest{Kind::TakeOver, path})) << line;
    }
    EXPECT_EQ(QuotedArgument("a\\\"b\\"), "\"a\\\\\\\"b\\\\\"");
    EXPECT_EQ(ReadCommandLine("keystride.exe --take-overHKCU").kind, Kind::JumpToPath);
}

// A command-line jump hands where it landed to the running window: a key
// without its trailing backslashes, a value marked; the window takes only a
// message of that form from whoever sends one.
TEST(CommandLine, LandingsAreHandedToTheRunningWindowAndOnlyTheirsAreTaken) {
    JumpOutcome key;
    key.result = JumpResult::Unverified;
    key.target = {"HKEY_CURRENT_USER", "Software\\Wine\\\\", ""};
    EXPECT_EQ(LandingToRemember(key), (RecentPath{"HKEY_CURRENT_USER\\Software\\Wine", false}));
    JumpOutcome value = key;
    value.target = {"HKEY_CURRENT_USER", "Environment", "Path"};
    EXPECT_EQ(LandingToRemember(value), (RecentPath{"HKEY_CURRENT_USER\\Environment\\Path", true}));
    JumpOutcome missing = key;
    missing.result = JumpResult::NotFound;
    EXPECT_FALSE(LandingToRemember(missing));

    for (const RecentPath& path : {RecentPath{"HKEY_USERS\\.DEFAULT", false},
                                   RecentPath{"HKEY_CURRENT_USER\\Environment\\Path", true},
                                   RecentPath{"HKEY_CURRENT_USER\\\xD0\x9C\xD0\xBE\xD0\xB8", false}})
        EXPECT_EQ(ReadHandover(HandoverText(path)), path) << path.path;
    using namespace std::string_literals;
    for (const std::string& foreign : {""s, "K"s, "XHKCU"s, "KHKCU\0tail"s, "kHKCU"s,
                                       "K"s + std::string(kMostHandoverBytes, 'k')})
        EXPECT_FALSE(ReadHandover(foreign)) << foreign.substr(0, 12);
}

// Any web page can start a link: nothing happens before Yes, and a link's
// text is a path however it reads, never an option.
TEST(CommandLine, LinksAskFirstAndAreOnlyEverPaths) {
    sim::World world;
    const auto boxes = [&world] {
        std::vector<std::string> shown;
        for (const sim::Event& e : world.log)
            if (e.call == "MessageBox") shown.push_back(e.text);
        world.log.clear();
        return shown;
    };
    EXPECT_FALSE(ConfirmLink(world.windows, "keystride:HKEY_CURRENT_USER%5CSoftware%5CWine"));
    EXPECT_EQ(boxes(), std::vector<std::string>{"Keystride|A link asks to show "
                                                "HKEY_CURRENT_USER\\Software\\Wine in the Registry "
                                                "Editor. Show it?"})
        << "No, the default, does nothing";
    world.windows.answersYes = true;
    EXPECT_EQ(ConfirmLink(world.windows, "KEYSTRIDE:HKCU%5CCaf%C3%A9"), "HKCU\\Caf\xC3\xA9");
    EXPECT_EQ(ConfirmLink(world.windows, "keystride:-c"), "-c") << "a path that names nothing";
    boxes();
    for (const char* malformed : {"keystride:HKCU%5", "keystride:HKCU%ZZ", "keystride:%"}) {
        EXPECT_FALSE(ConfirmLink(world.windows, malformed)) << malformed;
        EXPECT_EQ(boxes(), std::vector<std::string>{
                               "Keystride|Please check whether the registry key or value exist."})
            << malformed;
    }
    EXPECT_EQ(ReadCommandLine("keystride.exe keystride:-c").kind, Kind::OpenLink);
}

}  // namespace
}  // namespace ks
