// The step the NDIS 5.1 and native WLAN back ends share when they turn a parsed BSS list into scan
// results: both lists hold CBssEntry records and keep or drop each entry by the same rules.
#pragma once

#include <vector>

#include "adapters/bss_entry.h"
#include "adapters/wlan_adapter.h"

// The associated BSS of a list walk (BSSID and channel): its entry only gives its signal.
struct CBssMatch {
    const BYTE* pbBssid = nullptr;  // null: nothing is matched
    short nChannel = -1;
    short* pnSignal = nullptr;  // receives the matched entry's signal (dBm); may be null

    // TRUE when the entry is the associated BSS; its signal then goes to *pnSignal.
    bool Take(const BYTE* pbEntryBssid, short nEntryChannel, LONG nSignalDbm) const;
};

// Adds the entries, in list order, to the result set (null: nothing is kept). An entry with a
// signal of 0 dBm or more is no measurement and is dropped; the associated BSS only gives its
// signal; a BSS already held (same BSSID and channel) is dropped, since a driver may list one twice.
// Every other entry becomes a record with no quality figure and the noise floor.
void AddBssEntries(std::vector<CBssEntry>* paEntries, const CBssMatch& match, CScanResultSet* pResults);

// What GetBssList returns for the count the driver or service claims: never negative, so that a huge
// claim cannot read as a failure or as "not supported".
int BssListCountResult(DWORD dwNumberOfItems);
