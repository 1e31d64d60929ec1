#include "jump/landing_check.h"

#include <algorithm>

#include "jump/editor_controls.h"
#include "platform/process_control.h"
#include "platform/window_system.h"

namespace ks {
namespace {

// The selected item's path below the tree's own root item (the computer),
// or nothing when it cannot be read.
std::optional<std::vector<std::string>> SelectedPath(TreeControl& tree) {
    std::optional<TreeItem> item = tree.Next(TreeRelation::Caret, 0);
    if (!item) return std::nullopt;
    std::vector<std::string> path;
    while (*item) {
        const std::optional<TreeItem> parent = tree.Next(TreeRelation::Parent, *item);
        if (!parent) return std::nullopt;
        if (!*parent) break;  // the root item's own name is not part of the path
        std::optional<std::string> text = tree.Text(*item);
        if (!text) return std::nullopt;
        path.push_back(std::move(*text));
        item = parent;
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// The child of `parent` with that name: 0 when there is none, nothing when
// the tree stopped answering. The target exists in the registry, so every
// key on its way has subkeys: one that shows none was emptied by the editor
// after an earlier expansion, and is filled again.
std::optional<TreeItem> FindChild(WindowSystem& windows, TreeControl& tree, TreeItem parent,
                                  const std::string& name) {
    const auto matches = [&](const std::string& text) { return windows.SameName(text, name); };
    if (!tree.Expand(parent)) return std::nullopt;
    const std::optional<TreeItem> child = tree.FindChild(parent, matches);
    if (!child || *child) return child;
    const std::optional<TreeItem> first = tree.Next(TreeRelation::Child, parent);
    if (!first) return std::nullopt;
    if (*first) return TreeItem{0};  // children, but none of that name
    if (!tree.ForgetExpansion(parent) || !tree.Expand(parent)) return std::nullopt;
    return tree.FindChild(parent, matches);
}

std::optional<bool> ListShows(WindowSystem& windows, ListControl& list,
                              const std::string& valueName) {
    const std::optional<int> selected = list.Selected();
    if (!selected) return std::nullopt;
    if (*selected < 0) return false;
    const std::optional<std::string> text = list.Text(*selected);
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

CheckResult SettleTreeSelection(WindowSystem& windows, TreeControl& tree,
                                const ResolvedJump& target) {
    const std::vector<std::string> wanted = TreeComponents(target);
    const std::optional<std::vector<std::string>> current = SelectedPath(tree);
    if (!current) return CheckResult::NoAnswer;
    if (SamePath(windows, *current, wanted)) return CheckResult::OnTarget;

    std::optional<TreeItem> item = tree.Next(TreeRelation::Root, 0);
    if (!item) return CheckResult::NoAnswer;
    if (!*item) return CheckResult::Missing;
    for (const std::string& name : wanted) {
        item = FindChild(windows, tree, *item, name);
        if (!item) return CheckResult::NoAnswer;
        if (!*item) return CheckResult::Missing;
    }
    if (!tree.Select(*item)) return CheckResult::NoAnswer;
    // Trust nothing: the selection is read back as the user will see it.
    const std::optional<std::vector<std::string>> landed = SelectedPath(tree);
    if (!landed) return CheckResult::NoAnswer;
    return SamePath(windows, *landed, wanted) ? CheckResult::Corrected : CheckResult::Missing;
}

CheckResult SettleListSelection(WindowSystem& windows, ListControl& list,
                                const std::string& valueName) {
    const std::optional<bool> shown = ListShows(windows, list, valueName);
    if (!shown) return CheckResult::NoAnswer;
    if (*shown) return CheckResult::OnTarget;

    const std::optional<int> count = list.Count();
    if (!count) return CheckResult::NoAnswer;
    for (int i = 0; i < *count; ++i) {
        const std::optional<std::string> text = list.Text(i);
        if (!text) return CheckResult::NoAnswer;
        if (!windows.SameName(*text, valueName)) continue;
        if (!list.Select(i)) return CheckResult::NoAnswer;
        const std::optional<bool> landed = ListShows(windows, list, valueName);
        if (!landed) return CheckResult::NoAnswer;
        return *landed ? CheckResult::Corrected : CheckResult::Missing;
    }
    return CheckResult::Missing;
}

namespace {

// Runs `settle` once the list holds `rows` items, or at once with `rows`
// unknown, again until it finds the value or the bound has passed.
template <typename Settle>
CheckResult OnceListed(ProcessControl& processes, ListControl& list, std::optional<int> rows,
                       Settle settle) {
    const std::uint32_t bound = rows ? kListFillBound : kUnknownListFillBound;
    const std::uint32_t start = processes.GetTickCount();
    for (;;) {
        const std::optional<int> count = list.Count();
        if (!count) return CheckResult::NoAnswer;
        // Until the list holds as many rows as the key has, it may still be
        // the previous key's, with a value of the same name in it.
        if (!rows || *count == *rows) {
            const CheckResult check = settle();
            if (check != CheckResult::Missing) return check;
        }
        if (static_cast<std::uint32_t>(processes.GetTickCount() - start) >= bound) break;
        processes.Sleep(kListFillPoll);
    }
    // The list never came to the expected size: the registry changed since,
    // or the editor counts otherwise. What it shows now decides.
    return settle();
}

CheckResult SettleFirstRow(ListControl& list) {
    const std::optional<int> selected = list.Selected();
    if (!selected) return CheckResult::NoAnswer;
    if (*selected == 0) return CheckResult::OnTarget;
    const std::optional<int> count = list.Count();
    if (!count) return CheckResult::NoAnswer;
    if (*count == 0) return CheckResult::Missing;
    if (!list.Select(0)) return CheckResult::NoAnswer;
    const std::optional<int> landed = list.Selected();
    if (!landed) return CheckResult::NoAnswer;
    return *landed == 0 ? CheckResult::Corrected : CheckResult::Missing;
}

}  // namespace

CheckResult SelectValueOnceListed(WindowSystem& windows, ProcessControl& processes,
                                  ListControl& list, const std::string& valueName,
                                  std::optional<int> rows) {
    return OnceListed(processes, list, rows,
                      [&] { return SettleListSelection(windows, list, valueName); });
}

CheckResult SelectDefaultValueOnceListed(ProcessControl& processes, ListControl& list,
                                         std::optional<int> rows) {
    return OnceListed(processes, list, rows, [&] { return SettleFirstRow(list); });
}

}  // namespace ks
