// 802.11 information elements of a scanned BSS (id byte, length byte, body), as both the NDIS and the
// native WLAN back ends read them: the security they announce and the access point's own name.
// Every read is bounded by cbBlock, the bytes actually present; a walk always advances.
#pragma once

#include <string>

#include "platform/win_defs.h"

// Raises dwCode (the code from the privacy bit) with the RSN and WPA elements found from dwStart
// on: RSN with CCMP, or a short RSN element, gives WPA2; TKIP or the WPA vendor element WPA; WEP
// suites WEP. Stops once the code is WPA2.
DWORD GetElementSecurity(const BYTE* pbBlock, DWORD cbBlock, DWORD dwStart, DWORD dwCode);

// The name carried by the first vendor element 0x85 of at least 26 bytes that ends inside the
// block: 16 bytes from element offset 12, cut at the first zero byte; "" when there is none.
std::string GetElementApName(const BYTE* pbBlock, DWORD cbBlock, DWORD dwStart);
