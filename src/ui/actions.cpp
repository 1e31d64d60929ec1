#include "ui/actions.h"

#include "ui/window_text.h"

namespace ks::ui {

void ActionList::Add(int id, std::string caption, std::function<void()> execute,
                                    std::function<bool()> enabledWhen) {
    actions_.push_back(Action{id, std::move(caption), std::move(execute),
                              std::move(enabledWhen), true, {}});
}

void ActionList::BindButton(int id, HWND button) {
    Action* action = FindMutable(id);
    if (!action || !button) return;
    action->buttons.push_back(button);
    SetWindowTextTo(button, action->caption);
    EnableWindow(button, action->enabled);
}

void ActionList::UpdateMenu(HMENU menu) const {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const UINT id = GetMenuItemID(menu, i);
        const Action* action = Find(static_cast<int>(id));
        if (!action) continue;
        // The text alone: the entry keeps its other states (the default one).
        std::wstring caption = Wide(action->caption);
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = caption.data();
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
        EnableMenuItem(menu, static_cast<UINT>(i),
                       MF_BYPOSITION | (action->enabled ? MF_ENABLED : MF_GRAYED));
    }
}

void ActionList::Update() {
    for (Action& action : actions_) {
        const bool enabled = !action.enabledWhen || action.enabledWhen();
        if (enabled == action.enabled) continue;
        action.enabled = enabled;
        for (HWND button : action.buttons) EnableWindow(button, enabled);
    }
}

bool ActionList::Execute(int id) {
    Action* action = FindMutable(id);
    if (!action) return false;
    // The rule is asked again: a command can arrive from another program
    // before the next idle moment.
    action->enabled = !action->enabledWhen || action->enabledWhen();
    if (action->enabled && action->execute) action->execute();
    return true;
}

const ActionList::Action* ActionList::Find(int id) const {
    for (const Action& action : actions_)
        if (action.id == id) return &action;
    return nullptr;
}

ActionList::Action* ActionList::FindMutable(int id) {
    for (Action& action : actions_)
        if (action.id == id) return &action;
    return nullptr;
}

}  // namespace ks::ui
