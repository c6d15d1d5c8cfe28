#include "app/find_view.h"

#include <algorithm>

#include "app/accessibility/high_contrast.h"
#include "app/main_wnd.h"
#include "app/raw_tab_ctrl.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/dpi_scale.h"
#include "core/utf8.h"
#include "ui/dpi.h"
#include "ui/gdi.h"
#include "ui/list_view.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

constexpr wchar_t kClassName[] = L"ZarkitFindView";
constexpr DWORD kResultsStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                                LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS;
// The name takes this share of the width, the table the rest.
constexpr int kNameColumnPercent = 62;

std::wstring CountText(std::size_t count) {
    if (count == 0) {
        return L"No match";
    }
    return std::to_wstring(count) + (count == 1 ? L" match" : L" matches");
}

void InsertColumn(HWND list, int column, const wchar_t* title) {
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
    header.pszText = const_cast<wchar_t*>(title);
    header.iSubItem = column;
    header.cx = 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&header));
}

}  // namespace

CFindView::CFindView(TableController& tables, CRawTabCtrl& tabs) : m_Tables(tables), m_Tabs(tabs) {
    m_Keys.on_key = [this](const KeyPress& press) { return OnResultsKey(press); };
    m_Keys.on_char = [this](char32_t character) { return OnResultsChar(character); };
}

CFindView::~CFindView() {
    m_Tables.SetFinderListener(nullptr);
    Destroy();
}

bool CFindView::RegisterWindowClass() {
    return ui::Window::RegisterWindowClass(kClassName);
}

bool CFindView::CreateFindView() {
    if (!Create(0, kClassName, L"Find", WS_CHILD | WS_CLIPCHILDREN, m_Tabs.GetListArea(),
                m_Tabs.Hwnd(), static_cast<UINT>(-1))) {
        return false;
    }
    m_Tables.SetFinderListener([this] {
        if (m_Finding) {
            Search();
        }
    });
    return true;
}

LRESULT CFindView::OnCreate() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto child = [&](DWORD ex_style, const wchar_t* class_name, const wchar_t* text,
                           DWORD style, int id) {
        return CreateWindowExW(ex_style, class_name, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                               0, Hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance, nullptr);
    };
    // The label comes first: it names the find line for screen readers.
    m_Label = child(0, L"STATIC", L"Find:", SS_LEFT | SS_NOPREFIX, -1);
    m_Line = child(0, L"EDIT", L"", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, kFindLineId);
    m_Count = child(0, L"STATIC", L"", SS_RIGHT | SS_NOPREFIX, -1);
    m_Results = child(0, WC_LISTVIEWW, L"Found items", kResultsStyle, kResultsId);
    if (m_Label == nullptr || m_Line == nullptr || m_Count == nullptr || m_Results == nullptr) {
        ui::TraceLastError(L"CFindView: CreateWindowExW");
        return -1;
    }
    SendMessageW(m_Results, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
    SendMessageW(m_Results, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(m_Tables.Icons().Images()));
    InsertColumn(m_Results, 0, L"Name");
    InsertColumn(m_Results, 1, L"Table");
    // The texts above the results in the results' own font.
    LPARAM font = SendMessageW(m_Results, WM_GETFONT, 0, 0);
    if (font == 0) {
        font = reinterpret_cast<LPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    }
    for (const HWND text : {m_Label, m_Line, m_Count}) {
        SendMessageW(text, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    }
    if (!m_ResultsSubclass.Install(m_Results, &ResultsProc, this)) {
        ui::Trace(L"CFindView: the results could not be subclassed\n");
    }
    return 0;
}

// At the table list's place: the find line along the top, the results below it.
void CFindView::Layout() {
    const Rect client = ui::ClientRect(Hwnd());
    const int dpi = ui::WindowDpi(Hwnd());
    const auto scaled = [dpi](int value) { return ScaleForDpi(value, dpi); };
    const int inset = scaled(10);
    const int top = scaled(6);
    const int line_height = scaled(22);
    const int label_width = scaled(34);
    const int count_width = scaled(90);
    const int text_top = top + (line_height - scaled(14)) / 2;
    const int line_left = client.left + inset + label_width;
    const int count_left = client.right - inset - count_width;
    MoveWindow(m_Label, client.left + inset, text_top, label_width, scaled(14), TRUE);
    MoveWindow(m_Line, line_left, top, std::max(count_left - scaled(6) - line_left, 0), line_height,
               TRUE);
    MoveWindow(m_Count, count_left, text_top, count_width, scaled(14), TRUE);
    const int results_top = top + line_height + scaled(6);
    MoveWindow(m_Results, client.left + inset, results_top, std::max(client.Width() - 2 * inset, 0),
               std::max(client.bottom - inset - results_top, 0), TRUE);
    RECT results{};
    GetClientRect(m_Results, &results);
    const int name_width = results.right * kNameColumnPercent / 100;
    SendMessageW(m_Results, LVM_SETCOLUMNWIDTH, 0, name_width);
    SendMessageW(m_Results, LVM_SETCOLUMNWIDTH, 1, results.right - name_width);
}

LRESULT CFindView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_SIZE:
            Layout();
            return 0;
        case WM_ERASEBKGND:
            return ui::EraseWith(Hwnd(), wparam, ColourOf(CurrentDrawerPalette().list_background));
        case WM_CTLCOLORSTATIC: {
            // The labels and the read-only find line on the list area's colour.
            const auto dc = reinterpret_cast<HDC>(wparam);
            const DrawerPalette palette = CurrentDrawerPalette();
            SetBkColor(dc, ColourOf(palette.list_background));
            SetTextColor(dc, ColourOf(palette.list_text));
            SetDCBrushColor(dc, ColourOf(palette.list_background));
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            if (header->hwndFrom == m_Results && header->code == NM_DBLCLK) {
                LaunchSelected();
            }
            return 0;
        }
        default:
            return DefaultProc(message, wparam, lparam);
    }
}

