#pragma once

#include "ui/win32.h"

// The program's private window messages. Their numbers are fixed: other parts of the
// program post them across windows, and tests drive the drawer with them.
namespace zarkit {

inline constexpr UINT WM_ZK_TABSELECTED = 0x502;  // tab strip -> drawer; wParam index, lParam -1
inline constexpr UINT WM_ZK_TRAYNOTIFY = 0x544;   // tray icon -> drawer; lParam mouse message
inline constexpr UINT WM_ZK_ADDTABLE = 0x545;     // list menu -> drawer
inline constexpr UINT WM_ZK_DELTABLE = 0x546;     // list menu -> drawer
inline constexpr UINT WM_ZK_ADDSPECIAL = 0x548;   // wParam 1 My Computer, 2 Desktop, 3 My Documents
inline constexpr UINT WM_ZK_RENAMETABLE = 0x549;  // list menu -> drawer
inline constexpr UINT WM_ZK_ADDITEMS = 0x550;     // wParam 1 web site, 2 path
inline constexpr UINT WM_ZK_SETTINGS = 0x551;     // list menu -> drawer
inline constexpr UINT WM_ZK_ABOUT = 0x552;        // list menu -> drawer
inline constexpr UINT WM_ZK_STOREFAILED = 0x560;  // tables -> drawer: tell of a failed save
inline constexpr UINT WM_ZK_STORERELOADED = 0x561;  // tables -> drawer: another writer's file
inline constexpr UINT WM_ZK_STARTUPREST = 0x562;    // drawer -> itself: after its first paint
inline constexpr UINT WM_ZK_ICONSARRIVED = 0x563;   // icon worker -> drawer: answers are in
inline constexpr UINT WM_ZK_DROPTEXT = 0x1427;      // drop target -> list control
inline constexpr UINT WM_ZK_DROPITEMS = 0x1428;     // drop target -> list control
// Drop target -> list control: items dropped on the list they came from; wParam a
// MovedItems*, result 1 when the list moved them, 0 when it refuses the drop.
inline constexpr UINT WM_ZK_MOVEITEMS = 0x1429;

}  // namespace zarkit
