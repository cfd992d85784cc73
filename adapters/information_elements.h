// 802.11 information elements of a scanned BSS (id byte, length byte, body), as both the NDIS and the
// native WLAN back ends read them: the security they announce and the access point's own name.
// Every read is bounded by cbBlock, the bytes actually present; a walk always advances.
#pragma once

#include "adapters/wlan_adapter.h"
#include "platform/win_defs.h"

// What one walk over the elements from dwStart on finds.
struct CElementFindings {
    // The code the privacy bit gave, raised by the RSN and WPA elements: RSN with CCMP, or a short
    // RSN element, gives WPA2; TKIP or the WPA vendor element WPA; WEP suites WEP. Left as given when
    // the walk was not asked for it.
    DWORD dwSecurity = SECURITY_CLEAR;
    // The name carried by the first vendor element 0x85 of at least 26 bytes that ends inside the
    // block: 16 bytes from element offset 12, cut at the first zero byte; "" when there is none.
    CApName apName;
};

// Walks the elements once for both findings, and stops as soon as neither can change: the name is
// found and the security code is WPA2 (or was not asked for: bSecurity FALSE leaves dwCode as it is).
CElementFindings ReadElements(const BYTE* pbBlock, DWORD cbBlock, DWORD dwStart, BOOL bSecurity,
                              DWORD dwCode);
