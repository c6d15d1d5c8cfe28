#include "app/main_wnd.h"

#include <algorithm>

#include <utility>

#include "app/accessibility/high_contrast.h"
#include "app/accessibility/system_colour_paint.h"
#include "app/default_content.h"
#include "app/messages.h"
#include "app/store_recovery.h"
#include "core/drawer_geometry.h"
#include "core/file_messages.h"
#include "core/product.h"
#include "core/text_rules.h"
#include "io/file_io.h"
#include "res/resource.h"
#include "ui/com_guid.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/trace.h"
#include "xml/msxml_document.h"

namespace zarkit {
namespace {

constexpr COLORREF kEdgeTransparentColour = RGB(255, 255, 255);

}  // namespace

CMainWnd::CMainWnd(std::string module_directory, std::string probe_file,
                   std::unique_ptr<MonitorSource> monitors)
    : m_ModuleDirectory(std::move(module_directory)),
      m_Tables(m_TabCtrl, m_ModuleDirectory, std::move(probe_file)),
      m_FindView(m_Tables, m_TabCtrl),
      m_BackgroundBitmap(ui::LoadBitmapResource(IDB_DRAWER_BACKGROUND)),
      m_EdgeBitmap(ui::LoadBitmapResource(IDB_DRAWER_EDGE)),
      m_Monitors(monitors ? std::move(monitors) : std::make_unique<SystemMonitors>()) {}

CMainWnd::~CMainWnd() = default;

bool CMainWnd::RegisterWindowClass() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class{};
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    static const std::wstring class_name = ui::Widen(product::kDrawerClassName);
    window_class.lpszClassName = class_name.c_str();
    return ui::Window::RegisterWindowClass(window_class) && CRawTabCtrl::RegisterWindowClass() &&
           CZarkitListCtrlView::RegisterWindowClass() && CFindView::RegisterWindowClass();
}

bool CMainWnd::CreateDrawer() {
    // The creation handler places it once it has read the settings.
    // Topmost tool window (no taskbar button); a popup with a system menu, shown later.
    constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU;
    static_assert(kExStyle == 0x88 && kStyle == 0x80080000);
    return Create(kExStyle, ui::Widen(product::kDrawerClassName).c_str(),
                  ui::Widen(product::kDrawerTitle).c_str(), kStyle, Rect{}, nullptr, 0);
}

LRESULT CMainWnd::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_ERASEBKGND:
            return 1;  // the paint handler covers the whole client area
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            OnTimer(wparam);
            return DefaultProc(message, wparam, lparam);
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_COMMAND:
            if (NotificationIcon::OnCommand(Hwnd(), wparam) || OnMenuCommand(wparam)) {
                return 0;
            }
            return DefaultProc(message, wparam, lparam);
        case WM_DISPLAYCHANGE:
            // The primary screen's new size comes with the message.
            OnDisplayChange(LOWORD(lparam), HIWORD(lparam));
            return DefaultProc(message, wparam, lparam);
        case WM_DPICHANGED:
            // The drawer keeps its own place: the rectangle suggested is not taken.
            if (!m_Placing) {
                PlaceDrawer();
            }
            return 0;
        case WM_DEVICECHANGE:
            OnDeviceChange(wparam, lparam);
            return DefaultProc(message, wparam, lparam);
        case WM_SETTINGCHANGE:
            if (wparam == SPI_SETWORKAREA) {
                PlaceDrawer();
            } else if (wparam == SPI_SETHIGHCONTRAST) {
                ApplySystemColours(Hwnd());
            }
            return DefaultProc(message, wparam, lparam);
        case WM_SYSCOLORCHANGE:
            ApplySystemColours(Hwnd());
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(lparam);
            return 0;
        case WM_HOTKEY:
            if (m_HotKey.IsOurs(wparam)) {
                OnHotKey();
            }
            return 0;
        case WM_ACTIVATEAPP:
            OnActivateApp(wparam != FALSE);
            return DefaultProc(message, wparam, lparam);
        case WM_KEYDOWN:
            OnKeyDown(wparam);
            return DefaultProc(message, wparam, lparam);
        case WM_ZK_TABSELECTED:
            m_FindView.End();  // a tab picked while finding shows its table
            return 0;
        case WM_ZK_STOREFAILED:
            OnStoreFailed();
            return 0;
        case WM_ZK_STORERELOADED:
            OnStoreReloaded();
            return 0;
        case WM_ZK_STARTUPREST:
            OnStartupRest();
            return 0;
        case WM_ZK_ICONSARRIVED:
            OnIconsArrived();
            return 0;
        case WM_ZK_TRAYNOTIFY:
            m_TrayIcon.OnNotify(lparam);
            return DefaultProc(message, wparam, lparam);
        default:
            if (IsCommandMessage(message)) {
                OnCommandMessage(message, wparam);
                return DefaultProc(message, wparam, lparam);
            }
            if (NotificationIcon::IsTaskbarCreated(message)) {
                m_TrayIcon.AddAgain();  // a restarted task bar has forgotten every icon
                return 0;
            }
            return DefaultProc(message, wparam, lparam);
    }
}

