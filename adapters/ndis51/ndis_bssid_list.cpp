#include "adapters/ndis51/ndis_bssid_list.h"

#include <algorithm>
#include <cstring>

#include "adapters/channel_frequency.h"
#include "adapters/information_elements.h"

namespace {

constexpr DWORD LIST_HEADER_BYTES = NDIS_OID_BYTES + 4;  // OID, NumberOfItems
// The security walk looks at the elements only when the block holds more than its fixed part and
// one element header.
constexpr DWORD MIN_IE_LENGTH_FOR_SECURITY = 13;

short HighestRate(const BYTE* pbRates, DWORD dwCount) {
    int nLargest = -1;
    for (DWORD i = 0; i < dwCount; ++i) {
        nLargest = std::max(nLargest, pbRates[i] & 0x7F);
    }
    return static_cast<short>((nLargest + 1) / 2);  // units of 500 kbit/s → Mbps
}

// pbEntry holds cbEntry bytes, at least BSS_OLD_ENTRY_SIZE; below BSS_ENTRY_IES it is the older
// layout, without IELength and elements.
CNdisBssEntry ParseEntry(const BYTE* pbEntry, DWORD cbEntry) {
    CNdisBssEntry entry;
    std::memcpy(entry.abMac, pbEntry + BSS_ENTRY_MAC, BSSID_LENGTH);
    const DWORD cbSsid = std::min(ReadNdisDword(pbEntry + BSS_ENTRY_SSID_LENGTH), NDIS_SSID_MAX);
    // Text up to the first zero byte: a hidden network sends its length with zero bytes.
    entry.strSsid.Assign(reinterpret_cast<const char*>(pbEntry + BSS_ENTRY_SSID), cbSsid);
    entry.nRssi = static_cast<LONG>(ReadNdisDword(pbEntry + BSS_ENTRY_RSSI));
    entry.nChannel = BssChannelFromDsConfigKhz(ReadNdisDword(pbEntry + BSS_ENTRY_DS_CONFIG));
    entry.dwMode = ReadNdisDword(pbEntry + BSS_ENTRY_MODE);
    const bool bExtended = cbEntry >= BSS_ENTRY_IES;
    entry.nRate = HighestRate(pbEntry + BSS_ENTRY_RATES, bExtended ? BSS_RATE_COUNT : BSS_OLD_RATE_COUNT);
    const bool bPrivacy = ReadNdisDword(pbEntry + BSS_ENTRY_PRIVACY) != 0;
    entry.dwSecurity = bPrivacy ? SECURITY_WEP : SECURITY_CLEAR;
    if (!bExtended) {
        return entry;  // no elements: Clear or WEP, no AP name
    }

    // The elements end with the entry, whatever IELength claims.
    const BYTE* pbIes = pbEntry + BSS_ENTRY_IES;
    const DWORD cbIes = std::min(ReadNdisDword(pbEntry + BSS_ENTRY_IE_LENGTH), cbEntry - BSS_ENTRY_IES);
    const CElementFindings found = ReadElements(
        pbIes, cbIes, BSS_FIXED_IE_BYTES, bPrivacy && cbIes > MIN_IE_LENGTH_FOR_SECURITY, entry.dwSecurity);
    entry.dwSecurity = found.dwSecurity;
    entry.strApName = found.apName;
    return entry;
}

}  // namespace

DWORD ReadNdisDword(const BYTE* pb) {
    return static_cast<DWORD>(pb[0]) | (static_cast<DWORD>(pb[1]) << 8) | (static_cast<DWORD>(pb[2]) << 16) |
           (static_cast<DWORD>(pb[3]) << 24);
}

void WriteNdisDword(BYTE* pb, DWORD dwValue) {
    for (int i = 0; i < 4; ++i) {
        pb[i] = static_cast<BYTE>(dwValue >> (8 * i));
    }
}

void ParseBssidList(const BYTE* pbAnswer, DWORD cbReturned, CNdisBssList* pList) {
    pList->dwNumberOfItems = 0;
    pList->aEntries.clear();
    if (cbReturned < LIST_HEADER_BYTES) {
        return;
    }
    pList->dwNumberOfItems = ReadNdisDword(pbAnswer + NDIS_OID_BYTES);
    // As many entries as the claimed count, but never more than the bytes can hold.
    pList->aEntries.reserve(
        std::min<DWORD>(pList->dwNumberOfItems, (cbReturned - LIST_HEADER_BYTES) / BSS_OLD_ENTRY_SIZE));
    DWORD dwPos = LIST_HEADER_BYTES;
    for (DWORD i = 0; i < pList->dwNumberOfItems; ++i) {
        const DWORD cbLeft = cbReturned - dwPos;
        if (cbLeft < BSS_OLD_ENTRY_SIZE) {
            break;
        }
        const DWORD cbEntry = ReadNdisDword(pbAnswer + dwPos + BSS_ENTRY_LENGTH);
        // A Length of zero would never advance; one that cannot hold the fixed fields of either
        // layout, or runs past the bytes returned, leaves nothing after it that can be trusted.
        if (cbEntry < BSS_OLD_ENTRY_SIZE || cbEntry > cbLeft) {
            break;
        }
        pList->aEntries.push_back(ParseEntry(pbAnswer + dwPos, cbEntry));
        dwPos += cbEntry;
    }
}
