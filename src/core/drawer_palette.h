#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zarkit {

// The system colours the drawer paints with when high contrast is on.
enum class SystemColour { kWindow, kWindowText, kHighlight, kHighlightText, kButtonFace };

// A colour to paint with: one of the skin's own, or one of the user's system colours.
struct PaintColour {
    std::optional<SystemColour> system;
    std::uint32_t rgb = 0;  // 0x00BBGGRR, as a COLORREF; used when not a system colour

    static constexpr PaintColour Rgb(int red, int green, int blue) {
        return PaintColour{std::nullopt, static_cast<std::uint32_t>(red) |
                                             static_cast<std::uint32_t>(green) << 8 |
                                             static_cast<std::uint32_t>(blue) << 16};
    }
    static constexpr PaintColour System(SystemColour colour) { return PaintColour{colour, 0}; }

    friend bool operator==(const PaintColour&, const PaintColour&) = default;
};

// What the drawer and its tab strip paint with. With the skin, the bitmaps give the
// background, the edge graphic, the bar, the tabs and the buttons, and only the colours
// marked "skin too" are used; without it, every element is filled and outlined in the
// colours here, at the skin's geometry.
struct DrawerPalette {
    bool skin = true;
    PaintColour drawer_background;
    PaintColour border;           // skin too
    PaintColour tab_frame;        // skin too: around the tab strip
    PaintColour edge_text;        // the product name where the edge graphic stands
    PaintColour list_background;  // skin too: the list area, the lists' parents, the find line
    PaintColour list_text;        // skin too: the find line's labels
    PaintColour bar;
    PaintColour tab_face;
    PaintColour tab_outline;
    PaintColour tab_text;  // skin too
    PaintColour selected_tab_face;
    PaintColour selected_tab_text;  // skin too
    PaintColour button_face;
    PaintColour button_glyph;
    PaintColour active_button_face;  // a button pointed at or pressed
    PaintColour active_button_glyph;
};

DrawerPalette DrawerPaletteFor(bool high_contrast);

// Whether the "Flags" value that Windows keeps for high contrast in the user's registry
// says it is on (HCF_HIGHCONTRASTON, bit 0). Windows writes it as decimal text; anything
// that is not a number says off.
bool HighContrastFlagsOn(std::string_view flags);

}  // namespace zarkit
