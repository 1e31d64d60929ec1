#include "jump/landing_check.h"

#include <algorithm>
#include <optional>

#include "platform/window_system.h"

namespace ks {
namespace {

// The selected item's path below the tree's own root item (the computer),
// or nothing when it cannot be read.
std::optional<std::vector<std::string>> SelectedPath(WindowSystem& windows, Window tree) {
    std::optional<TreeItem> item = windows.TreeNextItem(tree, TreeRelation::Caret, 0);
    if (!item) return std::nullopt;
    std::vector<std::string> path;
    while (*item) {
        const std::optional<TreeItem> parent = windows.TreeNextItem(tree, TreeRelation::Parent, *item);
        if (!parent) return std::nullopt;
        if (!*parent) break;  // the root item's own name is not part of the path
        std::optional<std::string> text = windows.TreeItemText(tree, *item);
        if (!text) return std::nullopt;
        path.push_back(std::move(*text));
        item = parent;
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// The child of `parent` with that name: 0 when there is none, nothing when
// the tree stopped answering.
std::optional<TreeItem> FindChild(WindowSystem& windows, Window tree, TreeItem parent,
                                  const std::string& name) {
    if (!windows.TreeExpand(tree, parent)) return std::nullopt;
    return windows.FindTreeChild(
        tree, parent, [&](const std::string& text) { return windows.SameName(text, name); });
}

std::optional<bool> ListShows(WindowSystem& windows, Window list, const std::string& valueName) {
    const std::optional<int> selected = windows.ListSelectedItem(list);
    if (!selected) return std::nullopt;
    if (*selected < 0) return false;
    const std::optional<std::string> text = windows.ListItemText(list, *selected);
    if (!text) return std::nullopt;
    return windows.SameName(*text, valueName);
}

}  // namespace

std::vector<std::string> TreeComponents(const ResolvedJump& target) {
    std::vector<std::string> components{target.rootName};
    std::string current;
    for (char c : target.keyPath) {
        if (c != '\\') {
            current += c;
        } else if (!current.empty()) {
            components.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) components.push_back(std::move(current));
    return components;
}

bool SamePath(WindowSystem& windows, const std::vector<std::string>& a,
              const std::vector<std::string>& b) {
    const auto same = [&](const std::string& x, const std::string& y) {
        return windows.SameName(x, y);
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

CheckResult SettleTreeSelection(WindowSystem& windows, Window tree, const ResolvedJump& target) {
    const std::vector<std::string> wanted = TreeComponents(target);
    const std::optional<std::vector<std::string>> current = SelectedPath(windows, tree);
    if (!current) return CheckResult::NoAnswer;
    if (SamePath(windows, *current, wanted)) return CheckResult::OnTarget;

    std::optional<TreeItem> item = windows.TreeNextItem(tree, TreeRelation::Root, 0);
    if (!item) return CheckResult::NoAnswer;
    if (!*item) return CheckResult::Missing;
    for (const std::string& name : wanted) {
        item = FindChild(windows, tree, *item, name);
        if (!item) return CheckResult::NoAnswer;
        if (!*item) return CheckResult::Missing;
    }
    if (!windows.TreeSelect(tree, *item)) return CheckResult::NoAnswer;
    // Trust nothing: the selection is read back as the user will see it.
    const std::optional<std::vector<std::string>> landed = SelectedPath(windows, tree);
    if (!landed) return CheckResult::NoAnswer;
    return SamePath(windows, *landed, wanted) ? CheckResult::Corrected : CheckResult::Missing;
}

CheckResult SettleListSelection(WindowSystem& windows, Window list, const std::string& valueName) {
    const std::optional<bool> shown = ListShows(windows, list, valueName);
    if (!shown) return CheckResult::NoAnswer;
    if (*shown) return CheckResult::OnTarget;

    const std::optional<int> count = windows.ListItemCount(list);
    if (!count) return CheckResult::NoAnswer;
    for (int i = 0; i < *count; ++i) {
        const std::optional<std::string> text = windows.ListItemText(list, i);
        if (!text) return CheckResult::NoAnswer;
        if (!windows.SameName(*text, valueName)) continue;
        if (!windows.ListSelect(list, i)) return CheckResult::NoAnswer;
        const std::optional<bool> landed = ListShows(windows, list, valueName);
        if (!landed) return CheckResult::NoAnswer;
        return *landed ? CheckResult::Corrected : CheckResult::Missing;
    }
    return CheckResult::Missing;
}

}  // namespace ks
