// Scan timing shared by the ORiNOCO and NDIS 5.1 back ends: the 750 ms spacing of scan requests and
// the fixed 4000 ms wait before the BSS list is read.
#pragma once

#include "adapters/wlan_adapter.h"

class CScanSync;

constexpr DWORD SCAN_REQUEST_SPACING_MS = 750;
constexpr DWORD FIXED_SCAN_WAIT_MS = 4000;

// The tick now; when the counter has wrapped below the last request's tick, that tick is lowered to
// now so that the elapsed time counts from there.
DWORD ReadScanTick(CWlanAdapter& adapter);

// A scan request less than 750 ms after the previous one, with that one still pending, sends nothing.
BOOL IsScanRequestTooSoon(CWlanAdapter& adapter);

// Waits until 4000 ms after the scan request (or until the action word loses ACTION_SCAN), then
// reads the BSS list when the scan's results are wanted. Without an event to wait on it does not
// wait at all. 0 only when GetBssList failed.
BOOL FixedWaitAndGetBssList(CWlanAdapter& adapter, CScanSync* pSync, const BYTE* pbMatchBssid,
                            short nMatchChannel, short* pnMatchSignal, CScanResultSet* pResults);
