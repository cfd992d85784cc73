#include "adapters/lucent/lucent_scan_record.h"

#include <algorithm>
#include <cstring>

namespace {

// Entry layout.
constexpr std::size_t ENTRY_CHANNEL = 0;
constexpr std::size_t ENTRY_NOISE = 2;
constexpr std::size_t ENTRY_SIGNAL = 4;
constexpr std::size_t ENTRY_BSSID = 6;
constexpr std::size_t ENTRY_BEACON_INTERVAL = 12;
constexpr std::size_t ENTRY_CAPABILITY = 14;
constexpr std::size_t ENTRY_SSID_LENGTH = 16;
constexpr std::size_t ENTRY_SSID = 18;

CLucentScanEntry ParseEntry(const BYTE* pbEntry) {
    CLucentScanEntry entry;
    entry.nChannel = static_cast<short>(ReadLucentWord(pbEntry, ENTRY_CHANNEL));
    entry.wNoiseLevel = ReadLucentWord(pbEntry, ENTRY_NOISE);
    entry.wSignalLevel = ReadLucentWord(pbEntry, ENTRY_SIGNAL);
    std::memcpy(entry.abBssid, pbEntry + ENTRY_BSSID, sizeof(entry.abBssid));
    entry.wBeaconInterval = ReadLucentWord(pbEntry, ENTRY_BEACON_INTERVAL);
    entry.wCapability = ReadLucentWord(pbEntry, ENTRY_CAPABILITY);
    // The SSID field holds 32 bytes; a longer length is the driver's error and is cut.
    const std::size_t cbSsid =
        std::min<std::size_t>(ReadLucentWord(pbEntry, ENTRY_SSID_LENGTH), LUCENT_SSID_MAX);
    // Text up to the first zero byte: a hidden network sends its length with zero bytes.
    entry.strSsid.Assign(reinterpret_cast<const char*>(pbEntry + ENTRY_SSID), cbSsid);
    return entry;
}

}  // namespace

WORD ReadLucentWord(const BYTE* pbData, std::size_t nOffset) {
    return static_cast<WORD>(pbData[nOffset] | (pbData[nOffset + 1] << 8));
}

BOOL ParseLucentScanRecord(const BYTE* pbAnswer, std::size_t cbAnswer,
                           std::vector<CLucentScanEntry>* paEntries) {
    paEntries->clear();
    if (pbAnswer == nullptr || cbAnswer < LUCENT_HEADER_SIZE ||
        ReadLucentWord(pbAnswer, LUCENT_HEADER_RECORD_TYPE) != LUCENT_SCAN_RECORD_TYPE) {
        return FALSE;
    }
    paEntries->reserve((cbAnswer - LUCENT_HEADER_SIZE) / LUCENT_SCAN_ENTRY_SIZE);
    for (std::size_t nOffset = LUCENT_HEADER_SIZE; cbAnswer - nOffset >= LUCENT_SCAN_ENTRY_SIZE;
         nOffset += LUCENT_SCAN_ENTRY_SIZE) {
        paEntries->push_back(ParseEntry(pbAnswer + nOffset));
    }
    return TRUE;
}
