// Jump resolution and the driver on arbitrary texts against a small
// simulated registry and editor: no crash, no key left open, and whatever
// is typed into the editor is the target's own text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "grammar/wide_text.h"
#include "jump/editor_driver.h"
#include "jump/jump_messages.h"
#include "jump/jump_resolution.h"
#include "platform/sim/sim_world.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ks::sim::World world;
    world.registry.AddKey(0x80000001u, "Software\\Foo");
    world.registry.AddValue(0x80000001u, "Software\\Foo", "Bar");
    world.registry.AddValue(0x80000001u, "", "Top");
    world.registry.DenyOpen(0x80000002u, "Locked");
    const ks::Window top = world.windows.AddWindow(0, "RegEdit_RegEdit");
    world.windows.AddWindow(top, "SysTreeView32");
    world.windows.AddWindow(top, "SysListView32");
    world.windows.MakeUnreadable(top);  // the keystrokes alone decide: a box means not found

    const std::string text(reinterpret_cast<const char*>(data), size);
    const ks::JumpOutcome outcome =
        ks::JumpToRegistryPath({world.registry, world.windows, world.processes}, text);
    ks::ShowJumpOutcome(world.windows, outcome);

    if (world.registry.OpenHandleCount() != 0) std::abort();
    const bool boxed = !world.EventsOf("MessageBox").empty();
    const bool drove = !world.Keystrokes().empty();
    if (boxed == drove) std::abort();  // exactly one of the two outcomes
    if (!drove) return 0;

    // What reached the editor after the root was opened: the characters,
    // each later Right press as a backslash and the Down press as '|'.
    std::u16string typed;
    bool rootOpened = false;
    for (const ks::sim::Event& e : world.Keystrokes()) {
        if (e.call == "Character") {
            typed += static_cast<char16_t>(e.wParam);
        } else if (e.wParam == ks::sim::Code(ks::Key::Right)) {
            if (rootOpened) typed += u'\\';
            rootOpened = true;
        } else if (e.wParam == ks::sim::Code(ks::Key::Down)) {
            typed += u'|';
        }
    }
    std::u16string expected = ks::ToUtf16(ks::BuildTreePath(outcome.target));
    if (!outcome.target.valueName.empty()) expected += u'|' + ks::ToUtf16(outcome.target.valueName);
    if (typed != expected) std::abort();
    return 0;
}
