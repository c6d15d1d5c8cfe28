#include "ui/drag_hover_target.h"

namespace zarkit::ui {

bool DragHoverTarget::Register(HWND window, HoverCallback on_hover) {
    const ComPtr<DragHoverTarget> target = MakeCom<DragHoverTarget>(std::move(on_hover));
    const HRESULT result = RegisterDragDrop(window, target.Get());
    if (FAILED(result)) {
        Trace(L"RegisterDragDrop failed: 0x%08lX\n", static_cast<unsigned long>(result));
        return false;
    }
    return true;
}

HRESULT DragHoverTarget::Hover(POINTL point, DWORD* effect) {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    *effect = DROPEFFECT_NONE;
    return GuardComCall(L"DragHoverTarget", [&] {
        if (on_hover_) {
            on_hover_(POINT{point.x, point.y});
        }
        return S_OK;
    });
}

STDMETHODIMP DragHoverTarget::DragEnter(IDataObject*, DWORD, POINTL point, DWORD* effect) {
    return Hover(point, effect);
}

STDMETHODIMP DragHoverTarget::DragOver(DWORD, POINTL point, DWORD* effect) {
    return Hover(point, effect);
}

STDMETHODIMP DragHoverTarget::DragLeave() {
    return S_OK;
}

STDMETHODIMP DragHoverTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    *effect = DROPEFFECT_NONE;
    return S_OK;
}

}  // namespace zarkit::ui
