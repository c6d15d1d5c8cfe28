// A tab dragged along the bar to another tab's place moves its table there. The press has
// selected the tab as a click does; the strip holds the mouse until the button goes up,
// and a press that never went the drag distance stays a click.
#include "app/raw_tab_ctrl.h"

#include "app/accessibility/high_contrast.h"
#include "app/accessibility/system_colour_paint.h"
#include "core/dpi_scale.h"
#include "ui/gdi.h"

namespace zarkit {
namespace {

// The mark of where a dragged tab lands, at 96 DPI.
constexpr int kDropMarkThickness = 3;

}  // namespace

void CRawTabCtrl::OnTabPress(Point point) {
    const auto& tabs = m_Model.Tabs();
    for (size_t position = 0; position < tabs.size(); ++position) {
        if (tabs[position].hit.Contains(point)) {
            m_TabDrag.Press(position, point);
            SetCapture(Hwnd());
            return;
        }
    }
}

// Only over the strip itself: the drawer may have collapsed under the pointer, or another
// window may lie over the tabs.
std::optional<size_t> CRawTabCtrl::TabPlaceUnder(Point point) const {
    POINT screen{point.x, point.y};
    ClientToScreen(Hwnd(), &screen);
    if (WindowFromPoint(screen) != Hwnd()) {
        return std::nullopt;
    }
    return TabPlaceAt(m_Model.Tabs(), m_Model.Bar(), point);
}

bool CRawTabCtrl::OnTabDragMove(Point point) {
    if (!m_TabDrag.Pressed()) {
        return false;
    }
    const bool was_dragging = m_TabDrag.Dragging();
    const Point distance{GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)};
    if (m_TabDrag.Move(point, TabPlaceUnder(point), distance)) {
        if (!was_dragging && m_OnTabDragging) {
            m_OnTabDragging(true);
        }
        const RECT bar = ui::ToRECT(m_Model.Bar());
        InvalidateRect(Hwnd(), &bar, FALSE);
    }
    return true;
}

void CRawTabCtrl::OnTabRelease(Point point) {
    if (!m_TabDrag.Pressed()) {
        return;
    }
    const bool dragged = m_TabDrag.Dragging();
    const std::optional<size_t> from = m_TabDrag.From();
    const std::optional<size_t> to = m_TabDrag.Release(TabPlaceUnder(point));
    // The drag is over already: losing the capture now cancels nothing.
    ReleaseCapture();
    if (!dragged) {
        return;
    }
    const RECT bar = ui::ToRECT(m_Model.Bar());
    InvalidateRect(Hwnd(), &bar, FALSE);
    if (m_OnTabDragging) {
        m_OnTabDragging(false);
    }
    if (from && to && m_OnTabMoved) {
        m_OnTabMoved(static_cast<int>(*from), static_cast<int>(*to));
    }
}

// The mouse went elsewhere (another window came up, the system took it): nothing moves.
void CRawTabCtrl::CancelTabDrag() {
    if (!m_TabDrag.Pressed()) {
        return;
    }
    const bool dragged = m_TabDrag.Dragging();
    m_TabDrag.Cancel();
    if (GetCapture() == Hwnd()) {
        ReleaseCapture();
    }
    if (dragged) {
        const RECT bar = ui::ToRECT(m_Model.Bar());
        InvalidateRect(Hwnd(), &bar, FALSE);
        if (m_OnTabDragging) {
            m_OnTabDragging(false);
        }
    }
}

void CRawTabCtrl::PaintTabDropMark(HDC dc, const DrawerPalette& palette) const {
    const std::optional<size_t> from = m_TabDrag.From();
    const std::optional<size_t> to = m_TabDrag.Target();
    if (!from || !to || *to >= m_Model.Tabs().size()) {
        return;
    }
    const Rect& hit = m_Model.Tabs()[*to].hit;
    if (hit == kNoHitRect) {
        return;
    }
    const Rect mark =
        TabDropMark(hit, m_Model.Bar(), *from, *to, ScaleForDpi(kDropMarkThickness, m_Dpi));
    FillWithColour(dc, mark, ColourOf(palette.selected_tab_text));
}

}  // namespace zarkit