LRESULT CFindView::ResultsProc(void* self, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* view = static_cast<CFindView*>(self);
    try {
        switch (message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_CHAR:
            case WM_KEYUP:
            case WM_SYSKEYUP:
                if (view->m_Keys.Filter(message, wparam)) {
                    return 0;
                }
                break;
            case WM_NCDESTROY:
                view->m_Results = nullptr;
                break;
            default:
                break;
        }
    } catch (...) {
        ui::Trace(L"CFindView: exception in message 0x%04X\n", message);
    }
    return view->m_ResultsSubclass.CallOriginal(hwnd, message, wparam, lparam);
}

void CFindView::Show() {
    const Rect area = m_Tabs.GetListArea();
    const int position = m_Tabs.SelectedPosition();
    if (position >= 0) {
        ShowWindow(m_Tabs.TabList(position)->Hwnd(), SW_HIDE);
    }
    SetWindowPos(Hwnd(), HWND_TOP, area.left, area.top, area.Width(), area.Height(),
                 SWP_SHOWWINDOW);
    Layout();
    m_Finding = true;
}

void CFindView::Type(char32_t character) {
    if (Hwnd() == nullptr && !CreateFindView()) {
        return;
    }
    const bool was_finding = m_Finding;
    AppendUtf8(m_Text, character);
    if (!was_finding) {
        Show();
    }
    SetWindowTextW(m_Line, ui::Widen(m_Text).c_str());
    // The caret after the text, so the line shows its end when it is long.
    const auto length = static_cast<LPARAM>(GetWindowTextLengthW(m_Line));
    SendMessageW(m_Line, EM_SETSEL, static_cast<WPARAM>(length), length);
    Search();
    if (!was_finding) {
        Focus();
    }
}

void CFindView::Focus() {
    if (m_Results != nullptr) {
        SetFocus(m_Results);
    }
}

void CFindView::Backspace() {
    // Whole characters: continuation bytes go with their lead byte.
    while (!m_Text.empty() && (static_cast<unsigned char>(m_Text.back()) & 0xC0) == 0x80) {
        m_Text.pop_back();
    }
    if (!m_Text.empty()) {
        m_Text.pop_back();
    }
    if (m_Text.empty()) {
        End();
        return;
    }
    SetWindowTextW(m_Line, ui::Widen(m_Text).c_str());
    Search();
}

