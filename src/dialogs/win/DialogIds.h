#pragma once
// Resource identifiers of the property dialogs, the link editor and the file input, shared by
// their templates in Corvela.rc and the dialog classes.

#define IDD_FORM_PROPERTIES 301
#define IDD_LABEL_PROPERTIES 302
#define IDD_BUTTON_PROPERTIES 303
#define IDD_IMAGE_PROPERTIES 304
#define IDD_LINK 305
#define IDD_GET_FILE 306
#define IDD_CHECK_DISC 307
#define IDD_MAKE_ISO 308

// In every dialog that has them: the decorative picture and the framed area.
#define IDC_DIALOG_PICTURE 1001
#define IDC_DIALOG_FRAME 1002

// Form Properties
#define IDC_FORM_CAPTION 1101
#define IDC_FORM_ICON 1102
#define IDC_FORM_ICON_SELECT 1103
#define IDC_START_SOUND 1104
#define IDC_START_SOUND_SELECT 1105
#define IDC_BACK_COLOR 1106
#define IDC_BACK_COLOR_SELECT 1107
#define IDC_GRADIENT_STYLE 1108
#define IDC_GRADIENT_COLOR 1109
#define IDC_GRADIENT_COLOR_SELECT 1110
#define IDC_BORDER_STYLE 1111
#define IDC_POSITION 1112
#define IDC_TRANSPARENT_COLOR 1113
#define IDC_TRANSPARENT_COLOR_SELECT 1114
#define IDC_TRANSPARENT 1115
#define IDC_PANEL_GROUP 1116
#define IDC_PANEL_BORDER_STYLE 1117
#define IDC_PANEL_BORDER_WIDTH 1118
#define IDC_PANEL_BORDER_WIDTH_SPIN 1119
#define IDC_BEVEL_INNER 1120
#define IDC_BEVEL_OUTER 1121
#define IDC_BEVEL_WIDTH 1122
#define IDC_BEVEL_WIDTH_SPIN 1123
#define IDC_DISC_LABEL 1130
#define IDC_MENU_WIDTH 1124
#define IDC_MENU_HEIGHT 1125

// Label and Button Properties
#define IDC_CAPTION 1201
#define IDC_ALIGNMENT 1202
#define IDC_LAYOUT 1203
#define IDC_COLOR 1204
#define IDC_COLOR_SELECT 1205
#define IDC_FONT 1206
#define IDC_FONT_SELECT 1207
#define IDC_HOT_FONT 1208
#define IDC_HOT_FONT_SELECT 1209
#define IDC_BITMAP 1210
#define IDC_BITMAP_SELECT 1211
#define IDC_HOT_BITMAP 1212
#define IDC_HOT_BITMAP_SELECT 1213
#define IDC_MARGIN 1214
#define IDC_MARGIN_SPIN 1215
#define IDC_SPACING 1216
#define IDC_SPACING_SPIN 1217
#define IDC_FLAT 1218
// IDC_TRANSPARENT serves these dialogs too.
// Label, Button and Image Properties: what screen readers say of the object.
#define IDC_HINT 1219

// Image Properties
#define IDC_DISPLAY_STYLE 1301
#define IDC_IMAGE_FILE 1302
#define IDC_IMAGE_FILE_SELECT 1303
#define IDC_HOT_IMAGE_FILE 1304
#define IDC_HOT_IMAGE_FILE_SELECT 1305

// Edit Link
#define IDC_LINK_ACTION 1401
#define IDC_LINK_TARGET 1402
#define IDC_LINK_BROWSE 1403
#define IDC_LINK_PARAMETERS 1404
#define IDC_LINK_START_DIRECTORY 1405

// File input
#define IDC_FILE_PROMPT 1501
#define IDC_FILE_NAME 1502
#define IDC_FILE_SELECT 1503

// Check Disc
#define IDC_CHECK_LIST 1601
#define IDC_CHECK_SUMMARY 1602

// Make ISO Image
#define IDC_ISO_STATUS 1701
#define IDC_ISO_PROGRESS 1702
