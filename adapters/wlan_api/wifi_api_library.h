// The library "wlanapi" as the native back end's files share it: the entry points resolved by the
// binding in wifi_api_adapter.cpp. Only the user-interface thread touches them.
#pragma once

#include "platform/wlan_api_table.h"

// The entry points; all null while the library is not loaded.
const CWlanApiTable& WlanApi();

// Releases a buffer of the WLAN API; without WlanFreeMemory no buffer-returning call is made.
void FreeWlanMemory(void* pMemory);
