// Control and window identifiers, shared by the program and its end-to-end tests.
#pragma once

#define IDI_APPLICATION_ICON 1

// Windows (dialog templates)
#define IDD_MAIN 100
#define IDD_ERROR 101
#define IDD_ABOUT 102
#define IDD_INSTALL 103
#define IDD_DESKTOP_POSITION 104
#define IDD_COLOR 105
#define IDD_PAGE 110              // an empty page; its controls are made in code
#define IDD_PAGE_WALLPAPER 111    // holds PageControl2
#define IDD_PAGE_CALENDAR 112     // holds PageControl1
#define IDD_PAGE_PROGRAM 113      // the "General" page of the program
#define IDD_PAGE_WALLPAPER_GENERAL 120
#define IDD_PAGE_RESIZE 121
#define IDD_PAGE_EFFECTS 122
#define IDD_PAGE_DIRECTORIES 123
#define IDD_PAGE_BROADCAST 124

// Main window
#define IDC_ABOUT_LABEL 1001
#define IDC_HELP_LABEL 1002
#define IDC_CLOSE_PROGRAM_LABEL 1003
#define IDC_PAGE_CONTROL 1004
#define IDC_PAGE_CONTROL2 1005
#define IDC_PAGE_CONTROL1 1006

// "General" page of the program (1600-1699)
#define IDC_AUTORUN_CHECKBOX 1601
#define IDC_HIDE_ON_CLOSE_CHECKBOX 1602
#define IDC_HOTKEY_COMBOBOX 1603
#define IDC_HOTKEY_EXPLANATION 1604
#define IDC_DESKTOP_MARGIN_COMBOBOX 1605
#define IDC_DESKTOP_MARGIN_CAPTION 1606
#define IDC_HOTKEY_CAPTION 1607

// Error window (3000-3099)
#define IDC_ERROR_MEMO 3001
#define IDC_ERROR_OKAY 3002
#define IDC_ERROR_OKAY_NO_ERRORS 3003
#define IDC_ERROR_CANCEL 3004
#define IDC_ERROR_TERMINATE 3005
#define IDC_ERROR_LOG 3006
#define IDC_ERROR_HELP 3007
#define IDC_ERROR_RECURSION 3008

// Tray icon
#define TRAY_ICON_ID 1000
#define WM_TRAY_CALLBACK 1124

// About window (3100-3199)
#define IDC_ABOUT_PROGRAM_NAME 3101
#define IDC_ABOUT_PROGRAM_VERSION 3102
