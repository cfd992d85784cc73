// Windows 11 24H2 and later refuse scans and BSS lists to desktop programs (ERROR_ACCESS_DENIED)
// unless the user allowed them the location. The adapter test still judges the adapter as any
// failed scan; this tells the user why, once per run, and offers the Location settings.
#pragma once

#include "platform/win_defs.h"
#include "ui/sheet_window.h"

inline constexpr const char* LOCATION_DENIED_TEXT =
    "Windows did not allow Nimbrel to scan for wireless networks.  Turn on Location services and \"Let "
    "desktop apps access your location\" in Settings > Privacy & security > Location, then press Back "
    "and Next to test the adapter again.  Open the Location settings now?";
inline constexpr const char* LOCATION_SETTINGS_URI = "ms-settings:privacy-location";

// TRUE once the box was shown in this run; a test started again with Back and Next asks no more.
extern BOOL g_bLocationNoticeShown;

// The Yes/No box owned by the sheet, unless it was shown already; Yes opens the Location settings
// (a failed launch is not reported), No does nothing.
void TellLocationDenied(ISheetWindow& window);
