#include "app/zarkit_list_ctrl_view.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/accessibility/accessible_name.h"
#include "app/accessibility/high_contrast.h"
#include "app/main_wnd.h"
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
    // No title: screen readers pass over a pane without a name to the list it holds.
    return Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, tab_strip,
                  kNoId);
}

bool CZarkitListCtrlView::CreateHidden(HWND tab_strip, const Rect& rect) {
    return Create(0, kClassName, L"", WS_CHILD | WS_CLIPCHILDREN, rect, tab_strip, kNoId);
}

bool CZarkitListCtrlView::EnsureWindow() {
    return Hwnd() != nullptr || m_Tables.MakeListWindow(*this);
}

void CZarkitListCtrlView::SetTableName(std::string name) {
    m_TableName = std::move(name);
    SetAccessibleName(m_ListCtrl.Hwnd(), m_TableName);
}

LRESULT CZarkitListCtrlView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_ERASEBKGND:
            // The margin around the list control; the control paints itself.
            return ui::EraseWith(Hwnd(), wparam, ColourOf(CurrentDrawerPalette().list_background));
        case WM_SHOWWINDOW:
            if (wparam) {
                ListQueuedRecords();
            }
            return DefaultProc(message, wparam, lparam);
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
        case kSortEntriesMessage:
            ArrangeEntries();
            return 0;
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
    SetAccessibleName(m_ListCtrl.Hwnd(), m_TableName);
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
        case NM_CUSTOMDRAW:
            return OnCustomDraw(reinterpret_cast<const NMCUSTOMDRAW&>(header));
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

// Only to tell the drawer when the list has painted: the start-up benchmark times the
// first opening by it.
LRESULT CZarkitListCtrlView::OnCustomDraw(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        return CDRF_NOTIFYPOSTPAINT;
    }
    if (draw.dwDrawStage == CDDS_POSTPAINT) {
        if (CMainWnd* drawer = CMainWnd::OfWindow(Hwnd())) {
            drawer->OnListPainted();
        }
    }
    return CDRF_DODEFAULT;
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

ListedItem* CZarkitListCtrlView::KeepRecord(ItemRecord& record) {
    const ShellIconCache::Icon icon = m_Tables.Icons().Lookup(record);
    if (icon.state == ShellIconCache::IconState::kGone) {
        return nullptr;
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
            return nullptr;
        }
        record.identifier = std::move(*identifier);
    }
    return &m_Records.emplace_back(ListedItem{record, icon.image});
}

bool CZarkitListCtrlView::AddEntry(ListedItem& listed, const std::wstring& label, int index) {
    if (m_ListCtrl.Insert(label, listed.image_index, reinterpret_cast<LPARAM>(&listed), index) <
        0) {
        ui::Trace(L"CZarkitListCtrlView: LVM_INSERTITEMW failed\n");
        m_Records.remove_if([&listed](const ListedItem& item) { return &item == &listed; });
        return false;
    }
    m_Tables.OnItemListed(*this, listed);
    return true;
}

bool CZarkitListCtrlView::InsertItemRecord(ItemRecord& record) {
    // The stored ones come first: the records keep the file's order.
    ListQueuedRecords();
    ListedItem* listed = KeepRecord(record);
    if (listed == nullptr) {
        return false;
    }
    const std::wstring label = ui::Widen(record.display_name);
    return AddEntry(*listed, label, EntryIndexFor(label));
}

