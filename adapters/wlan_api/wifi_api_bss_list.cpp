// The native back end's BSS list: WlanGetNetworkBssList, parsed and walked by the rules it shares
// with the NDIS 5.1 back end.
#include <cstddef>

#include "adapters/bss_walk.h"
#include "adapters/wlan_api/wifi_api_adapter.h"
#include "adapters/wlan_api/wifi_api_library.h"
#include "adapters/wlan_api/wlan_bss_list.h"

int CWiFiApiAdapter::GetBssList(const BYTE* pbMatchBssid, short nMatchChannel, short* pnMatchSignal,
                                CScanResultSet* pResults) {
    if (WlanApi().pfnGetNetworkBssList == nullptr || WlanApi().pfnFreeMemory == nullptr) {
        m_dwLastScanError = ERROR_PROC_NOT_FOUND;
        return BSS_LIST_FAILED;
    }
    WLAN_BSS_LIST* pList = nullptr;
    m_dwLastScanError = WlanApi().pfnGetNetworkBssList(m_hDevice, &m_guidInterface, nullptr,
                                                       dot11_BSS_type_any, FALSE, nullptr, &pList);
    if (m_dwLastScanError != ERROR_SUCCESS || pList == nullptr) {
        FreeWlanMemory(pList);
        return BSS_LIST_FAILED;
    }
    // The service's own total size is the only byte count the list comes with.
    const BYTE* pb = reinterpret_cast<const BYTE*>(pList);
    CWlanBssList list;
    ParseWlanBssList(pb, ReadAt<DWORD>(pb, offsetof(WLAN_BSS_LIST, dwTotalSize)), &list);
    FreeWlanMemory(pList);
    AddBssEntries(&list.aEntries, CBssMatch{pbMatchBssid, nMatchChannel, pnMatchSignal}, pResults);
    return BssListCountResult(list.dwNumberOfItems);
}
