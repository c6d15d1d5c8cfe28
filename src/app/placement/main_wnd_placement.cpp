// The drawer's monitor and edge: decided from the settings and the monitors there are, and
// decided again whenever monitors come, go, or change their size, scale or task bars.
#include "app/main_wnd.h"

#include "res/resource.h"
#include "ui/gdi.h"

namespace zarkit {

void CMainWnd::PlaceDrawer(PlacedAs as) {
    std::vector<Monitor> monitors = m_Monitors->Monitors();
    m_MonitorWatch.Note(monitors);
    PlaceDrawer(monitors, as);
}

void CMainWnd::PlaceDrawer(const std::vector<Monitor>& monitors, PlacedAs as) {
    if (const std::optional<DrawerPlacement> placement =
            zarkit::PlaceDrawer(monitors, m_Settings.Dock_Screen, m_Settings.Dock_Side)) {
        ApplyPlacement(*placement, as);
    }
}

void CMainWnd::ApplyPlacement(const DrawerPlacement& placement, PlacedAs as) {
    const Rect window = ui::WindowRect(Hwnd());
    const Rect target =
        PlacedWindow(window, m_Slider.Edge(), m_Slider.CollapsedWidth(), placement, as);
    const bool mirrored = placement.edge.side != m_Placement.edge.side;
    m_Placing = true;
    m_Placement = placement;
    m_Slider.SetEdge(placement.edge);
    if (placement.dpi != m_Dpi) {
        ApplyDpi(placement.dpi);
    }
    if (mirrored) {
        // Mirrored with the rest of the skin.
        m_BackgroundBitmap =
            ui::LoadBitmapResource(IDB_DRAWER_BACKGROUND, placement.edge.side == DockSide::kRight);
    }
    SetWindowPos(Hwnd(), HWND_TOPMOST, target.left, target.top, target.Width(), target.Height(),
                 SWP_NOACTIVATE);
    ApplyLayout();
    InvalidateRect(Hwnd(), nullptr, TRUE);
    m_Placing = false;
}

void CMainWnd::MoveToChosenPlace() {
    std::vector<Monitor> monitors = m_Monitors->Monitors();
    const std::optional<DrawerPlacement> placement =
        zarkit::PlaceDrawer(monitors, m_Settings.Dock_Screen, m_Settings.Dock_Side);
    if (!placement || *placement == m_Placement) {
        return;
    }
    m_MonitorWatch.Note(std::move(monitors));
    m_Slider.Release();
    ApplyPlacement(*placement, PlacedAs::kCollapsed);
}

void CMainWnd::OnDisplayChange(int width, int height) {
    std::vector<Monitor> monitors = m_Monitors->Monitors();
    m_MonitorWatch.Note(monitors);
    ResizePrimaryMonitor(monitors, width, height);
    PlaceDrawer(monitors, PlacedAs::kAsItWas);
}

void CMainWnd::OnDeviceChange(WPARAM event, LPARAM data) {
    if (MonitorWatch::IsMonitorChange(event, data)) {
        PlaceDrawer();
    }
}

void CMainWnd::CheckMonitors() {
    if (m_MonitorWatch.Changed(m_Monitors->Monitors())) {
        PlaceDrawer();
    }
}

}  // namespace zarkit
