#pragma once

#include <utility>

#include "ui/win32.h"
#include <commctrl.h>
#include <shtypes.h>

namespace zarkit::ui {

// One move-only owner per kind of handle; the traits say how it is closed and
// what its empty value is. Copying an owner does not compile.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Empty(); }

    Handle Release() { return std::exchange(handle_, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty()) {
        if (handle_ != Traits::Empty()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Empty();
};

template <typename H, auto CloseFunction>
struct NullEmptyTraits {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static void Close(Handle handle) { CloseFunction(handle); }
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};

inline void DeleteGdiObject(HGDIOBJ object) {
    DeleteObject(object);
}

inline void FreeIdList(PIDLIST_ABSOLUTE list) {
    CoTaskMemFree(list);
}

using KernelHandle = UniqueHandle<NullEmptyTraits<HANDLE, CloseHandle>>;
using FileHandle = UniqueHandle<FileTraits>;
using IconHandle = UniqueHandle<NullEmptyTraits<HICON, DestroyIcon>>;
using CursorHandle = UniqueHandle<NullEmptyTraits<HCURSOR, DestroyCursor>>;
using MenuHandle = UniqueHandle<NullEmptyTraits<HMENU, DestroyMenu>>;
using KeyHandle = UniqueHandle<NullEmptyTraits<HKEY, RegCloseKey>>;
using MemoryDc = UniqueHandle<NullEmptyTraits<HDC, DeleteDC>>;
using Bitmap = UniqueHandle<NullEmptyTraits<HBITMAP, DeleteGdiObject>>;
using Font = UniqueHandle<NullEmptyTraits<HFONT, DeleteGdiObject>>;
using Pen = UniqueHandle<NullEmptyTraits<HPEN, DeleteGdiObject>>;
using Brush = UniqueHandle<NullEmptyTraits<HBRUSH, DeleteGdiObject>>;
using Region = UniqueHandle<NullEmptyTraits<HRGN, DeleteGdiObject>>;
using ImageList = UniqueHandle<NullEmptyTraits<HIMAGELIST, ImageList_Destroy>>;
// A shell item identifier list, as SHGetSpecialFolderLocation hands it out.
using IdList = UniqueHandle<NullEmptyTraits<PIDLIST_ABSOLUTE, FreeIdList>>;
// A registration for device notifications (RegisterDeviceNotificationW).
using DeviceNotification = UniqueHandle<NullEmptyTraits<HDEVNOTIFY, UnregisterDeviceNotification>>;
// A window created by its holder; released, not reset, when the system destroyed it already.
using WindowHandle = UniqueHandle<NullEmptyTraits<HWND, DestroyWindow>>;

// Selects a GDI object into a device context for one scope.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectScope() { SelectObject(dc_, previous_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint and EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GetDC and ReleaseDC for one scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace zarkit::ui
