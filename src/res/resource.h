#pragma once
// Shared by zephyrix.rc and the Win32 forms that bind the templates' controls.
#define IDI_MAINICON 1

#include "ZephyrixVersion.h"

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
#define IDC_ABOUTICON 1009

// The "Add items to Launch!" page.
#define IDC_CLIPBOARDCAPTION 1010
#define IDC_SPEEDBUTTON1 1011
#define IDC_LBLEXPLAIN 1012
#define IDC_BTNLAUNCHFILE 1013
#define IDC_BTNLAUNCHASSTARTIN 1014
#define IDC_BTNLAUNCHASPARAM 1015

#define IDM_CLEARABBREV 2001
#define IDM_OPTIONS 2002
#define IDM_EXIT 2003
#define IDM_HELP 2004
#define IDM_ABOUT 2005

// The options dialog (TfrmConfig): the form, its two pages and their controls.
#define IDD_CONFIG 110
#define IDD_CONFIGGENERAL 111
#define IDD_CONFIGLOCATIONS 112

#define IDC_PAGECONTROL1 1100
#define IDC_CONFIGOK 1101
#define IDC_CONFIGCANCEL 1102
#define IDC_CLBLOCATIONS 1103
// One group per hotkey: title, "Pick one..." label, four modifier boxes,
// "and this key:" label, key list and the line below the group.
#define IDC_KEYTITLE 1110
#define IDC_KEYPICK 1111
#define IDC_CBKEYWIN 1112
#define IDC_CBKEYCTRL 1113
#define IDC_CBKEYSHIFT 1114
#define IDC_CBKEYALT 1115
#define IDC_KEYLETTER 1116
#define IDC_CBXKEY 1117
#define IDC_KEYLINE 1118
#define IDC_ADDTITLE 1120
#define IDC_ADDPICK 1121
#define IDC_CBADDWIN 1122
#define IDC_CBADDCTRL 1123
#define IDC_CBADDSHIFT 1124
#define IDC_CBADDALT 1125
#define IDC_ADDLETTER 1126
#define IDC_CBXADD 1127
#define IDC_ADDLINE 1128
#define IDC_RUNTITLE 1130
#define IDC_RUNPICK 1131
#define IDC_CBRUNWIN 1132
#define IDC_CBRUNCTRL 1133
#define IDC_CBRUNSHIFT 1134
#define IDC_CBRUNALT 1135
#define IDC_RUNLETTER 1136
#define IDC_CBXRUN 1137
#define IDC_RUNLINE 1138
// Below the groups: starting the program when the user signs in.
#define IDC_CBSTARTATSIGNIN 1140
