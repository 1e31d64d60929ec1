#include "ui/jpeg_picture.h"

#include <climits>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace ks::ui {
namespace {

// Anything larger is not one of our pictures, and decoding it could ask for
// gigabytes on the strength of a forged header.
constexpr unsigned long kMaxPixels = 16ul * 1024 * 1024;

// libjpeg reports a fatal error by calling error_exit, which must not
// return. It jumps back into DecodeInJumpFrame, whose frame holds only
// trivially destructible objects, so the jump skips no destructor.
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf resume;
};

void LeaveOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->resume, 1);
}

// There is no console to write to; warnings are counted, not shown.
void DropMessage(j_common_ptr) {}

// What the decoding produced. Plain data: it must survive the jump.
struct DecodeJob {
    const unsigned char* data;
    unsigned long size;
    HBITMAP bitmap;  // owned by the caller once set, also on failure
};

HBITMAP CreateTopDownDib(JDIMENSION width, JDIMENSION height, unsigned char** bits) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = static_cast<LONG>(width);
    format.bmiHeader.biHeight = -static_cast<LONG>(height);
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<unsigned char*>(pixels);
    return bitmap;
}

// Returns true when the whole picture was decoded without a warning: a
// picture that libjpeg had to patch up (cut off, damaged) counts as
// unreadable, so the caller falls back instead of showing grey bands.
bool DecodeInJumpFrame(DecodeJob& job) noexcept {
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = LeaveOnError;
    errors.manager.output_message = DropMessage;
    if (setjmp(errors.resume)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, job.data, job.size);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK || info.image_width == 0 ||
        info.image_height == 0 || info.image_width > kMaxPixels / info.image_height) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    unsigned char* bits = nullptr;
    job.bitmap = CreateTopDownDib(info.output_width, info.output_height, &bits);
    if (!job.bitmap || !bits || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // One row at a time through libjpeg's own pool, freed with the decoder.
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 3, 1);
    const std::size_t stride = static_cast<std::size_t>(info.output_width) * 4;
    while (info.output_scanline < info.output_height) {
        unsigned char* target = bits + static_cast<std::size_t>(info.output_scanline) * stride;
        if (jpeg_read_scanlines(&info, row, 1) != 1) break;
        const unsigned char* source = row[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x, source += 3, target += 4) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
            target[3] = 0xFF;  // opaque, for code that blends with alpha
        }
    }
    const bool whole = info.output_scanline == info.output_height;
    if (whole) jpeg_finish_decompress(&info);
    const bool clean = whole && errors.manager.num_warnings == 0;
    jpeg_destroy_decompress(&info);
    return clean;
}

}  // namespace

Bitmap DecodeJpeg(const void* data, std::size_t size) noexcept {
    if (!data || size == 0 || size > ULONG_MAX) return {};
    DecodeJob job{static_cast<const unsigned char*>(data), static_cast<unsigned long>(size),
                  nullptr};
    const bool decoded = DecodeInJumpFrame(job);
    Bitmap bitmap(job.bitmap);
    if (!decoded) bitmap.Reset();
    return bitmap;
}

Bitmap LoadJpegResource(HINSTANCE module, int id) noexcept {
    // Resources live as long as the module; nothing here needs freeing.
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RCDATA */);
    if (!found) return {};
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return DecodeJpeg(data, size);
}

SIZE BitmapSize(HBITMAP bitmap) noexcept {
    BITMAP described{};
    if (!bitmap || !GetObjectA(bitmap, sizeof described, &described)) return {0, 0};
    return {described.bmWidth, described.bmHeight < 0 ? -described.bmHeight : described.bmHeight};
}

void PaintStretched(HDC dc, HBITMAP bitmap, const RECT& target) noexcept {
    const SIZE size = BitmapSize(bitmap);
    if (!dc || size.cx == 0 || size.cy == 0) return;
    const MemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    const SelectedObject selected(source.Get(), bitmap);
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    // HALFTONE needs the brush origin set again after the mode changes.
    POINT previousOrigin{};
    SetBrushOrgEx(dc, 0, 0, &previousOrigin);
    StretchBlt(dc, target.left, target.top, target.right - target.left,
               target.bottom - target.top, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    if (previousMode) SetStretchBltMode(dc, previousMode);
}

}  // namespace ks::ui
