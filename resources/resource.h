// Identifiers of the program's resources: dialog templates, their controls and images. The texts'
// names are in strings/text_ids.h, included here so that one header names every resource.
#pragma once

#include "strings/text_ids.h"

// Dialog templates
#define IDD_HOVRALAUNCH_DIALOG 102
#define IDD_QUESTION           179
#define IDD_WELCOME_PANEL      901
#define IDD_SOFTWARE_PANEL     902
#define IDD_NETWORK_PANEL      903
#define IDD_INSTALL_PANEL      905

// Main dialog controls
#define IDC_NAV_WELCOME       1000
#define IDC_NAV_SOFTWARE      1001
#define IDC_NAV_NETWORK       1002
#define IDC_NAV_INSTALL       1004
#define IDC_GUIDE             1006
#define IDC_RELEASE_NOTES     1007
#define IDC_PANEL_PLACEHOLDER 1008
#define IDC_EXIT              1009
#define IDC_HEADER_CAPTION    1010
#define IDC_BANNER_BAND       1049

// Question box controls
#define IDC_QUESTION_TEXT 1060
#define IDC_QUESTION_ICON 1061

// Images
#define IDR_MAINFRAME        139
#define IDB_BANNER           137
#define IDB_LED              176
#define IDB_LED_RED          177
#define IDB_LED_GREEN        178
#define IDI_WARNING_SIGN     170
#define IDI_EXPAND           171
#define IDI_COLLAPSE         172
#define IDI_INFORMATION_SIGN 174
#define IDC_HAND_CURSOR      1011
