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
    // HOTKEYF_EXT (8) is the extended-key flag, not a modifier.
    EXPECT_EQ(HotkeyFromControlValue(0x0A2D), (Hotkey{kModControl, 0x2D}));
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
