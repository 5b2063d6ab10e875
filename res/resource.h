// Resource identifiers shared by milda.rc and the program's code.
#ifndef MILDA_RES_RESOURCE_H
#define MILDA_RES_RESOURCE_H

// Dialog templates.
#define IDD_VERSION 100
#define IDD_GAME 102
#define IDD_OPTIONS 132

// Strings. They number apart from the dialogs, so IDS_GAME_OVER may share 102 with IDD_GAME.
#define IDS_VERSION_MENU 101
#define IDS_GAME_OVER 102
#define IDS_RESULT 103
#define IDS_DRAW 106
#define IDS_FIRST_WINS 107
#define IDS_LAST_WINS 108

#define IDI_APP 128
#define IDR_GAME_MENU 130
#define IDR_GAME_ACCEL 131

// Controls of the Options dialog.
#define IDC_FIRST_PLAYER 1010
#define IDC_LAST_PLAYER 1011
#define IDC_GUIDE 1016

// Menu and accelerator commands.
#define ID_GAME_START 32771
#define ID_GAME_OPTIONS 32773

// System-menu command; the platform keeps the low four bits of SC_ values for itself.
#define ID_VERSION_INFO 0x0010

#endif
