// The ORiNOCO card's scan record (RID 0x0820) as the driver answers it: the 12-byte private request
// header, then 50-byte scan entries. Parsed over raw bytes so that a malformed answer can be tested
// without a driver: only bytes the driver actually returned are read.
#pragma once

#include <cstddef>
#include <vector>

#include "adapters/wlan_adapter.h"
#include "platform/win_defs.h"

constexpr std::size_t LUCENT_HEADER_SIZE = 12;         // every answer starts with the request header
constexpr std::size_t LUCENT_HEADER_RECORD_TYPE = 10;  // offset of the answer's record type
constexpr WORD LUCENT_SCAN_RECORD_TYPE = 0xF101;       // the only record type that holds scan entries
constexpr std::size_t LUCENT_SCAN_ENTRY_SIZE = 50;
constexpr std::size_t LUCENT_SSID_MAX = 32;
constexpr WORD LUCENT_CAPABILITY_ESS = 0x0001;      // infrastructure (else ad hoc)
constexpr WORD LUCENT_CAPABILITY_PRIVACY = 0x0010;  // encryption required

// Signal and noise levels of the card are dBm + 149.
constexpr int LUCENT_LEVEL_OFFSET = 149;

// One 50-byte entry: channel, noise level, signal level, BSSID, beacon interval, capability, SSID.
struct CLucentScanEntry {
    short nChannel = 0;
    WORD wNoiseLevel = 0;
    WORD wSignalLevel = 0;
    BYTE abBssid[6] = {};
    WORD wBeaconInterval = 0;
    WORD wCapability = 0;
    CSsidText strSsid;  // at most 32 bytes, whatever length the entry claims
};

// Reads a 16-bit little-endian word at nOffset; the caller has checked that it lies in the buffer.
WORD ReadLucentWord(const BYTE* pbData, std::size_t nOffset);

// Parses an answer of cbAnswer bytes (the bytes the driver returned, never more than the buffer
// holds). FALSE when it is no scan record: shorter than its header, or another record type. The
// entries are the whole 50-byte entries after the header; a partial entry at the end ends the walk.
BOOL ParseLucentScanRecord(const BYTE* pbAnswer, std::size_t cbAnswer,
                           std::vector<CLucentScanEntry>* paEntries);