void CFindView::End() {
    if (!m_Finding) {
        return;
    }
    const HWND focus = GetFocus();
    const bool focused_here = focus != nullptr && (focus == Hwnd() || IsChild(Hwnd(), focus));
    m_Finding = false;
    m_Text.clear();
    m_Found.clear();
    SendMessageW(m_Results, LVM_DELETEALLITEMS, 0, 0);
    SetWindowTextW(m_Line, L"");
    ShowWindow(Hwnd(), SW_HIDE);
    m_Tabs.SelectTab(m_Tabs.GetSelectedTab(), false);
    const int position = m_Tabs.SelectedPosition();
    if (position >= 0) {
        CZarkitListCtrlView* list = m_Tabs.TabList(position);
        if (focused_here) {
            list->FocusFromKeyboard();
        }
    } else if (focused_here) {
        SetFocus(GetAncestor(Hwnd(), GA_ROOT));
    }
}

void CFindView::Search() {
    const int row = SelectedRow();
    const ListedItem* keep = row >= 0 ? m_Found[static_cast<std::size_t>(row)].item : nullptr;
    m_Found = m_Tables.FindItems(m_Text);
    Fill(keep);
}

void CFindView::Fill(const ListedItem* keep) {
    SendMessageW(m_Results, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_Results, LVM_DELETEALLITEMS, 0, 0);
    int keep_row = 0;
    for (std::size_t row = 0; row < m_Found.size(); ++row) {
        const TableController::FoundItem& found = m_Found[row];
        const std::wstring label = ui::Widen(found.item->record.display_name);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<wchar_t*>(label.c_str());
        item.iImage = found.item->image_index;
        item.lParam = static_cast<LPARAM>(row);
        const auto index = static_cast<int>(
            SendMessageW(m_Results, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0) {
            continue;
        }
        const std::wstring table = ui::Widen(found.list->TableName());
        LVITEMW cell{};
        cell.iSubItem = 1;
        cell.pszText = const_cast<wchar_t*>(table.c_str());
        SendMessageW(m_Results, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&cell));
        if (found.item == keep) {
            keep_row = index;
        }
    }
    SendMessageW(m_Results, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_Results, nullptr, TRUE);
    SetWindowTextW(m_Count, CountText(m_Found.size()).c_str());
    if (!m_Found.empty()) {
        ui::ListView(m_Results).SelectOnly(keep_row);
    }
}

int CFindView::SelectedRow() const {
    if (m_Results == nullptr) {
        return -1;
    }
    const int row = ui::ListView(m_Results).NextSelected();
    return row >= 0 && static_cast<std::size_t>(row) < m_Found.size() ? row : -1;
}

bool CFindView::OnResultsKey(const KeyPress& press) {
    KeyContext context;
    context.finding = m_Finding;
    context.has_selection = SelectedRow() >= 0;
    const KeyCommand command = CommandForKey(press, context);
    switch (command) {
        case KeyCommand::kLaunch:
            LaunchSelected();
            return true;
        case KeyCommand::kClearFind:
            End();
            return true;
        case KeyCommand::kCloseDrawer:
            if (CMainWnd* drawer = CMainWnd::OfWindow(Hwnd())) {
                drawer->CloseByKeyboard();
            }
            return true;
        case KeyCommand::kFocusTabs:
            if (CMainWnd* drawer = CMainWnd::OfWindow(Hwnd())) {
                drawer->FocusTabs();
            }
            return true;
        case KeyCommand::kFindBackspace:
            Backspace();
            return true;
        case KeyCommand::kFindUp:
        case KeyCommand::kFindDown:
        case KeyCommand::kFindPageUp:
        case KeyCommand::kFindPageDown:
        case KeyCommand::kFindFirst:
        case KeyCommand::kFindLast: {
            const auto page = static_cast<int>(SendMessageW(m_Results, LVM_GETCOUNTPERPAGE, 0, 0));
            const int row =
                MoveInResults(command, SelectedRow(), static_cast<int>(m_Found.size()), page);
            if (row >= 0) {
                ui::ListView(m_Results).SelectOnly(row);
            }
            return true;
        }
        default:
            return false;
    }
}

bool CFindView::OnResultsChar(char32_t character) {
    KeyContext context;
    context.finding = m_Finding;
    if (!m_Finding || !TypesIntoFind(character, context)) {
        return false;
    }
    Type(character);
    return true;
}

void CFindView::LaunchSelected() {
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    const TableController::FoundItem found = m_Found[static_cast<std::size_t>(row)];
    found.list->Launch({&found.item->record});
}

}  // namespace zarkit
