// The NDIS 5.1 back end: wireless adapters on Windows before 6.0, reached through the NDIS user-mode
// I/O protocol driver (NDISUIO). It opens the driver's control device, enumerates its bindings, binds
// the handle to one adapter and queries or sets 802.11 and general OIDs on it.
#pragma once

#include <string>

#include "adapters/wlan_adapter.h"

// The driver's control device, as the back end opens it.
inline constexpr char NDISUIO_DEVICE_NAME[] = "\\\\.\\\\Ndisuio";

// NDISUIO control codes: CTL_CODE(FILE_DEVICE_NETWORK, function, METHOD_BUFFERED, access). Drivers
// differ in the access bits they expect, so the process keeps one current form of all five codes and
// switches it (0xC000 ↔ 0) before every retry; it stays at whatever last worked or last failed.
constexpr DWORD NDISUIO_FUNCTION_OPEN_DEVICE = 0x200;
constexpr DWORD NDISUIO_FUNCTION_QUERY_OID_VALUE = 0x201;
constexpr DWORD NDISUIO_FUNCTION_QUERY_BINDING = 0x203;
constexpr DWORD NDISUIO_FUNCTION_BIND_WAIT = 0x204;
constexpr DWORD NDISUIO_FUNCTION_SET_OID_VALUE = 0x205;
constexpr DWORD NDISUIO_ACCESS_READ_WRITE = 0xC000;  // FILE_READ_ACCESS | FILE_WRITE_ACCESS

// The access bits of the current form (process-wide, 0xC000 at start).
extern DWORD g_dwNdisuioAccess;
DWORD NdisuioControlCode(DWORD dwFunction);
void SwitchNdisuioCodeForm();

// NDIS 5.1 802.11 OIDs.
constexpr DWORD OID_802_11_BSSID = 0x0D010101;
constexpr DWORD OID_802_11_SSID = 0x0D010102;
constexpr DWORD OID_802_11_INFRASTRUCTURE_MODE = 0x0D010108;
constexpr DWORD OID_802_11_BSSID_LIST_SCAN = 0x0D01011A;
constexpr DWORD OID_802_11_WEP_STATUS = 0x0D01011B;
constexpr DWORD OID_802_11_RSSI = 0x0D010206;
constexpr DWORD OID_802_11_CONFIGURATION = 0x0D010211;
constexpr DWORD OID_802_11_BSSID_LIST = 0x0D010217;
constexpr DWORD OID_GEN_LINK_SPEED = 0x00010107;

// The BSSID list buffer starts at 4 KiB and doubles while the driver asks for more, up to this: room
// for 10,000 entries of 400 bytes, and still a bound on a driver that is never satisfied.
constexpr DWORD NDIS_BSSID_LIST_START_BYTES = 4096;
constexpr DWORD NDIS_BSSID_LIST_MAX_BYTES = 4 * 1024 * 1024;

constexpr int NDIS_DEVICE_NAME_UNITS = 256;

class CNdis51Adapter : public CWlanAdapter {
public:
    CNdis51Adapter();
    ~CNdis51Adapter() override;

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

    // The NDISUIO device name of the bound adapter, zero-terminated.
    WCHAR m_wszDevice[NDIS_DEVICE_NAME_UNITS] = {};

private:
    // Opens the control device when it is not open and waits for the bindings. OPEN_* failure code,
    // or OPEN_USABLE when the handle is ready.
    int PrepareHandle(BOOL bAccessDeniedCode);
    // Sends one control code; on failure switches the code form and sends once more. ERROR_SUCCESS or
    // the error to report: the first one, unless that was ERROR_NOT_SUPPORTED (then the second).
    DWORD ControlWithRetry(DWORD dwFunction, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                           DWORD* pdwReturned);
    // The query step: the OID and four zero bytes at the start of pbBuffer, then the request.
    DWORD QueryOid(DWORD dwOid, BYTE* pbBuffer, DWORD cbBuffer, DWORD* pdwReturned);
    // A 32-bit OID whose answer must be exactly 8 bytes; QUERY_* status. *pdwValue is 0 unless read.
    int QueryDwordStatus(DWORD dwOid, DWORD* pdwValue);
    // The supported check: the mode query must work and the capabilities must be clean.
    BOOL PassesSupportedCheck();
    DWORD SendOpenDevice();
};
