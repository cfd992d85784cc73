// The OID_802_11_BSSID_LIST answer as a driver returns it: any bytes, any claimed counts and lengths.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "adapters/channel_frequency.h"
#include "adapters/ndis51/ndis_bssid_list.h"
#include "fuzz/fuzz_check.h"

// The records' buffers hold no more than the driver's fields.
static_assert(CSsidText::MAX_LENGTH == NDIS_SSID_MAX && CApName::MAX_LENGTH == 16);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    // The driver's bytes in a buffer of exactly their size, so that a read past them is caught.
    std::vector<BYTE> abAnswer(pData, pData + nSize);
    CNdisBssList list;
    ParseBssidList(abAnswer.data(), static_cast<DWORD>(abAnswer.size()), &list);

    // Every entry read lies in the answer after its 8-byte head, and the driver claimed it.
    FUZZ_CHECK(list.aEntries.size() <= list.dwNumberOfItems);
    FUZZ_CHECK(nSize < 8 || list.aEntries.size() <= (nSize - 8) / 104 + 1);
    for (const CNdisBssEntry& entry : list.aEntries) {
        FUZZ_CHECK(IsZeroPastText(entry.strSsid));
        FUZZ_CHECK(IsZeroPastText(entry.strApName));
        FUZZ_CHECK(entry.dwSecurity <= SECURITY_WPA2);
        // Rates are 500 kbit/s units of at most 127: never above 64 Mbps, -1 + 1 / 2 at the least.
        FUZZ_CHECK(entry.nRate >= 0 && entry.nRate <= 64);
    }

    // The two channel rules over any frequency the input carries.
    if (nSize >= 4) {
        const DWORD dwKhz = ReadNdisDword(abAnswer.data());
        const short nChannel = BssChannelFromDsConfigKhz(dwKhz);
        if (dwKhz >= 2412000 && dwKhz < 2484000) {
            FUZZ_CHECK(nChannel >= 1 && nChannel <= 15);
        }
        const DWORD dwConfig = ConfigChannelFromDsConfigKhz(dwKhz);
        if (dwKhz >= 5000000 && dwKhz < 6000000) {
            FUZZ_CHECK(dwConfig < 200);
        }
    }
    return 0;
}
