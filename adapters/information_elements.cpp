#include "adapters/information_elements.h"

#include <algorithm>

#include "adapters/wlan_adapter.h"

namespace {
constexpr BYTE ELEMENT_RSN = 0x30;
constexpr BYTE ELEMENT_VENDOR = 0xDD;
constexpr BYTE ELEMENT_AP_NAME = 0x85;
constexpr DWORD RSN_SHORT_LENGTH = 12;
constexpr DWORD AP_NAME_MIN_LENGTH = 26;
constexpr DWORD AP_NAME_OFFSET = 12;
constexpr DWORD AP_NAME_LENGTH = 16;
constexpr BYTE RSN_OUI[3] = {0x00, 0x0F, 0xAC};
constexpr BYTE WPA_OUI_TYPE[4] = {0x00, 0x50, 0xF2, 0x01};

// An element whose whole body lies before the end of the block (the last byte excluded, as the
// driver's layout has always been read).
bool EndsInside(DWORD dwPos, DWORD dwLength, DWORD cbBlock) {
    return dwPos + 2 + dwLength < cbBlock;
}

DWORD SuiteCode(BYTE bType) {
    switch (bType) {
        case 4:
            return SECURITY_WPA2;  // CCMP
        case 2:
            return SECURITY_WPA;  // TKIP
        case 1:
        case 5:
            return SECURITY_WEP;  // WEP-40, WEP-104
        default:
            return SECURITY_CLEAR;
    }
}

DWORD RsnCode(const BYTE* pbBlock, DWORD cbBlock, DWORD dwPos, DWORD dwLength, DWORD dwCode) {
    if (dwLength < RSN_SHORT_LENGTH) {
        return SECURITY_WPA2;
    }
    const DWORD dwCount = pbBlock[dwPos + 8] | (pbBlock[dwPos + 9] << 8);
    for (DWORD i = 0; i < dwCount; ++i) {
        const DWORD dwSuite = dwPos + 10 + 4 * i;
        // A suite counts only when all four of its bytes were delivered.
        if (dwSuite + 4 > cbBlock) {
            break;
        }
        if (std::equal(RSN_OUI, RSN_OUI + 3, pbBlock + dwSuite)) {
            dwCode = std::max(dwCode, SuiteCode(pbBlock[dwSuite + 3]));
        }
    }
    return dwCode;
}
// dwCode raised by the element at dwPos when it is an RSN element or the WPA vendor element.
DWORD RaiseSecurity(const BYTE* pbBlock, DWORD cbBlock, DWORD dwPos, DWORD dwCode) {
    const BYTE bId = pbBlock[dwPos];
    const DWORD dwLength = pbBlock[dwPos + 1];
    if (bId == ELEMENT_RSN && dwPos + 3 < cbBlock && pbBlock[dwPos + 2] == 1 && pbBlock[dwPos + 3] == 0 &&
        EndsInside(dwPos, dwLength, cbBlock)) {
        return RsnCode(pbBlock, cbBlock, dwPos, dwLength, dwCode);
    }
    if (bId == ELEMENT_VENDOR && dwPos + 5 < cbBlock && dwLength >= 4 &&
        std::equal(WPA_OUI_TYPE, WPA_OUI_TYPE + 4, pbBlock + dwPos + 2)) {
        return SECURITY_WPA;
    }
    return dwCode;
}
}  // namespace

CElementFindings ReadElements(const BYTE* pbBlock, DWORD cbBlock, DWORD dwStart, BOOL bSecurity,
                              DWORD dwCode) {
    CElementFindings found;
    found.dwSecurity = dwCode;
    bool bWantSecurity = bSecurity && dwCode < SECURITY_WPA2;
    bool bWantName = true;
    for (DWORD dwPos = dwStart; dwPos + 1 < cbBlock && (bWantSecurity || bWantName);) {
        const BYTE bId = pbBlock[dwPos];
        const DWORD dwLength = pbBlock[dwPos + 1];
        if (bId == ELEMENT_AP_NAME) {
            if (bWantName && dwLength >= AP_NAME_MIN_LENGTH && EndsInside(dwPos, dwLength, cbBlock)) {
                found.apName.Assign(reinterpret_cast<const char*>(pbBlock + dwPos + AP_NAME_OFFSET),
                                    AP_NAME_LENGTH);
                bWantName = false;
            }
        } else if (bWantSecurity) {
            found.dwSecurity = RaiseSecurity(pbBlock, cbBlock, dwPos, found.dwSecurity);
            bWantSecurity = found.dwSecurity < SECURITY_WPA2;
        }
        dwPos += dwLength + 2;
    }
    return found;
}
