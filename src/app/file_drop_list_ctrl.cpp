#include "app/file_drop_list_ctrl.h"

#include <windowsx.h>

#include "app/listed_item.h"
#include "app/messages.h"
#include "core/item_record.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

// Every list shows its icons from one image list that it does not own (see
// ShellIconCache), so it must not destroy it. Its owner puts each entry in its place: a
// control that sorts compares each new entry with every one before it (Wine's does), which
// a table of thousands cannot afford.
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_ICON |
                         LVS_SHOWSELALWAYS | LVS_AUTOARRANGE | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;
// Info tips, underlined hot and cold items.
constexpr DWORD kExtendedStyle = LVS_EX_INFOTIP | LVS_EX_UNDERLINEHOT | LVS_EX_UNDERLINECOLD;
static_assert(kExtendedStyle == 0x1C00);

// Long paths wrap rather than run off the screen.
constexpr int kTipWidth = 480;

}  // namespace

bool CFileDropListCtrl::Create(HWND parent, const Rect& rect) {
    const HWND control = CreateWindowExW(
        0, WC_LISTVIEWW, L"", kStyle, rect.left, rect.top, rect.Width(), rect.Height(), parent,
        reinterpret_cast<HMENU>(kControlId), GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) {
        ui::TraceLastError(L"CFileDropListCtrl::Create: CreateWindowExW");
        return false;
    }
    Attach(control);
    AddExtendedStyle(kExtendedStyle);
    if (!m_Subclass.Install(control, &SubclassProc, this)) {
        ui::Trace(L"CFileDropListCtrl::Create: the control could not be subclassed\n");
    }
    StartDropTarget();
    return true;
}

std::string CFileDropListCtrl::GetItemTipText(int index) const {
    const auto* item = reinterpret_cast<const ListedItem*>(Data(index));
    return item != nullptr ? TooltipText(item->record) : std::string();
}

void CFileDropListCtrl::CreateTip() {
    m_Tip.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                GetModuleHandleW(nullptr), nullptr));
    if (!m_Tip) {
        ui::TraceLastError(L"CFileDropListCtrl::CreateTip: CreateWindowExW");
        return;
    }
    SendMessageW(m_Tip.Get(), TTM_SETMAXTIPWIDTH, 0, kTipWidth);
}

// Made when the pointer first comes over an entry: most tables are never pointed at.
// One tool covers the whole control; its id is the entry under the pointer, so the
// tooltip shows afresh whenever the pointer moves to another entry.
void CFileDropListCtrl::TrackTipItem(POINT point) {
    const int item = HitTest(point);
    if (item == m_TipItem) {
        return;
    }
    if (!m_Tip) {
        CreateTip();
        if (!m_Tip) {
            return;
        }
    }
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Hwnd();
    if (m_TipItem >= 0) {
        tool.uId = static_cast<UINT_PTR>(m_TipItem);
        SendMessageW(m_Tip.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    m_TipItem = item;
    if (item < 0) {
        return;
    }
    tool.uFlags = 0;  // mouse messages relayed from HandleMessage
    tool.uId = static_cast<UINT_PTR>(item);
    GetClientRect(Hwnd(), &tool.rect);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    if (!SendMessageW(m_Tip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        ui::Trace(L"CFileDropListCtrl: TTM_ADDTOOLW failed\n");
    }
}

// The tooltip learns of the pointer from here rather than by subclassing the control
// itself, which would cost every message of the control a look-up (see ControlSubclass).
void CFileDropListCtrl::RelayToTip(UINT message, WPARAM wparam, LPARAM lparam) {
    if (!m_Tip) {
        return;
    }
    MSG relayed{Hwnd(), message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD position = GetMessagePos();
    relayed.pt = POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    SendMessageW(m_Tip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CFileDropListCtrl::OnTipText(NMTTDISPINFOW& info) {
    m_TipText = ui::Widen(GetItemTipText(static_cast<int>(info.hdr.idFrom)));
    info.lpszText = m_TipText.data();
    info.szText[0] = L'\0';
    info.hinst = nullptr;
}

LRESULT CFileDropListCtrl::SubclassProc(void* self, HWND hwnd, UINT message, WPARAM wparam,
                                        LPARAM lparam) {
    auto* list = static_cast<CFileDropListCtrl*>(self);
    try {
        return list->HandleMessage(message, wparam, lparam);
    } catch (...) {
        ui::Trace(L"CFileDropListCtrl: exception in message 0x%04X\n", message);
        return list->m_Subclass.CallOriginal(hwnd, message, wparam, lparam);
    }
}

LRESULT CFileDropListCtrl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_MOUSEMOVE:
            TrackTipItem(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            RelayToTip(message, wparam, lparam);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            RelayToTip(message, wparam, lparam);
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (m_Keys.Filter(message, wparam)) {
                return 0;
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lparam);
            if (header->hwndFrom == m_Tip.Get() && header->code == TTN_GETDISPINFOW) {
                OnTipText(*reinterpret_cast<NMTTDISPINFOW*>(lparam));
                return 0;
            }
            break;
        }
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wparam));
            return 0;
        case WM_ZK_DROPTEXT:
            OnDropText(reinterpret_cast<const void*>(wparam), lparam == 1);
            return 0;
        case WM_ZK_DROPITEMS:
            OnDropItems(reinterpret_cast<DroppedItems*>(wparam));
            return 0;
        case WM_ZK_MOVEITEMS:
            return OnMoveItems(reinterpret_cast<const MovedItems*>(wparam)) ? 1 : 0;
        case WM_DESTROY: {
            StopDropTarget();
            // A child cannot own a popup: the tooltips' owner is the drawer, which outlives
            // this list. The control's own one is left behind by some list views (Wine's).
            m_Tip.Reset();
            const HWND builtin_tip = ListView_GetToolTips(Hwnd());
            const LRESULT result = m_Subclass.CallOriginal(Hwnd(), message, wparam, lparam);
            if (builtin_tip != nullptr && IsWindow(builtin_tip)) {
                DestroyWindow(builtin_tip);
            }
            return result;
        }
        case WM_NCDESTROY: {
            const HWND control = Hwnd();
            Attach(nullptr);
            return m_Subclass.CallOriginal(control, message, wparam, lparam);
        }
        default:
            break;
    }
    return m_Subclass.CallOriginal(Hwnd(), message, wparam, lparam);
}

}  // namespace zarkit
