#include "adapters/fixed_scan_wait.h"

#include "adapters/scan_sync.h"
#include "platform/os.h"

DWORD ReadScanTick(CWlanAdapter& adapter) {
    const DWORD dwNow = Os().Clock().GetTickCount();
    if (dwNow < adapter.m_dwLastScanTick) {
        adapter.m_dwLastScanTick = dwNow;
    }
    return dwNow;
}

BOOL IsScanRequestTooSoon(CWlanAdapter& adapter) {
    return adapter.m_bScanPending &&
           Os().Clock().GetTickCount() - adapter.m_dwLastScanTick < SCAN_REQUEST_SPACING_MS;
}

BOOL FixedWaitAndGetBssList(CWlanAdapter& adapter, CScanSync* pSync, const BYTE* pbMatchBssid,
                            short nMatchChannel, short* pnMatchSignal, CScanResultSet* pResults) {
    DWORD dwNow = ReadScanTick(adapter);
    DWORD dwAction = pSync != nullptr ? pSync->ReadAction() : 0;
    if (dwAction & ACTION_SCAN) {
        while (dwNow - adapter.m_dwLastScanTick < FIXED_SCAN_WAIT_MS) {
            const bool bWaited = pSync->WaitForSignal(adapter.m_dwLastScanTick + FIXED_SCAN_WAIT_MS - dwNow);
            dwAction = pSync->ReadAction();
            dwNow = ReadScanTick(adapter);
            if (!bWaited || !(dwAction & ACTION_SCAN)) {
                break;
            }
        }
    }
    adapter.m_bScanPending = FALSE;
    if ((dwAction & ACTION_SCAN) &&
        adapter.GetBssList(pbMatchBssid, nMatchChannel, pnMatchSignal, pResults) < 0) {
        return FALSE;
    }
    return TRUE;
}
