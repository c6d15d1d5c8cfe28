#include "app/accessibility/system_colour_paint.h"

#include <algorithm>
#include <string>

#include "app/accessibility/high_contrast.h"
#include "core/product.h"
#include "ui/handles.h"
#include "ui/text.h"

namespace zarkit {
namespace {

void Outline(HDC dc, const Rect& rect, COLORREF colour) {
    const RECT edges{rect.left, rect.top, rect.right, rect.bottom};
    SetDCBrushColor(dc, colour);
    FrameRect(dc, &edges, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A chevron as the skin's buttons show it: Previous points down, Next up.
void PaintButton(HDC dc, const Rect& rect, bool points_down, ButtonState state,
                 const DrawerPalette& palette) {
    const bool active = state != ButtonState::kNormal;
    const COLORREF glyph = ColourOf(active ? palette.active_button_glyph : palette.button_glyph);
    FillWithColour(dc, rect, ColourOf(active ? palette.active_button_face : palette.button_face));
    Outline(dc, rect, glyph);
    const int inset = std::max(rect.Width() / 4, 2);
    const int middle = rect.left + rect.Width() / 2;
    const int rise = std::max(rect.Height() / 4, 2);
    const int centre = rect.top + rect.Height() / 2;
    const int base = points_down ? centre - rise / 2 : centre + rise / 2;
    const int tip = points_down ? base + rise : base - rise;
    const POINT points[] = {{rect.left + inset, base}, {rect.right - inset, base}, {middle, tip}};
    const ui::Pen pen(CreatePen(PS_SOLID, 1, glyph));
    ui::SelectScope select_pen(dc, pen.Get());
    SetDCBrushColor(dc, glyph);
    ui::SelectScope select_brush(dc, GetStockObject(DC_BRUSH));
    Polygon(dc, points, 3);
}

}  // namespace

void FillWithColour(HDC dc, const Rect& rect, COLORREF colour) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void PaintBarInSystemColours(HDC dc, const TabStripPaint& layout, ButtonState previous,
                             ButtonState next, const DrawerPalette& palette) {
    FillWithColour(dc, layout.bar, ColourOf(palette.bar));
    PaintButton(dc, layout.next_button, false, next, palette);
    PaintButton(dc, layout.prev_button, true, previous, palette);
}

void PaintTabFaceInSystemColours(HDC dc, const TabPlacement& placement,
                                 const DrawerPalette& palette) {
    FillWithColour(dc, placement.hit,
                   ColourOf(placement.selected ? palette.selected_tab_face : palette.tab_face));
    Outline(dc, placement.hit, ColourOf(palette.tab_outline));
}

void PaintProductName(HDC dc, const Rect& where, const DrawerPalette& palette) {
    LOGFONTW font{};
    // The lettering of the edge graphic: a large italic serif across most of its width.
    font.lfHeight = -std::max(where.Width() * 2 / 3, 8);
    font.lfEscapement = 900;
    font.lfWeight = FW_BOLD;
    font.lfItalic = TRUE;
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"Times New Roman");
    const ui::Font created(CreateFontIndirectW(&font));
    if (!created) {
        return;
    }
    const std::wstring name = ui::Widen(product::kProductName);
    ui::SelectScope select(dc, created.Get());
    SIZE extent{};
    GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &extent);
    const Point origin = TabStripModel::TabTextOrigin(where, extent.cx, extent.cy);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColourOf(palette.edge_text));
    TextOutW(dc, origin.x, origin.y, name.c_str(), static_cast<int>(name.size()));
}

}  // namespace zarkit
