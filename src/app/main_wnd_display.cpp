// The drawer on today's desktops: sized from the monitor's DPI, laid out again when the
// screen changes, and kept shut while a full-screen program is in front.
#include "app/main_wnd.h"

#include "core/drawer_geometry.h"
#include "core/full_screen_guard.h"
#include "ui/dpi.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/trace.h"
#include <shellapi.h>

namespace zarkit {
namespace {

Rect PrimaryMonitorRect() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    const HMONITOR monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(monitor, &info)) {
        return Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return ui::ToRect(info.rcMonitor);
}

ForegroundWindow ReadForegroundWindow() {
    ForegroundWindow facts;
    const HWND window = GetForegroundWindow();
    if (window == nullptr) {
        return facts;
    }
    facts.exists = true;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    facts.ours = pid == GetCurrentProcessId();
    facts.visible = IsWindowVisible(window) != FALSE;
    facts.minimised = IsIconic(window) != FALSE;
    facts.maximised = IsZoomed(window) != FALSE;
    facts.has_caption = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    wchar_t class_name[256] = L"";
    GetClassNameW(window, class_name, 256);
    facts.class_name = ui::Narrow(class_name);
    facts.window = ui::WindowRect(window);
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    facts.client = ui::ToRect(client);
    return facts;
}

ShellUserState ReadShellUserState() {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state))) {
        return ShellUserState::kUnknown;
    }
    switch (state) {
        case QUNS_BUSY:
            return ShellUserState::kFullScreenBusy;
        case QUNS_RUNNING_D3D_FULL_SCREEN:
            return ShellUserState::kDirect3D;
        case QUNS_PRESENTATION_MODE:
            return ShellUserState::kPresentation;
        default:
            return ShellUserState::kNormal;
    }
}

}  // namespace

void CMainWnd::ApplyDpi(int dpi) {
    m_Dpi = dpi;
    m_Metrics = DrawerMetricsForDpi(dpi);
    m_Slider.SetCollapsedWidth(CollapsedWidthForDpi(dpi));
    m_TabCtrl.SetDpi(dpi);
    m_Tables.SetDpi(dpi);
}

// Everything is laid out for the open drawer: collapsed, it shows the left columns of it.
void CMainWnd::ApplyLayout() {
    const Rect client{0, 0, m_FullRect.Width(), m_FullRect.Height()};
    const int corner = m_Metrics.region_corner;
    const HRGN region =
        CreateRoundRectRgn(client.left, client.top, client.right, client.bottom, corner, corner);
    // The window owns the region once it is set.
    if (region == nullptr || !SetWindowRgn(Hwnd(), region, TRUE)) {
        ui::TraceLastError(L"CMainWnd::ApplyLayout: SetWindowRgn");
        if (region != nullptr) {
            DeleteObject(region);
        }
    }
    m_ListFrame = ListFrameRect(client, m_Metrics);
    if (m_TabCtrl.Hwnd() != nullptr) {
        m_TabCtrl.Place(m_ListFrame);
    }
}

void CMainWnd::OnScreenChange(int screen_width, int screen_height, int dpi) {
    const Rect window = ui::WindowRect(Hwnd());
    const bool collapsed = window.Width() <= m_Slider.CollapsedWidth();
    m_FullRect = FullDrawerRect(screen_width, screen_height);
    if (dpi != m_Dpi) {
        ApplyDpi(dpi);
    }
    // Sized first, so that the layout sees the open drawer's client area.
    const int left = collapsed ? 0 : std::min(window.left, 0);
    SetWindowPos(Hwnd(), HWND_TOPMOST, left, m_FullRect.top, m_FullRect.Width(),
                 m_FullRect.Height(), SWP_NOACTIVATE);
    ApplyLayout();
    if (collapsed) {
        SetWindowPos(Hwnd(), HWND_TOPMOST, 0, m_FullRect.top, m_Slider.CollapsedWidth(),
                     m_FullRect.Height(), SWP_NOACTIVATE);
    }
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

bool CMainWnd::FullScreenProgramInFront() const {
    return IsFullScreenProgram(ReadForegroundWindow(), PrimaryMonitorRect(), ReadShellUserState());
}

}  // namespace zarkit
