// The drawer on today's desktops: sized from its monitor's DPI, laid out for its edge, and
// kept shut while a full-screen program is in front on its monitor.
#include "app/main_wnd.h"

#include "core/drawer_geometry.h"
#include "core/full_screen_guard.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/trace.h"
#include <shellapi.h>

namespace zarkit {
namespace {

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

// Everything is laid out for the open drawer: collapsed, it shows the columns of it at
// its edge.
void CMainWnd::ApplyLayout() {
    const Rect client{0, 0, m_Placement.open.Width(), m_Placement.open.Height()};
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
    const DockSide side = m_Placement.edge.side;
    m_ListFrame = ListFrameRect(client, m_Metrics, side);
    if (m_TabCtrl.Hwnd() != nullptr) {
        m_TabCtrl.Place(m_ListFrame, DrawerTabLayout(side));
    }
}

bool CMainWnd::FullScreenProgramInFront() const {
    return IsFullScreenProgram(ReadForegroundWindow(), m_Placement.monitor_bounds,
                               ReadShellUserState());
}

}  // namespace zarkit
