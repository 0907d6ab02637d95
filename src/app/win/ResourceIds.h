#pragma once
// Resource identifiers shared by the .rc file and the code.
#define IDI_APP 1
#define IDI_MENU 2
#define IDB_FALLBACK_GLYPH 101
#define IDB_TOOLBAR 102
#define IDB_LOGO 103
#define IDB_CDICON 104
#define IDB_DIALOG_PICTURE 105
