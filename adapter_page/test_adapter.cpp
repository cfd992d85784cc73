// The test of one adapter: open it through the back end that suits it, run the scans behind the
// progress window, and judge it.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "adapter_page/adapter_name.h"
#include "adapter_page/adapter_page.h"
#include "adapter_page/location_notice.h"
#include "adapter_page/scan_rate.h"
#include "adapters/adapter_descriptors.h"
#include "adapters/lucent/lucent_adapter.h"
#include "adapters/ndis51/ndis51_adapter.h"
#include "adapters/scan_sync.h"
#include "adapters/wlan_api/wifi_api_adapter.h"
#include "platform/os.h"
#include "wizard/progress_popup.h"

namespace {
constexpr int SCAN_COUNT = 3;

// The back end for the adapter: the card's private interface for the ORiNOCO descriptor, else NDIS
// 5.1 before Windows 6.0 and the native WLAN API from 6.0 on. Opens it; *pnOpen gets the result.
std::unique_ptr<CWlanAdapter> OpenBackEnd(const std::string& strId, int* pnOpen) {
    std::unique_ptr<CWlanAdapter> pAdapter;
    if (strId == LUCENT_ADAPTER_ID) {
        pAdapter = std::make_unique<CLucentAdapter>();
        *pnOpen = pAdapter->OpenByName("ORiNOCO", FALSE);
        return pAdapter;
    }
    COsVersionInfo version;
    Os().System().GetVersionEx(&version);
    if (version.dwMajorVersion < 6) {
        pAdapter = std::make_unique<CNdis51Adapter>();
    } else {
        pAdapter = std::make_unique<CWiFiApiAdapter>();
    }
    *pnOpen = pAdapter->OpenByName(strId, FALSE);
    return pAdapter;
}

}  // namespace

void CAdapterPage::TestAdapter(std::string strId, std::string strName, std::string strDescription,
                               CAdapterResult* pResult) {
    CScanSync sync;
    CScanResultSet scan;
    CProgressPopup progress;
    std::optional<CWaitCursor> wait(std::in_place, SheetWindow());

    pResult->m_bSupported = FALSE;
    pResult->m_nApCount = -1;
    pResult->m_nMaxSignal = INT_MIN;
    pResult->m_nMinSignal = INT_MAX;
    pResult->m_strName = strName.empty() ? strDescription : strName;
    CleanAdapterName(pResult->m_strName);
    pResult->m_strId = strId;

    int nOpen = OPEN_NONE;
    std::unique_ptr<CWlanAdapter> pAdapter = OpenBackEnd(strId, &nOpen);
    if (nOpen < 0) {
        SheetWindow().MessageBox(
            nOpen == OPEN_ACCESS_DENIED
                ? "Stopping Wireless Zero Configuration (WZC) service failed.  No permission."
                : "Could not access adapter.",
            MB_OK);
        return;
    }

    // Without an event no scan can be waited for: the adapter fails as a failed scan does, silently.
    bool bFailed = !sync.CreateEvent();
    if (!bFailed) {
        pAdapter->SetScanCallback(ScanNotificationCallback, &sync);
        progress.Create(&SheetWindow(), "Wireless Scan", TRUE);
        progress.BeginModal("Progress", FALSE);
        progress.SetProgressRange(0, 4, 1);
        progress.StepProgress();
    }

    DWORD adwDurations[SCAN_COUNT] = {};
    int nScans = 0;
    while (!bFailed && nScans < SCAN_COUNT) {
        char szText[512];
        std::snprintf(szText, sizeof szText, "%s\nScan #%d...", pResult->m_strName.c_str(), nScans + 1);
        progress.SetMessage("%s", szText);
        progress.PumpMessages(TRUE);
        if (pAdapter->StartScan() != 0) {
            bFailed = true;
            break;
        }
        // Under the lock: the notification thread writes the same word.
        sync.SetAction(ACTION_SCAN);
        const DWORD dwStart = Os().Clock().GetTickCount();
        scan.Clear();
        short nSignal = 0;
        if (!pAdapter->WaitAndGetBssList(&sync, nullptr, -1, &nSignal, &scan)) {
            bFailed = true;
            break;
        }
        adwDurations[nScans] = Os().Clock().GetTickCount() - dwStart;
        for (const auto& pAccessPoint : scan.m_apAccessPoints) {
            pResult->m_nMaxSignal = std::max(pResult->m_nMaxSignal, pAccessPoint->m_nSignal);
            pResult->m_nMinSignal = std::min(pResult->m_nMinSignal, pAccessPoint->m_nSignal);
        }
        progress.StepProgress();
        progress.PumpMessages(TRUE);
        ++nScans;
        if (progress.IsCancelRequested()) {
            break;  // the scan just finished counts
        }
    }
    // Unless a request or a list read failed, the sequence completed: three scans, or a cancel after
    // a finished scan.
    if (!bFailed) {
        pResult->m_nApCount = static_cast<int>(scan.m_apAccessPoints.size());
        pResult->m_strScanRate = FormatScanRate(adwDurations, nScans);
        BYTE abAssocBssid[BSSID_LENGTH] = {};
        short nAssocChannel = -1;
        if (pAdapter->GetBssid(abAssocBssid) == QUERY_OK) {
            pAdapter->GetChannel(&nAssocChannel);
        }
        FormatApRows(abAssocBssid, nAssocChannel, scan.m_apAccessPoints, scan.m_aKeys, scan.m_adwSecurity,
                     scan.m_adwModes, scan.m_astrApNames, pResult->m_pApRows.get());
    } else if (IListView* pList = Controls().ListView(IDC_AP_LIST)) {
        pList->DeleteAllItems();
    }
    pResult->m_bSupported = pResult->m_nApCount > 0;
    const bool bLocationDenied = bFailed && pAdapter->LastScanError() == ERROR_ACCESS_DENIED;

    // The back end ends its notification registration before the event and the lock go.
    pAdapter.reset();
    progress.DestroyWindow();
    // Once the popup is gone, so that the sheet owning the box is enabled again.
    if (bLocationDenied) {
        wait.reset();  // the box waits for the user, not for the program
        TellLocationDenied(SheetWindow());
    }
}
