#pragma once
// Stored window bounds keep their size in units of 96 DPI, so that a window
// closed at one display scaling opens at the same physical size at another;
// files written before (pixels at 96 DPI) read the same. The position stays
// in screen pixels, which a change of scaling leaves where they are.
#include "ui/rules/layout_rules.h"

namespace ks {

// Bounds as shown on a display of `dpi`, in the units they are stored in.
ControlRect StoredFromShown(const ControlRect& shown, int dpi);

// Stored bounds as shown on a display of `dpi`.
ControlRect ShownFromStored(const ControlRect& stored, int dpi);

}  // namespace ks
