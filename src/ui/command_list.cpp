#include "ui/command_list.h"

#include <string_view>

#include "ui/window_text.h"

namespace ks::ui {

void CommandList::Add(int id, std::function<void()> run, std::function<bool()> enabledWhen) {
    commands_.push_back(Command{id, std::move(run), std::move(enabledWhen), {}, true, {}});
}

void CommandList::SetCheck(int id, std::function<bool()> checkedWhen) {
    if (Command* command = Find(id)) command->checkedWhen = std::move(checkedWhen);
}

void CommandList::BindButton(int id, HWND button) {
    Command* command = Find(id);
    if (!command || !button) return;
    command->buttons.push_back(button);
    EnableWindow(button, command->enabled);
}

void CommandList::UpdateMenu(HMENU menu) const {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        const Command* command = Find(static_cast<int>(GetMenuItemID(menu, i)));
        if (!command) continue;
        EnableMenuItem(menu, static_cast<UINT>(i),
                       MF_BYPOSITION | (command->enabled ? MF_ENABLED : MF_GRAYED));
        if (command->checkedWhen)
            CheckMenuItem(menu, static_cast<UINT>(i),
                          MF_BYPOSITION | (command->checkedWhen() ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CommandList::Update() {
    for (Command& command : commands_) {
        const bool enabled = !command.enabledWhen || command.enabledWhen();
        if (enabled == command.enabled) continue;
        command.enabled = enabled;
        for (HWND button : command.buttons) EnableWindow(button, enabled);
    }
}

bool CommandList::Execute(int id) {
    Command* command = Find(id);
    if (!command) return false;
    // The rule is asked again: a command can arrive from another program
    // before the next idle moment.
    command->enabled = !command->enabledWhen || command->enabledWhen();
    if (command->enabled && command->run) command->run();
    return true;
}

const CommandList::Command* CommandList::Find(int id) const noexcept {
    for (const Command& command : commands_)
        if (command.id == id) return &command;
    return nullptr;
}

CommandList::Command* CommandList::Find(int id) noexcept {
    return const_cast<Command*>(static_cast<const CommandList*>(this)->Find(id));
}

bool AppendCommandSubmenu(HMENU menu, const char* submenu) {
    // Owned by `menu` once appended: it goes with it.
    HMENU popup = CreatePopupMenu();
    if (!popup) return false;
    for (const DesignedCommand& command : kDesignedCommands)
        if (command.submenu && std::string_view(command.submenu) == submenu)
            AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(command.id),
                        Wide(command.caption).c_str());
    if (AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), Wide(submenu).c_str()))
        return true;
    DestroyMenu(popup);
    return false;
}

Menu MakeCommandMenu(int DesignedCommand::*group, int defaultId) {
    Menu menu(CreatePopupMenu());
    if (!menu) return menu;
    int lastGroup = 0;
    const char* lastSubmenu = nullptr;
    for (const DesignedCommand& command : kDesignedCommands) {
        const int at = command.*group;
        if (at == 0) continue;
        if (lastGroup != 0 && at != lastGroup) AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        lastGroup = at;
        if (command.submenu) {
            if (!lastSubmenu || std::string_view(command.submenu) != lastSubmenu)
                AppendCommandSubmenu(menu.Get(), command.submenu);
            lastSubmenu = command.submenu;
            continue;
        }
        AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(command.id),
                    Wide(command.caption).c_str());
    }
    if (defaultId) SetMenuDefaultItem(menu.Get(), static_cast<UINT>(defaultId), FALSE);
    return menu;
}

}  // namespace ks::ui
