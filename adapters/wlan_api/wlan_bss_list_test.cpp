#include "adapters/wlan_api/wlan_bss_list.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/wlan_api.h"

// Every list here is exactly as long as the bytes it holds, so that a read past them is a heap
// overflow under AddressSanitizer.
namespace {

using namespace wlan_layout;

template <typename T>
void Put(std::vector<BYTE>* pab, std::size_t nOffset, T value) {
    std::memcpy(pab->data() + nOffset, &value, sizeof(T));
}

struct CRawEntry {
    CRawEntry(std::string strText, ULONG ulLength = ~0u, BYTE bMac = 1, ULONG ulFrequency = 2437000)
        : strSsid(std::move(strText)), ulSsidLength(ulLength), bLast(bMac), ulKhz(ulFrequency) {}

    std::string strSsid;
    ULONG ulSsidLength = ~0u;  // ~0: the text's length
    BYTE bLast = 1;
    LONG lRssi = -60;
    ULONG ulKhz = 2437000;
    USHORT usCapability = 0;
    ULONG ulIeOffset = 0;  // 0: just past the entries
    ULONG ulIeSize = ~0u;  // ~0: the elements' length
    std::vector<BYTE> abIes;
};

// Header, the entries, then their element blobs back to back; dwTotalSize is the bytes made unless
// given, dwItems the entries unless given.
std::vector<BYTE> RawList(const std::vector<CRawEntry>& aEntries, DWORD dwItems = ~0u, DWORD dwTotal = ~0u) {
    std::vector<BYTE> ab(BSS_LIST_HEADER + BSS_ENTRY_SIZE * aEntries.size(), 0);
    for (std::size_t i = 0; i < aEntries.size(); ++i) {
        const CRawEntry& e = aEntries[i];
        const std::size_t n = BSS_LIST_HEADER + BSS_ENTRY_SIZE * i;
        const ULONG ulSsid = e.ulSsidLength == ~0u ? static_cast<ULONG>(e.strSsid.size()) : e.ulSsidLength;
        Put(&ab, n + offsetof(WLAN_BSS_ENTRY, dot11Ssid), ulSsid);
        std::memcpy(ab.data() + n + offsetof(WLAN_BSS_ENTRY, dot11Ssid) + offsetof(DOT11_SSID, ucSSID),
                    e.strSsid.data(), std::min<std::size_t>(e.strSsid.size(), DOT11_SSID_MAX_LENGTH));
        ab[n + offsetof(WLAN_BSS_ENTRY, dot11Bssid) + 5] = e.bLast;
        Put(&ab, n + offsetof(WLAN_BSS_ENTRY, dot11BssType), dot11_BSS_type_infrastructure);
        Put(&ab, n + offsetof(WLAN_BSS_ENTRY, lRssi), e.lRssi);
        Put(&ab, n + offsetof(WLAN_BSS_ENTRY, usCapabilityInformation), e.usCapability);
        Put(&ab, n + offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency), e.ulKhz);
        const std::size_t nRates = n + offsetof(WLAN_BSS_ENTRY, wlanRateSet);
        Put(&ab, nRates + offsetof(WLAN_RATE_SET, uRateSetLength), ULONG{4});
        Put(&ab, nRates + offsetof(WLAN_RATE_SET, usRateSet), USHORT{0x8016});
        Put(&ab, nRates + offsetof(WLAN_RATE_SET, usRateSet) + 2, USHORT{108});
        const ULONG ulOffset = e.ulIeOffset != 0 ? e.ulIeOffset : static_cast<ULONG>(ab.size() - n);
        Put(&ab, n + offsetof(WLAN_BSS_ENTRY, ulIeOffset), ulOffset);
        Put(&ab, n + offsetof(WLAN_BSS_ENTRY, ulIeSize),
            e.ulIeSize == ~0u ? static_cast<ULONG>(e.abIes.size()) : e.ulIeSize);
        ab.insert(ab.end(), e.abIes.begin(), e.abIes.end());
    }
    Put(&ab, offsetof(WLAN_BSS_LIST, dwTotalSize), dwTotal == ~0u ? static_cast<DWORD>(ab.size()) : dwTotal);
    Put(&ab, offsetof(WLAN_BSS_LIST, dwNumberOfItems),
        dwItems == ~0u ? static_cast<DWORD>(aEntries.size()) : dwItems);
    return ab;
}

