// Classes: DOT11_SSID, WLAN_INTERFACE_INFO, WLAN_INTERFACE_INFO_LIST, WLAN_ASSOCIATION_ATTRIBUTES,
//   WLAN_SECURITY_ATTRIBUTES, WLAN_CONNECTION_ATTRIBUTES, WLAN_RATE_SET, WLAN_BSS_ENTRY,
//   WLAN_BSS_LIST, WLAN_MAC_FRAME_STATISTICS, WLAN_PHY_FRAME_STATISTICS, WLAN_STATISTICS,
//   WLAN_INTERFACE_CAPABILITY, WLAN_NOTIFICATION_DATA.
// The native WLAN API ("wlanapi"): the records, constants and entry-point types of the nine calls
// the native back end makes. The library is loaded at run time through Os().Libraries() and its
// entry points are called through these pointer types, exactly as on Windows. The records are laid
// out as the Windows headers define them (the offsets below are checked); the back end still reads
// the buffers the service returns at explicit offsets, bounded by the sizes the service reports.
#pragma once

#include <cstddef>

#include "platform/rpc.h"
#include "platform/win_defs.h"

#define WLAN_WINAPI NIMBREL_CALLBACK

inline constexpr char WLANAPI_LIBRARY[] = "wlanapi";

// Client version requested from WlanOpenHandle (the Vista API).
constexpr DWORD WLAN_API_VERSION_2_0 = 2;

// Interface states (WLAN_INTERFACE_STATE).
constexpr DWORD wlan_interface_state_not_ready = 0;
constexpr DWORD wlan_interface_state_connected = 1;
constexpr DWORD wlan_interface_state_ad_hoc_network_formed = 2;
constexpr DWORD wlan_interface_state_disconnecting = 3;
constexpr DWORD wlan_interface_state_disconnected = 4;

// WlanQueryInterface opcodes (WLAN_INTF_OPCODE).
constexpr DWORD wlan_intf_opcode_current_connection = 7;
constexpr DWORD wlan_intf_opcode_channel_number = 8;
constexpr DWORD wlan_intf_opcode_statistics = 0x10000101;

// BSS types (DOT11_BSS_TYPE).
constexpr DWORD dot11_BSS_type_infrastructure = 1;
constexpr DWORD dot11_BSS_type_independent = 2;
constexpr DWORD dot11_BSS_type_any = 3;

// Interface types (WLAN_INTERFACE_TYPE).
constexpr DWORD wlan_interface_type_emulated_802_11 = 0;
constexpr DWORD wlan_interface_type_native_802_11 = 1;

// Notifications.
constexpr DWORD WLAN_NOTIFICATION_SOURCE_NONE = 0x00000000;
constexpr DWORD WLAN_NOTIFICATION_SOURCE_ACM = 0x00000008;
constexpr DWORD wlan_notification_acm_scan_complete = 7;
constexpr DWORD wlan_notification_acm_scan_fail = 8;

// 802.11 capability information: privacy bit.
constexpr USHORT DOT11_CAPABILITY_PRIVACY = 0x0010;

constexpr ULONG DOT11_SSID_MAX_LENGTH = 32;
constexpr ULONG DOT11_RATE_SET_MAX_LENGTH = 126;  // entries of usRateSet
constexpr std::size_t WLAN_MAX_NAME_LENGTH = 256;

struct DOT11_SSID {
    ULONG uSSIDLength;
    BYTE ucSSID[DOT11_SSID_MAX_LENGTH];
};

struct WLAN_INTERFACE_INFO {
    GUID InterfaceGuid;
    WCHAR strInterfaceDescription[WLAN_MAX_NAME_LENGTH];
    DWORD isState;
};

struct WLAN_INTERFACE_INFO_LIST {
    DWORD dwNumberOfItems;
    DWORD dwIndex;
    WLAN_INTERFACE_INFO InterfaceInfo[1];
};

struct WLAN_ASSOCIATION_ATTRIBUTES {
    DOT11_SSID dot11Ssid;
    DWORD dot11BssType;
    BYTE dot11Bssid[6];
    DWORD dot11PhyType;
    ULONG uDot11PhyIndex;
    ULONG wlanSignalQuality;
    ULONG ulRxRate;  // kbit/s
    ULONG ulTxRate;  // kbit/s
};

struct WLAN_SECURITY_ATTRIBUTES {
    BOOL bSecurityEnabled;
    BOOL bOneXEnabled;
    DWORD dot11AuthAlgorithm;
    DWORD dot11CipherAlgorithm;
};

