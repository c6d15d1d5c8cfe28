#include "app/item_drag.h"

#include "core/item_block.h"
#include "ui/data_object.h"
#include "ui/drop_source.h"
#include "ui/ole_data.h"
#include "ui/trace.h"

namespace zarkit {

CLIPFORMAT ItemDragFormat() {
    static const CLIPFORMAT format =
        ui::RegisterFormat(L"VELMOR_ZARKIT_6D61_4cb6_9D0B_3BB3F643CA82");
    return format;
}

CLIPFORMAT ItemTakenFormat() {
    static const CLIPFORMAT format =
        ui::RegisterFormat(L"VELMOR_ZARKIT_6D61_4cb6_9D0B_3BB3F643CA82_TAKEN");
    return format;
}

std::uint64_t ListIdentity(HWND list) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(list));
}

std::vector<std::string> DragItems(HWND source, const std::vector<ItemRecord>& records) {
    if (records.empty() || ItemDragFormat() == 0) {
        return {};
    }
    const std::optional<Bytes> block = EncodeItemBlock(ItemBlock{ListIdentity(source), records});
    if (!block) {
        ui::Trace(L"DragItems: %zu items do not fit in one block\n", records.size());
        return {};
    }
    const ui::ComPtr<ui::DataObject> data = ui::MakeCom<ui::DataObject>();
    data->SetBytes(ItemDragFormat(), *block);
    const ui::ComPtr<ui::DropSource> drop_source = ui::MakeCom<ui::DropSource>();

    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = DoDragDrop(data.Get(), drop_source.Get(), DROPEFFECT_COPY, &effect);
    ui::Trace(L" dwEffect returned %d\n", static_cast<int>(effect));
    if (result != DRAGDROP_S_DROP || effect == DROPEFFECT_NONE) {
        if (FAILED(result)) {
            ui::Trace(L"DoDragDrop failed: 0x%08lX\n", static_cast<unsigned long>(result));
        }
        return {};
    }
    const std::optional<std::vector<std::uint8_t>> answer = data->GetBytes(ItemTakenFormat());
    const std::optional<TakenItems> taken =
        answer ? DecodeTakenItems(*answer) : std::optional<TakenItems>();
    if (!taken || taken->source_list != ListIdentity(source)) {
        ui::Trace(L"DragItems: the drop gave no answer for these items\n");
        return {};
    }
    return TakenFromOffered(records, taken->identifiers);
}

}  // namespace zarkit
