#pragma once
// The main window's outer bounds as the settings keep them: in pixels at
// 96 DPI, the designed ones when the file has none.
#include <cstdint>

namespace ks {

struct WindowBounds {
    std::int32_t left = 342;
    std::int32_t top = 192;
    std::int32_t width = 529;
    std::int32_t height = 516;
    bool operator==(const WindowBounds&) const = default;
};

// The bounds the window is designed at.
inline constexpr WindowBounds kDesignedWindowBounds{};

}  // namespace ks
