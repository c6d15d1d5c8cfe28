#include "app/zarkit_list_ctrl_view.h"

#include <string>

#include "app/shell_items.h"
#include "app/table_controller.h"
#include "core/item_identifier.h"
#include "core/web_address.h"
#include "ui/com_guid.h"
#include "ui/gdi.h"
#include "ui/handles.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

constexpr wchar_t kClassName[] = L"ZarkitListView";
// A view has no control id of its own: all bits set.
constexpr UINT_PTR kNoId = static_cast<UINT>(-1);
// The list control's inset in the view: 10 pixels left, right and bottom.
constexpr int kListInset = 10;

}  // namespace

CZarkitListCtrlView::~CZarkitListCtrlView() {
    Destroy();
}

bool CZarkitListCtrlView::RegisterWindowClass() {
    return ui::Window::RegisterWindowClass(kClassName);
}

bool CZarkitListCtrlView::CreateView(HWND tab_strip, const Rect& rect) {
    return Create(0, kClassName, L"ZarkitListView", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect,
                  tab_strip, kNoId);
}

LRESULT CZarkitListCtrlView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_ERASEBKGND:
            // The margin around the list control; the control paints itself.
            return ui::EraseWhite(Hwnd(), wparam);
        case WM_SHOWWINDOW:
            if (wparam) {
                ListQueuedRecords();
            }
            return DefaultProc(message, wparam, lparam);
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
        case WM_COMMAND:
            if (HIWORD(wparam) == 0) {
                OnCommand(LOWORD(wparam));
                return 0;
            }
            return DefaultProc(message, wparam, lparam);
        case WM_SIZE: {
            const Rect client = ui::ClientRect(Hwnd());
            MoveWindow(m_ListCtrl.Hwnd(), client.left + kListInset, client.top,
                       client.Width() - 2 * kListInset, client.Height() - kListInset, TRUE);
            return 0;
        }
        default:
            return DefaultProc(message, wparam, lparam);
    }
}

LRESULT CZarkitListCtrlView::OnCreate() {
    Rect rect = ui::ClientRect(Hwnd());
    rect.left += kListInset;
    rect.right -= kListInset;
    rect.bottom -= kListInset;
    if (!m_ListCtrl.Create(Hwnd(), rect)) {
        return -1;
    }
    m_ListCtrl.SetNormalImageList(m_Tables.Icons().Images());
    InstallDropMode();
    InstallKeys();
    return 0;
}

LRESULT CZarkitListCtrlView::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != m_ListCtrl.Hwnd()) {
        return 0;
    }
    switch (header.code) {
        case NM_DBLCLK:
            LaunchSelected();
            return 0;
        case LVN_BEGINDRAG:
            OnBegindragFilelist();
            return 0;
        case LVN_GETINFOTIPW:
            // The control's own info tip stays empty: the list's tooltip shows the text.
            return 0;
        case NM_RCLICK:
            OnRightClick();
            return 0;
        case LVN_BEGINLABELEDITW:
            return 0;  // any label may be edited
        case LVN_ENDLABELEDITW:
            // 0: the control keeps its old text; a new one is set once it is stored.
            OnEndLabelEdit(reinterpret_cast<const NMLVDISPINFOW&>(header));
            return 0;
        default:
            return 0;
    }
}

void CZarkitListCtrlView::OnCommand(UINT id) {
    switch (id) {
        case kGoToLocationCommand:
            GoToLocation();
            break;
        case kHelpCommand:
            OpenHelp();
            break;
        default:
            OnMenuCommand(id);
            break;
    }
}

