// Resource ids of the Windows desktop program: read by the resource script and by the
// C++ code. The numbers of the controls, templates and strings the pages share with the
// Qt program are kept equal to app/Resources.h by a test.
#pragma once

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_TOVAMO_DIALOG 102
#define IDD_EDIT 129
#define IDD_SHEET 140

// The application icon.
#define IDR_MAINFRAME 128

// The port dialog's system-menu command for the about box.
#define IDM_ABOUTBOX 0x0010

// String table.
#define IDS_ABOUTBOX 101
#define IDS_UNKNOWN_ERROR 102
#define IDS_HARDWARE_NOT_PRESENT 103
#define IDS_HARDWARE_BUSY 104
#define IDS_SHEET_CAPTION 105

// Controls.
#define IDC_COMBO1 1001
#define IDC_NAME 1002
#define IDC_VALUE 1003
#define IDC_ERROR 1004
// Where the selected COM port leads, under the combo box of the port dialog.
#define IDC_DEVICE 1020
// The sheet's tab control.
#define IDC_TAB_CONTROL 1021
// The sheet's line beside Cancel that tells of a lost and regained port.
#define IDC_LINK_STATE 1022

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
