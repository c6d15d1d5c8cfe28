#include "app/raw_tab_ctrl.h"

#include <utility>

#include <windowsx.h>

#include "app/accessibility/high_contrast.h"
#include "app/accessibility/system_colour_paint.h"
#include "app/list_keys.h"
#include "app/messages.h"
#include "res/resource.h"
#include "ui/drag_hover_target.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

constexpr wchar_t kClassName[] = L"ZarkitTabStrip";
constexpr int kTabStripId = 1222;

// Bold, a quarter turn so names read from bottom to top along the tab.
ui::Font CreateTabFont(int height) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfEscapement = 900;
    font.lfWeight = 800;
    // Any character set, so table names in any script find a font that draws them.
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"Arial");
    ui::Font created(CreateFontIndirectW(&font));
    if (!created) {
        wcscpy(font.lfFaceName, L"Ms Sans Serif");
        created.Reset(CreateFontIndirectW(&font));
    }
    return created;
}

// Stretches the whole of `bitmap` (or one frame of it) into `to`. At any scale but 100 %
// the stretch averages pixels rather than repeating them (see OnPaint).
void Stretch(HDC dc, HDC memory, HBITMAP bitmap, const Rect& to, int from_y = 0,
             int from_height = -1) {
    const SIZE size = ui::BitmapSize(bitmap);
    ui::SelectScope select(memory, bitmap);
    StretchBlt(dc, to.left, to.top, to.Width(), to.Height(), memory, 0, from_y, size.cx,
               from_height < 0 ? size.cy : from_height, SRCCOPY);
}

}  // namespace

CRawTabCtrl::CRawTabCtrl()
    : m_Skin(LoadSideSkin(false)),
      m_NextBitmap(ui::LoadBitmapResource(IDB_TAB_NEXT)),
      m_PrevBitmap(ui::LoadBitmapResource(IDB_TAB_PREV)),
      m_SelectedFont(CreateTabFont(TabFontHeightForDpi(kDefaultDpi))),
      m_TabFont(CreateTabFont(TabFontHeightForDpi(kDefaultDpi))) {}

CRawTabCtrl::SideSkin CRawTabCtrl::LoadSideSkin(bool mirrored) {
    const auto load = [mirrored](int id) { return ui::LoadBitmapResource(id, mirrored); };
    return SideSkin{
        load(IDB_TAB_BAR),
        {load(IDB_TAB_SEL_BOTTOM), load(IDB_TAB_SEL_MIDDLE), load(IDB_TAB_SEL_TOP)},
        {load(IDB_TAB_BOTTOM), load(IDB_TAB_MIDDLE), load(IDB_TAB_TOP)},
        mirrored,
    };
}

CRawTabCtrl::~CRawTabCtrl() {
    // The lists go first: they are children of this window. Then the window, while
    // this object still handles its WM_DESTROY.
    m_ShownList = nullptr;
    m_Lists.clear();
    Destroy();
}

bool CRawTabCtrl::RegisterWindowClass() {
    return ui::Window::RegisterWindowClass(kClassName);
}

bool CRawTabCtrl::CreateTabStrip(HWND parent, const Rect& rect) {
    if (!Create(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect,
                parent, kTabStripId)) {
        return false;
    }
    SetLayout(TabLayout::kTopBar);
    return true;
}

void CRawTabCtrl::FollowDrags() {
    // During a drag OLE holds the mouse, so the strip sees no WM_MOUSEMOVE; its drop
    // target, which takes nothing, tells it where the pointer is instead.
    if (!m_DragHoverRegistered) {
        m_DragHoverRegistered = ui::DragHoverTarget::Register(
            Hwnd(), [this](POINT screen_point) { OnDragHover(screen_point); });
    }
}

void CRawTabCtrl::OnDragHover(POINT screen_point) {
    ScreenToClient(Hwnd(), &screen_point);
    Apply(m_Model.MouseMove(Point{screen_point.x, screen_point.y}));
}

void CRawTabCtrl::SetLayout(TabLayout layout) {
    if (const bool mirrored = layout == TabLayout::kRightBar; mirrored != m_Skin.mirrored) {
        m_Skin = LoadSideSkin(mirrored);
    }
    const auto list_rect = m_Model.SetLayout(layout, ui::ClientRect(Hwnd()));
    if (!list_rect) {
        return;
    }
    for (const auto& list : m_Lists) {
        if (list->Hwnd() != nullptr) {
            SetWindowPos(list->Hwnd(), HWND_TOP, list_rect->left, list_rect->top,
                         list_rect->Width(), list_rect->Height(), SWP_HIDEWINDOW);
        }
    }
    m_ShownList = nullptr;
}

void CRawTabCtrl::SetDpi(int dpi) {
    m_Dpi = dpi;
    m_Model.SetMetrics(TabStripMetricsForDpi(dpi));
    m_SelectedFont = CreateTabFont(TabFontHeightForDpi(dpi));
    m_TabFont = CreateTabFont(TabFontHeightForDpi(dpi));
    if (Hwnd() != nullptr) {
        MeasureTabs();
    }
}