// An RSN element with a CCMP pairwise suite, padded so the blob is long enough to be walked.
const std::vector<BYTE> RSN_CCMP = {0x30, 0x14, 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04, 0x01, 0x00, 0x00, 0x0F,
                                    0xAC, 0x04, 0x01, 0x00, 0x00, 0x0F, 0xAC, 0x02, 0x00, 0x00, 0x00, 0x00};

CWlanBssList Parse(const std::vector<BYTE>& ab) {
    CWlanBssList list;
    ParseWlanBssList(ab.data(), ab.size(), &list);
    return list;
}

TEST(WlanBssList, ShortAndInconsistentBuffersKeepOnlyTheEntriesTheBytesHold) {
    struct {
        const char* pszName;
        std::vector<BYTE> ab;
        DWORD dwItems;
        std::size_t nEntries;
    } const cases[] = {
        {"empty", {}, 0, 0},
        {"a lone byte", {0x08}, 0, 0},
        {"header only", RawList({}), 0, 0},
        {"count past the bytes", RawList({{"One"}, {"Two", ~0u, 2}}, 1000), 1000, 2},
        {"count below the entries", RawList({{"One"}, {"Two", ~0u, 2}}, 1), 1, 1},
        {"total size shorter than the bytes", RawList({{"One"}, {"Two", ~0u, 2}}, 2, BSS_LIST_HEADER + 400),
         2, 1},
        {"total size longer than the bytes", RawList({{"One"}}, 5, 1000000), 5, 1},
        {"one byte short of an entry",
         [] {
             std::vector<BYTE> ab = RawList({{"One"}, {"Two", ~0u, 2}}, 2);
             ab.pop_back();
             Put(&ab, 0, static_cast<DWORD>(ab.size()));
             return ab;
         }(),
         2, 1},
    };
    for (const auto& c : cases) {
        // An exact-size copy: the heap ends where the bytes do.
        std::vector<BYTE> ab(c.ab);
        CWlanBssList list = Parse(ab);
        EXPECT_EQ(list.dwNumberOfItems, c.dwItems) << c.pszName;
        EXPECT_EQ(list.aEntries.size(), c.nEntries) << c.pszName;
    }
}

TEST(WlanBssList, EntriesCarryTheirFieldsAndElementsCutToTheBytesPresent) {
    CRawEntry far{"Far"};
    far.usCapability = DOT11_CAPABILITY_PRIVACY;
    far.ulIeOffset = 4000000000u;  // past the list
    far.abIes = RSN_CCMP;
    CRawEntry wrapping{"Wrap", ~0u, 2};
    wrapping.usCapability = DOT11_CAPABILITY_PRIVACY;
    wrapping.ulIeOffset = 0xFFFFFFFFu;
    wrapping.ulIeSize = 40;
    CRawEntry longSize{"Long", ~0u, 3};
    longSize.usCapability = DOT11_CAPABILITY_PRIVACY;
    longSize.ulIeSize = 100000;  // past the list: cut to the bytes there
    longSize.abIes = RSN_CCMP;
    CRawEntry hidden{std::string("\0\0\0\0", 4), ~0u, 4};
    CRawEntry cut{std::string("ab\0cd", 5), ~0u, 5, 5180000};
    CRawEntry longSsid{std::string(32, 'S'), 255, 6};

    const CWlanBssList list = Parse(RawList({far, wrapping, longSize, hidden, cut, longSsid}));
    ASSERT_EQ(list.aEntries.size(), 6u);
    EXPECT_EQ(list.aEntries[0].dwSecurity, SECURITY_WEP);
    EXPECT_EQ(list.aEntries[1].dwSecurity, SECURITY_WEP);
    EXPECT_EQ(list.aEntries[2].dwSecurity, SECURITY_WPA2);
    EXPECT_EQ(list.aEntries[2].nRate, 54);
    EXPECT_EQ(list.aEntries[2].nChannel, 6);
    EXPECT_EQ(list.aEntries[2].abMac[5], 3);
    EXPECT_EQ(list.aEntries[2].nRssi, -60);
    EXPECT_EQ(list.aEntries[3].strSsid, "");  // a hidden network: zero bytes are no text
    EXPECT_EQ(list.aEntries[4].strSsid, "ab");
    EXPECT_EQ(list.aEntries[4].nChannel, 36);
    EXPECT_EQ(list.aEntries[5].strSsid, std::string(32, 'S'));
}

}  // namespace
