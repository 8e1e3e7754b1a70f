/* The numbers of the program's resources, written once: pinwell.rc files the
   resources under them and the C++ code (through resource_ids.hpp) loads them
   and reacts to their commands. Plain #defines, because they are all that a
   resource compiler reads. */
#ifndef PINWELL_RESOURCE_IDS_H
#define PINWELL_RESOURCE_IDS_H

/* The menu, and its PopupLocatorTable (RCDATA of the same number). */
#define IDR_MAIN_MENU 30001
/* The toolbar layout (RCDATA) and its button images (BITMAP). */
#define IDR_TOOLBAR 30101
/* Its images at 24 and 32 pixels: IDR_TOOLBAR plus the size. */
#define IDR_TOOLBAR_24 30125
#define IDR_TOOLBAR_32 30133
/* The About box and its text field. */
#define IDD_ABOUT 101
#define IDC_ABOUT_TEXT 1001

/* Identifiers the PopupLocatorTable gives to the popup menus. */
#define IDM_POPUP_FILE 40001
#define IDM_POPUP_HELP 40006
#define IDM_POPUP_OPTIONS 40012
#define IDM_POPUP_RESOLUTION 40013

/* Commands of menu items and toolbar buttons, one space for both; a button's
   tooltip is the string of its command. */
#define IDM_OPEN 40002
#define IDM_SAVE 40003
#define IDM_SAVE_AS 40004
#define IDM_EXIT 40005
#define IDM_ABOUT 40007
#define IDM_EXIT_BUTTON 40010
#define IDM_HELP 40011
#define IDM_RESOLUTION_10 40014
#define IDM_RESOLUTION_5 40015
#define IDM_RESOLUTION_1 40018
#define IDM_ENGLISH_NUMBERS 40019
#define IDM_CONTINENTAL_NUMBERS 40020
#define IDM_FIXES_ONLY 40021
#define IDM_LOCAL_TIME 40022

#endif
