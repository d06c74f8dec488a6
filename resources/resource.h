// Identifiers of the program's resources, commands and controls.
#pragma once

// Menu, icon, images, dialog templates.
#define IDR_MAINMENU 101
#define IDI_APPICON 102
#define IDI_APPICON_SMALL 103 // the icon drawn for 16 x 16, for the desktop's small sizes
#define IDB_CRASH 106
#define IDB_CRASHMASK 110
#define IDD_NAME 111
#define IDD_ABOUT 112

// Controls.
#define IDC_NAME 1000
#define IDC_STATIC (-1)

// Menu commands.
#define ID_GAME_START 40001
#define ID_GAME_EXIT 40002
#define ID_APP_ABOUT 40004
#define ID_RANKING 40005
