// The WLAN service's BSS list (WLAN_BSS_LIST): dwTotalSize, dwNumberOfItems, then fixed-size
// WLAN_BSS_ENTRY records, each pointing at its element blob by an offset from the entry. The service
// supplies every count, size and offset in it, so the walk is bounded by the bytes it is given: the
// entries are those the bytes hold whatever the count claims, and an element blob is cut to the bytes
// after its offset (empty when the offset lies past them).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "adapters/bss_entry.h"
#include "adapters/wlan_adapter.h"

using CWlanBssEntry = CBssEntry;

struct CWlanBssList {
    DWORD dwNumberOfItems = 0;            // what the service claims
    std::vector<CWlanBssEntry> aEntries;  // the entries that were actually there
};

// Parses a list of cbList bytes; dwTotalSize shortens the bytes further when it is smaller. Fewer
// bytes than the header: no items.
void ParseWlanBssList(const BYTE* pbList, std::size_t cbList, CWlanBssList* pList);
