#include "app/my_drop_target.h"

#include <cstring>
#include <string>

#include "app/item_drag.h"
#include "app/messages.h"
#include "core/file_drop_list.h"
#include "core/item_block.h"
#include "ui/ole_data.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

thread_local WPARAM t_delivering = 0;

}  // namespace

bool CMyDropTarget::IsDelivering(WPARAM payload) {
    return payload != 0 && payload == t_delivering;
}

LRESULT CMyDropTarget::Deliver(UINT message, WPARAM payload, LPARAM lparam) {
    const WPARAM outer = t_delivering;
    t_delivering = payload;
    const LRESULT result = SendMessageW(m_List, message, payload, lparam);
    t_delivering = outer;
    return result;
}

bool CMyDropTarget::Register(HWND list) {
    const ui::ComPtr<CMyDropTarget> target = ui::MakeCom<CMyDropTarget>(list);
    const HRESULT result = RegisterDragDrop(list, target.Get());
    if (FAILED(result)) {
        ui::Trace(L"RegisterDragDrop failed: 0x%08lX\n", static_cast<unsigned long>(result));
        return false;
    }
    return true;
}

void CMyDropTarget::Revoke(HWND list) {
    const HRESULT result = RevokeDragDrop(list);
    if (FAILED(result)) {
        ui::Trace(L"RevokeDragDrop failed: 0x%08lX\n", static_cast<unsigned long>(result));
    }
}

STDMETHODIMP CMyDropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    *effect = DROPEFFECT_COPY;
    return S_OK;
}

STDMETHODIMP CMyDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    *effect = DROPEFFECT_COPY;
    return S_OK;
}

STDMETHODIMP CMyDropTarget::DragLeave() {
    return S_OK;
}

STDMETHODIMP CMyDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    *effect = DROPEFFECT_NONE;
    if (data == nullptr) {
        return E_INVALIDARG;
    }
    return ui::GuardComCall(L"CMyDropTarget::Drop", [&] {
        *effect = OnDrop(data, point);
        return S_OK;
    });
}

DWORD CMyDropTarget::OnDrop(IDataObject* data, POINTL point) {
    if (ui::HasGlobalData(data, ItemDragFormat())) {
        return DropItems(data, point);
    }
    if (ui::HasGlobalData(data, CF_HDROP) && !DropFiles(data)) {
        return DROPEFFECT_NONE;
    }
    if (ui::HasGlobalData(data, CF_UNICODETEXT) && !DropText(data)) {
        return DROPEFFECT_NONE;
    }
    return DROPEFFECT_COPY;
}

DWORD CMyDropTarget::DropItems(IDataObject* data, POINTL point) {
    std::optional<ItemBlock> block;
    {
        ui::StgMedium medium;
        if (!ui::GetGlobalData(data, ItemDragFormat(), medium)) {
            return DROPEFFECT_NONE;
        }
        const ui::GlobalLock lock(medium.Global());
        if (!lock) {
            return DROPEFFECT_NONE;
        }
        block = DecodeItemBlock(lock.Bytes());
    }
    // The format's name is public: anyone may offer a block under it.
    if (!block) {
        ui::Trace(L"CMyDropTarget::Drop: refused an item block that is not ours\n");
        return DROPEFFECT_NONE;
    }
    if (block->records.empty()) {
        ui::Trace(L"This Drop is from self, don't do it\n");
        return DROPEFFECT_NONE;
    }
    if (block->source_list == ListIdentity(m_List)) {
        return MoveOwnItems(data, std::move(*block), point);
    }
    DroppedItems items{std::move(*block), {}};
    Deliver(WM_ZK_DROPITEMS, reinterpret_cast<WPARAM>(&items), 0);
    Answer(data,
           TakenItems{items.block.source_list, TakenFromOffered(items.block.records, items.taken)});
    return DROPEFFECT_COPY;
}

// Moved within the list, none taken: the source keeps every one of them.
DWORD CMyDropTarget::MoveOwnItems(IDataObject* data, ItemBlock block, POINTL point) {
    MovedItems moved{std::move(block), Point{point.x, point.y}};
    if (Deliver(WM_ZK_MOVEITEMS, reinterpret_cast<WPARAM>(&moved), 0) == 0) {
        ui::Trace(L"This Drop is from self, don't do it\n");
        return DROPEFFECT_NONE;
    }
    Answer(data, TakenItems{moved.block.source_list, {}});
    return DROPEFFECT_COPY;
}

void CMyDropTarget::Answer(IDataObject* data, const TakenItems& answer) {
    const std::optional<Bytes> bytes = EncodeTakenItems(answer);
    if (!bytes || !ui::SetGlobalData(data, ItemTakenFormat(), *bytes)) {
        // Without an answer the source keeps every item: copied, never lost.
        ui::Trace(L"CMyDropTarget::Drop: could not tell the source which items were taken\n");
    }
}

bool CMyDropTarget::DropFiles(IDataObject* data) {
    ui::StgMedium medium;
    if (!ui::GetGlobalData(data, CF_HDROP, medium)) {
        return false;
    }
    const ui::GlobalLock lock(medium.Global());
    if (!lock) {
        return false;
    }
    if (!IsSoundFileDropList(lock.Bytes())) {
        ui::Trace(L"CMyDropTarget::Drop: refused a file list that runs past its memory\n");
        return false;
    }
    Deliver(WM_DROPFILES, reinterpret_cast<WPARAM>(medium.Global()), 0);
    return true;
}

bool CMyDropTarget::DropText(IDataObject* data) {
    std::wstring text;
    {
        ui::StgMedium medium;
        if (!ui::GetGlobalData(data, CF_UNICODETEXT, medium)) {
            return false;
        }
        const ui::GlobalLock lock(medium.Global());
        if (!lock) {
            return false;
        }
        // The text ends at its first NUL or at the end of its memory, whichever comes first.
        text.resize(lock.Bytes().size() / sizeof(wchar_t));
        std::memcpy(text.data(), lock.Bytes().data(), text.size() * sizeof(wchar_t));
        text.resize(std::wcslen(text.c_str()));
    }
    Deliver(WM_ZK_DROPTEXT, reinterpret_cast<WPARAM>(text.c_str()), 1);
    return true;
}

}  // namespace zarkit
