// The ORiNOCO card's scan record answer: header, then 50-byte entries, as many as the bytes hold.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "adapters/lucent/lucent_scan_record.h"
#include "fuzz/fuzz_check.h"

// The record's buffer holds no more than the card's field.
static_assert(CSsidText::MAX_LENGTH == LUCENT_SSID_MAX);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::vector<BYTE> abAnswer(pData, pData + nSize);
    std::vector<CLucentScanEntry> aEntries;
    const BOOL bScanRecord = ParseLucentScanRecord(abAnswer.data(), abAnswer.size(), &aEntries);

    const bool bHeader =
        nSize >= LUCENT_HEADER_SIZE &&
        ReadLucentWord(abAnswer.data(), LUCENT_HEADER_RECORD_TYPE) == LUCENT_SCAN_RECORD_TYPE;
    FUZZ_CHECK(bool(bScanRecord) == bHeader);
    if (bScanRecord) {
        // Whole entries only: a partial one at the end is not read.
        FUZZ_CHECK(aEntries.size() == (nSize - LUCENT_HEADER_SIZE) / LUCENT_SCAN_ENTRY_SIZE);
    } else {
        FUZZ_CHECK(aEntries.empty());
    }
    for (const CLucentScanEntry& entry : aEntries) {
        FUZZ_CHECK(IsZeroPastText(entry.strSsid));
    }
    return 0;
}
