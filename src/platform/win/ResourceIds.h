#pragma once
// Resource identifiers shared by the exe's .rc file and the code of every layer.
#define IDI_APP 1
#define IDI_MENU 2
#define IDB_FALLBACK_GLYPH 101
#define IDB_TOOLBAR 102
#define IDB_LOGO 103
#define IDB_CDICON 104
#define IDB_DIALOG_PICTURE 105
#define IDD_ABOUT 201
#define IDC_ABOUT_ICON 202
#define IDC_ABOUT_LOGO 203
#define IDC_ABOUT_VERSION 204
#define IDC_ABOUT_COMPANY 205
#define IDC_ABOUT_HOME 206
#define IDC_ABOUT_SUPPORT 207
#define IDC_ABOUT_PANEL 208
#define IDC_ABOUT_LICENCES 209
