// The ORiNOCO back end: Lucent/ORiNOCO PC cards whose driver offers private record access. Every
// request travels as an NDIS statistics query to the card's device "\\.\" + service name; the
// private ones ride in the vendor OID 0xFF020401 and open a port on the card, read its records by
// record id (RID) and close the port again. The card is found by walking the network cards that
// Windows lists in the registry.
#pragma once

#include <string>
#include <vector>

#include "adapters/wlan_adapter.h"

// The card's name in discovery and in OpenByName.
inline constexpr char LUCENT_CARD_NAME[] = "ORiNOCO";

class CLucentAdapter : public CWlanAdapter {
public:
    CLucentAdapter() = default;
    ~CLucentAdapter() override;

    // Walks the registered network cards and takes the first that answers the port open request
    // (and, with bCheckSupported, passes the supported check). nIndex is not used: there is one card.
    // 1 card open, 0 none; *pstrName = "ORiNOCO" either way, the description stays empty.
    int OpenByIndex(int nIndex, BOOL bCheckSupported, std::string* pstrName,
                    std::string* pstrDescription) override;
    // -1 unless strName is "ORiNOCO".
    int OpenByName(const std::string& strName, BOOL bCheckSupported) override;
    // Opens m_strDevice and the card's port; DEVICE_OPENED or DEVICE_OPEN_FAILED.
    int OpenDevice() override;
    // Closes the port and the device.
    int CloseDevice() override;
    int CheckCapabilities() override;
    int GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) override;
    int GetChannel(short* pnChannel) override;
    int GetBssid(BYTE abBssid[BSSID_LENGTH]) override;
    int GetSsid(std::string* pstrSsid) override;
    int GetRate(short* pnRateMbps) override;
    // The card tells neither: VALUE_NOT_READ with QUERY_OK.
    int GetSecurity(DWORD* pdwCode) override;
    int GetInfrastructureMode(DWORD* pdwMode) override;
    int GetBssList(const BYTE* pbMatchBssid, short nMatchChannel, short* pnMatchSignal,
                   CScanResultSet* pResults) override;
    BOOL WaitAndGetBssList(CScanSync* pSync, const BYTE* pbMatchBssid, short nMatchChannel,
                           short* pnMatchSignal, CScanResultSet* pResults) override;
    int StartScan() override;
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

    // One step of the registry walk: the device of the *pnIndex-th registered network card.
    // 1 *pstrDevice = "\\.\" + its "ServiceName"; 0 the card's key cannot be opened or has no
    // readable "ServiceName" (skip it); -1 no NetworkCards key or no card at this index (the end).
    int GetNetworkCardDevice(std::string* pstrDevice, int* pnIndex);

    DWORD m_dwPort = 0;  // the port the card gave to the open request; every later request carries it

private:
    // Every record access: command, data length and RID in a zeroed request; the answer (header and
    // data) comes back in *pabBuffer. The Win32 error when the request could not be sent; otherwise 0
    // when the card answered status 0, -2 busy, -1 any other status.
    virtual int SendRidRequest(WORD wCommand, WORD wLength, WORD wRid, std::vector<BYTE>* pabBuffer,
                               DWORD* pdwReturned);
    // The private request itself; port open and close use it with their own function code.
    int SendPrivateRequest(WORD wFunction, WORD wCommand, WORD wLength, WORD wRid, DWORD cbBuffer,
                           std::vector<BYTE>* pabBuffer, DWORD* pdwReturned);
    // Reads a record of wLength data bytes into *pabAnswer: QUERY_OK when 12 + wLength bytes came back.
    int ReadRecord(WORD wRid, WORD wLength, std::vector<BYTE>* pabAnswer);
    // A standard NDIS statistics query: ERROR_SUCCESS or the Win32 error.
    DWORD QueryStatistics(DWORD dwOid, void* pvOut, DWORD cbOut, DWORD* pdwReturned);
    int QueryCounter(DWORD dwOid, DWORD* pdwValue);
};
