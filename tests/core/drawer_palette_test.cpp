#include "core/drawer_palette.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace zarkit {
namespace {

TEST(DrawerPalette, TheSkinKeepsItsOwnColours) {
    const DrawerPalette skin = DrawerPaletteFor(false);
    EXPECT_TRUE(skin.skin);
    EXPECT_EQ(skin.border, PaintColour::Rgb(136, 167, 211));
    EXPECT_EQ(skin.border.rgb, 0xD3A788u);  // as a COLORREF: blue in the high byte
    EXPECT_EQ(skin.tab_frame, PaintColour::Rgb(164, 164, 164));
    EXPECT_EQ(skin.list_background, PaintColour::Rgb(255, 255, 255));
    EXPECT_EQ(skin.tab_text, PaintColour::Rgb(42, 42, 42));
    EXPECT_EQ(skin.selected_tab_text, PaintColour::Rgb(255, 87, 15));
    EXPECT_EQ(skin.list_text, PaintColour::System(SystemColour::kWindowText));
}

TEST(DrawerPalette, HighContrastPaintsEverythingInSystemColoursInMatchingPairs) {
    const DrawerPalette high = DrawerPaletteFor(true);
    EXPECT_FALSE(high.skin);
    const std::vector<PaintColour> all = {high.drawer_background,
                                          high.border,
                                          high.tab_frame,
                                          high.edge_text,
                                          high.list_background,
                                          high.list_text,
                                          high.bar,
                                          high.tab_face,
                                          high.tab_outline,
                                          high.tab_text,
                                          high.selected_tab_face,
                                          high.selected_tab_text,
                                          high.button_face,
                                          high.button_glyph,
                                          high.active_button_face,
                                          high.active_button_glyph};
    for (const PaintColour& colour : all) {
        EXPECT_TRUE(colour.system.has_value());
    }
    // Text stands on the face it is meant for, so it shows in any scheme.
    const std::vector<std::pair<PaintColour, PaintColour>> text_on_face = {
        {high.list_text, high.list_background},
        {high.tab_text, high.tab_face},
        {high.selected_tab_text, high.selected_tab_face},
        {high.active_button_glyph, high.active_button_face}};
    for (const auto& [text, face] : text_on_face) {
        const bool window =
            *face.system == SystemColour::kWindow && *text.system == SystemColour::kWindowText;
        const bool highlight = *face.system == SystemColour::kHighlight &&
                               *text.system == SystemColour::kHighlightText;
        EXPECT_TRUE(window || highlight);
    }
    EXPECT_NE(high.selected_tab_face, high.tab_face);
    EXPECT_NE(high.active_button_face, high.button_face);
}

TEST(DrawerPalette, TheStoredHighContrastFlagsAreReadAsWindowsWritesThem) {
    EXPECT_TRUE(HighContrastFlagsOn("127"));
    EXPECT_TRUE(HighContrastFlagsOn("1"));
    EXPECT_TRUE(HighContrastFlagsOn(" 4223 "));
    EXPECT_FALSE(HighContrastFlagsOn("126"));
    EXPECT_FALSE(HighContrastFlagsOn("0"));
    // Anything else says off.
    for (const char* text : {"", " ", "on", "0x7F", "-1", "12x", "99999999999999999999999"}) {
        EXPECT_FALSE(HighContrastFlagsOn(text)) << text;
    }
}

}  // namespace
}  // namespace zarkit