struct WLAN_CONNECTION_ATTRIBUTES {
    DWORD isState;
    DWORD wlanConnectionMode;
    WCHAR strProfileName[WLAN_MAX_NAME_LENGTH];
    WLAN_ASSOCIATION_ATTRIBUTES wlanAssociationAttributes;
    WLAN_SECURITY_ATTRIBUTES wlanSecurityAttributes;
};

struct WLAN_RATE_SET {
    ULONG uRateSetLength;  // bytes, two per entry
    USHORT usRateSet[DOT11_RATE_SET_MAX_LENGTH];
};

struct WLAN_BSS_ENTRY {
    DOT11_SSID dot11Ssid;
    ULONG uPhyId;
    BYTE dot11Bssid[6];
    DWORD dot11BssType;
    DWORD dot11BssPhyType;
    LONG lRssi;
    ULONG uLinkQuality;
    BYTE bInRegDomain;
    USHORT usBeaconPeriod;
    ULONGLONG ullTimestamp;
    ULONGLONG ullHostTimestamp;
    USHORT usCapabilityInformation;
    ULONG ulChCenterFrequency;  // kHz
    WLAN_RATE_SET wlanRateSet;
    ULONG ulIeOffset;  // from the start of this entry
    ULONG ulIeSize;
};

struct WLAN_BSS_LIST {
    DWORD dwTotalSize;
    DWORD dwNumberOfItems;
    WLAN_BSS_ENTRY wlanBssEntries[1];
};

struct WLAN_MAC_FRAME_STATISTICS {
    ULONGLONG aullCounters[12];
};

struct WLAN_PHY_FRAME_STATISTICS {
    ULONGLONG ullTransmittedFrameCount;
    ULONGLONG ullMulticastTransmittedFrameCount;
    ULONGLONG ullFailedCount;
    ULONGLONG ullRetryCount;
    ULONGLONG ullMultipleRetryCount;
    ULONGLONG ullMaxTXLifetimeExceededCount;
    ULONGLONG ullTransmittedFragmentCount;
    ULONGLONG ullRTSSuccessCount;
    ULONGLONG ullRTSFailureCount;
    ULONGLONG ullACKFailureCount;
    ULONGLONG ullReceivedFrameCount;
    ULONGLONG ullMulticastReceivedFrameCount;
    ULONGLONG ullPromiscuousReceivedFrameCount;
    ULONGLONG ullMaxRXLifetimeExceededCount;
    ULONGLONG ullFrameDuplicateCount;
    ULONGLONG ullReceivedFragmentCount;
    ULONGLONG ullPromiscuousReceivedFragmentCount;
    ULONGLONG ullFCSErrorCount;
};

struct WLAN_STATISTICS {
    ULONGLONG ullFourWayHandshakeFailures;
    ULONGLONG ullTKIPCounterMeasuresInvoked;
    ULONGLONG ullReserved;
    WLAN_MAC_FRAME_STATISTICS MacUcastCounters;
    WLAN_MAC_FRAME_STATISTICS MacMcastCounters;
    DWORD dwNumberOfPhys;
    WLAN_PHY_FRAME_STATISTICS PhyCounters[1];
};

struct WLAN_INTERFACE_CAPABILITY {
    DWORD interfaceType;
    BOOL bDot11DSupported;
    DWORD dwMaxDesiredSsidListSize;
    DWORD dwMaxDesiredBssidListSize;
    DWORD dwNumberOfSupportedPhys;
    DWORD dot11PhyTypes[64];
};

struct WLAN_NOTIFICATION_DATA {
    DWORD NotificationSource;
    DWORD NotificationCode;
    GUID InterfaceGuid;
    DWORD dwDataSize;
    void* pData;
};

// Byte offsets and sizes of the records (the 32-bit layouts the back end checks).
namespace wlan_layout {
constexpr std::size_t INTERFACE_LIST_HEADER = offsetof(WLAN_INTERFACE_INFO_LIST, InterfaceInfo);
constexpr std::size_t INTERFACE_INFO_SIZE = sizeof(WLAN_INTERFACE_INFO);
constexpr std::size_t CONNECTION_SIZE = sizeof(WLAN_CONNECTION_ATTRIBUTES);
constexpr std::size_t CONNECTION_ASSOCIATION =
    offsetof(WLAN_CONNECTION_ATTRIBUTES, wlanAssociationAttributes);
constexpr std::size_t CONNECTION_SECURITY = offsetof(WLAN_CONNECTION_ATTRIBUTES, wlanSecurityAttributes);
constexpr std::size_t BSS_LIST_HEADER = offsetof(WLAN_BSS_LIST, wlanBssEntries);
constexpr std::size_t BSS_ENTRY_SIZE = sizeof(WLAN_BSS_ENTRY);
constexpr std::size_t STATISTICS_HEADER = offsetof(WLAN_STATISTICS, PhyCounters);
constexpr std::size_t PHY_STATISTICS_SIZE = sizeof(WLAN_PHY_FRAME_STATISTICS);
}  // namespace wlan_layout

