#pragma once

// Resource identifiers of zarkit.rc. Shared by the resource script and the code.

#define IDR_MAINFRAME 128

// Notification-area icon: its menu (the icon's own id is the same number) and command
#define IDR_TRAY_MENU 141
#define ID_QUIT_ZARKIT 32772

// Tab strip skin
#define IDB_TAB_BAR 129
#define IDB_TAB_BOTTOM 130
#define IDB_TAB_MIDDLE 131
#define IDB_TAB_TOP 132
#define IDB_TAB_SEL_BOTTOM 133
#define IDB_TAB_SEL_MIDDLE 134
#define IDB_TAB_SEL_TOP 135
#define IDB_TAB_PREV 137
#define IDB_TAB_NEXT 138

// Drawer skin
#define IDB_DRAWER_BACKGROUND 139
#define IDB_DRAWER_EDGE 151
