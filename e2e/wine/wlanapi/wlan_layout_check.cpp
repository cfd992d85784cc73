// The seam's WLAN records against the Windows SDK headers of MinGW-w64: the same sizes and offsets
// (platform/wlan_api.h asserts these numbers for its own records), so the real program and this DLL
// exchange buffers in the layouts Windows uses. Compiling this file is the check.
#include <windows.h>

#include <wlanapi.h>

#include <cstddef>

static_assert(offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo) == 8 && sizeof(WLAN_INTERFACE_INFO) == 532);
static_assert(sizeof(WLAN_CONNECTION_ATTRIBUTES) == 604 &&
              offsetof(WLAN_CONNECTION_ATTRIBUTES, wlanAssociationAttributes) == 520 &&
              offsetof(WLAN_CONNECTION_ATTRIBUTES, wlanSecurityAttributes) == 588);
static_assert(offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Bssid) == 40 &&
              offsetof(WLAN_ASSOCIATION_ATTRIBUTES, wlanSignalQuality) == 56);
static_assert(offsetof(WLAN_BSS_LIST, wlanBssEntries) == 8 && sizeof(WLAN_BSS_ENTRY) == 360);
static_assert(offsetof(WLAN_BSS_ENTRY, lRssi) == 56 &&
              offsetof(WLAN_BSS_ENTRY, usCapabilityInformation) == 88 &&
              offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency) == 92 &&
              offsetof(WLAN_BSS_ENTRY, wlanRateSet) == 96 && offsetof(WLAN_BSS_ENTRY, ulIeOffset) == 352);
static_assert(offsetof(WLAN_STATISTICS, PhyCounters) == 224 && sizeof(WLAN_PHY_FRAME_STATISTICS) == 144 &&
              offsetof(WLAN_STATISTICS, dwNumberOfPhys) == 216);
static_assert(sizeof(WLAN_INTERFACE_CAPABILITY) == 276 &&
              offsetof(WLAN_INTERFACE_CAPABILITY, dot11PhyTypes) == 20);
static_assert(offsetof(WLAN_NOTIFICATION_DATA, InterfaceGuid) == 8 &&
              offsetof(WLAN_NOTIFICATION_DATA, dwDataSize) == 24 &&
              offsetof(WLAN_NOTIFICATION_DATA, pData) == 32 && sizeof(WLAN_NOTIFICATION_DATA) == 40);
static_assert(sizeof(DOT11_SSID) == 36 && sizeof(WLAN_RATE_SET) == 256);
