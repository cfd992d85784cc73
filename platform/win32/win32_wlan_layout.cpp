// Compile-time check only: the real WLAN API's records have the layouts of win32_wlan_layout.h.
#include "platform/win32/win32_wlan_layout.h"

#include <windows.h>
#include <wlanapi.h>

static_assert(sizeof(WLAN_INTERFACE_INFO) == wlan64::INTERFACE_INFO_SIZE);
static_assert(offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) == wlan64::INTERFACE_LIST_HEADER);
static_assert(sizeof(WLAN_CONNECTION_ATTRIBUTES) == wlan64::CONNECTION_SIZE);
static_assert(offsetof(WLAN_CONNECTION_ATTRIBUTES, wlanAssociationAttributes) ==
              wlan64::CONNECTION_ASSOCIATION);
static_assert(offsetof(WLAN_BSS_LIST, wlanBssEntries) == wlan64::BSS_LIST_HEADER);
static_assert(sizeof(WLAN_BSS_ENTRY) == wlan64::BSS_ENTRY_SIZE);
static_assert(offsetof(WLAN_BSS_ENTRY, ulIeOffset) == wlan64::BSS_ENTRY_IE_OFFSET);
static_assert(offsetof(WLAN_NOTIFICATION_DATA, pData) == wlan64::NOTIFICATION_DATA_POINTER);
static_assert(sizeof(WLAN_NOTIFICATION_DATA) == wlan64::NOTIFICATION_DATA_SIZE);
