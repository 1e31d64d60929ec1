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

}  // namespace
}  // namespace ks
