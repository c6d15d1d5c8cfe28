#pragma once

#include <utility>

#include "core/geometry.h"
#include "ui/handles.h"
#include "ui/trace.h"
#include "ui/win32.h"

// Small bridges between Win32's geometry and bitmaps and the program's own types.
namespace zarkit::ui {

inline Rect ToRect(const RECT& rect) {
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}
inline RECT ToRECT(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

inline Rect ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return ToRect(client);
}

inline Rect WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return ToRect(rect);
}

// The answer to WM_ERASEBKGND of a window whose background is one plain colour.
inline LRESULT EraseWith(HWND window, WPARAM dc, COLORREF colour) {
    RECT client{};
    GetClientRect(window, &client);
    const auto erase_dc = reinterpret_cast<HDC>(dc);
    SetDCBrushColor(erase_dc, colour);
    FillRect(erase_dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    return 1;
}

inline SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// A copy of the bitmap turned left for right; an empty owner when it cannot be made.
Bitmap MirroredCopy(HBITMAP bitmap);

// A bitmap resource of this module, turned left for right when `mirrored`; an empty owner
// (and a trace) when it is missing.
inline Bitmap LoadBitmapResource(int id, bool mirrored = false) {
    Bitmap bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    if (!bitmap) {
        Trace(L"LoadBitmapW(%d) failed: %lu\n", id, GetLastError());
    }
    return mirrored && bitmap ? MirroredCopy(bitmap.Get()) : std::move(bitmap);
}

}  // namespace zarkit::ui