int CZarkitListCtrlView::SortedIndex(const std::wstring& label) const {
    int low = 0;
    int high = m_ListCtrl.Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (ui::CompareNames(m_ListCtrl.Label(middle), label) <= 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

// Many at once: the control neither draws nor arranges its icons until all are in,
// which would otherwise cost it a pass over the whole list per entry. Into an empty list
// they go in order at once (sorted once, when by label), each at the end.
void CZarkitListCtrlView::ListQueuedRecords() {
    if (m_Pending.empty() || !EnsureWindow()) {
        return;
    }
    std::vector<ItemRecord> pending = std::move(m_Pending);
    m_Pending.clear();
    std::vector<std::pair<std::wstring, ListedItem*>> listed;
    listed.reserve(pending.size());
    for (ItemRecord& record : pending) {
        // One whose target is gone is not listed; it stays stored.
        if (ListedItem* item = KeepRecord(record)) {
            listed.emplace_back(ui::Widen(item->record.display_name), item);
        }
    }
    const bool into_empty = m_ListCtrl.Count() == 0;
    if (into_empty && m_Tables.GetItemOrder() == ItemOrder::kByLabel) {
        std::stable_sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
            return ui::CompareNames(a.first, b.first) < 0;
        });
    }
    const HWND control = m_ListCtrl.Hwnd();
    const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    SetWindowLongPtrW(control, GWL_STYLE, style & ~static_cast<LONG_PTR>(LVS_AUTOARRANGE));
    for (auto& [label, item] : listed) {
        AddEntry(*item, label, into_empty ? m_ListCtrl.Count() : EntryIndexFor(label));
    }
    SetWindowLongPtrW(control, GWL_STYLE, style);
    SendMessageW(control, LVM_ARRANGE, LVA_DEFAULT, 0);
    SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control, nullptr, TRUE);
}

void CZarkitListCtrlView::ReloadIcons() {
    m_ListCtrl.SetNormalImageList(m_Tables.Icons().Images());
    SetIcons([this](const ListedItem& item) { return m_Tables.Icons().Lookup(item.record).image; });
}

void CZarkitListCtrlView::TakeArrivedIcons(const std::map<std::string, int>& images) {
    SetIcons([&images](const ListedItem& item) -> std::optional<int> {
        const auto found = item.image_index < 0 ? images.find(item.record.path) : images.end();
        return found != images.end() ? std::optional<int>(found->second) : std::nullopt;
    });
}

bool CZarkitListCtrlView::IconsPending() const {
    for (const ListedItem& item : m_Records) {
        if (item.image_index < 0) {
            return true;
        }
    }
    return false;
}

// Shows the image `image_of` gives an entry where it differs from the one shown; none
// leaves the entry as it is.
void CZarkitListCtrlView::SetIcons(
    const std::function<std::optional<int>(const ListedItem&)>& image_of) {
    for (int index = 0; index < m_ListCtrl.Count(); ++index) {
        auto* item = reinterpret_cast<ListedItem*>(m_ListCtrl.Data(index));
        const std::optional<int> found = item != nullptr ? image_of(*item) : std::nullopt;
        if (!found || *found == item->image_index) {
            continue;
        }
        const int image = *found;
        item->image_index = image;
        LVITEMW entry{};
        entry.mask = LVIF_IMAGE;
        entry.iItem = index;
        entry.iImage = image;
        SendMessageW(m_ListCtrl.Hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    }
}

// The store first: an item the file still holds keeps its entry.
bool CZarkitListCtrlView::RemoveEntry(int index) {
    auto* item = reinterpret_cast<ListedItem*>(m_ListCtrl.Data(index));
    if (item == nullptr || !m_Tables.StoreDeletedItem(m_TableName, item->record)) {
        return false;
    }
    if (!m_ListCtrl.Delete(index)) {
        ui::Trace(L"CZarkitListCtrlView: LVM_DELETEITEM failed\n");
        return false;
    }
    ForgetRecord(item);
    return true;
}

void CZarkitListCtrlView::ForgetRecord(const ListedItem* item) {
    m_Tables.OnItemRemoved(*item);
    m_Records.remove_if([item](const ListedItem& listed) { return &listed == item; });
}

void CZarkitListCtrlView::Unlist(const ListedItem* item) {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(item);
    const int entry =
        static_cast<int>(SendMessageW(m_ListCtrl.Hwnd(), LVM_FINDITEMW, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(&find)));
    if (entry >= 0) {
        m_ListCtrl.Delete(entry);
    }
    ForgetRecord(item);
}

bool CZarkitListCtrlView::AddItem(ItemRecord& record) {
    if (!InsertItemRecord(record)) {
        return false;
    }
    if (!m_Tables.StoreAddedItem(m_TableName, record)) {
        Unlist(&m_Records.back());
        return false;
    }
    return true;
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
    return AddItem(record) ? WebSiteAdded::kAdded : WebSiteAdded::kNotListed;
}

}  // namespace zarkit
