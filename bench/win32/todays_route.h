#pragma once
// The route jumps took on Windows before an editor that can be read was
// selected directly there too: the keystrokes first, bare, with 10 ms
// pauses, then the landing read back and put right; a cold start opened the
// editor wherever it had last been. Kept here so that the two can be
// measured side by side in one run. (Wine's controls ignore bare
// keystrokes, so under Wine the read-back does all of this route's walking.)
#include <string>

#include "jump/editor_controls.h"
#include "jump/editor_driver.h"
#include "jump/jump_resolution.h"
#include "jump/landing_check.h"
#include "platform/registry.h"
#include "platform/win32/win32_window_system.h"
#include "counting_process_control.h"
#include "win32/drive_routes.h"

namespace ks::bench {

// The registry as before: the editor's remembered key is left alone.
class RegistryWithoutWrites final : public Registry {
public:
    explicit RegistryWithoutWrites(Registry& real) : real_(real) {}
    long OpenKey(RegKey root, const std::string& subKey, KeyAccess access, RegKey& key) override {
        return real_.OpenKey(root, subKey, access, key);
    }
    long QueryValue(RegKey key, const std::string& name) override {
        return real_.QueryValue(key, name);
    }
    long CloseKey(RegKey key) override { return real_.CloseKey(key); }
    long ValueCount(RegKey key, std::uint32_t& values) override {
        return real_.ValueCount(key, values);
    }
    long NumberValue(RegKey key, const std::string& name, std::uint32_t& number) override {
        return real_.NumberValue(key, name, number);
    }
    long SetTextValue(RegKey, const std::string&, const std::string&,
                      const std::string&) override {
        return kErrorSuccess;
    }
    long DeleteValue(RegKey, const std::string&, const std::string&) override { return kErrorSuccess; }
    long DeleteKey(RegKey, const std::string&) override { return kErrorSuccess; }
    std::vector<std::pair<std::string, std::string>> TextValues(RegKey key) override {
        return real_.TextValues(key);
    }
    long SubkeyName(RegKey key, std::uint32_t index, std::string& name) override {
        return real_.SubkeyName(key, index, name);
    }
    long ValueName(RegKey key, std::uint32_t index, std::string& name) override {
        return real_.ValueName(key, index, name);
    }

private:
    Registry& real_;
};

// The process calls given, but taken as Windows: bare keystrokes, 10 ms pauses.
class AsOnWindows final : public PassingProcessControl {
public:
    using PassingProcessControl::PassingProcessControl;
    bool IsWine() override { return false; }
};

inline JumpOutcome JumpTodaysWay(Registry& registry, ProcessControl& processes,
                                 const std::string& text) {
    RegistryWithoutWrites unwritten(registry);
    test::KeystrokesOnlyWindows keystrokes;
    AsOnWindows windowsHabits(processes);
    JumpOutcome outcome = JumpToRegistryPath({unwritten, keystrokes, windowsHabits}, text);
    if (outcome.result != JumpResult::Unverified) return outcome;

    Win32WindowSystem windows;
    const Window editor = windows.FindTopWindow(kEditorWindowClass);
    TreeControl tree(windows, FindTreeView(windows, editor));
    ListControl list(windows, FindListView(windows, editor));
    CheckResult check = SettleTreeSelection(windows, tree, outcome.target);
    if (check != CheckResult::NoAnswer && check != CheckResult::Missing &&
        !outcome.target.valueName.empty())
        check = SettleListSelection(windows, list, outcome.target.valueName);
    outcome.result = check == CheckResult::OnTarget || check == CheckResult::Corrected
                         ? JumpResult::Landed
                         : JumpResult::NotReached;
    return outcome;
}

// The editor's tree back on its top item, when the editor is running.
inline void ResetEditor(Win32WindowSystem& windows) {
    const Window editor = windows.FindTopWindow(kEditorWindowClass);
    if (!editor) return;
    TreeControl tree(windows, FindTreeView(windows, editor));
    if (const auto top = tree.Next(TreeRelation::Root, 0); top && *top) (void)tree.Select(*top);
}

}  // namespace ks::bench
