// One BSS of a driver's scan list, converted to what the scan result set records; the NDIS and the
// native WLAN list walks both produce it.
#pragma once

#include <cstring>
#include "adapters/wlan_adapter.h"

struct CBssEntry {
    BYTE abMac[BSSID_LENGTH] = {};
    CSsidText strSsid;  // up to the first zero byte
    LONG nRssi = 0;
    short nChannel = -1;
    DWORD dwSecurity = SECURITY_CLEAR;
    DWORD dwMode = MODE_INFRASTRUCTURE;
    short nRate = 0;    // Mbps
    CApName strApName;  // from the 0x85 element, "" without one
};

// A value of type T at any offset of a driver buffer (which carries no alignment promise).
template <typename T>
T ReadAt(const BYTE* pb, std::size_t nOffset) {
    T value;
    std::memcpy(&value, pb + nOffset, sizeof(T));
    return value;
}
