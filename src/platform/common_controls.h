#pragma once
// The documented messages of the tree-view and list-view controls, and the
// item records they take, as another program's controls are read and set
// through them. Records of the controls' own layout: they are written into
// the control's process, whose pointers are as wide as ours. The Win32 build
// checks every number and offset here against the system's headers.
#include <cstdint>

namespace ks::controls {

// Tree view (TV_FIRST 0x1100).
inline constexpr std::uint32_t kTvmExpand = 0x1102;
inline constexpr std::uint32_t kTvmGetNextItem = 0x110A;
inline constexpr std::uint32_t kTvmSelectItem = 0x110B;
inline constexpr std::uint32_t kTvmEnsureVisible = 0x1114;
inline constexpr std::uint32_t kTvmGetItemW = 0x113E;
inline constexpr std::uint32_t kTvmSetItemW = 0x113F;

inline constexpr std::uintptr_t kTvgnRoot = 0x0;
inline constexpr std::uintptr_t kTvgnNext = 0x1;
inline constexpr std::uintptr_t kTvgnParent = 0x3;
inline constexpr std::uintptr_t kTvgnChild = 0x4;
inline constexpr std::uintptr_t kTvgnCaret = 0x9;
inline constexpr std::uintptr_t kTveExpand = 0x2;

inline constexpr std::uint32_t kTvifText = 0x1;
inline constexpr std::uint32_t kTvifState = 0x8;
inline constexpr std::uint32_t kTvifHandle = 0x10;
inline constexpr std::uint32_t kTvisExpanded = 0x20;
// Set once an item has been expanded; from then on TVM_EXPAND sends its
// parent no TVN_ITEMEXPANDING, so an owner that fills children on demand
// is not asked again.
inline constexpr std::uint32_t kTvisExpandedOnce = 0x40;

// List view (LVM_FIRST 0x1000).
inline constexpr std::uint32_t kLvmGetItemCount = 0x1004;
inline constexpr std::uint32_t kLvmGetNextItem = 0x100C;
inline constexpr std::uint32_t kLvmEnsureVisible = 0x1013;
inline constexpr std::uint32_t kLvmSetItemState = 0x102B;
inline constexpr std::uint32_t kLvmGetItemTextW = 0x1073;

inline constexpr std::intptr_t kLvniSelected = 0x2;
inline constexpr std::uint32_t kLvisFocused = 0x1;
inline constexpr std::uint32_t kLvisSelected = 0x2;
// A virtual list: its owner keeps the items, and the control has no text
// to give another program.
inline constexpr std::uint32_t kLvsOwnerData = 0x1000;

// TVITEMW.
struct TreeItemRecord {
    std::uint32_t mask = 0;
    std::uintptr_t item = 0;
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::uintptr_t text = 0;  // the caller's buffer; the control may point it at its own
    std::int32_t textCapacity = 0;
    std::int32_t image = 0;
    std::int32_t selectedImage = 0;
    std::int32_t children = 0;
    std::intptr_t lParam = 0;
};

// LVITEMW as the system's controls of Windows Vista and later read it.
struct ListItemRecord {
    std::uint32_t mask = 0;
    std::int32_t item = 0;
    std::int32_t subItem = 0;
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::uintptr_t text = 0;  // as in TreeItemRecord
    std::int32_t textCapacity = 0;
    std::int32_t image = 0;
    std::intptr_t lParam = 0;
    std::int32_t indent = 0;
    std::int32_t groupId = 0;
    std::uint32_t columns = 0;
    std::uintptr_t columnList = 0;
    std::uintptr_t columnFormats = 0;
    std::int32_t group = 0;
};

}  // namespace ks::controls
