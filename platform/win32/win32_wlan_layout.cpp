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
static_assert(offsetof(WLAN_NOTIFICATION_DATA, InterfaceGuid) == wlan64::NOTIFICATION_DATA_GUID);
static_assert(offsetof(WLAN_NOTIFICATION_DATA, dwDataSize) == wlan64::NOTIFICATION_DATA_DATA_SIZE);
static_assert(offsetof(WLAN_ASSOCIATION_ATTRIBUTES, wlanSignalQuality) == wlan64::ASSOCIATION_SIGNAL_QUALITY);
static_assert(offsetof(WLAN_BSS_ENTRY, lRssi) == wlan64::BSS_ENTRY_RSSI);
static_assert(offsetof(WLAN_BSS_ENTRY, usCapabilityInformation) == wlan64::BSS_ENTRY_CAPABILITY);
static_assert(offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency) == wlan64::BSS_ENTRY_FREQUENCY);
static_assert(offsetof(WLAN_BSS_ENTRY, wlanRateSet) == wlan64::BSS_ENTRY_RATE_SET);
static_assert(offsetof(WLAN_STATISTICS, dwNumberOfPhys) == wlan64::STATISTICS_NUMBER_OF_PHYS);
static_assert(offsetof(WLAN_STATISTICS, PhyCounters) == wlan64::STATISTICS_PHY_COUNTERS);
static_assert(sizeof(WLAN_PHY_FRAME_STATISTICS) == wlan64::PHY_FRAME_STATISTICS_SIZE);
static_assert(sizeof(WLAN_INTERFACE_CAPABILITY) == wlan64::INTERFACE_CAPABILITY_SIZE);
static_assert(offsetof(WLAN_INTERFACE_CAPABILITY, dot11PhyTypes) == wlan64::INTERFACE_CAPABILITY_PHY_TYPES);
static_assert(sizeof(DOT11_SSID) == wlan64::SSID_SIZE);
static_assert(sizeof(WLAN_RATE_SET) == wlan64::RATE_SET_SIZE);
