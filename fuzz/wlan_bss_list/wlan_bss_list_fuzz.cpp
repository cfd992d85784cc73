// The WLAN service's BSS list as WlanGetNetworkBssList hands it over: any bytes, with any claimed
// total size, count, SSID lengths, rate-set lengths and element offsets and sizes.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "adapters/bss_walk.h"
#include "adapters/channel_frequency.h"
#include "adapters/wlan_api/wlan_bss_list.h"
#include "fuzz/fuzz_check.h"
#include "platform/wlan_api.h"

// The records' buffers hold no more than the service's fields.
static_assert(CSsidText::MAX_LENGTH == DOT11_SSID_MAX_LENGTH && CApName::MAX_LENGTH == 16);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    // The service's bytes in a buffer of exactly their size, so that a read past them is caught.
    std::vector<BYTE> abList(pData, pData + nSize);
    CWlanBssList list;
    ParseWlanBssList(abList.data(), abList.size(), &list);

    // Only entries that the bytes hold, and no more than the service claimed.
    using namespace wlan_layout;
    FUZZ_CHECK(list.aEntries.size() <= list.dwNumberOfItems);
    FUZZ_CHECK(list.aEntries.size() <=
               (nSize < BSS_LIST_HEADER ? 0 : (nSize - BSS_LIST_HEADER) / BSS_ENTRY_SIZE));
    for (const CWlanBssEntry& entry : list.aEntries) {
        FUZZ_CHECK(IsZeroPastText(entry.strSsid));
        FUZZ_CHECK(IsZeroPastText(entry.strApName));
        FUZZ_CHECK(entry.dwSecurity <= SECURITY_WPA2);
        FUZZ_CHECK(entry.dwMode == MODE_INFRASTRUCTURE || entry.dwMode == MODE_AD_HOC);
        // Rates are 500 kbit/s units of at most 127 after the basic-rate bit: 0 to 64 Mbps.
        FUZZ_CHECK(entry.nRate >= 0 && entry.nRate <= 64);
    }
    // However large the claimed count, the back end's result never reads as a failure.
    FUZZ_CHECK(BssListCountResult(list.dwNumberOfItems) >= 0);

    // The channel rule over any frequency the input carries.
    if (nSize >= 4) {
        const ULONG ulKhz = ReadAt<ULONG>(abList.data(), 0);
        const short nChannel = ChannelFromFrequencyKhz(ulKhz);
        if (ulKhz >= 2412000 && ulKhz <= 2484000) {
            FUZZ_CHECK(nChannel >= 1 && nChannel <= 15);
        } else if (ulKhz >= 5180000 && ulKhz <= 5825000) {
            FUZZ_CHECK(nChannel >= 36 && nChannel <= 165);
        }
    }
    return 0;
}
