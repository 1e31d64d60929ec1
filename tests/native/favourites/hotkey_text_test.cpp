#include "favourites/hotkey_text.h"

#include <gtest/gtest.h>

namespace ks {
namespace {

TEST(HotkeyText, ReadAndWrittenBothWays) {
    struct Case {
        const char* text;
        Hotkey hotkey;
        const char* written;  // the canonical form
    };
    const Case cases[] = {
        {"Ctrl+Shift+J", {kModControl | kModShift, 'J'}, "Ctrl+Shift+J"},
        {" alt + control + shift + k ", {kModAlt | kModControl | kModShift, 'K'}, "Ctrl+Alt+Shift+K"},
        {"Win+F12", {kModWin, 0x7B}, "Win+F12"},
        {"Windows+Alt+F24", {kModWin | kModAlt, 0x87}, "Alt+Win+F24"},
        {"Ctrl+Space", {kModControl, 0x20}, "Ctrl+Space"},
        {"Ctrl+Alt+PageUp", {kModControl | kModAlt, 0x21}, "Ctrl+Alt+Page Up"},
        {"Shift+Pause", {kModShift, 0x13}, "Shift+Pause"},
        {"Ctrl+Esc", {kModControl, 0x1B}, "Ctrl+Escape"},
        {"Ctrl+Num 7", {kModControl, 0x67}, "Ctrl+Num 7"},
        {"Alt+1", {kModAlt, '1'}, "Alt+1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadHotkey(c.text), c.hotkey) << c.text;
        EXPECT_EQ(HotkeyText(c.hotkey), c.written) << c.text;
        EXPECT_EQ(ReadHotkey(HotkeyText(c.hotkey)), c.hotkey) << c.text;
    }
    EXPECT_EQ(ReadHotkey(kDefaultJumpHotkey), (Hotkey{kModControl | kModAlt | kModShift, 'J'}));
    EXPECT_EQ(ReadHotkey(kDefaultShowHotkey), (Hotkey{kModControl | kModAlt | kModShift, 'K'}));
}

// Texts that name no hotkey: the setting is then none.
TEST(HotkeyText, BadTextsNameNone) {
    for (const char* bad :
         {"", "J", "F5", "Ctrl", "Ctrl+", "+J", "Ctrl+Ctrl+J", "Ctrl+JJ", "Ctrl+F0", "Ctrl+F25",
          "Ctrl+F01", "Hyper+J", "Shift+J", "Shift+Space", "Shift+5", "Ctrl+J+K", "Ctrl+é",
          "Ctrl+Num 10", "Ctrl +"})
        EXPECT_EQ(ReadHotkey(bad), std::nullopt) << bad;
    EXPECT_EQ(HotkeyText({kModControl, 0xFF}), "");
}

// The hotkey control's own encoding, both ways: its modifier bits are not
// RegisterHotKey's, and it has no Windows key.
TEST(HotkeyText, TheHotkeyControlsValueBothWays) {
    const Hotkey jump{kModControl | kModAlt | kModShift, 'J'};
    EXPECT_EQ(HotkeyControlValue(jump), 0x0700 | 'J');
    EXPECT_EQ(HotkeyFromControlValue(0x0700 | 'J'), jump);
    EXPECT_EQ(HotkeyControlValue({kModShift, 0x70}), 0x0170) << "Shift+F1";
    EXPECT_EQ(HotkeyFromControlValue(0x0270), (Hotkey{kModControl, 0x70}));
    EXPECT_EQ(HotkeyControlValue({kModWin | kModControl, 'K'}), 0) << "no Windows key there";
    EXPECT_FALSE(HotkeyFromControlValue(0));
    EXPECT_FALSE(HotkeyFromControlValue(0x0600)) << "modifiers without a key";
    // HOTKEYF_EXT (8) is the extended-key flag, not a modifier; the
    // navigation keys carry it, the number pad's do not.
    EXPECT_EQ(HotkeyFromControlValue(0x0A2D), (Hotkey{kModControl, 0x2D}));
    EXPECT_EQ(HotkeyControlValue({kModControl, 0x24}), 0x0A24) << "Ctrl+Home";
    EXPECT_EQ(HotkeyControlValue({kModAlt, 0x21}), 0x0C21) << "Alt+Page Up";
    EXPECT_EQ(HotkeyControlValue({kModAlt, 0x28}), 0x0C28) << "Alt+Down";
    EXPECT_EQ(HotkeyControlValue({kModAlt, 0x2E}), 0x0C2E) << "Alt+Delete";
    EXPECT_EQ(HotkeyControlValue({kModAlt, 0x67}), 0x0467) << "Alt+Num 7";
    EXPECT_EQ(HotkeyControlValue({kModAlt, 0x20}), 0x0420) << "Alt+Space";
    EXPECT_EQ(HotkeyControlValue({kModAlt, 0x2C}), 0x042C) << "not a navigation key";
    for (const char* text : {"Ctrl+Alt+Shift+J", "Ctrl+Insert", "Alt+End", "Shift+Left",
                             "Ctrl+Up", "Ctrl+Right", "Ctrl+Page Down", "Ctrl+Num 0", "Alt+F24"}) {
        const std::optional<Hotkey> hotkey = ReadHotkey(text);
        ASSERT_TRUE(hotkey) << text;
        EXPECT_EQ(HotkeyFromControlValue(HotkeyControlValue(*hotkey)), hotkey) << text;
    }
}

// At OK: what each hotkey control gives back for the settings.
TEST(HotkeyText, WhatAHotkeyControlGivesBack) {
    struct Case {
        std::uint16_t value;
        const char* started;
        bool changed;
        std::optional<std::string> given;
    };
    const Case cases[] = {
        {0x0700 | 'J', "Ctrl+Alt+Shift+J", false, "Ctrl+Alt+Shift+J"},
        {0x0700 | 'J', " control + alt + shift + j", true, " control + alt + shift + j"},
        {0x0270, "Ctrl+Alt+Shift+J", true, "Ctrl+F1"},
        {0x0A24, "", true, "Ctrl+Home"},
        {0, "Ctrl+Alt+Shift+J", true, ""},
        {0, "", false, ""},
        {0, "not a hotkey", false, ""},
        // The control cannot show a Windows-key hotkey: kept while left alone.
        {0, "Win+F12", false, "Win+F12"},
        {0, "Win+F12", true, ""},
        {0x0270, "Win+F12", true, "Ctrl+F1"},
        // Keys that make no hotkey.
        {'J', "", true, std::nullopt},
        {0x0100 | 'J', "", true, std::nullopt},
        {0x0200 | 0xBA, "", true, std::nullopt},  // Ctrl+; has no name here
        {0x0100 | 0x74, "", true, "Shift+F5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HotkeyTextOfControl(c.value, c.started, c.changed), c.given)
            << std::hex << c.value << " from \"" << c.started << "\"";
}

TEST(HotkeyText, OneBoxNamesEveryHotkeyHeldElsewhere) {
    EXPECT_EQ(HotkeysTakenText({}), "");
    EXPECT_EQ(HotkeysTakenText({"Ctrl+Alt+Shift+J"}),
              "The hotkey Ctrl+Alt+Shift+J is used by another program. Keystride runs on without it.");
    EXPECT_EQ(HotkeysTakenText({"Ctrl+Alt+Shift+J", "Ctrl+Alt+Shift+K"}),
              "The hotkeys Ctrl+Alt+Shift+J and Ctrl+Alt+Shift+K are used by other programs. "
              "Keystride runs on without them.");
}

}  // namespace
}  // namespace ks
