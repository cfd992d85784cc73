#include "adapters/wlan_api/wlan_bss_list.h"

#include <algorithm>
#include <cstring>

#include "adapters/channel_frequency.h"
#include "adapters/information_elements.h"
#include "platform/wlan_api.h"

namespace {

constexpr DWORD ELEMENT_BLOCK_MIN = 12;  // the elements are walked only in a longer blob
constexpr USHORT RATE_MASK = 0x7F;

short HighestRate(const BYTE* pbEntry) {
    const std::size_t nRates = offsetof(WLAN_BSS_ENTRY, wlanRateSet);
    const ULONG ulEntries =
        std::min<ULONG>(ReadAt<ULONG>(pbEntry, nRates + offsetof(WLAN_RATE_SET, uRateSetLength)) / 2,
                        DOT11_RATE_SET_MAX_LENGTH);
    int nHighest = -1;
    for (ULONG k = 0; k < ulEntries; ++k) {
        const USHORT usRate =
            ReadAt<USHORT>(pbEntry, nRates + offsetof(WLAN_RATE_SET, usRateSet) + k * sizeof(USHORT));
        nHighest = std::max(nHighest, static_cast<int>(usRate & RATE_MASK));
    }
    return static_cast<short>((nHighest + 1) / 2);
}

// The entry at nEntry of pbList, whose bytes end at cbList.
CWlanBssEntry ParseEntry(const BYTE* pbList, std::size_t cbList, std::size_t nEntry) {
    const BYTE* pbEntry = pbList + nEntry;
    CWlanBssEntry entry;
    std::memcpy(entry.abMac, pbEntry + offsetof(WLAN_BSS_ENTRY, dot11Bssid), BSSID_LENGTH);
    entry.nChannel =
        ChannelFromFrequencyKhz(ReadAt<ULONG>(pbEntry, offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency)));
    entry.nRssi = ReadAt<LONG>(pbEntry, offsetof(WLAN_BSS_ENTRY, lRssi));

    const std::size_t nSsid = offsetof(WLAN_BSS_ENTRY, dot11Ssid);
    const ULONG ulSsid =
        std::min(ReadAt<ULONG>(pbEntry, nSsid + offsetof(DOT11_SSID, uSSIDLength)), DOT11_SSID_MAX_LENGTH);
    // Text up to the first zero byte.
    entry.strSsid.Assign(reinterpret_cast<const char*>(pbEntry + nSsid + offsetof(DOT11_SSID, ucSSID)),
                         ulSsid);

    // The element blob, cut to the bytes present after the entry's offset.
    const std::size_t nIeStart = nEntry + ReadAt<ULONG>(pbEntry, offsetof(WLAN_BSS_ENTRY, ulIeOffset));
    std::size_t cbIe = ReadAt<ULONG>(pbEntry, offsetof(WLAN_BSS_ENTRY, ulIeSize));
    cbIe = nIeStart < cbList ? std::min(cbIe, cbList - nIeStart) : 0;
    const BYTE* pbIe = cbIe > 0 ? pbList + nIeStart : nullptr;
    const DWORD dwIeSize = static_cast<DWORD>(cbIe);

    const USHORT usCapability = ReadAt<USHORT>(pbEntry, offsetof(WLAN_BSS_ENTRY, usCapabilityInformation));
    const BOOL bPrivacy = (usCapability & DOT11_CAPABILITY_PRIVACY) != 0;
    entry.dwSecurity = bPrivacy ? SECURITY_WEP : SECURITY_CLEAR;
    if (dwIeSize > ELEMENT_BLOCK_MIN) {
        const CElementFindings found = ReadElements(pbIe, dwIeSize, 0, bPrivacy, entry.dwSecurity);
        entry.dwSecurity = found.dwSecurity;
        entry.strApName = found.apName;
    }
    entry.dwMode =
        ReadAt<DWORD>(pbEntry, offsetof(WLAN_BSS_ENTRY, dot11BssType)) == dot11_BSS_type_infrastructure
            ? MODE_INFRASTRUCTURE
            : MODE_AD_HOC;
    entry.nRate = HighestRate(pbEntry);
    return entry;
}

}  // namespace

void ParseWlanBssList(const BYTE* pbList, std::size_t cbList, CWlanBssList* pList) {
    using namespace wlan_layout;
    pList->dwNumberOfItems = 0;
    pList->aEntries.clear();
    if (cbList < BSS_LIST_HEADER) {
        return;
    }
    cbList = std::min<std::size_t>(cbList, ReadAt<DWORD>(pbList, offsetof(WLAN_BSS_LIST, dwTotalSize)));
    pList->dwNumberOfItems = ReadAt<DWORD>(pbList, offsetof(WLAN_BSS_LIST, dwNumberOfItems));
    const std::size_t nPresent = cbList > BSS_LIST_HEADER ? (cbList - BSS_LIST_HEADER) / BSS_ENTRY_SIZE : 0;
    const std::size_t nEntries = std::min<std::size_t>(pList->dwNumberOfItems, nPresent);
    pList->aEntries.reserve(nEntries);
    for (std::size_t i = 0; i < nEntries; ++i) {
        pList->aEntries.push_back(ParseEntry(pbList, cbList, BSS_LIST_HEADER + BSS_ENTRY_SIZE * i));
    }
}
