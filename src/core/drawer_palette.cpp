#include "core/drawer_palette.h"

#include <charconv>

namespace zarkit {

DrawerPalette DrawerPaletteFor(bool high_contrast) {
    DrawerPalette palette;
    if (!high_contrast) {
        palette.skin = true;
        palette.border = PaintColour::Rgb(136, 167, 211);
        palette.tab_frame = PaintColour::Rgb(164, 164, 164);
        palette.list_background = PaintColour::Rgb(255, 255, 255);
        palette.list_text = PaintColour::System(SystemColour::kWindowText);
        palette.tab_text = PaintColour::Rgb(42, 42, 42);
        palette.selected_tab_text = PaintColour::Rgb(255, 87, 15);
        return palette;
    }
    // Each text on the face it pairs with in every colour scheme: window text on window,
    // highlight text on highlight. The chrome (background, bar, buttons) is button face.
    const auto system = PaintColour::System;
    palette.skin = false;
    palette.drawer_background = system(SystemColour::kButtonFace);
    palette.border = system(SystemColour::kWindowText);
    palette.tab_frame = system(SystemColour::kWindowText);
    palette.edge_text = system(SystemColour::kWindowText);
    palette.list_background = system(SystemColour::kWindow);
    palette.list_text = system(SystemColour::kWindowText);
    palette.bar = system(SystemColour::kButtonFace);
    palette.tab_face = system(SystemColour::kWindow);
    palette.tab_outline = system(SystemColour::kWindowText);
    palette.tab_text = system(SystemColour::kWindowText);
    palette.selected_tab_face = system(SystemColour::kHighlight);
    palette.selected_tab_text = system(SystemColour::kHighlightText);
    palette.button_face = system(SystemColour::kButtonFace);
    palette.button_glyph = system(SystemColour::kWindowText);
    palette.active_button_face = system(SystemColour::kHighlight);
    palette.active_button_glyph = system(SystemColour::kHighlightText);
    return palette;
}

bool HighContrastFlagsOn(std::string_view flags) {
    while (!flags.empty() && (flags.front() == ' ' || flags.front() == '\t')) {
        flags.remove_prefix(1);
    }
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(flags.data(), flags.data() + flags.size(), value);
    if (error != std::errc() || end == flags.data()) {
        return false;
    }
    for (const char* rest = end; rest != flags.data() + flags.size(); ++rest) {
        if (*rest != ' ' && *rest != '\t' && *rest != '\0') {
            return false;
        }
    }
    return (value & 1u) != 0;
}

}  // namespace zarkit
