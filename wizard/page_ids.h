// Page numbers (dialog template numbers) and the string ids of the sheet and its pages.
#pragma once

#include "platform/win_defs.h"

constexpr UINT IDD_WELCOME = 104;
constexpr UINT IDD_INTRO = 105;
constexpr UINT IDD_LIST = 108;
constexpr UINT IDD_ADAPTER = 109;
constexpr UINT IDD_SUPPORTED = 110;
constexpr UINT IDD_POST = 111;
constexpr UINT IDD_THANK_YOU = 112;
constexpr UINT IDD_NONE_FOUND = 113;
constexpr UINT IDD_NONE_SUPPORTED = 114;
constexpr UINT IDD_SELECT_ONE = 115;

constexpr UINT IDS_SHEET_CAPTION = 103;
constexpr UINT IDS_INTRO_TITLE = 104;
constexpr UINT IDS_INTRO_SUBTITLE = 105;
constexpr UINT IDS_PAGE_CAPTION = 106;
constexpr UINT IDS_LIST_TITLE = 107;
constexpr UINT IDS_LIST_SUBTITLE = 108;
constexpr UINT IDS_THANK_YOU_TITLE = 109;
constexpr UINT IDS_THANK_YOU_SUBTITLE = 110;
constexpr UINT IDS_ADAPTER_TITLE = 111;
constexpr UINT IDS_ADAPTER_SUBTITLE = 112;
constexpr UINT IDS_SUPPORTED_TITLE = 113;
constexpr UINT IDS_SUPPORTED_SUBTITLE = 114;
constexpr UINT IDS_POST_TITLE = 115;
constexpr UINT IDS_POST_SUBTITLE = 116;
constexpr UINT IDS_NONE_FOUND_TITLE = 117;
constexpr UINT IDS_NONE_FOUND_SUBTITLE = 118;
constexpr UINT IDS_SELECT_ONE_TITLE = 119;
constexpr UINT IDS_SELECT_ONE_SUBTITLE = 120;
constexpr UINT IDS_NONE_SUPPORTED_TITLE = 121;
constexpr UINT IDS_NONE_SUPPORTED_SUBTITLE = 122;

// Help topics of the compiled help file.
inline constexpr const char* HELP_TOPIC_DEFAULT = "default";
inline constexpr const char* HELP_TOPIC_TROUBLESHOOT = "Troubleshoot";
