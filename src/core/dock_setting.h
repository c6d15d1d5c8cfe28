#pragma once

#include <optional>
#include <string_view>

// Where the user wants the drawer, as the store keeps it: Dock_Screen and Dock_Side.
namespace zarkit {

// The screen edge the drawer lives against.
enum class DockSide { kLeft, kRight };

// Dock_Screen for whichever monitor is the primary one; any other text names a monitor.
inline constexpr char kPrimaryScreen[] = "primary";

// "left" or "right", trimmed and in any case; none for any other text, which counts as no
// side stored.
std::optional<DockSide> ParseDockSide(std::string_view text);
const char* FormatDockSide(DockSide side);

// Whether a Dock_Screen text means the primary monitor: "primary" (trimmed, any case), or
// nothing at all.
bool NamesPrimaryScreen(std::string_view text);

}  // namespace zarkit
