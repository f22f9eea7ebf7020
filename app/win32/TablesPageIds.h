#pragma once

// The Table page's resource ids, as the resource script needs them (plain #defines, so
// windres reads them too). The template, its grid and buttons and the page's own
// controls keep the numbers of app/Resources.h; the page checks that at compile time.
// The update's confirmation and the page's questions are dialogs of their own.

#define IDD_TABLES 134
#define IDC_TABLES_GRID 1006
#define IDC_READ_DRIVE 1007
#define IDC_DRIVE_TO_FILE 1008
#define IDC_READ_FILE 1009
#define IDC_UPDATE_DRIVE 1010
#define IDC_CLEAR_TABLE 1011
#define IDC_FILE_TO_NEW_FILE 1012

#define IDC_TABLES_STOP 1030
#define IDC_MARK_DIFFERING 1031
#define IDC_TABLES_FILE_NAME 1032
#define IDC_ONLY_DIFFERING 1033
#define IDC_COMPARE_NUMBERS 1034
#define IDC_VERIFY_AFTER_UPDATE 1035
#define IDC_TABLES_STATUS 1036
#define IDC_TABLES_PROGRESS 1037
#define IDC_FIND_LABEL 1038
#define IDC_FIND_EDIT 1039

// The question before "Update DC Drive".
#define IDD_UPDATE_CONFIRM 240
#define IDC_CONFIRM_HEADING 1040
#define IDC_CONFIRM_CHANGES 1041
#define IDC_CONFIRM_LEFT_ALONE_LABEL 1042
#define IDC_CONFIRM_LEFT_ALONE 1043
#define IDC_CONFIRM_UPDATE 1044

// The page's questions: a text and up to three answers.
#define IDD_TABLES_QUESTION 241
#define IDC_QUESTION_TEXT 1045
#define IDC_ANSWER_FIRST 1046

// The grid's context menu.
#define IDM_SAVE_REPORT 1060
