// The simulated editor's tree and list controls, answering the documented
// messages through records in the simulated memory of their process.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "grammar/ascii.h"
#include "grammar/wide_text.h"
#include "platform/common_controls.h"
#include "platform/sim/sim_world.h"

namespace ks::sim {

using namespace controls;

namespace {
constexpr std::size_t kPage = 4096;
constexpr std::uintptr_t kBlockSpacing = 0x10000;
}  // namespace

// --- the other programs' memory ----------------------------------------------

std::uintptr_t SimWindowSystem::AddressSpace::Reserve(std::size_t size) {
    const std::size_t pages = (std::max<std::size_t>(size, 1) + kPage - 1) / kPage;
    const std::uintptr_t base = next_;
    next_ += std::max<std::uintptr_t>(pages * kPage, kBlockSpacing);
    blocks_.emplace(base, std::vector<unsigned char>(pages * kPage, 0));
    return base;
}

unsigned char* SimWindowSystem::AddressSpace::Span(std::uintptr_t address, std::size_t size) {
    auto it = blocks_.upper_bound(address);
    if (it == blocks_.begin()) return nullptr;
    --it;
    const std::uintptr_t offset = address - it->first;
    if (offset > it->second.size() || size > it->second.size() - offset) return nullptr;
    return it->second.data() + offset;
}

bool SimWindowSystem::AddressSpace::Write(std::uintptr_t address, const void* data,
                                          std::size_t size) {
    unsigned char* span = Span(address, size);
    if (!span) return false;
    std::memcpy(span, data, size);
    return true;
}

bool SimWindowSystem::AddressSpace::Read(std::uintptr_t address, void* data,
                                         std::size_t size) const {
    const unsigned char* span = const_cast<AddressSpace*>(this)->Span(address, size);
    if (!span) return false;
    std::memcpy(data, span, size);
    return true;
}

class SimWindowSystem::SimMemory final : public ProcessMemory {
public:
    SimMemory(AddressSpace& space, std::size_t size) : space_(space), base_(space.Reserve(size)) {}
    ~SimMemory() override { space_.Free(base_); }
    std::uintptr_t Address() const noexcept override { return base_; }
    bool Write(std::size_t offset, const void* data, std::size_t size) override {
        return space_.Write(base_ + offset, data, size);
    }
    bool Read(std::uintptr_t address, void* data, std::size_t size) override {
        return space_.Read(address, data, size);
    }

private:
    AddressSpace& space_;
    std::uintptr_t base_;
};

int SimWindowSystem::ReservedBlocks() const noexcept {
    return memory_.Blocks() - (ownTextBlock_ ? 1 : 0);
}

std::unique_ptr<ProcessMemory> SimWindowSystem::ReserveMemoryIn(Window window, std::size_t size) {
    world_.Record({.call = "ReserveMemory", .handle = window, .wParam = size});
    if (!Exists(window)) return nullptr;
    for (Window w = window; w; w = windows_.at(w).parent)
        if (!AccessOf(w).readable) return nullptr;
    return std::make_unique<SimMemory>(memory_, size);
}

// --- the model -------------------------------------------------------------

TreeItem SimWindowSystem::AddTreeItem(Window tree, TreeItem parent, const std::string& text) {
    SimTree& model = trees_[tree];
    const TreeItem item = model.nextItem++;
    model.items[item] = SimTreeItem{parent, text, {}, false, false, std::nullopt};
    if (parent)
        model.items.at(parent).children.push_back(item);
    else
        model.roots.push_back(item);
    return item;
}

void SimWindowSystem::DropChildren(Window tree, TreeItem item) {
    trees_[tree].items.at(item).filled = false;
}

void SimWindowSystem::LinkList(Window tree, Window list, std::uint32_t delay) {
    trees_[tree].list = list;
    trees_[tree].listDelay = delay;
}

void SimWindowSystem::SetItemRows(Window tree, TreeItem item, std::vector<std::string> rows) {
    trees_[tree].items.at(item).rows = std::move(rows);
}

void SimWindowSystem::SetListItems(Window list, std::vector<std::string> items, int selected) {
    lists_[list] = SimList{std::move(items), selected, std::nullopt, 0};
}

void SimWindowSystem::FillListLater(Window list, std::vector<std::string> items,
                                    std::uint32_t at) {
    lists_[list].later = std::move(items);
    lists_[list].laterAt = at;
}

SimWindowSystem::SimList& SimWindowSystem::ListAsNow(Window list) {
    SimList& model = lists_[list];
    if (model.later && world_.now >= model.laterAt) {
        model.items = std::move(*model.later);
        model.later.reset();
        model.selected = -1;
    }
    return model;
}

// --- messages --------------------------------------------------------------

SendAnswer SimWindowSystem::Send(Window window, std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam, std::uint32_t timeout) {
    const SendResult delivered =
        Deliver({.call = "Send", .handle = window, .wParam = message, .lParam = lParam}, timeout);
    if (delivered != SendResult::Delivered) return {delivered, 0};
    const std::string className = ClassName(window);
    if (EqualsIgnoringAsciiCase(className, "SysTreeView32"))
        return AnswerTree(window, message, wParam, lParam);
    if (EqualsIgnoringAsciiCase(className, "SysListView32"))
        return AnswerList(window, message, wParam, lParam);
    return {SendResult::Delivered, 0};
}

std::uint32_t SimWindowSystem::Style(Window window) {
    return virtual_.count(window) ? kLvsOwnerData : 0;
}

bool SimWindowSystem::FocusControl(Window top, Window control) {
    world_.Record({.call = "FocusControl", .handle = control, .wParam = top});
    if (!Exists(top) || !Exists(control) || refusing_.count(top) || refusing_.count(control))
        return false;
    foreground_ = top;
    focused_ = control;
    return true;
}

template <typename Record>
bool SimWindowSystem::AnswerText(Window control, Record& record, const std::string& text) {
    std::u16string units = ToUtf16(text);
    if (ownText_.count(control)) {
        // A buffer of the control's own, exactly as long as the text.
        if (ownTextBlock_) memory_.Free(ownTextBlock_);
        ownTextBlock_ = memory_.Reserve((units.size() + 1) * sizeof(char16_t));
        record.text = ownTextBlock_;
        return memory_.Write(ownTextBlock_, units.c_str(), (units.size() + 1) * sizeof(char16_t));
    }
    if (record.textCapacity <= 0) return false;
    units.resize(std::min<std::size_t>(units.size(),
                                       static_cast<std::size_t>(record.textCapacity) - 1));
    return memory_.Write(record.text, units.c_str(), (units.size() + 1) * sizeof(char16_t));
}

SendAnswer SimWindowSystem::AnswerTreeItem(Window tree, std::uint32_t message,
                                           std::intptr_t lParam) {
    constexpr SendAnswer kFalse{SendResult::Delivered, 0};
    constexpr SendAnswer kTrue{SendResult::Delivered, 1};
    TreeItemRecord record;
    if (!memory_.Read(static_cast<std::uintptr_t>(lParam), &record, sizeof record)) return kFalse;
    SimTree& model = trees_[tree];
    const auto it = model.items.find(record.item);
    if (it == model.items.end()) return kFalse;
    SimTreeItem& found = it->second;
    if (message == kTvmSetItemW) {
        if ((record.mask & kTvifState) && (record.stateMask & kTvisExpandedOnce))
            found.expandedOnce = (record.state & kTvisExpandedOnce) != 0;
        return kTrue;
    }
    if (record.mask & kTvifState)
        record.state =
            (found.expandedOnce ? kTvisExpandedOnce : 0) | (found.filled ? kTvisExpanded : 0);
    if ((record.mask & kTvifText) && !AnswerText(tree, record, found.text)) return kFalse;
    return memory_.Write(static_cast<std::uintptr_t>(lParam), &record, sizeof record) ? kTrue
                                                                                      : kFalse;
}

SendAnswer SimWindowSystem::AnswerTree(Window tree, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
    constexpr SendAnswer kFalse{SendResult::Delivered, 0};
    constexpr SendAnswer kTrue{SendResult::Delivered, 1};
    SimTree& model = trees_[tree];
    const auto find = [&](TreeItem item) -> SimTreeItem* {
        const auto it = model.items.find(item);
        return it == model.items.end() ? nullptr : &it->second;
    };
    const auto answer = [](TreeItem item) {
        return SendAnswer{SendResult::Delivered, static_cast<std::intptr_t>(item)};
    };
    const auto item = static_cast<TreeItem>(lParam);

    switch (message) {
        case kTvmGetNextItem: {
            if (wParam == kTvgnRoot) return answer(model.roots.empty() ? 0 : model.roots.front());
            if (wParam == kTvgnCaret) return answer(model.caret);
            const SimTreeItem* found = find(item);
            if (!found) return kFalse;
            if (wParam == kTvgnParent) return answer(found->parent);
            if (wParam == kTvgnChild)
                return answer(found->filled && !found->children.empty() ? found->children.front()
                                                                        : 0);
            if (wParam != kTvgnNext) return kFalse;
            const std::vector<TreeItem>& siblings =
                found->parent ? model.items.at(found->parent).children : model.roots;
            const auto it = std::find(siblings.begin(), siblings.end(), item);
            return answer(it == siblings.end() || std::next(it) == siblings.end() ? 0 : *std::next(it));
        }
        case kTvmGetItemW:
        case kTvmSetItemW:
            return AnswerTreeItem(tree, message, lParam);
        case kTvmExpand: {
            SimTreeItem* found = find(item);
            if (!found || wParam != kTveExpand) return kFalse;
            // Only the first expansion asks the editor to fill the item.
            if (!found->expandedOnce) found->filled = true;
            found->expandedOnce = true;
            return kTrue;
        }
        case kTvmSelectItem: {
            const SimTreeItem* found = find(item);
            if (!found || wParam != kTvgnCaret) return kFalse;
            model.caret = item;
            if (model.list && found->rows) {
                if (model.listDelay == 0)
                    SetListItems(model.list, *found->rows);
                else
                    FillListLater(model.list, *found->rows, world_.now + model.listDelay);
            }
            return kTrue;
        }
        case kTvmEnsureVisible:
            return find(item) ? kTrue : kFalse;
        default:
            return kFalse;
    }
}

SendAnswer SimWindowSystem::AnswerList(Window list, std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam) {
    constexpr SendAnswer kFalse{SendResult::Delivered, 0};
    constexpr SendAnswer kTrue{SendResult::Delivered, 1};
    SimList& model = ListAsNow(list);
    const int count = static_cast<int>(model.items.size());
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    const bool valid = index >= 0 && index < count;

    switch (message) {
        case kLvmGetItemCount:
            return {SendResult::Delivered, count};
        case kLvmGetNextItem:
            if (index != -1 || lParam != kLvniSelected) return {SendResult::Delivered, -1};
            return {SendResult::Delivered, model.selected};
        case kLvmGetItemTextW: {
            // A virtual list's texts are its owner's: the control has none.
            if (virtual_.count(list)) return kFalse;
            ListItemRecord record;
            if (!memory_.Read(static_cast<std::uintptr_t>(lParam), &record, sizeof record))
                return kFalse;
            const std::string text = valid ? model.items[static_cast<std::size_t>(index)] : "";
            if (!AnswerText(list, record, text) ||
                !memory_.Write(static_cast<std::uintptr_t>(lParam), &record, sizeof record))
                return kFalse;
            return {SendResult::Delivered, static_cast<std::intptr_t>(ToUtf16(text).size())};
        }
        case kLvmSetItemState: {
            ListItemRecord record;
            if (!memory_.Read(static_cast<std::uintptr_t>(lParam), &record, sizeof record))
                return kFalse;
            if (!(record.stateMask & kLvisSelected)) return kTrue;
            const bool select = (record.state & kLvisSelected) != 0;
            if (index == -1) {
                model.selected = select && count > 0 ? 0 : -1;
                return kTrue;
            }
            if (!valid) return kFalse;
            if (select)
                model.selected = index;
            else if (model.selected == index)
                model.selected = -1;
            return kTrue;
        }
        case kLvmEnsureVisible:
            return valid ? kTrue : kFalse;
        default:
            return kFalse;
    }
}

}  // namespace ks::sim
