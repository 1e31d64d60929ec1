#include "jump/editor_controls.h"

#include <algorithm>

#include "grammar/wide_text.h"
#include "platform/common_controls.h"
#include "platform/window_system.h"

namespace ks {
namespace {

using namespace controls;

// In UTF-16 units: key names are at most 255 characters, value names 16,383.
constexpr std::size_t kTreeTextCapacity = 1024;
constexpr std::size_t kListTextCapacity = 16384;

// Memory is committed in pages: a read that stays within one page of a
// text that was readable at its start cannot fail for the page's sake.
constexpr std::uintptr_t kPageSize = 4096;

// The zero-terminated UTF-16 text at `address` in the control's process, at
// most `capacity` units including the zero; read a page at a time, since a
// text the control keeps in memory of its own may end just before memory
// that cannot be read. Nothing when it cannot be read or has no end.
std::optional<std::string> ReadText(ProcessMemory& memory, std::uintptr_t address,
                                    std::size_t capacity) {
    if (!address || address % sizeof(char16_t)) return std::nullopt;
    std::u16string text;
    while (text.size() < capacity) {
        const std::uintptr_t here = address + text.size() * sizeof(char16_t);
        const std::uintptr_t pageEnd = (here / kPageSize + 1) * kPageSize;
        const std::size_t units =
            std::min<std::size_t>((pageEnd - here) / sizeof(char16_t), capacity - text.size());
        std::u16string chunk(units, u'\0');
        if (!memory.Read(here, chunk.data(), units * sizeof(char16_t))) return std::nullopt;
        const std::size_t end = chunk.find(u'\0');
        if (end != std::u16string::npos) return FromUtf16(text + chunk.substr(0, end));
        text += chunk;
    }
    return std::nullopt;
}

// One record of a control message in the control's process, followed by a
// text buffer for the control to fill: reserved once, for any number of calls.
template <typename Record>
class RemoteRecord {
public:
    RemoteRecord(WindowSystem& windows, Window control, std::size_t textCapacity)
        : windows_(windows),
          control_(control),
          textCapacity_(textCapacity),
          memory_(windows.ReserveMemoryIn(control,
                                          sizeof(Record) + textCapacity * sizeof(char16_t))) {}

    bool Ready() const noexcept { return memory_ != nullptr; }
    bool Refused() const noexcept { return refused_; }

    // Sends `message` with the record. With `text`, the record is pointed at
    // the buffer first, and the text read back from wherever the control's
    // answer points: our buffer, or one of its own.
    std::optional<std::intptr_t> Call(std::uint32_t message, std::uintptr_t wParam, Record record,
                                      std::string* text = nullptr) {
        if (!memory_) return std::nullopt;
        const std::uintptr_t buffer = memory_->Address() + sizeof(Record);
        if (text) {
            record.text = buffer;
            record.textCapacity = static_cast<std::int32_t>(textCapacity_);
            const char16_t none = u'\0';
            if (!memory_->Write(sizeof(Record), &none, sizeof none)) return std::nullopt;
        }
        if (!memory_->Write(0, &record, sizeof record)) return std::nullopt;
        const SendAnswer answer = windows_.Send(control_, message, wParam,
                                                static_cast<std::intptr_t>(memory_->Address()));
        refused_ = refused_ || answer.result == SendResult::Refused;
        if (!answer.Handled()) return std::nullopt;
        if (text) {
            Record answered{};
            if (!memory_->Read(memory_->Address(), &answered, sizeof answered)) return std::nullopt;
            std::optional<std::string> read = ReadText(*memory_, answered.text, textCapacity_);
            if (!read) return std::nullopt;
            *text = std::move(*read);
        }
        return answer.value;
    }

private:
    WindowSystem& windows_;
    Window control_;
    std::size_t textCapacity_;
    std::unique_ptr<ProcessMemory> memory_;
    bool refused_ = false;
};

std::uintptr_t NextFlag(TreeRelation relation) noexcept {
    switch (relation) {
        case TreeRelation::Root:
            return kTvgnRoot;
        case TreeRelation::Next:
            return kTvgnNext;
        case TreeRelation::Parent:
            return kTvgnParent;
        case TreeRelation::Child:
            return kTvgnChild;
        case TreeRelation::Caret:
            break;
    }
    return kTvgnCaret;
}

}  // namespace

class TreeControl::Records : public RemoteRecord<TreeItemRecord> {
    using RemoteRecord::RemoteRecord;
};

class ListControl::Records : public RemoteRecord<ListItemRecord> {
    using RemoteRecord::RemoteRecord;
};

// --- tree ------------------------------------------------------------------

TreeControl::TreeControl(WindowSystem& windows, Window tree) : windows_(windows), tree_(tree) {}
TreeControl::~TreeControl() = default;

TreeControl::Records* TreeControl::records() {
    if (!records_) records_ = std::make_unique<Records>(windows_, tree_, kTreeTextCapacity);
    return records_->Ready() ? records_.get() : nullptr;
}

SendAnswer TreeControl::Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                             std::uint32_t timeout) {
    const SendAnswer answer = windows_.Send(tree_, message, wParam, lParam, timeout);
    refused_ = refused_ || answer.result == SendResult::Refused;
    return answer;
}

