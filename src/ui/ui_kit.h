#pragma once
// Small pieces every window of the program uses: owned GDI objects, the
// designed font, and scaling of designed pixel values to the display.
#include <windows.h>

#include <utility>

namespace ks::ui {

// Owns one GDI object (font, bitmap, brush) and deletes it.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) noexcept {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

// Owns an icon made for this window (not a shared one) and destroys it.
class Icon {
public:
    Icon() = default;
    explicit Icon(HICON icon) : icon_(icon) {}
    ~Icon() { Reset(); }
    Icon(Icon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    Icon& operator=(Icon&& other) noexcept {
        if (this != &other) {
            Reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    HICON Get() const noexcept { return icon_; }
    explicit operator bool() const noexcept { return icon_ != nullptr; }
    void Reset() noexcept {
        if (icon_) DestroyIcon(icon_);
        icon_ = nullptr;
    }

private:
    HICON icon_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Brush = GdiObject<HBRUSH>;

// The windows are designed at 96 pixels per inch.
inline constexpr int kDesignDpi = 96;

// The display's pixels per inch for a window (the system's when the window
// cannot say).
UINT DpiOf(HWND window) noexcept;

// A designed pixel value on a display of `dpi`; exact at 96.
inline int Scale(int designed, UINT dpi) noexcept {
    return MulDiv(designed, static_cast<int>(dpi), kDesignDpi);
}

// "MS Sans Serif"-like design font: 8 points, or the given character height
// in designed pixels, scaled to `dpi`.
Font CreateDesignFont(UINT dpi, int characterHeight = 11, int weight = FW_NORMAL,
                      bool underline = false);

// Sets the font on a window and all its children.
void ApplyFont(HWND window, HFONT font) noexcept;

// The window's outer bounds in screen pixels.
inline RECT WindowBoundsOf(HWND window) noexcept {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace ks::ui
