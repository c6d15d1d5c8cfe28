#pragma once

#include "core/item_block.h"
#include "ui/com_object.h"
#include "ui/win32.h"
#include <oleidl.h>

namespace zarkit {

// The drop target of one list control window. It sorts what is dropped by format and
// sends it to the list, so the list has handled it when Drop returns:
// - an item block from another list: WM_ZK_DROPITEMS, wParam a DroppedItems*
//   (core/item_block.h), lParam 0; the list names in `taken` the records it added, and
//   that answer goes back to the source through the data object;
// - an item block from this very list: WM_ZK_MOVEITEMS, wParam a MovedItems* with the
//   drop point; a list that keeps its own order moves them there (result 1), the source
//   keeps them all, and any other refuses the drop;
// - files: WM_DROPFILES, wParam the HDROP, which stays the target's (no DragFinish);
// - then UTF-16 text: WM_ZK_DROPTEXT, wParam a NUL-terminated const wchar_t*, lParam 1.
// Every pointer is valid only while the message is handled.
class CMyDropTarget final : public ui::ComObject<CMyDropTarget, IDropTarget> {
public:
    explicit CMyDropTarget(HWND list) : m_List(list) {}

    // Makes a new target the drop target of `list`, which then holds its only reference.
    // Needs OleInitialize on the thread; call Revoke before the window is destroyed.
    static bool Register(HWND list);
    static void Revoke(HWND list);

    // Whether `payload` is what a drop target of this thread is sending its list at this
    // moment. The messages carry pointers, and any program may send a window any message
    // number, so a list takes them only from its own drop target.
    static bool IsDelivering(WPARAM payload);

    STDMETHODIMP DragEnter(IDataObject* data, DWORD key_state, POINTL point,
                           DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD key_state, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD key_state, POINTL point, DWORD* effect) override;

private:
    DWORD OnDrop(IDataObject* data, POINTL point);
    DWORD DropItems(IDataObject* data, POINTL point);
    DWORD MoveOwnItems(IDataObject* data, ItemBlock block, POINTL point);
    static void Answer(IDataObject* data, const TakenItems& answer);
    bool DropFiles(IDataObject* data);
    bool DropText(IDataObject* data);
    LRESULT Deliver(UINT message, WPARAM payload, LPARAM lparam);

    HWND m_List;
};

}  // namespace zarkit