bool CZarkitListCtrlView::InsertItemRecord(ItemRecord& record) {
    const std::optional<int> image = m_Tables.Icons().ImageOf(record);
    if (!image) {
        return false;
    }
    const bool special_folder = record.special_folder == 1;
    if (special_folder) {
        record.path = std::to_string(record.folder_id);
    } else {
        if (record.display_name.empty()) {
            record.display_name = DisplayNameFromPath(record.path);
        }
        if (record.work_dir.empty()) {
            record.work_dir = WorkDirFromPath(record.path);
        }
    }
    if (record.identifier.empty()) {
        std::optional<std::string> identifier = MakeItemIdentifier(ui::ComGuidSource());
        if (!identifier) {
            return false;
        }
        record.identifier = std::move(*identifier);
    }
    ListedItem& listed = m_Records.emplace_back(ListedItem{record, *image});
    if (m_ListCtrl.Insert(ui::Widen(record.display_name), *image,
                          reinterpret_cast<LPARAM>(&listed)) < 0) {
        ui::Trace(L"CZarkitListCtrlView: LVM_INSERTITEMW failed\n");
        m_Records.pop_back();
        return false;
    }
    m_Tables.OnItemListed(*this, listed);
    return true;
}

// Many at once: the control neither draws nor arranges its icons until all are in,
// which would otherwise cost it a pass over the whole list per entry.
void CZarkitListCtrlView::ListQueuedRecords() {
    if (m_Pending.empty()) {
        return;
    }
    std::vector<ItemRecord> pending = std::move(m_Pending);
    m_Pending.clear();
    const HWND control = m_ListCtrl.Hwnd();
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SetWindowLongPtrW(control, GWL_STYLE, style & ~static_cast<LONG_PTR>(LVS_AUTOARRANGE));
    for (ItemRecord& record : pending) {
        InsertItemRecord(record);  // one whose target is gone is not listed; it stays stored
    }
    SetWindowLongPtrW(control, GWL_STYLE, style);
    SendMessageW(control, LVM_ARRANGE, LVA_DEFAULT, 0);
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

void CZarkitListCtrlView::ReloadIcons() {
    m_ListCtrl.SetNormalImageList(m_Tables.Icons().Images());
    for (int index = 0; index < m_ListCtrl.Count(); ++index) {
        auto* item = reinterpret_cast<ListedItem*>(m_ListCtrl.Data(index));
        if (item == nullptr) {
            continue;
        }
        item->image_index = m_Tables.Icons().ImageOf(item->record).value_or(-1);
        LVITEMW entry{};
        entry.mask = LVIF_IMAGE;
        entry.iItem = index;
        entry.iImage = item->image_index;
        SendMessageW(m_ListCtrl.Hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    }
}

bool CZarkitListCtrlView::RemoveEntry(int index) {
    auto* item = reinterpret_cast<ListedItem*>(m_ListCtrl.Data(index));
    if (item == nullptr) {
        return false;
    }
    if (!m_ListCtrl.Delete(index)) {
        ui::Trace(L"CZarkitListCtrlView: LVM_DELETEITEM failed\n");
        return false;
    }
    m_Tables.GetStore().DeleteItem(m_TableName, item->record);
    ForgetRecord(item);
    return true;
}

void CZarkitListCtrlView::ForgetRecord(const ListedItem* item) {
    m_Tables.OnItemRemoved(*item);
    m_Records.remove_if([item](const ListedItem& listed) { return &listed == item; });
}

WebSiteAdded CZarkitListCtrlView::AddWebSiteItem(const std::string& address,
                                                 const std::string& name) {
    if (!IsRealWebAddress(address)) {
        return WebSiteAdded::kNotWebAddress;
    }
    const std::optional<std::string> browser =
        FindAssociatedProgram(m_Tables.EnsureBrowserProbeFile());
    if (!browser) {
        return WebSiteAdded::kNoBrowser;
    }
    ItemRecord record;
    record.path = *browser;
    record.display_name = name.empty() ? address : name;
    record.start_params = address;
    if (!InsertItemRecord(record)) {
        return WebSiteAdded::kNotListed;
    }
    m_Tables.GetStore().AddItem(m_TableName, record);
    return WebSiteAdded::kAdded;
}

}  // namespace zarkit
