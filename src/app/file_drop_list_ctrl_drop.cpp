// What the list control does with drops: its OLE drop target, and the files, text and
// items that target hands it.
#include <string>

#include "app/dropped_files.h"
#include "app/file_drop_list_ctrl.h"
#include "app/my_drop_target.h"
#include "core/product.h"
#include "ui/text.h"
#include "ui/trace.h"
#include <ole2.h>

namespace zarkit {
namespace {

constexpr char kOleFailed[] =
    "OLE initialization failed.\n\nMake sure that the OLE libraries are the correct version.";

// Text of the thread's ANSI code page, as UTF-8.
std::string FromAnsi(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return ui::Narrow(wide);
}

}  // namespace

// The program starts OLE for its thread before any list exists; a list made where nobody
// did starts it itself, so that it can still take drops.
void CFileDropListCtrl::StartDropTarget() {
    const HRESULT started = OleInitialize(nullptr);
    if (started == S_OK) {
        m_OleStarted = true;
    } else if (started == S_FALSE) {
        OleUninitialize();  // already started for this thread: only the count went up
    } else {
        ui::Trace(L"CFileDropListCtrl: OleInitialize failed: 0x%08lX\n",
                  static_cast<unsigned long>(started));
        // Once: every table has a list, and each would say the same.
        static bool told = false;
        if (!told) {
            told = true;
            MessageBoxW(nullptr, ui::Widen(kOleFailed).c_str(),
                        ui::Widen(product::kAppTitle).c_str(), MB_OK | MB_ICONEXCLAMATION);
        }
        return;
    }
    m_DropTargetRegistered = CMyDropTarget::Register(Hwnd());
}

void CFileDropListCtrl::StopDropTarget() {
    if (m_DropTargetRegistered) {
        CMyDropTarget::Revoke(Hwnd());
        m_DropTargetRegistered = false;
    }
    if (m_OleStarted) {
        m_OleStarted = false;
        OleUninitialize();
    }
}

// The file list stays the drop target's: no DragFinish here.
void CFileDropListCtrl::OnDropFiles(HDROP drop) {
    if (!CMyDropTarget::IsDelivering(reinterpret_cast<WPARAM>(drop))) {
        ui::Trace(L"CFileDropListCtrl: ignored WM_DROPFILES from outside its drop target\n");
        return;
    }
    // A copy: a callback may install another mode.
    const DropMode mode = m_DropMode;
    for (AcceptedPath& accepted : AcceptedDroppedFiles(drop, mode)) {
        if ((mode.flags & DROP_CALLBACKS) != 0 && mode.on_file_dropped) {
            mode.on_file_dropped(accepted.record, accepted.kind);
        } else {
            InsertDroppedPath(accepted.record.path);
        }
    }
}

void CFileDropListCtrl::OnDropText(const void* text, bool utf16) {
    if (!CMyDropTarget::IsDelivering(reinterpret_cast<WPARAM>(text))) {
        ui::Trace(L"CFileDropListCtrl: ignored WM_ZK_DROPTEXT from outside its drop target\n");
        return;
    }
    if ((m_DropMode.flags & DROP_CALLBACKS) == 0 || !m_DropMode.on_text_dropped) {
        return;
    }
    const std::string dropped = utf16 ? ui::Narrow(static_cast<const wchar_t*>(text))
                                      : FromAnsi(static_cast<const char*>(text));
    const TextDroppedCallback callback = m_DropMode.on_text_dropped;
    callback(dropped);
}

void CFileDropListCtrl::OnDropItems(DroppedItems* items) {
    if (!CMyDropTarget::IsDelivering(reinterpret_cast<WPARAM>(items))) {
        ui::Trace(L"CFileDropListCtrl: ignored WM_ZK_DROPITEMS from outside its drop target\n");
        return;
    }
    if ((m_DropMode.flags & DROP_CALLBACKS) == 0 || !m_DropMode.on_items_dropped) {
        return;
    }
    const ItemsDroppedCallback callback = m_DropMode.on_items_dropped;
    callback(*items);
}

bool CFileDropListCtrl::OnMoveItems(const MovedItems* items) {
    if (!CMyDropTarget::IsDelivering(reinterpret_cast<WPARAM>(items))) {
        ui::Trace(L"CFileDropListCtrl: ignored WM_ZK_MOVEITEMS from outside its drop target\n");
        return false;
    }
    if ((m_DropMode.flags & DROP_CALLBACKS) == 0 || !m_DropMode.on_items_moved) {
        return false;
    }
    POINT at{items->at.x, items->at.y};
    ScreenToClient(Hwnd(), &at);
    const ItemsMovedCallback callback = m_DropMode.on_items_moved;
    return callback(items->block, Point{at.x, at.y});
}

bool CFileDropListCtrl::InsertDroppedPath(const std::string& path) {
    const std::wstring label = ui::Widen(path);
    if ((m_DropMode.flags & DROP_DUPLICATES) == 0) {
        LVFINDINFOW find{};
        find.flags = LVFI_STRING;
        find.psz = label.c_str();
        if (SendMessageW(Hwnd(), LVM_FINDITEMW, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(&find)) >= 0) {
            return false;
        }
    }
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.pszText = const_cast<wchar_t*>(label.c_str());
    return SendMessageW(Hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
}

}  // namespace zarkit