int CMainWnd::OnCreate() {
    std::unique_ptr<Store> store = OpenStore();
    if (!store) {
        return -1;
    }
    // The shell reads programs' icons out of their files: on a thread of its own.
    m_Tables.Icons().LookUpOnWorker(Hwnd(), WM_ZK_ICONSARRIVED);
    // The place comes from the settings; the tab strip and the lists are then made at the
    // size and scale of that monitor.
    store->ReadSettings(m_Settings);
    PlaceDrawer(PlacedAs::kOpen);
    m_MonitorWatch.Start(Hwnd());
    if (!m_TabCtrl.CreateTabStrip(Hwnd(), m_ListFrame)) {
        return -1;
    }
    m_TabCtrl.SetLayout(DrawerTabLayout(m_Placement.edge.side));
    m_TabCtrl.SetKeyHandler([this](const KeyPress& press) { return OnTabStripKey(press); });
    // Another writer's file waits while a tab is dragged, as while items are.
    m_TabCtrl.SetTabMoveHandlers([this](bool dragging) { m_Tables.SetDragging(dragging); },
                                 [this](int from, int to) { m_Tables.MoveTable(from, to); });

    m_Tables.SetStore(std::move(store));
    m_TabCtrl.SetHoverSelect(m_Settings.SelTable_MouseOn);

    // The collapsed strip shows no tab and no list: its tables are loaded and the first
    // one listed once the strip is on the screen. A drawer that opens at start must show
    // its list from its first picture. Only the table shown gets its window and its
    // items, the others when they are shown.
    m_FirstTableWaits = !m_Settings.Animate_WindowOnStart && !m_FirstRun;
    if (!m_FirstTableWaits) {
        m_Tables.LoadAllTables();
        if (m_FirstRun) {
            AddDefaultContent(m_Tables);
        }
        ListFirstTable();
    }
    if (m_Settings.Animate_WindowOnStart) {
        SetTimer(Hwnd(), kAnimationTimerId, kAnimationPeriodMs, nullptr);
    } else {
        SetTimer(Hwnd(), kPollTimerId, kPollPeriodMs, nullptr);
    }
    return 0;
}

std::unique_ptr<Store> CMainWnd::OpenStore() {
    const std::string path = m_ModuleDirectory + product::kStoreFileName;
    // What saves cut short by a crash left behind; no other copy of the program runs.
    Store::RemoveLeftoverFiles(path);
    if (!io::FileExists(path)) {
        m_FirstRun = true;
        io::FileError error;
        if (!Store::CreateDefaultStore(&MakeMsxmlDocument, path, &error) && !io::FileExists(path)) {
            ShowError(UncreatableStoreMessage(product::kStoreFileName, error));
            return nullptr;
        }
    }
    std::unique_ptr<XmlDocument> document = MakeMsxmlDocument();
    if (!document) {
        ShowError("IXMLDOMDocument Create Error!");
        return nullptr;
    }
    auto store = std::make_unique<Store>(&MakeMsxmlDocument, ui::ComGuidSource());
    std::string error;
    while (!store->Open(path, std::move(document), &error)) {
        switch (store->LastError().problem) {
            case io::FileProblem::kNone:
                // Read, but no store: the backup may take its place.
                return RecoverDamagedStore(*store, path, error) ? std::move(store) : nullptr;
            case io::FileProblem::kInUse:
                if (!AskToRetryStoreInUse()) {
                    return nullptr;
                }
                document = MakeMsxmlDocument();
                break;
            default:
                // Not readable at all: the backup would fare no better, and the file is the
                // user's work.
                ShowError(UnreadableStoreMessage(product::kStoreFileName, store->LastError()));
                return nullptr;
        }
    }
    return store;
}

