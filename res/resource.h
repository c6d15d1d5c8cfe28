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

// Menus of the item lists: one popup each.
#define IDR_ITEM_MENU 145
#define IDR_DRAWER_MENU 146

// Dialog templates
#define IDD_ADD_TABLE 147
#define IDD_ABOUT 153
#define IDD_RENAME_TABLE 154
#define IDD_ADD_ITEMS 155
#define IDD_SETTINGS 156

// Dialog controls. Ids repeat across dialogs where the templates share them.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDC_TABLE_NAME 1001
#define IDC_SHOW_DELAY 1002
#define IDC_NEW_NAME 1003
#define IDC_WEB_SITE 1003
#define IDC_OLD_NAME 1005
#define IDC_FILE_PATH 1006
#define IDC_BROWSE 1007
#define IDC_DISPLAY_NAME 1008
#define IDC_START_ON_WINDOW 1009
#define IDC_SHOW_TIP_ON_START 1010
#define IDC_ANIMATE_ON_START 1011
#define IDC_VERSION 1012
#define IDC_HOME_PAGE_LINK 1014
#define IDC_SUPPORT_LINK 1015
#define IDC_SEL_TABLE_MOUSE_ON 1017
#define IDC_HOT_KEY_LABEL 1018
#define IDC_HOT_KEY 1019
#define IDC_SORT_BY_NAME 1025
#define IDC_DOCK_SCREEN_LABEL 1020
#define IDC_DOCK_SCREEN 1021
#define IDC_DOCK_SIDE_LABEL 1022
#define IDC_DOCK_SIDE 1023
#define IDC_INNER_EDGE_NOTE 1024
#define IDC_HOT_KEY_WIN 1026

// Commands of the item menu
#define ID_ITEM_DELETE 32774
#define ID_ITEM_RENAME 32778
#define ID_ITEM_GO_TO_LOCATION 32803

// Commands of the drawer menu
#define ID_ADD_TABLE 32775
#define ID_DEL_TABLE 32776
#define ID_ADD_MY_COMPUTER 32790
#define ID_ADD_DESKTOP 32791
#define ID_ADD_MY_DOCUMENTS 32792
#define ID_SETTINGS 32794
#define ID_ADD_WEBSITE 32795
#define ID_ADD_PATH 32796
#define ID_ABOUT 32798
#define ID_RENAME_TABLE 32799
#define ID_QUIT 32801
#define ID_HELP 32804
