#pragma once
// The window's commands at run time: each designed command, and each
// control that runs one, gets its handler and enable rule here. Buttons
// bound to a command follow its state; menus are made from the design's
// table and show the states when they open. The rules run whenever the
// message queue goes idle (Update).
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/rules/main_window_design.h"
#include "ui/ui_kit.h"

namespace ks::ui {

class CommandList {
public:
    // `id` is the command's identifier (WM_COMMAND); no rule: always enabled.
    void Add(int id, std::function<void()> run, std::function<bool()> enabledWhen = {});
    // A check item's state, asked each time its menu opens.
    void SetCheck(int id, std::function<bool()> checkedWhen);
    // The button follows the command's state from now on.
    void BindButton(int id, HWND button);
    // Enables and greys the menu's entries by their commands' states, and
    // checks the check items that are on.
    void UpdateMenu(HMENU menu) const;
    // Runs every enable rule and pushes changes to the bound buttons.
    void Update();
    // Runs the command when its rule allows it now. False when `id` names
    // no command.
    bool Execute(int id);
    bool Has(int id) const noexcept { return Find(id) != nullptr; }

private:
    struct Command {
        int id = 0;
        std::function<void()> run;
        std::function<bool()> enabledWhen;
        std::function<bool()> checkedWhen;
        bool enabled = true;
        std::vector<HWND> buttons;
    };
    const Command* Find(int id) const noexcept;
    Command* Find(int id) noexcept;

    std::vector<Command> commands_;
};

// A popup menu of the designed commands that have a group in the menu
// `group` names, groups apart by separators, submenus where their first
// command stands, `defaultId` drawn as the default entry.
Menu MakeCommandMenu(int DesignedCommand::*group, int defaultId = 0);
// Appends the designed submenu of that caption (Copy As) to `menu`; false
// when it could not be made.
bool AppendCommandSubmenu(HMENU menu, const char* submenu);

}  // namespace ks::ui