static_assert(wlan_layout::INTERFACE_LIST_HEADER == 8 && wlan_layout::INTERFACE_INFO_SIZE == 532);
static_assert(wlan_layout::CONNECTION_SIZE == 604 && wlan_layout::CONNECTION_ASSOCIATION == 520 &&
              wlan_layout::CONNECTION_SECURITY == 588);
static_assert(offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Bssid) == 40 &&
              offsetof(WLAN_ASSOCIATION_ATTRIBUTES, wlanSignalQuality) == 56);
static_assert(wlan_layout::BSS_LIST_HEADER == 8 && wlan_layout::BSS_ENTRY_SIZE == 360);
static_assert(offsetof(WLAN_BSS_ENTRY, lRssi) == 56 &&
              offsetof(WLAN_BSS_ENTRY, usCapabilityInformation) == 88 &&
              offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency) == 92 &&
              offsetof(WLAN_BSS_ENTRY, wlanRateSet) == 96 && offsetof(WLAN_BSS_ENTRY, ulIeOffset) == 352);
static_assert(wlan_layout::STATISTICS_HEADER == 224 && wlan_layout::PHY_STATISTICS_SIZE == 144);
static_assert(offsetof(WLAN_STATISTICS, dwNumberOfPhys) == 216);

typedef void(WLAN_WINAPI* WLAN_NOTIFICATION_CALLBACK)(WLAN_NOTIFICATION_DATA* pData, void* pContext);

typedef DWORD(WLAN_WINAPI* PFN_WlanOpenHandle)(DWORD dwClientVersion, void* pReserved,
                                               DWORD* pdwNegotiatedVersion, HANDLE* phClientHandle);
typedef DWORD(WLAN_WINAPI* PFN_WlanCloseHandle)(HANDLE hClientHandle, void* pReserved);
typedef DWORD(WLAN_WINAPI* PFN_WlanEnumInterfaces)(HANDLE hClientHandle, void* pReserved,
                                                   WLAN_INTERFACE_INFO_LIST** ppInterfaceList);
typedef void(WLAN_WINAPI* PFN_WlanFreeMemory)(void* pMemory);
typedef DWORD(WLAN_WINAPI* PFN_WlanQueryInterface)(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                                                   DWORD opCode, void* pReserved, DWORD* pdwDataSize,
                                                   void** ppData, DWORD* pWlanOpcodeValueType);
typedef DWORD(WLAN_WINAPI* PFN_WlanGetNetworkBssList)(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                                                      const DOT11_SSID* pDot11Ssid, DWORD dot11BssType,
                                                      BOOL bSecurityEnabled, void* pReserved,
                                                      WLAN_BSS_LIST** ppWlanBssList);
typedef DWORD(WLAN_WINAPI* PFN_WlanScan)(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                                         const DOT11_SSID* pDot11Ssid, const void* pIeData, void* pReserved);
typedef DWORD(WLAN_WINAPI* PFN_WlanGetInterfaceCapability)(HANDLE hClientHandle, const GUID* pInterfaceGuid,
                                                           void* pReserved,
                                                           WLAN_INTERFACE_CAPABILITY** ppCapability);
typedef DWORD(WLAN_WINAPI* PFN_WlanRegisterNotification)(HANDLE hClientHandle, DWORD dwNotifSource,
                                                         BOOL bIgnoreDuplicate,
                                                         WLAN_NOTIFICATION_CALLBACK funcCallback,
                                                         void* pCallbackContext, void* pReserved,
                                                         DWORD* pdwPrevNotifSource);

// The entry points in the order the back end resolves them.
inline constexpr const char* WLANAPI_ENTRY_POINTS[] = {
    "WlanOpenHandle",           "WlanCloseHandle",       "WlanEnumInterfaces", "WlanFreeMemory",
    "WlanQueryInterface",       "WlanGetNetworkBssList", "WlanScan",           "WlanGetInterfaceCapability",
    "WlanRegisterNotification",
};