bool TreeControl::Refused() const noexcept {
    return refused_ || (records_ && records_->Refused());
}

std::optional<TreeItem> TreeControl::Next(TreeRelation relation, TreeItem item) {
    const SendAnswer answer =
        Send(kTvmGetNextItem, NextFlag(relation), static_cast<std::intptr_t>(item));
    if (!answer.Handled()) return std::nullopt;
    return static_cast<TreeItem>(answer.value);
}

std::optional<std::string> TreeControl::Text(TreeItem item) {
    Records* remote = records();
    if (!remote) return std::nullopt;
    TreeItemRecord record;
    record.mask = kTvifText | kTvifHandle;
    record.item = item;
    std::string text;
    const std::optional<std::intptr_t> found = remote->Call(kTvmGetItemW, 0, record, &text);
    if (!found || !*found) return std::nullopt;
    return text;
}

std::optional<TreeItem> TreeControl::FindChild(
    TreeItem parent, const std::function<bool(const std::string&)>& matches) {
    std::optional<TreeItem> child = Next(TreeRelation::Child, parent);
    while (child && *child) {
        const std::optional<std::string> text = Text(*child);
        if (!text) return std::nullopt;
        if (matches(*text)) return child;
        child = Next(TreeRelation::Next, *child);
    }
    return child;
}

bool TreeControl::Expand(TreeItem item) {
    // The answer says whether anything changed, not whether it worked.
    return Send(kTvmExpand, kTveExpand, static_cast<std::intptr_t>(item), kSlowSendTimeout)
        .Handled();
}

bool TreeControl::ForgetExpansion(TreeItem item) {
    Records* remote = records();
    if (!remote) return false;
    TreeItemRecord record;
    record.mask = kTvifState | kTvifHandle;
    record.item = item;
    record.stateMask = kTvisExpandedOnce;
    record.state = 0;
    const std::optional<std::intptr_t> set = remote->Call(kTvmSetItemW, 0, record);
    return set && *set;
}

bool TreeControl::Select(TreeItem item) {
    const SendAnswer selected = Send(kTvmSelectItem, kTvgnCaret, static_cast<std::intptr_t>(item));
    if (!selected.Handled() || !selected.value) return false;
    return Send(kTvmEnsureVisible, 0, static_cast<std::intptr_t>(item)).Handled();
}

// --- list ------------------------------------------------------------------

ListControl::ListControl(WindowSystem& windows, Window list) : windows_(windows), list_(list) {}
ListControl::~ListControl() = default;

ListControl::Records* ListControl::records() {
    if (!records_) records_ = std::make_unique<Records>(windows_, list_, kListTextCapacity);
    return records_->Ready() ? records_.get() : nullptr;
}

SendAnswer ListControl::Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    const SendAnswer answer = windows_.Send(list_, message, wParam, lParam);
    refused_ = refused_ || answer.result == SendResult::Refused;
    return answer;
}

bool ListControl::Refused() const noexcept {
    return refused_ || (records_ && records_->Refused());
}

bool ListControl::IsVirtual() { return (windows_.Style(list_) & kLvsOwnerData) != 0; }

std::optional<int> ListControl::Count() {
    const SendAnswer answer = Send(kLvmGetItemCount, 0, 0);
    if (!answer.Handled()) return std::nullopt;
    return static_cast<int>(answer.value);
}

std::optional<int> ListControl::Selected() {
    const SendAnswer answer = Send(kLvmGetNextItem, static_cast<std::uintptr_t>(-1), kLvniSelected);
    if (!answer.Handled()) return std::nullopt;
    return static_cast<int>(answer.value);
}

std::optional<std::string> ListControl::Text(int item) {
    Records* remote = records();
    if (!remote) return std::nullopt;
    ListItemRecord record;
    record.subItem = 0;
    std::string text;
    if (!remote->Call(kLvmGetItemTextW, static_cast<std::uintptr_t>(item), record, &text))
        return std::nullopt;
    return text;
}

bool ListControl::Select(int item) {
    Records* remote = records();
    if (!remote) return false;
    ListItemRecord clear;
    clear.stateMask = kLvisSelected | kLvisFocused;
    const std::optional<std::intptr_t> cleared =
        remote->Call(kLvmSetItemState, static_cast<std::uintptr_t>(-1), clear);
    if (!cleared || !*cleared) return false;
    ListItemRecord select;
    select.stateMask = kLvisSelected | kLvisFocused;
    select.state = kLvisSelected | kLvisFocused;
    const std::optional<std::intptr_t> selected =
        remote->Call(kLvmSetItemState, static_cast<std::uintptr_t>(item), select);
    if (!selected || !*selected) return false;
    return Send(kLvmEnsureVisible, static_cast<std::uintptr_t>(item), 0).Handled();
}

}  // namespace ks
