#include "jump/editor_driver.h"

#include <gtest/gtest.h>

#include "driver_fixture.h"
#include "jump/editor_last_key.h"
#include "jump/jump_messages.h"

namespace ks::test {
namespace {

class EditorDriverTest : public ::testing::Test {
protected:
    JumpResult Drive(const ResolvedJump& target) { return Drive(world, target); }
    static JumpResult Drive(sim::World& in, const ResolvedJump& target) {
        return DriveRegistryEditor({in.registry, in.windows, in.processes}, target);
    }
    // The common opening: editor shown and in front, tree collapsed, root
    // opened.
    ExpectedDrive Opening(const SimEditor& editor, std::uint32_t start = 0) {
        ExpectedDrive expected(start);
        expected.Show(editor.top, ShowState::Shown).Foreground(editor.top);
        for (int i = 0; i < 30; ++i) expected.Press(editor.tree, kLeft);
        expected.Pause(10).Press(editor.tree, kRight).Pause(10);
        return expected;
    }
    sim::World world;
};

TEST_F(EditorDriverTest, TreePathJoinsRootAndKeyPathWithOneBackslash) {
    EXPECT_EQ(BuildTreePath({"HKEY_CURRENT_USER", "Software\\Foo", ""}),
              "HKEY_CURRENT_USER\\Software\\Foo");
    EXPECT_EQ(BuildTreePath({"HKEY_USERS", "", ""}), "HKEY_USERS\\");
    EXPECT_EQ(BuildTreePath({"HKEY_USERS", "\\x", ""}), "HKEY_USERS\\x");
    EXPECT_EQ(BuildTreePath({"HKEY_USERS", "x\\", ""}), "HKEY_USERS\\x\\");
}

TEST_F(EditorDriverTest, RunsOfBackslashesDriveAsOne) {
    // Each backslash would be a Right press with its pause (half a second
    // under Wine): a path ending in thousands of them held the program for
    // hours, and a doubled one stepped into the first child.
    EXPECT_EQ(BuildTreePath({"HKEY_USERS", "\\\\x\\\\\\y\\\\", ""}), "HKEY_USERS\\x\\y\\");
    EXPECT_EQ(BuildTreePath({"HKEY_USERS", std::string(70000, '\\'), ""}), "HKEY_USERS\\");

    sim::World doubled;
    const SimEditor editor = AddUnreadableEditor(doubled);
    Drive(doubled, {"HKEY_CURRENT_USER", "Software\\\\\\Foo" + std::string(500, '\\'), ""});
    ExpectedDrive expected = Opening(editor);
    expected.Type(editor.tree, "HKEY_CURRENT_USER").Press(editor.tree, kRight).Pause(10);
    expected.Type(editor.tree, "Software").Press(editor.tree, kRight).Pause(10);
    expected.Type(editor.tree, "Foo").Press(editor.tree, kRight).Pause(10);
    expected.Focus(editor, editor.tree);
    EXPECT_EQ(DriveCalls(doubled), expected.Events());
}

// An editor that cannot be read gets the keystrokes, unverified; the pane
// of the target gets the focus afterwards.
TEST_F(EditorDriverTest, WorkedExampleSendsTheWholeSequenceWithItsPauses) {
    const SimEditor editor = AddUnreadableEditor(world);
    EXPECT_EQ(Drive({"HKEY_CURRENT_USER", "Software\\Foo", "Bar"}), JumpResult::Unverified);

    ExpectedDrive expected = Opening(editor);
    expected.Type(editor.tree, "HKEY_CURRENT_USER").Press(editor.tree, kRight).Pause(10);
    expected.Type(editor.tree, "Software").Press(editor.tree, kRight).Pause(10);
    expected.Type(editor.tree, "Foo");
    expected.Press(editor.list, kDown).Pause(10).Type(editor.list, "Bar").Focus(editor, editor.list);
    EXPECT_EQ(DriveCalls(world), expected.Events());
    EXPECT_TRUE(world.EventsOf("ShellExecuteEx").empty()) << "a running editor is not started";
}

TEST_F(EditorDriverTest, KeyPathShapesDecideTheLastTreeMessages) {
    struct Case {
        const char* keyPath;
        std::vector<std::string> components;  // "" marks a Right press
    };
    const Case cases[] = {
        {"", {"HKEY_USERS", ""}},
        {"\\x", {"HKEY_USERS", "", "x"}},
        {"x\\", {"HKEY_USERS", "", "x", ""}},
    };
    for (const Case& c : cases) {
        sim::World fresh;
        const SimEditor editor = AddUnreadableEditor(fresh);
        Drive(fresh, {"HKEY_USERS", c.keyPath, ""});

        ExpectedDrive expected = Opening(editor);
        for (const std::string& part : c.components) {
            if (part.empty())
                expected.Press(editor.tree, kRight).Pause(10);
            else
                expected.Type(editor.tree, part);
        }
        expected.Focus(editor, editor.tree);  // empty value name: the list gets nothing
        EXPECT_EQ(DriveCalls(fresh), expected.Events()) << "key path '" << c.keyPath << "'";
    }
}

TEST_F(EditorDriverTest, CharactersGoAsTheirUtf16UnitsOneMessageEach) {
    struct Case {
        std::string key;           // below HKEY_CURRENT_USER\Software
        std::u16string keyUnits;   // what the tree is sent for it
        std::string value;
        std::u16string valueUnits;
    };
    const Case cases[] = {
        {"Caf\xC3\xA9", u"Caf\u00E9", "\xC3\xBF", u"\u00FF"},  // above ASCII, below 0x100
        {"\xD1\x82\xD0\xB5\xD1\x81\xD1\x82", u"\u0442\u0435\u0441\u0442",  // Cyrillic
         "\xCE\xB1\xCE\xB2", u"\u03B1\u03B2"},
        // Outside the Basic Multilingual Plane: its two surrogates.
        {"\xF0\xA0\x80\x8B", u"\xD840\xDC0B", "\xF0\x9F\x98\x80x", u"\xD83D\xDE00x"},
        // Its code page 932 form ends in 0x5C: still one component, no Right inside.
        {"\xE8\xA1\xA8\xE7\xA4\xBA", u"\u8868\u793A", "", u""},
    };
    for (const Case& c : cases) {
        sim::World fresh;
        const SimEditor editor = AddUnreadableEditor(fresh);
        Drive(fresh, {"HKEY_CURRENT_USER", "Software\\" + c.key, c.value});
        ExpectedDrive expected = Opening(editor);
        expected.Type(editor.tree, "HKEY_CURRENT_USER").Press(editor.tree, kRight).Pause(10);
        expected.Type(editor.tree, "Software").Press(editor.tree, kRight).Pause(10);
        expected.Type(editor.tree, c.keyUnits);
        if (c.value.empty())
            expected.Focus(editor, editor.tree);
        else
            expected.Press(editor.list, kDown).Pause(10).Type(editor.list, c.valueUnits)
                .Focus(editor, editor.list);
        EXPECT_EQ(DriveCalls(fresh), expected.Events()) << "key '" << c.key << "'";
    }
}

TEST_F(EditorDriverTest, RunningEditorIsNeitherStartedNorMaximised) {
    AddEditor(world);
    world.processes.onStart = [](const ProgramStart&) {
        ADD_FAILURE() << "started a second editor";
        return true;
    };
    Drive({"HKEY_LOCAL_MACHINE", "SOFTWARE", ""});
    for (const sim::Event& e : world.EventsOf("ShowWindow"))
        EXPECT_EQ(e.wParam, sim::Code(ShowState::Shown));
    EXPECT_TRUE(world.EventsOf("Wow64DisableFsRedirection").empty());
}

TEST_F(EditorDriverTest, EditorThatCannotBeStartedEndsAfterTheThreeSecondPoll) {
    EXPECT_EQ(Drive({"HKEY_LOCAL_MACHINE", "SOFTWARE", "x"}), JumpResult::EditorNotStarted);

    // The shell is told to keep its error box to itself: the box would hold
    // the jump until someone closed it.
    ASSERT_EQ(world.processes.starts.size(), 1u);
    EXPECT_TRUE(world.processes.starts[0].quiet);
    EXPECT_TRUE(world.Keystrokes().empty());
    EXPECT_TRUE(world.EventsOf("ShowWindow").empty());
    EXPECT_EQ(world.now, 3000u);
    EXPECT_EQ(world.EventsOf("FindWindow").size(), 31u) << "one look, then thirty polls";
    for (const sim::Event& e : world.EventsOf("Sleep")) EXPECT_EQ(e.wParam, 100u);
    // The redirection is restored even though the start failed.
    ASSERT_EQ(world.EventsOf("Wow64RevertFsRedirection").size(), 1u);
    EXPECT_EQ(world.EventsOf("Wow64RevertFsRedirection")[0].wParam, 0x77u);
}

// No to the system's question before the editor starts is the user's
// answer: the jump ends at once, with nothing to tell.
TEST_F(EditorDriverTest, AStartTheUserDeclinesEndsTheJumpAtOnceWithoutABox) {
    world.processes.userDeclines = true;
    const ResolvedJump target{"HKEY_LOCAL_MACHINE", "SOFTWARE", "x"};
    EXPECT_EQ(Drive(target), JumpResult::EditorStartDeclined);
    EXPECT_EQ(world.now, 0u) << "no wait for a window that will not come";
    EXPECT_TRUE(world.EventsOf("Sleep").empty());
    EXPECT_EQ(world.EventsOf("Wow64RevertFsRedirection").size(), 1u);
    JumpOutcome outcome;
    outcome.result = JumpResult::EditorStartDeclined;
    outcome.target = target;
    EXPECT_EQ(JumpOutcomeText(outcome), "");
}

// Maximised from its start: an editor that runs as administrator (started
// by the shell at its own level) takes no showing from Keystride afterwards.
TEST_F(EditorDriverTest, StartsTheEditorByItsFullPathMaximised) {
    SimEditor editor;
    world.processes.onStart = [&](const ProgramStart&) {
        editor = AddUnreadableEditor(world, world.now + 450);  // its window shows up later
        return true;
    };
    Drive({"HKEY_CURRENT_USER", "", ""});

    ASSERT_EQ(world.processes.starts.size(), 1u);
    EXPECT_EQ(world.processes.starts[0],
              (ProgramStart{.verb = "open", .file = "C:\\windows\\regedit.exe",
                            .show = ShowState::Maximised, .keepProcess = true, .quiet = true}))
        << "the process handle, and no error box";
    const auto order = world.log;
    auto index = [&](const std::string& call) {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i].call == call) return i;
        return order.size();
    };
    EXPECT_LT(index("RegSetValue"), index("ShellExecuteEx")) << "it opens where it is told";
    EXPECT_LT(index("Wow64DisableFsRedirection"), index("ShellExecuteEx"));
    EXPECT_LT(index("ShellExecuteEx"), index("WaitForInputIdle"));
    EXPECT_LT(index("WaitForInputIdle"), index("CloseHandle"));
    EXPECT_LT(index("CloseHandle"), index("Wow64RevertFsRedirection"));
    EXPECT_EQ(world.processes.OpenProcessHandles(), 0);
    EXPECT_EQ(world.EventsOf("WaitForInputIdle")[0].wParam, 1000u);

