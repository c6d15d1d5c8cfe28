#pragma once

#include <functional>

#include "ui/com_object.h"
#include "ui/win32.h"
#include <oleidl.h>

namespace zarkit::ui {

// A drop target that takes nothing but reports where a drag passes over its window.
// During OLE's drag loop the mouse is captured, so a window sees no WM_MOUSEMOVE; this is
// how it can still react to the pointer (a tab strip selecting the tab under it).
class DragHoverTarget final : public ComObject<DragHoverTarget, IDropTarget> {
public:
    using HoverCallback = std::function<void(POINT screen_point)>;

    explicit DragHoverTarget(HoverCallback on_hover) : on_hover_(std::move(on_hover)) {}

    // Makes a new target the drop target of `window`, which then holds its only reference.
    // Needs OleInitialize; call RevokeDragDrop before the window is destroyed.
    static bool Register(HWND window, HoverCallback on_hover);

    STDMETHODIMP DragEnter(IDataObject* data, DWORD key_state, POINTL point,
                           DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD key_state, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD key_state, POINTL point, DWORD* effect) override;

private:
    HRESULT Hover(POINTL point, DWORD* effect);

    HoverCallback on_hover_;
};

}  // namespace zarkit::ui