void CRawTabCtrl::Place(const Rect& rect, TabLayout layout) {
    MoveWindow(Hwnd(), rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
    SetLayout(layout);
    const int selected = m_Model.Selected();
    SelectTab(selected, true);
}

Rect CRawTabCtrl::GetListArea() const {
    return m_Model.ListArea(ui::ClientRect(Hwnd()));
}

// Only the list shown before and the one to show are touched: with thousands of tables,
// a pass over every list at each new tab would make loading them quadratic.
void CRawTabCtrl::SelectTab(int index, bool redraw) {
    m_Model.Select(index);
    const auto& tabs = m_Model.Tabs();
    CZarkitListCtrlView* shown = nullptr;
    // Bounded by both: the lists and the records may differ by one while a tab goes.
    for (size_t position = 0; position < tabs.size() && position < m_Lists.size(); ++position) {
        if (tabs[position].index == index) {
            shown = m_Lists[position].get();
            break;
        }
    }
    if (m_ShownList != nullptr && m_ShownList != shown) {
        ShowWindow(m_ShownList->Hwnd(), SW_HIDE);
    }
    m_ShownList = shown;
    if (shown != nullptr && shown->EnsureWindow()) {
        ShowWindow(shown->Hwnd(), SW_SHOW);  // also when something else hid it meanwhile
    }
    if (redraw) {
        InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    AnnounceSelection(false);
}

TextExtent CRawTabCtrl::MeasureName(HDC dc, const std::string& name) const {
    ui::SelectScope select(dc, m_SelectedFont.Get());
    const std::wstring text = ui::Widen(name);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return TextExtent{size.cx, size.cy};
}

void CRawTabCtrl::AddTab(std::unique_ptr<CZarkitListCtrlView> list, AddMode mode) {
    TextExtent extent;
    {
        ui::WindowDc dc(Hwnd());
        extent = MeasureName(dc.Get(), list->TableName());
    }
    const int index = m_Model.AddTab(extent);
    // A list made with its window already (not one made when needed) is put in place.
    if (list->Hwnd() != nullptr) {
        const Rect rect = m_Model.NewListRect(ui::ClientRect(Hwnd()));
        SetWindowPos(list->Hwnd(), HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(),
                     mode == kLoading ? SWP_HIDEWINDOW : SWP_SHOWWINDOW);
        if (mode == kSelect) {
            if (m_ShownList != nullptr) {
                ShowWindow(m_ShownList->Hwnd(), SW_HIDE);
            }
            m_ShownList = list.get();
        }
    }
    m_Lists.push_back(std::move(list));
    if (mode == kSelect) {
        SelectTab(index, true);
        TabsReordered();
    }
}

void CRawTabCtrl::RenumberTabs() {
    switch (m_Model.RenumberTabs()) {
        case RenumberAction::kSelectFirst:
            SelectTab(0, true);
            break;
        case RenumberAction::kSelectNoneQuietly:
            SelectTab(-1, false);
            break;
        case RenumberAction::kNone:
            break;
    }
}

void CRawTabCtrl::MeasureTabs() {
    std::vector<TextExtent> extents;
    ui::WindowDc dc(Hwnd());
    for (int position = 0; position < TabCount(); ++position) {
        extents.push_back(MeasureName(dc.Get(), TabName(position)));
    }
    m_Model.MeasureTabs(extents);
}

int CRawTabCtrl::SelectedPosition() const {
    const auto position = m_Model.SelectedPosition();
    return position && *position < m_Lists.size() ? static_cast<int>(*position) : -1;
}

void CRawTabCtrl::EraseTab(int position) {
    if (position < 0 || position >= TabCount()) {
        return;
    }
    // The record goes first: destroying the list runs messages that walk the tabs.
    std::unique_ptr<CZarkitListCtrlView> list = std::move(m_Lists[position]);
    m_Lists.erase(m_Lists.begin() + position);
    if (m_ShownList == list.get()) {
        m_ShownList = nullptr;
    }
    m_Model.EraseTab(static_cast<size_t>(position));
    // At once rather than at the next paint: screen readers ask about the tabs before it.
    RenumberTabs();
    TabsReordered();
    list.reset();
}

void CRawTabCtrl::MoveTab(int from, int to) {
    if (from < 0 || to < 0 || from >= TabCount() || to >= TabCount() || from == to) {
        return;
    }
    std::unique_ptr<CZarkitListCtrlView> list = std::move(m_Lists[static_cast<size_t>(from)]);
    m_Lists.erase(m_Lists.begin() + from);
    m_Lists.insert(m_Lists.begin() + to, std::move(list));
    m_Model.MoveTab(static_cast<size_t>(from), static_cast<size_t>(to));
    SelectTab(m_Model.Selected(), true);
    TabsReordered();
}

void CRawTabCtrl::ChooseTab(int position) {
    if (position < 0 || position >= TabCount()) {
        return;
    }
    const int index = m_Model.Tabs()[static_cast<size_t>(position)].index;
    m_Model.ScrollToShow(index);
    if (index != m_Model.Selected()) {
        PostMessageW(GetParent(Hwnd()), WM_ZK_TABSELECTED, static_cast<WPARAM>(index), -1);
    }
    SelectTab(index, true);
}

LRESULT CRawTabCtrl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painting covers everything
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_LBUTTONDOWN: {
            const Point point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            Apply(m_Model.LeftButtonDown(point));
            OnTabPress(point);
            return DefaultProc(message, wparam, lparam);
        }
        case WM_MOUSEMOVE: {
            const LRESULT result = DefaultProc(message, wparam, lparam);
            const Point point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            // While a tab is held, passing over the others selects none of them.
            if (!OnTabDragMove(point)) {
                Apply(m_Model.MouseMove(point));
            }
            return result;
        }
        case WM_LBUTTONUP:
            OnTabRelease(Point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
            return DefaultProc(message, wparam, lparam);
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            CancelTabDrag();
            return DefaultProc(message, wparam, lparam);
        case WM_GETOBJECT:
            return OnGetObject(wparam, lparam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            OnFocusChange(message == WM_SETFOCUS);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (m_KeyHandler && m_KeyHandler(ListKeys::PressOf(wparam))) {
                return 0;
            }
            return DefaultProc(message, wparam, lparam);
        case WM_DESTROY:
            CloseAccessible();
            if (m_DragHoverRegistered) {
                m_DragHoverRegistered = false;
                RevokeDragDrop(Hwnd());
            }
            return DefaultProc(message, wparam, lparam);
        case WM_NCHITTEST: {
            POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            ScreenToClient(Hwnd(), &point);
            if (!m_TabDrag.Pressed()) {
                Apply(m_Model.NcHitTest(Point{point.x, point.y}));
            }
            return DefaultProc(message, wparam, lparam);
        }
        default:
            return DefaultProc(message, wparam, lparam);
    }
}

void CRawTabCtrl::Apply(const PointerEffect& effect) {
    if (effect.picked) {
        PostMessageW(GetParent(Hwnd()), WM_ZK_TABSELECTED, static_cast<WPARAM>(*effect.picked), -1);
        SelectTab(*effect.picked, true);
    }
    if (!effect.trace.empty()) {
        ui::Trace(L"%hs", effect.trace.c_str());
    }
    if (effect.scroll_select) {
        SelectTab(*effect.scroll_select, true);
    }
    if (effect.invalidate) {
        const RECT area = ui::ToRECT(*effect.invalidate);
        InvalidateRect(Hwnd(), &area, FALSE);
    }
}

void CRawTabCtrl::OnPaint() {
    RenumberTabs();
    ui::PaintScope paint(Hwnd());
    const HDC dc = paint.Dc();
    const TabStripPaint layout = m_Model.Paint(ui::ClientRect(Hwnd()));
    const DrawerPalette palette = CurrentDrawerPalette();

    FillWithColour(dc, layout.background, ColourOf(palette.list_background));
    if (!layout.bar_drawn) {
        return;
    }

    ui::MemoryDc memory(CreateCompatibleDC(dc));
    if (m_Dpi != kDefaultDpi) {
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
    }
    if (palette.skin) {
        Stretch(dc, memory.Get(), m_Skin.bar.Get(), layout.bar);
        Stretch(dc, memory.Get(), m_NextBitmap.Get(), layout.next_button, layout.next_frame_y,
                kScrollButtonSize);
        Stretch(dc, memory.Get(), m_PrevBitmap.Get(), layout.prev_button, layout.prev_frame_y,
                kScrollButtonSize);
    } else {
        PaintBarInSystemColours(dc, layout, m_Model.PrevState(), m_Model.NextState(), palette);
    }

    SetBkMode(dc, TRANSPARENT);
    const bool focused = GetFocus() == Hwnd();
    for (const TabPlacement& placement : layout.tabs) {
        PaintTab(dc, memory.Get(), placement, palette);
        if (focused && placement.selected) {
            RECT focus = ui::ToRECT(placement.hit);
            InflateRect(&focus, -3, -3);
            DrawFocusRect(dc, &focus);
        }
    }
    PaintTabDropMark(dc, palette);
}

void CRawTabCtrl::PaintTab(HDC dc, HDC memory, const TabPlacement& placement,
                           const DrawerPalette& palette) {
    if (palette.skin) {
        const TabPieces& pieces = placement.selected ? m_Skin.selected : m_Skin.plain;
        Stretch(dc, memory, pieces[0].Get(), placement.bottom_cap);
        Stretch(dc, memory, pieces[1].Get(), placement.middle);
        Stretch(dc, memory, pieces[2].Get(), placement.top_cap);
    } else {
        PaintTabFaceInSystemColours(dc, placement, palette);
    }

    const std::wstring name = ui::Widen(TabName(static_cast<int>(placement.position)));
    ui::SelectScope font(dc, placement.selected ? m_SelectedFont.Get() : m_TabFont.Get());
    SetTextColor(dc, ColourOf(placement.selected ? palette.selected_tab_text : palette.tab_text));
    SIZE extent{};
    GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
    const Point origin = TabStripModel::TabTextOrigin(placement.hit, extent.cx, extent.cy);
    TextOutW(dc, origin.x, origin.y, name.c_str(), static_cast<int>(name.size()));
}

}  // namespace zarkit
