#pragma once
// Shared by zephyrix.rc and the Win32 forms that bind the templates' controls.
#define IDI_MAINICON 1

#define ZX_VERSION_TEXT "0.1.0"

#define IDD_SEARCHUI 100
#define IDD_SEARCHRUNNINGUI 101
#define IDD_SELECTOR 102
#define IDD_ABOUT 103
#define IDD_MAIN 104
#define IDD_LAUNCHPAGE 105
#define IDD_ADDITEMSPAGE 106
#define IDD_RUNNINGPAGE 107

#define IDR_MAINMENU 200

#define IDC_EDLAUNCH 1001
#define IDC_BUTTON1 1002
#define IDC_LBSEARCH 1003
#define IDC_FRAME1 1004
#define IDC_PCMAIN 1005
#define IDC_EDCLIPBOARD 1006
#define IDC_ABOUTTEXT 1007
#define IDC_BTNOK 1008

#define IDM_CLEARABBREV 2001
#define IDM_OPTIONS 2002
#define IDM_EXIT 2003
#define IDM_HELP 2004
#define IDM_ABOUT 2005
