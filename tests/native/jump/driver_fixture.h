#pragma once
// A simulated Registry Editor and helpers that spell out the keystroke
// sequence the driver is expected to send.
#include <ostream>
#include <string>
#include <vector>

#include "grammar/wide_text.h"
#include "platform/sim/sim_world.h"

namespace ks::test {

struct SimEditor {
    Window top = 0;
    Window frame = 0;
    Window tree = 0;
    Window list = 0;
};

// The editor's layout: top window, one frame window, the tree and the list
// nested inside the frame.
inline SimEditor AddEditor(sim::World& world, std::uint32_t appearsAt = 0) {
    SimEditor editor;
    editor.top = world.windows.AddWindow(0, "RegEdit_RegEdit", appearsAt);
    editor.frame = world.windows.AddWindow(editor.top, "RegEdit_Frame", appearsAt);
    editor.tree = world.windows.AddWindow(editor.frame, "SysTreeView32", appearsAt);
    world.windows.AddWindow(editor.frame, "msctls_statusbar32", appearsAt);
    editor.list = world.windows.AddWindow(editor.frame, "SysListView32", appearsAt);
    return editor;
}

// The editor's layout, its process closed to this one: the keystrokes are
// the whole drive.
inline SimEditor AddUnreadableEditor(sim::World& world, std::uint32_t appearsAt = 0) {
    const SimEditor editor = AddEditor(world, appearsAt);
    world.windows.MakeUnreadable(editor.top);
    return editor;
}

// The calls that make up the drive as the user's editor sees it.
inline std::vector<sim::Event> DriveCalls(const sim::World& world) {
    std::vector<sim::Event> result;
    for (const sim::Event& e : world.log)
        if (e.call == "KeyPress" || e.call == "Character" || e.call == "Sleep" ||
            e.call == "ShowWindow" || e.call == "SetForegroundWindow" || e.call == "FocusControl")
            result.push_back(e);
    return result;
}

// Builds the expected sequence with its virtual times.
class ExpectedDrive {
public:
    explicit ExpectedDrive(std::uint32_t start,
                           KeystrokeMarking marking = KeystrokeMarking::Bare)
        : now_(start), marking_(marking) {}

    ExpectedDrive& Show(Window w, ShowState state) {
        events_.push_back({.time = now_, .call = "ShowWindow", .handle = w,
                           .wParam = sim::Code(state)});
        return *this;
    }
    ExpectedDrive& Foreground(Window w) {
        events_.push_back({.time = now_, .call = "SetForegroundWindow", .handle = w});
        return *this;
    }
    // The keyboard focus handed to a pane of the editor.
    ExpectedDrive& Focus(const SimEditor& editor, Window pane) {
        events_.push_back({.time = now_, .call = "FocusControl", .handle = pane,
                           .wParam = editor.top});
        return *this;
    }
    ExpectedDrive& Press(Window w, Key key) {
        // A Right press may expand a huge key: it gets the long bound.
        const std::uint32_t timeout = key == Key::Right ? 30000 : 5000;
        events_.push_back(Message("KeyPress", w, sim::Code(key), timeout));
        return *this;
    }
    ExpectedDrive& Type(Window w, const std::string& text) {
        return Type(w, ToUtf16(text));
    }
    // One character message per UTF-16 unit.
    ExpectedDrive& Type(Window w, std::u16string_view units) {
        for (char16_t unit : units) events_.push_back(Message("Character", w, unit, 5000));
        return *this;
    }
    ExpectedDrive& Pause(std::uint32_t ms) {
        events_.push_back({.time = now_, .call = "Sleep", .wParam = ms});
        now_ += ms;
        return *this;
    }
    const std::vector<sim::Event>& Events() const { return events_; }

private:
    sim::Event Message(const char* call, Window w, std::uintptr_t wParam,
                       std::uint32_t timeout) const {
        return {.time = now_, .call = call, .handle = w, .wParam = wParam,
                .lParam = static_cast<std::intptr_t>(sim::Code(marking_)),
                .text = std::to_string(timeout)};
    }
    std::uint32_t now_;
    KeystrokeMarking marking_;
    std::vector<sim::Event> events_;
};

inline constexpr Key kLeft = Key::Left;
inline constexpr Key kRight = Key::Right;
inline constexpr Key kDown = Key::Down;

}  // namespace ks::test

namespace ks::sim {
inline void PrintTo(const Event& e, std::ostream* os) {
    *os << "{t=" << e.time << " " << e.call << " h=" << e.handle << " w=" << e.wParam
        << " l=" << e.lParam << " '" << e.text << "'}";
}
}  // namespace ks::sim
