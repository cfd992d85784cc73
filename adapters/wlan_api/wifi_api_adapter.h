// The native WLAN back end (Windows 6.0 and later): adapters are WLAN interfaces of the library
// "wlanapi", named by their interface GUID. Association queries read the current connection, scans
// read the BSS list, and the scan wait is driven by the service's scan-complete notification and
// by the scan-interval statistics.
#pragma once

#include <string>
#include <vector>

#include "adapters/scan_intervals.h"
#include "adapters/wlan_adapter.h"
#include "adapters/wlan_api/wlan_bss_list.h"
#include "platform/wlan_api.h"

// Longest native scan wait, and the cap of the adaptive one.
constexpr DWORD NATIVE_SCAN_TIMEOUT_MS = 10000;

class CWiFiApiAdapter : public CWlanAdapter, public CScanIntervals {
public:
    // Loads "wlanapi" unless it is loaded already; the library stays loaded while any object of
    // this class lives.
    CWiFiApiAdapter();
    ~CWiFiApiAdapter() override;

    int OpenByIndex(int nIndex, BOOL bCheckSupported, std::string* pstrName,
                    std::string* pstrDescription) override;
    int OpenByName(const std::string& strName, BOOL bCheckSupported) override;
    int OpenDevice() override;
    int CloseDevice() override;
    int CheckCapabilities() override;
    int GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) override;
    int GetChannel(short* pnChannel) override;
    int GetBssid(BYTE abBssid[BSSID_LENGTH]) override;
    int GetSsid(std::string* pstrSsid) override;
    int GetRate(short* pnRateMbps) override;
    int GetSecurity(DWORD* pdwCode) override;
    int GetInfrastructureMode(DWORD* pdwMode) override;
    int GetBssList(const BYTE* pbMatchBssid, short nMatchChannel, short* pnMatchSignal,
                   CScanResultSet* pResults) override;
    BOOL WaitAndGetBssList(CScanSync* pSync, const BYTE* pbMatchBssid, short nMatchChannel,
                           short* pnMatchSignal, CScanResultSet* pResults) override;
    int StartScan() override;
    // WlanScan's or WlanGetNetworkBssList's answer, whichever came last.
    DWORD LastScanError() const override { return m_dwLastScanError; }
    int GetXmitErrors(DWORD* pdwCount) override;
    int GetRcvErrors(DWORD* pdwCount) override;
    int GetRcvAlignmentErrors(DWORD* pdwCount) override;
    int GetXmitOneCollision(DWORD* pdwCount) override;
    int GetXmitMoreCollisions(DWORD* pdwCount) override;
    int GetPhysicalMedium(DWORD* pdwMedium) override;
    BOOL QueryOidString(DWORD dwOid, std::string* pstrValue) override;
    BOOL QueryOidDword(DWORD dwOid, DWORD* pdwValue) override;
    int SetScanCallback(SCAN_NOTIFICATION_CALLBACK pfnCallback, void* pContext) override;
    std::string GetName() const override;

    // Statistics of the last GetXmitErrors.
    DWORD m_dwTxFailed = 0;
    DWORD m_dwErrors = 0;
    DWORD m_dwRetries = 0;
    DWORD m_dwMultiRetries = 0;
    GUID m_guidInterface{};

private:
    bool OpenClient();
    bool EnumInterface(int nIndex, std::string* pstrGuid, std::string* pstrDescription);
    // WlanQueryInterface with the status mapping; *pabData receives the bytes the service returned
    // (the service's buffer is released before this returns).
    int QueryInterface(DWORD dwOpcode, std::vector<BYTE>* pabData);
    // The current connection (604 bytes) or a status other than QUERY_OK.
    int QueryConnection(std::vector<BYTE>* pabData);

    bool m_bHoldsLibrary = false;
    // SetScanCallback registered this client for notifications; CloseDevice ends that first.
    bool m_bRegistered = false;
    DWORD m_dwLastScanError = ERROR_SUCCESS;
};
