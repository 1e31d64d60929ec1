#pragma once
// The route every jump under Wine took before a readable editor's items were
// selected directly: the paced keystrokes (half a second after each level),
// then the landing read back and put right. Kept here so that the two can be
// measured side by side in one run.
#include <string>

#include "jump/editor_driver.h"
#include "jump/jump_resolution.h"
#include "jump/landing_check.h"
#include "platform/win32/win32_window_system.h"
#include "win32/drive_routes.h"

namespace ks::bench {

// Today's window system, but the children of a key read one by one, with a
// remote buffer reserved and freed for each, as the landing check first did.
class SiblingBySiblingWindows : public Win32WindowSystem {
public:
    std::optional<TreeItem> FindTreeChild(
        Window tree, TreeItem parent,
        const std::function<bool(const std::string&)>& matches) override {
        std::optional<TreeItem> child = TreeNextItem(tree, TreeRelation::Child, parent);
        while (child && *child) {
            const std::optional<std::string> text = TreeItemText(tree, *child);
            if (!text) return std::nullopt;
            if (matches(*text)) return child;
            child = TreeNextItem(tree, TreeRelation::Next, *child);
        }
        return child;
    }
};

inline JumpOutcome JumpTodaysWay(Registry& registry, ProcessControl& processes,
                                 const std::string& text) {
    test::KeystrokesOnlyWindows keystrokes;
    JumpOutcome outcome = JumpToRegistryPath({registry, keystrokes, processes}, text);
    if (outcome.result != JumpResult::Unverified) return outcome;

    Win32WindowSystem windows;
    const Window editor = windows.FindTopWindow(kEditorWindowClass);
    const Window tree = FindTreeView(windows, editor);
    const Window list = FindListView(windows, editor);
    CheckResult check = SettleTreeSelection(windows, tree, outcome.target);
    if (check != CheckResult::NoAnswer && check != CheckResult::Missing &&
        !outcome.target.valueName.empty())
        check = SettleListSelection(windows, list, outcome.target.valueName);
    outcome.result = check == CheckResult::OnTarget    ? JumpResult::Landed
                     : check == CheckResult::Corrected ? JumpResult::Corrected
                                                       : JumpResult::NotReached;
    return outcome;
}

}  // namespace ks::bench
