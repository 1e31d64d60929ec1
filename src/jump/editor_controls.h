#pragma once
// The Registry Editor's tree and list, read and set from this process
// through the controls' documented messages. The same code runs against the
// system's controls and the simulated ones, so every answer the
// documentation allows is met here: a text copied into our buffer or one
// the control points at in memory of its own, an item that was expanded
// once and is not filled again, a virtual list that has no texts to give.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/handles.h"
#include "platform/window_system.h"

namespace ks {

class WindowSystem;
class ProcessMemory;

// Which item of a tree another one leads to: the first root, the next
// sibling, the parent, the first child, or the selected item (whatever the
// item given).
enum class TreeRelation { Root, Next, Parent, Child, Caret };

// Every call is bounded (an expansion, which may fill thousands of keys, by
// kSlowSendTimeout); nothing (or false) means the control did not answer or
// its process could not be reached.
class TreeControl {
public:
    TreeControl(WindowSystem& windows, Window tree);
    ~TreeControl();
    TreeControl(const TreeControl&) = delete;
    TreeControl& operator=(const TreeControl&) = delete;

    std::optional<TreeItem> Next(TreeRelation relation, TreeItem item);
    std::optional<std::string> Text(TreeItem item);
    // The first child of `parent` whose text `matches` accepts: 0 when there
    // is none. One pass over the children, their texts read through one buffer.
    std::optional<TreeItem> FindChild(TreeItem parent,
                                      const std::function<bool(const std::string&)>& matches);
    bool Expand(TreeItem item);
    // Clears the item's "expanded once" state, so that the next expansion
    // asks the editor to fill it again.
    bool ForgetExpansion(TreeItem item);
    // Selects the item and scrolls it into view.
    bool Select(TreeItem item);

    // Whether a message was refused: the control's program has higher rights.
    bool Refused() const noexcept;

private:
    class Records;
    Records* records();
    SendAnswer Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                    std::uint32_t timeout = kSendTimeout);

    WindowSystem& windows_;
    Window tree_;
    std::unique_ptr<Records> records_;  // reserved at the first call that needs one
    bool refused_ = false;
};

class ListControl {
public:
    ListControl(WindowSystem& windows, Window list);
    ~ListControl();
    ListControl(const ListControl&) = delete;
    ListControl& operator=(const ListControl&) = delete;

    // A virtual list (LVS_OWNERDATA): its owner keeps the texts.
    bool IsVirtual();
    std::optional<int> Count();
    // The first selected item, or -1 for none.
    std::optional<int> Selected();
    std::optional<std::string> Text(int item);
    // Selects and focuses the item alone and scrolls it into view.
    bool Select(int item);

    // As TreeControl::Refused.
    bool Refused() const noexcept;

private:
    class Records;
    Records* records();
    SendAnswer Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    WindowSystem& windows_;
    Window list_;
    std::unique_ptr<Records> records_;
    bool refused_ = false;
};

}  // namespace ks
