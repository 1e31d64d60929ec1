#include "ui/rules/stored_bounds.h"

namespace ks {
namespace {

constexpr int kDesignDpi = 96;

// value * to / from, rounded half up; long long so that no size overflows.
int Rescale(int value, int to, int from) {
    if (from <= 0 || to <= 0 || to == from) return value;
    const long long scaled = static_cast<long long>(value) * to;
    return static_cast<int>((scaled + (scaled >= 0 ? from / 2 : -(from / 2))) / from);
}

}  // namespace

ControlRect StoredFromShown(const ControlRect& shown, int dpi) {
    return {shown.left, shown.top, Rescale(shown.width, kDesignDpi, dpi),
            Rescale(shown.height, kDesignDpi, dpi)};
}

ControlRect ShownFromStored(const ControlRect& stored, int dpi) {
    return {stored.left, stored.top, Rescale(stored.width, dpi, kDesignDpi),
            Rescale(stored.height, dpi, kDesignDpi)};
}

}  // namespace ks
