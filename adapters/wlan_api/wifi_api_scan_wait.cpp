// The native back end's scans: the scan request, the registration for the service's scan-complete
// notification, and the wait until that notification or the time-out, judged by the scan-interval
// statistics.
#include "adapters/fixed_scan_wait.h"
#include "adapters/scan_sync.h"
#include "adapters/wlan_api/wifi_api_adapter.h"
#include "adapters/wlan_api/wifi_api_library.h"
#include "platform/os.h"

BOOL CWiFiApiAdapter::WaitAndGetBssList(CScanSync* pSync, const BYTE* pbMatchBssid, short nMatchChannel,
                                        short* pnMatchSignal, CScanResultSet* pResults) {
    if (!m_bScanPending) {
        StartScan();
    }
    DWORD dwNow = ReadScanTick(*this);
    DWORD dwAction = pSync != nullptr ? pSync->ReadAction() : 0;
    DWORD dwTimeout = NATIVE_SCAN_TIMEOUT_MS;
    bool bBad = false;
    // A driver that answers every request at once would otherwise be asked again for ever: within
    // one wait, early completions are answered with a new request only as often as there are
    // samples. The early completion after that is judged implausible (bad) like one at or below
    // avg - 2 sd: the wait goes on to its time-out without a new request, and records nothing.
    int nReRequests = 0;
    for (;;) {
        bool bWaited = true;
        while (!(dwAction & ACTION_SCAN_DONE) && (dwAction & ACTION_SCAN) &&
               dwNow - m_dwLastScanTick < dwTimeout) {
            bWaited = pSync->WaitForSignal(m_dwLastScanTick + dwTimeout - dwNow);
            dwAction = pSync->ReadAction();
            dwNow = ReadScanTick(*this);
            if (!bWaited) {
                break;
            }
        }
        if (!bWaited) {
            // Nothing to wait on: the time measured is no scan's, so it is not recorded.
            break;
        }
        const DWORD dwSample = (dwNow - m_dwLastScanTick) / 10;
        if (!(dwAction & ACTION_SCAN)) {
            if (!bBad) {
                RecordInterval(dwSample);
            }
            break;
        }
        const bool bVeryEarly = IsTrusted() && dwSample < m_fIntervalStdDev;
        if (bVeryEarly && nReRequests < m_nIntervals) {
            ++nReRequests;
            StartScan();
            dwNow = ReadScanTick(*this);
        } else if (bBad) {
            break;
        } else if (bVeryEarly || (IsTrusted() && dwSample <= m_fIntervalAvg - 2 * m_fIntervalStdDev)) {
            bBad = true;
        } else {
            RecordInterval(dwSample);
            break;
        }
        // Retry: wait again, with the time-out the statistics allow.
        if (IsTrusted()) {
            dwTimeout = AdaptiveTimeout(NATIVE_SCAN_TIMEOUT_MS);
        }
        dwAction = pSync->ClearScanDone();
    }
    m_bScanPending = FALSE;
    if (pSync != nullptr) {
        pSync->ClearScanDone();
    }
    if ((dwAction & ACTION_SCAN) && GetBssList(pbMatchBssid, nMatchChannel, pnMatchSignal, pResults) < 0) {
        return FALSE;
    }
    return TRUE;
}

int CWiFiApiAdapter::StartScan() {
    const DWORD dwResult = WlanApi().pfnScan != nullptr
                               ? WlanApi().pfnScan(m_hDevice, &m_guidInterface, nullptr, nullptr, nullptr)
                               : ERROR_PROC_NOT_FOUND;
    m_dwLastScanError = dwResult;
    m_dwLastScanTick = Os().Clock().GetTickCount();
    m_bScanPending = TRUE;
    return dwResult == ERROR_SUCCESS ? QUERY_OK : QUERY_FAILED;
}

int CWiFiApiAdapter::SetScanCallback(SCAN_NOTIFICATION_CALLBACK pfnCallback, void* pContext) {
    if (WlanApi().pfnRegisterNotification == nullptr) {
        return 1;
    }
    if (WlanApi().pfnRegisterNotification(m_hDevice, WLAN_NOTIFICATION_SOURCE_ACM, FALSE, pfnCallback,
                                          pContext, nullptr, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    m_bRegistered = true;
    return 0;
}
