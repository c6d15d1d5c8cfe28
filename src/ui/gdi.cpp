#include "ui/gdi.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zarkit::ui {

// Through 32-bit device-independent pixels, row by row: no stretch with a negative width,
// whose exact columns differ between drivers.
Bitmap MirroredCopy(HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) {
        return Bitmap();
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.cx) *
                                      static_cast<std::size_t>(size.cy));
    const WindowDc screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info,
                  DIB_RGB_COLORS) != size.cy) {
        TraceLastError(L"MirroredCopy: GetDIBits");
        return Bitmap();
    }
    for (auto row = pixels.begin(); row != pixels.end(); row += size.cx) {
        std::reverse(row, row + size.cx);
    }
    Bitmap mirrored(CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
    if (!mirrored || SetDIBits(screen.Get(), mirrored.Get(), 0, static_cast<UINT>(size.cy),
                               pixels.data(), &info, DIB_RGB_COLORS) != size.cy) {
        TraceLastError(L"MirroredCopy: SetDIBits");
        return Bitmap();
    }
    return mirrored;
}

}  // namespace zarkit::ui