    const auto shows = world.EventsOf("ShowWindow");
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[0].wParam, sim::Code(ShowState::Maximised));
    EXPECT_EQ(shows[1].wParam, sim::Code(ShowState::Shown));
    EXPECT_EQ(shows[0].time, 500u) << "found at the first poll after it appeared";
    EXPECT_EQ(world.Keystrokes().front().handle, editor.tree);
}

// The editor keeps the key it last showed and opens there; a jump that
// starts it writes the target there first, in the editor's own form, and
// writes nothing else, ever.
TEST_F(EditorDriverTest, OnlyAStartWritesAndOnlyTheEditorsRememberedKey) {
    const auto writes = [](const sim::World& w) { return w.EventsOf("RegSetValue"); };
    {
        sim::World running;
        AddUnreadableEditor(running);
        Drive(running, {"HKEY_LOCAL_MACHINE", "SOFTWARE\\Vendor", "Setting"});
        EXPECT_TRUE(writes(running).empty()) << "a running editor is left where it is";
    }
    struct Case {
        bool wine;
        std::optional<std::string> present;  // the editor's value before the jump
        const char* written;
    };
    const Case cases[] = {
        {false, std::nullopt, "Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
        {true, std::nullopt, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
        {false, "Ordinateur\\HKEY_CURRENT_USER\\Software", "Ordinateur\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
        {false, "Computer", "Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
        {true, "HKEY_CLASSES_ROOT", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
        {false, "hkey_users", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
        {false, "no\\root\\here", "Computer\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
        {true, "My Computer", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor"},
    };
    for (const Case& c : cases) {
        sim::World fresh;
        fresh.processes.wine = c.wine;
        if (c.present)
            fresh.registry.AddTextValue(0x80000001, kEditorSettingsKey, "LastKey", *c.present);
        fresh.processes.onStart = [&](const ProgramStart&) {
            AddUnreadableEditor(fresh);
            return true;
        };
        Drive(fresh, {"HKEY_LOCAL_MACHINE", "SOFTWARE\\\\Vendor\\", "Setting"});
        const auto written = writes(fresh);
        ASSERT_EQ(written.size(), 1u) << c.written;
        EXPECT_EQ(written[0].handle, 0x80000001u);
        EXPECT_EQ(written[0].text, std::string(kEditorSettingsKey) + "|LastKey|" + c.written);
    }
}

TEST_F(EditorDriverTest, MissingTreeOrListEndsTheDriveSilently) {
    {
        sim::World w;
        Window top = w.windows.AddWindow(0, "RegEdit_RegEdit");
        w.windows.AddWindow(top, "SysListView32");
        EXPECT_EQ(Drive(w, {"HKEY_USERS", "x", "v"}), JumpResult::NotReached);
        EXPECT_TRUE(w.Keystrokes().empty());
        EXPECT_TRUE(w.EventsOf("MessageBox").empty());
    }
    {
        sim::World w;
        Window top = w.windows.AddWindow(0, "RegEdit_RegEdit");
        Window tree = w.windows.AddWindow(top, "SysTreeView32");
        w.windows.MakeUnreadable(top);
        EXPECT_EQ(Drive(w, {"HKEY_USERS", "x", "v"}), JumpResult::NotReached);
        const auto messages = w.Keystrokes();
        ASSERT_FALSE(messages.empty());
        for (const sim::Event& e : messages) EXPECT_EQ(e.handle, tree);
        EXPECT_EQ(messages.back().wParam, static_cast<unsigned char>('x'));
    }
}

TEST_F(EditorDriverTest, SearchTakesTheFirstMatchInWalkOrderIgnoringCase) {
    Window top = world.windows.AddWindow(0, "RegEdit_RegEdit");
    Window pane = world.windows.AddWindow(top, "Pane");
    Window nested = world.windows.AddWindow(pane, "systreeview32");
    Window later = world.windows.AddWindow(top, "SYSTREEVIEW32");
    Window list = world.windows.AddWindow(later, "syslistview32");
    EXPECT_EQ(FindTreeView(world.windows, top), nested);
    EXPECT_EQ(FindListView(world.windows, top), list);
    EXPECT_EQ(FindTreeView(world.windows, pane), nested);
    EXPECT_EQ(FindListView(world.windows, pane), 0u);
}

// Read or typed to, an editor that stops answering ends the drive at the
// first message, after one bounded wait.
TEST_F(EditorDriverTest, UnresponsiveEditorEndsTheDriveAtTheFirstMessage) {
    for (const bool readable : {true, false}) {
        sim::World w;
        const SimEditor editor = readable ? AddEditor(w) : AddUnreadableEditor(w);
        w.windows.MakeUnresponsive(editor.tree);
        EXPECT_EQ(Drive(w, {"HKEY_CURRENT_USER", "Software", "v"}), JumpResult::EditorNotAnswering);
        EXPECT_EQ(w.Keystrokes().size() + w.EventsOf("Send").size(), 1u) << readable;
        EXPECT_EQ(w.now, 5000u) << "one bounded wait, no more";
    }
}

// An editor with higher rights drops every message, and its process cannot
// be opened from here. Where its rights show beforehand nothing is sent;
// where only the first message shows them, nothing after it is.
TEST_F(EditorDriverTest, EditorWithHigherRightsIsNotHalfDriven) {
    for (const bool known : {true, false}) {
        for (const bool readable : {false, true}) {
            sim::World w;
            const SimEditor editor = readable ? AddEditor(w) : AddUnreadableEditor(w);
            w.windows.MakeRefusing(editor.tree, known);
            w.windows.MakeRefusing(editor.top, known);
            EXPECT_EQ(Drive(w, {"HKEY_CURRENT_USER", "Software", "v"}), JumpResult::EditorRefused)
                << known << readable;
            const std::size_t sent = w.Keystrokes().size() + w.EventsOf("Send").size();
            EXPECT_EQ(sent, known ? 0u : 1u) << known << readable;
        }
    }
}

// An editor that this jump started opened at the key, whatever its rights;
// only a value is then out of reach.
TEST_F(EditorDriverTest, StartedEditorWithHigherRightsOpenedAtTheKey) {
    for (const bool withValue : {false, true}) {
        sim::World w;
        w.processes.onStart = [&](const ProgramStart&) {
            const SimEditor editor = AddUnreadableEditor(w);
            w.windows.MakeRefusing(editor.top, true);
            return true;
        };
        EXPECT_EQ(Drive(w, {"HKEY_CURRENT_USER", "Software", withValue ? "v" : ""}),
                  withValue ? JumpResult::OpenedElevated : JumpResult::Unverified);
        EXPECT_EQ(w.EventsOf("RegSetValue").size(), 1u);
        EXPECT_TRUE(w.Keystrokes().empty());
    }
}

TEST_F(EditorDriverTest, MinimisedEditorIsRestoredInsteadOfShown) {
    const SimEditor editor = AddEditor(world);
    world.windows.SetMinimised(editor.top, true);
    Drive({"HKEY_CURRENT_USER", "Software", ""});
    const auto shows = world.EventsOf("ShowWindow");
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(shows[0].wParam, sim::Code(ShowState::Restored));
    EXPECT_FALSE(world.windows.IsMinimised(editor.top));
}

// Under Wine, where the editor cannot be read, the paced keystrokes are
// the whole drive.
TEST_F(EditorDriverTest, UnderWineKeysCarryARepeatCountAndComponentsGetFreshSearches) {
    world.processes.wine = true;
    const SimEditor editor = AddUnreadableEditor(world);
    EXPECT_EQ(Drive({"HKEY_CURRENT_USER", "Software", "Bar"}), JumpResult::Unverified);

    ExpectedDrive expected(0, KeystrokeMarking::RepeatCountOne);
    expected.Show(editor.top, ShowState::Shown).Foreground(editor.top);
    for (int i = 0; i < 30; ++i) expected.Press(editor.tree, kLeft);
    expected.Pause(10).Press(editor.tree, kRight).Pause(500);
    expected.Type(editor.tree, "HKEY_CURRENT_USER").Press(editor.tree, kRight).Pause(500);
    expected.Type(editor.tree, "Software");
    expected.Press(editor.list, kDown).Pause(500).Type(editor.list, "Bar").Focus(editor, editor.list);
    EXPECT_EQ(DriveCalls(world), expected.Events());
}

}  // namespace
}  // namespace ks::test
