#pragma once
// JPEG pictures kept as RCDATA resources (the banners), decoded when a
// window needs them.
#include <windows.h>

#include <cstddef>

#include "ui/ui_kit.h"

namespace ks::ui {

// Decodes a JPEG held in memory into a 32-bit top-down DIB section. Empty
// when the data is not a whole, readable JPEG; never throws.
Bitmap DecodeJpeg(const void* data, std::size_t size) noexcept;

// The RCDATA resource `id` of `module`, decoded. Empty when the resource is
// missing or unreadable.
Bitmap LoadJpegResource(HINSTANCE module, int id) noexcept;

// The size of a bitmap in pixels; {0, 0} for none.
SIZE BitmapSize(HBITMAP bitmap) noexcept;

// Paints the whole bitmap stretched into `target` of `dc` with halftone
// filtering. Paints nothing when there is no bitmap.
void PaintStretched(HDC dc, HBITMAP bitmap, const RECT& target) noexcept;

}  // namespace ks::ui
