#pragma once
// User commands as actions: a caption, an execute handler and an enable
// rule. Buttons and menu entries bound to an action show its caption and
// follow its enabled state; the rules run whenever the message queue goes
// idle (Update).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ks::ui {

class ActionList {
public:
    struct Action {
        int id = 0;
        std::string caption;
        std::function<void()> execute;
        std::function<bool()> enabledWhen;  // empty: always enabled
        bool enabled = true;
        std::vector<HWND> buttons;
    };

    // Adds an action; `id` is its command identifier (WM_COMMAND).
    void Add(int id, std::string caption, std::function<void()> execute,
                std::function<bool()> enabledWhen = {});

    // A button shows the action's caption and state from now on.
    void BindButton(int id, HWND button);
    // Menu entries with the action's identifier take its caption and state
    // whenever the menu is about to be shown (WM_INITMENUPOPUP).
    void UpdateMenu(HMENU menu) const;

    // Runs every enable rule and pushes changes to the bound controls.
    void Update();

    // Runs the action when it exists and its rule allows it now. Returns
    // whether `id` names an action (enabled or not).
    bool Execute(int id);

    const Action* Find(int id) const;

private:
    Action* FindMutable(int id);
    std::vector<Action> actions_;
};

}  // namespace ks::ui
