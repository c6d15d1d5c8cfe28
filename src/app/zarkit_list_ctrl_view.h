#pragma once

#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/item_record.h"
#include "ui/window.h"

namespace zarkit {

// One table's item list: a child of the tab strip filling its list area. For now it
// keeps the table's records and paints its area; the icon list grows inside it.
class CZarkitListCtrlView : public ui::Window {
public:
    static bool RegisterWindowClass();
    bool CreateView(HWND tab_strip, const Rect& rect);

    const std::string& TableName() const { return table_name_; }
    void SetTableName(std::string name) { table_name_ = std::move(name); }

    // Takes a stored or new item into the list; false when it cannot be shown.
    bool InsertItemRecord(ItemRecord& record);
    const std::vector<ItemRecord>& Records() const { return records_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void OnPaint();

    std::string table_name_;
    std::vector<ItemRecord> records_;
};

}  // namespace zarkit
