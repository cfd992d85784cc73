// Compile-time check only: the real WLAN API's records have the layouts of win32_wlan_layout.h for
// the architecture being built.
#include "platform/win32/win32_wlan_layout.h"

#include <windows.h>

#include <wlanapi.h>

static_assert(sizeof(WLAN_INTERFACE_INFO) == wlan_target::INTERFACE_INFO_SIZE);
static_assert(offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) == wlan_target::INTERFACE_LIST_HEADER);
static_assert(sizeof(WLAN_CONNECTION_ATTRIBUTES) == wlan_target::CONNECTION_SIZE);
static_assert(offsetof(WLAN_CONNECTION_ATTRIBUTES, wlanAssociationAttributes) ==
              wlan_target::CONNECTION_ASSOCIATION);
static_assert(offsetof(WLAN_BSS_LIST, wlanBssEntries) == wlan_target::BSS_LIST_HEADER);
static_assert(sizeof(WLAN_BSS_ENTRY) == wlan_target::BSS_ENTRY_SIZE);
static_assert(offsetof(WLAN_BSS_ENTRY, ulIeOffset) == wlan_target::BSS_ENTRY_IE_OFFSET);
static_assert(offsetof(WLAN_NOTIFICATION_DATA, pData) == wlan_target::NOTIFICATION_DATA_POINTER);
static_assert(sizeof(WLAN_NOTIFICATION_DATA) == wlan_target::NOTIFICATION_DATA_SIZE);
static_assert(offsetof(WLAN_NOTIFICATION_DATA, InterfaceGuid) == wlan_target::NOTIFICATION_DATA_GUID);
static_assert(offsetof(WLAN_NOTIFICATION_DATA, dwDataSize) == wlan_target::NOTIFICATION_DATA_DATA_SIZE);
static_assert(offsetof(WLAN_ASSOCIATION_ATTRIBUTES, wlanSignalQuality) ==
              wlan_target::ASSOCIATION_SIGNAL_QUALITY);
static_assert(offsetof(WLAN_BSS_ENTRY, lRssi) == wlan_target::BSS_ENTRY_RSSI);
static_assert(offsetof(WLAN_BSS_ENTRY, usCapabilityInformation) == wlan_target::BSS_ENTRY_CAPABILITY);
static_assert(offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency) == wlan_target::BSS_ENTRY_FREQUENCY);
static_assert(offsetof(WLAN_BSS_ENTRY, wlanRateSet) == wlan_target::BSS_ENTRY_RATE_SET);
static_assert(offsetof(WLAN_STATISTICS, dwNumberOfPhys) == wlan_target::STATISTICS_NUMBER_OF_PHYS);
static_assert(offsetof(WLAN_STATISTICS, PhyCounters) == wlan_target::STATISTICS_PHY_COUNTERS);
static_assert(sizeof(WLAN_PHY_FRAME_STATISTICS) == wlan_target::PHY_FRAME_STATISTICS_SIZE);
static_assert(sizeof(WLAN_INTERFACE_CAPABILITY) == wlan_target::INTERFACE_CAPABILITY_SIZE);
static_assert(offsetof(WLAN_INTERFACE_CAPABILITY, dot11PhyTypes) ==
              wlan_target::INTERFACE_CAPABILITY_PHY_TYPES);
static_assert(sizeof(DOT11_SSID) == wlan_target::SSID_SIZE);
static_assert(sizeof(WLAN_RATE_SET) == wlan_target::RATE_SET_SIZE);
