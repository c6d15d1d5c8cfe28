#pragma once

// The Win32 virtual-key codes core decides on, with the values of <winuser.h>, which
// core does not include.
namespace zarkit::vk {

inline constexpr unsigned kBack = 0x08;
inline constexpr unsigned kTab = 0x09;
inline constexpr unsigned kReturn = 0x0D;
inline constexpr unsigned kPause = 0x13;
inline constexpr unsigned kEscape = 0x1B;
inline constexpr unsigned kSpace = 0x20;
inline constexpr unsigned kPrior = 0x21;  // Page Up
inline constexpr unsigned kNext = 0x22;   // Page Down
inline constexpr unsigned kEnd = 0x23;
inline constexpr unsigned kHome = 0x24;
inline constexpr unsigned kLeft = 0x25;
inline constexpr unsigned kUp = 0x26;
inline constexpr unsigned kRight = 0x27;
inline constexpr unsigned kDown = 0x28;
inline constexpr unsigned kSnapshot = 0x2C;  // Print Screen
inline constexpr unsigned kInsert = 0x2D;
inline constexpr unsigned kDelete = 0x2E;
inline constexpr unsigned k0 = 0x30;  // '0'..'9' and 'A'..'Z' are their own codes
inline constexpr unsigned kA = 0x41;
inline constexpr unsigned kZ = 0x5A;
inline constexpr unsigned kApps = 0x5D;  // the menu key
inline constexpr unsigned kNumpad0 = 0x60;
inline constexpr unsigned kMultiply = 0x6A;
inline constexpr unsigned kAdd = 0x6B;
inline constexpr unsigned kSubtract = 0x6D;
inline constexpr unsigned kDecimal = 0x6E;
inline constexpr unsigned kDivide = 0x6F;
inline constexpr unsigned kF1 = 0x70;
inline constexpr unsigned kF2 = 0x71;
inline constexpr unsigned kF10 = 0x79;
inline constexpr unsigned kF12 = 0x7B;
inline constexpr unsigned kF24 = 0x87;
inline constexpr unsigned kScroll = 0x91;  // Scroll Lock

}  // namespace zarkit::vk
