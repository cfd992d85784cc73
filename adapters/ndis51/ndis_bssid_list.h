// The OID_802_11_BSSID_LIST answer of NDIS 5.1 (NDIS_802_11_BSSID_LIST_EX): the OID, NumberOfItems,
// then NDIS_WLAN_BSSID_EX entries back to back, each with its information elements. The driver
// supplies every count and length in it, so the walk is bounded by the bytes it actually returned:
// an entry whose Length is zero, too short for its fields or past the end ends the walk, an IELength
// past the entry is cut to the entry, and an SsidLength above 32 is cut to 32. Older drivers answer
// with NDIS_WLAN_BSSID entries (Length 104: 8 rate bytes, no elements), which are kept.
#pragma once

#include <string>
#include <vector>

#include "adapters/bss_entry.h"
#include "adapters/wlan_adapter.h"

// Every NDISUIO OID answer starts with the 4-byte OID.
constexpr DWORD NDIS_OID_BYTES = 4;

// Byte offsets inside an NDIS_WLAN_BSSID_EX entry.
constexpr DWORD BSS_ENTRY_LENGTH = 0;
constexpr DWORD BSS_ENTRY_MAC = 4;
constexpr DWORD BSS_ENTRY_SSID_LENGTH = 12;
constexpr DWORD BSS_ENTRY_SSID = 16;
constexpr DWORD BSS_ENTRY_PRIVACY = 48;
constexpr DWORD BSS_ENTRY_RSSI = 52;
constexpr DWORD BSS_ENTRY_DS_CONFIG = 72;
constexpr DWORD BSS_ENTRY_MODE = 92;
constexpr DWORD BSS_ENTRY_RATES = 96;
constexpr DWORD BSS_ENTRY_IE_LENGTH = 112;
constexpr DWORD BSS_ENTRY_IES = 116;  // also the smallest NDIS_WLAN_BSSID_EX entry
// The older NDIS_WLAN_BSSID entry ends after 8 rate bytes; a shorter Length holds no entry at all.
constexpr DWORD BSS_OLD_ENTRY_SIZE = 104;

constexpr DWORD BSS_RATE_COUNT = 16;
constexpr DWORD BSS_OLD_RATE_COUNT = 8;
constexpr DWORD BSS_FIXED_IE_BYTES = 12;  // timestamp, beacon interval, capability
constexpr DWORD NDIS_SSID_MAX = 32;

using CNdisBssEntry = CBssEntry;

struct CNdisBssList {
    DWORD dwNumberOfItems = 0;            // what the driver claims
    std::vector<CNdisBssEntry> aEntries;  // the entries that were actually there
};

// Little-endian 32-bit values at any offset (driver buffers carry no alignment promise).
DWORD ReadNdisDword(const BYTE* pb);
void WriteNdisDword(BYTE* pb, DWORD dwValue);

// Parses the answer of cbReturned bytes, OID included. Fewer than 8 bytes: no items.
void ParseBssidList(const BYTE* pbAnswer, DWORD cbReturned, CNdisBssList* pList);
