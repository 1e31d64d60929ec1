// The portable numbers and records of the tree and list controls, held to
// the system's own: a mismatch fails the build, not a jump.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "platform/common_controls.h"

namespace ks::controls {

static_assert(kTvmExpand == TVM_EXPAND && kTvmGetNextItem == TVM_GETNEXTITEM &&
              kTvmSelectItem == TVM_SELECTITEM && kTvmEnsureVisible == TVM_ENSUREVISIBLE &&
              kTvmGetItemW == TVM_GETITEMW && kTvmSetItemW == TVM_SETITEMW);
static_assert(kTvgnRoot == TVGN_ROOT && kTvgnNext == TVGN_NEXT && kTvgnParent == TVGN_PARENT &&
              kTvgnChild == TVGN_CHILD && kTvgnCaret == TVGN_CARET && kTveExpand == TVE_EXPAND);
static_assert(kTvifText == TVIF_TEXT && kTvifState == TVIF_STATE && kTvifHandle == TVIF_HANDLE &&
              kTvisExpanded == TVIS_EXPANDED && kTvisExpandedOnce == TVIS_EXPANDEDONCE);
static_assert(kLvmGetItemCount == LVM_GETITEMCOUNT && kLvmGetNextItem == LVM_GETNEXTITEM &&
              kLvmEnsureVisible == LVM_ENSUREVISIBLE && kLvmSetItemState == LVM_SETITEMSTATE &&
              kLvmGetItemTextW == LVM_GETITEMTEXTW);
static_assert(kLvniSelected == LVNI_SELECTED && kLvisFocused == LVIS_FOCUSED &&
              kLvisSelected == LVIS_SELECTED && kLvsOwnerData == LVS_OWNERDATA);

#define KS_SAME_FIELD(ours, theirs, ourField, theirField)                 \
    static_assert(offsetof(ours, ourField) == offsetof(theirs, theirField) && \
                  sizeof(ours::ourField) == sizeof(theirs::theirField))

static_assert(sizeof(TreeItemRecord) == sizeof(TVITEMW));
KS_SAME_FIELD(TreeItemRecord, TVITEMW, mask, mask);
KS_SAME_FIELD(TreeItemRecord, TVITEMW, item, hItem);
KS_SAME_FIELD(TreeItemRecord, TVITEMW, state, state);
KS_SAME_FIELD(TreeItemRecord, TVITEMW, stateMask, stateMask);
KS_SAME_FIELD(TreeItemRecord, TVITEMW, text, pszText);
KS_SAME_FIELD(TreeItemRecord, TVITEMW, textCapacity, cchTextMax);
KS_SAME_FIELD(TreeItemRecord, TVITEMW, children, cChildren);
KS_SAME_FIELD(TreeItemRecord, TVITEMW, lParam, lParam);

static_assert(sizeof(ListItemRecord) == sizeof(LVITEMW));
KS_SAME_FIELD(ListItemRecord, LVITEMW, mask, mask);
KS_SAME_FIELD(ListItemRecord, LVITEMW, item, iItem);
KS_SAME_FIELD(ListItemRecord, LVITEMW, subItem, iSubItem);
KS_SAME_FIELD(ListItemRecord, LVITEMW, state, state);
KS_SAME_FIELD(ListItemRecord, LVITEMW, stateMask, stateMask);
KS_SAME_FIELD(ListItemRecord, LVITEMW, text, pszText);
KS_SAME_FIELD(ListItemRecord, LVITEMW, textCapacity, cchTextMax);
KS_SAME_FIELD(ListItemRecord, LVITEMW, lParam, lParam);
KS_SAME_FIELD(ListItemRecord, LVITEMW, group, iGroup);

#undef KS_SAME_FIELD

}  // namespace ks::controls
