// Every id of the program's resources: the dialog templates (pages), their controls, the string
// table and the controls the progress window creates. The one place these numbers are written: the
// resource script includes it (the resource compiler and the project's own reader, which takes
// only directives and comments here) and so does the C++.
#pragma once

// Page templates (the page numbers of the wizard).
#define IDD_WELCOME 104
#define IDD_INTRO 105
#define IDD_LIST 108
#define IDD_ADAPTER 109
#define IDD_SUPPORTED 110
#define IDD_POST 111
#define IDD_THANK_YOU 112
#define IDD_NONE_FOUND 113
#define IDD_NONE_SUPPORTED 114
#define IDD_SELECT_ONE 115

// Controls of the pages.
#define IDC_WEB_SITE 1002
#define IDC_SUPPORTED_LIST 1003
#define IDC_UNLIKELY_LIST 1004
#define IDC_REPORTED_BY 1005
#define IDC_EMAIL 1006
#define IDC_OS_VERSION 1007
#define IDC_POST_CHECK 1009
#define IDC_LIKELY_LIST 1010
#define IDC_INTRO_HELP 1011
#define IDC_ADAPTER_NAME 1014
#define IDC_SUPPORTED_TEXT 1015
#define IDC_DRIVER_VERSION 1016
#define IDC_SCAN_RATE 1017
#define IDC_TIPS_HELP 1018
#define IDC_AP_LIST 1019
#define IDC_RESULTS_LIST 1020
#define IDC_WELCOME_WEB 1021
#define IDC_NONEFOUND_EMAIL 1022
#define IDC_THANKYOU_EMAIL 1023

// Children of the progress window, which it creates itself (no template).
#define IDC_PROGRESS_CANCEL 10
#define IDC_PROGRESS_TEXT 11
#define IDC_PROGRESS_BAR 12

// String table: the sheet's caption and each page's header title and subtitle.
#define IDS_SHEET_CAPTION 103
#define IDS_INTRO_TITLE 104
#define IDS_INTRO_SUBTITLE 105
#define IDS_PAGE_CAPTION 106
#define IDS_LIST_TITLE 107
#define IDS_LIST_SUBTITLE 108
#define IDS_THANK_YOU_TITLE 109
#define IDS_THANK_YOU_SUBTITLE 110
#define IDS_ADAPTER_TITLE 111
#define IDS_ADAPTER_SUBTITLE 112
#define IDS_SUPPORTED_TITLE 113
#define IDS_SUPPORTED_SUBTITLE 114
#define IDS_POST_TITLE 115
#define IDS_POST_SUBTITLE 116
#define IDS_NONE_FOUND_TITLE 117
#define IDS_NONE_FOUND_SUBTITLE 118
#define IDS_SELECT_ONE_TITLE 119
#define IDS_SELECT_ONE_SUBTITLE 120
#define IDS_NONE_SUPPORTED_TITLE 121
#define IDS_NONE_SUPPORTED_SUBTITLE 122
