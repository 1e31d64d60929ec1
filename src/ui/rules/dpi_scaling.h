#pragma once
// Pixels from one display scaling to another. The windows are designed at
// 96 pixels per inch; every designed measure reaches the screen through here.
namespace ks {

inline constexpr int kDesignDpi = 96;

// `value`, measured at `from` pixels per inch, at `to`: rounded to the
// nearest pixel, halves away from zero (as MulDiv rounds).
constexpr int Rescale(int value, int to, int from) noexcept {
    if (from <= 0 || to <= 0 || to == from) return value;
    const long long scaled = static_cast<long long>(value) * to;
    return static_cast<int>((scaled + (scaled >= 0 ? from / 2 : -(from / 2))) / from);
}

// A designed pixel value on a display of `dpi`; exact at 96.
constexpr int ScaleDesigned(int designed, int dpi) noexcept {
    return Rescale(designed, dpi, kDesignDpi);
}

}  // namespace ks
