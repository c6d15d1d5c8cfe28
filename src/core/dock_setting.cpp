#include "core/dock_setting.h"

#include "core/text_rules.h"

namespace zarkit {

std::optional<DockSide> ParseDockSide(std::string_view text) {
    const std::string side = ToLower(Trim(text));
    if (side == "left") {
        return DockSide::kLeft;
    }
    if (side == "right") {
        return DockSide::kRight;
    }
    return std::nullopt;
}

const char* FormatDockSide(DockSide side) {
    return side == DockSide::kRight ? "right" : "left";
}

bool NamesPrimaryScreen(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    return trimmed.empty() || ToLower(trimmed) == kPrimaryScreen;
}

}  // namespace zarkit