void CMainWnd::ShowError(const std::string& text) const {
    MessageBoxW(nullptr, ui::Widen(text).c_str(), ui::Widen(product::kAppTitle).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void CMainWnd::OnPaint() {
    ui::PaintScope paint(Hwnd());
    const HDC dc = paint.Dc();
    const Rect client = ui::ClientRect(Hwnd());

    // The tab strip paints its own rectangle; painting under it too would flicker.
    ExcludeClipRect(dc, m_ListFrame.left, m_ListFrame.top, m_ListFrame.right, m_ListFrame.bottom);

    ui::MemoryDc memory(CreateCompatibleDC(dc));
    const DrawerPalette palette = CurrentDrawerPalette();
    if (palette.skin) {
        const SIZE background = ui::BitmapSize(m_BackgroundBitmap.Get());
        ui::SelectScope select(memory.Get(), m_BackgroundBitmap.Get());
        StretchBlt(dc, client.left, client.top, client.right, client.bottom, memory.Get(), 0, 0,
                   background.cx, background.cy, SRCCOPY);
    } else {
        FillWithColour(dc, client, ColourOf(palette.drawer_background));
    }

    const DrawerMetrics& m = m_Metrics;
    const ui::Pen border(CreatePen(PS_SOLID, m.border_pen, ColourOf(palette.border)));
    {
        ui::SelectScope select(dc, border.Get());
        const auto line = [dc](int x1, int y1, int x2, int y2) {
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
        };
        line(client.left, client.top, client.right, client.top);
        line(client.right - 1, client.top, client.right - 1, client.bottom);
        line(client.right, client.bottom - 1, client.left, client.bottom - 1);
        line(client.left, client.bottom, client.left, client.top);
        // AngleArc also draws from the current position to the arc's start.
        const int c = m.corner_inset;
        MoveToEx(dc, client.left, client.top + c, nullptr);
        AngleArc(dc, client.left + c, client.top + c, m.top_left_radius, 180.0f, -90.0f);
        MoveToEx(dc, client.right - c, client.top, nullptr);
        AngleArc(dc, client.right - c, client.top + c, m.top_right_radius, 90.0f, -90.0f);
        MoveToEx(dc, client.right - c, client.bottom, nullptr);
        AngleArc(dc, client.right - c, client.bottom - c, m.bottom_right_radius, 270.0f, 90.0f);
        MoveToEx(dc, client.left + c, client.bottom, nullptr);
        AngleArc(dc, client.left + c, client.bottom - c, m.bottom_left_radius, 270.0f, -90.0f);
    }

    const ui::Pen frame(CreatePen(PS_SOLID, 1, ColourOf(palette.tab_frame)));
    {
        ui::SelectScope select(dc, frame.Get());
        const Rect f = ListFrameOutline(m_ListFrame, m_Placement.edge.side);
        MoveToEx(dc, f.left, f.top - 1, nullptr);
        LineTo(dc, f.right, f.top - 1);
        LineTo(dc, f.right, f.bottom);
        LineTo(dc, f.left, f.bottom);
        LineTo(dc, f.left, f.top);
    }

    if (palette.skin) {
        PaintEdgeGraphic(dc, memory.Get(), client);
    } else {
        const Point origin = EdgeGraphicOrigin(client, m, m_Placement.edge.side);
        PaintProductName(dc,
                         Rect{origin.x, origin.y, origin.x + m.edge_graphic_width,
                              origin.y + m.edge_graphic_height},
                         palette);
    }
    if (!m_Timing.Done(StartupTiming::kFirstPaint)) {
        // What the strip does not need waits until it shows.
        PostMessageW(Hwnd(), WM_ZK_STARTUPREST, 0, 0);
    }
}

// Start-up is over once the table shown has all its icons.
void CMainWnd::NoteFirstTableListed() {
    const TableController::CurrentTable current = m_Tables.GetCurrentTable();
    if (current.list == nullptr || !current.list->IconsPending()) {
        m_Timing.Done(StartupTiming::kFirstTableListed);
    }
}

// Icons come in one or a few at a time, and each pass goes over every list and redraws
// what changed: while answers stream in, passes are made at most ten times a second, and the
// last answers go at once. The worker posts no more while its answers wait to be taken.
void CMainWnd::OnIconsArrived() {
    const ULONGLONG since = GetTickCount64() - m_LastIconPass;
    if (since >= kIconPassPeriodMs || !m_Tables.Icons().LookUpsPending()) {
        TakeArrivedIcons();
    } else {
        SetTimer(Hwnd(), kIconPassTimerId, static_cast<UINT>(kIconPassPeriodMs - since), nullptr);
    }
}

void CMainWnd::TakeArrivedIcons() {
    KillTimer(Hwnd(), kIconPassTimerId);
    m_LastIconPass = GetTickCount64();
    m_Tables.OnIconsArrived();
    NoteFirstTableListed();
}

void CMainWnd::ListFirstTable() {
    m_TabCtrl.SelectTab(0, true);
    NoteFirstTableListed();
}

void CMainWnd::OnStartupRest() {
    if (std::exchange(m_StartupRestDone, true)) {
        return;
    }
    m_TabCtrl.FollowDrags();
    if (std::exchange(m_FirstTableWaits, false)) {
        m_Tables.LoadAllTables();
        ListFirstTable();
    }
    SetTrayIcon(true);
    ApplySettings();
    m_Timing.Done(StartupTiming::kDeferredWork);
}

// At 100 % the graphic goes on as it is, white left out. At any other scale it is first
// laid over the background it will stand on, at its own size, and that picture is then
// scaled smoothly: scaling it with the white still in would fringe the lettering.
void CMainWnd::PaintEdgeGraphic(HDC dc, HDC memory, const Rect& client) const {
    const SIZE edge = ui::BitmapSize(m_EdgeBitmap.Get());
    const Point origin = EdgeGraphicOrigin(client, m_Metrics, m_Placement.edge.side);
    const int width = m_Metrics.edge_graphic_width;
    const int height = m_Metrics.edge_graphic_height;
    if (width == edge.cx && height == edge.cy) {
        ui::SelectScope select(memory, m_EdgeBitmap.Get());
        TransparentBlt(dc, origin.x, origin.y, edge.cx, edge.cy, memory, 0, 0, edge.cx, edge.cy,
                       kEdgeTransparentColour);
        return;
    }
    const ui::Bitmap composed(CreateCompatibleBitmap(dc, edge.cx, edge.cy));
    ui::MemoryDc composing(CreateCompatibleDC(dc));
    if (!composed || !composing) {
        return;
    }
    ui::SelectScope into(composing.Get(), composed.Get());
    {
        const SIZE background = ui::BitmapSize(m_BackgroundBitmap.Get());
        const int from = MulDiv(origin.x - client.left, background.cx, std::max(client.Width(), 1));
        const int span = std::max(1, MulDiv(width, background.cx, std::max(client.Width(), 1)));
        ui::SelectScope select(memory, m_BackgroundBitmap.Get());
        StretchBlt(composing.Get(), 0, 0, edge.cx, edge.cy, memory, from, 0, span, background.cy,
                   SRCCOPY);
    }
    {
        ui::SelectScope select(memory, m_EdgeBitmap.Get());
        TransparentBlt(composing.Get(), 0, 0, edge.cx, edge.cy, memory, 0, 0, edge.cx, edge.cy,
                       kEdgeTransparentColour);
    }
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, origin.x, origin.y, width, height, composing.Get(), 0, 0, edge.cx, edge.cy,
               SRCCOPY);
}

void CMainWnd::ApplySlide(const SlideStep& step) {
    if (step.move) {
        const Rect& to = *step.move;
        MoveWindow(Hwnd(), to.left, to.top, to.Width(), to.Height(), TRUE);
    }
    if (step.reassert_topmost) {
        // Back on top of the topmost windows, without taking the focus from whatever
        // the user is working in.
        SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CMainWnd::OnTimer(UINT_PTR timer_id) {
    if (timer_id == MonitorWatch::kCheckTimerId) {
        CheckMonitors();
        return;
    }
    if (timer_id == kIconPassTimerId) {
        TakeArrivedIcons();
        return;
    }
    const Rect window = ui::WindowRect(Hwnd());

    if (timer_id == kPollTimerId) {
        // A strip never painted (covered from the start) still gets its tables before
        // the pointer can open it.
        OnStartupRest();
        POINT cursor{};
        GetCursorPos(&cursor);
        const Point pointer{cursor.x, cursor.y};
        // Also keeps the strip from being raised above such a program.
        const bool hold_shut = FullScreenProgramInFront();
        NoteForegroundWindow();
        const DWORD now = GetTickCount();
        const SlideStep step = m_Slider.Poll(window, pointer, now, m_Placement.open.Width(),
                                             m_Settings.Show_TickCount, m_Busy, hold_shut);
        ApplySlide(step);
        if (step.move && !IsOpen()) {
            m_FindView.End();  // the next opening starts afresh
        } else if (step.move) {
            m_Timing.Opened();
        }
        CheckStoreWhenIdle(now);
    } else if (timer_id == kAnimationTimerId) {
        const AnimationFrame frame =
            m_Slider.Animate(window, m_Placement.open.Width(), GetTickCount());
        const Rect& next = frame.window;
        SetWindowPos(Hwnd(), HWND_TOPMOST, next.left, next.top, next.Width(), next.Height(),
                     SWP_SHOWWINDOW | SWP_NOACTIVATE);
        if (frame.last) {
            KillTimer(Hwnd(), kAnimationTimerId);
            SetTimer(Hwnd(), kPollTimerId, kPollPeriodMs, nullptr);
        }
    }
}

void CMainWnd::OnDestroy() {
    SetTrayIcon(false);
    m_MonitorWatch.Stop();
    m_HotKey.Unregister();
    // The drawer is the main window: its end is the end of the message loop.
    PostQuitMessage(0);
}

bool CMainWnd::SetTrayIcon(bool add) {
    return add ? m_TrayIcon.Add(Hwnd(), m_Settings.Show_TipOnStart) : m_TrayIcon.Remove();
}

}  // namespace zarkit
