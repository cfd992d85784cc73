// Classes: CSimAccessPoint, CSimNdisBinding, CSimNdisuioConfig, CSimNdisCall, CSimNdisuio.
// The simulated NDIS user-mode I/O protocol driver (NDISUIO) behind "\\.\\Ndisuio": its bindings, the
// adapters behind them and the access points each wireless adapter hears, described by the machine
// file's "ndisuio" section (docs/MACHINE_FILE.md). It answers the five control codes in the byte
// layouts of the real driver (NDISUIO_QUERY_BINDING with UTF-16 texts, NDISUIO_QUERY_OID /
// NDISUIO_SET_OID, NDIS_802_11_BSSID_LIST_EX of NDIS_WLAN_BSSID_EX entries with information elements),
// and has knobs for the faults a real driver shows: the other form of the control codes only, access
// denied, a device held by the configuration service, unsupported OIDs, odd byte counts, a list that
// never fits, and raw malformed bytes.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/machine_file.h"

class CSimDeviceIo;
class CSimServices;

// One access point as a wireless binding hears it.
struct CSimAccessPoint {
    std::string strSsid;
    BYTE abBssid[6] = {};
    DWORD dwDsConfig = 2437000;  // kHz
    LONG nRssi = -60;            // dBm
    bool bPrivacy = false;
    std::vector<BYTE>
        abRsnCiphers;           // pairwise suite types of an RSN element (00-0F-AC-type); none = no element
    bool bWpa = false;          // the WPA vendor element 00-50-F2-01
    std::string strApName;      // the 0x85 element; "" = none
    DWORD dwMode = 1;           // NDIS_802_11_NETWORK_INFRASTRUCTURE
    std::vector<BYTE> abRates;  // units of 500 kbit/s, top bit = basic rate
    // An older driver's NDIS_WLAN_BSSID entry: 104 bytes, the first 8 rates, no elements.
    bool bOldLayout = false;
    // Malformed entries: the raw variable elements instead of the generated ones, and the entry's
    // Length, SsidLength and IELength fields as the driver should (mis)state them.
    std::optional<std::vector<BYTE>> abRawElements;
    std::optional<DWORD> dwLength;
    std::optional<DWORD> dwSsidLength;
    std::optional<DWORD> dwIeLength;
};

struct CSimNdisBinding {
    std::string strName;  // the NDIS device name, e.g. "\\DEVICE\\{GUID}"
    std::string strDescription;
    std::string strHeldBy;          // a service that holds the adapter while it is not stopped ("WZCSVC")
    DWORD dwOpenError = 0;          // IOCTL_NDISUIO_OPEN_DEVICE fails with this error
    bool bWireless = true;          // answers the 802.11 OIDs (else ERROR_NOT_SUPPORTED)
    std::optional<DWORD> dwMedium;  // OID_GEN_PHYSICAL_MEDIUM; none = not supported
    DWORD dwInfrastructureMode = 1;
    DWORD dwWepStatus = 1;                           // NDIS_802_11_WEP_STATUS
    DWORD dwLinkSpeed = 540000;                      // units of 100 bit/s
    std::vector<std::pair<DWORD, DWORD>> aCounters;  // statistics OID → value (others answer 0)
    // The association; without one the association OIDs fail with ERROR_GEN_FAILURE.
    bool bAssociated = false;
    BYTE abAssocBssid[6] = {};
    std::string strAssocSsid;
    std::optional<DWORD> dwAssocSsidLength;  // SsidLength as stated
    LONG nAssocRssi = -50;
    DWORD dwAssocDsConfig = 2437000;
    std::vector<CSimAccessPoint> aAccessPoints;
    // Faults.
    std::vector<std::pair<DWORD, DWORD>> aOidErrors;   // OID → the error its query or set fails with
    std::vector<std::pair<DWORD, DWORD>> aReplyBytes;  // OID → the byte count answered (zero-padded)
    bool bListAlwaysInsufficient = false;              // OID_802_11_BSSID_LIST never fits any buffer
    std::optional<std::vector<BYTE>> abRawList;        // the list answer after the OID, byte for byte
    std::optional<DWORD> dwNumberOfItems;              // NumberOfItems as stated
    // The binding record's offsets and lengths as stated (the texts stay where they are).
    std::optional<DWORD> dwNameOffset, dwNameLength, dwDescrOffset, dwDescrLength;
};

struct CSimNdisuioConfig {
    DWORD dwCreateError = 0;           // CreateFile of the control device fails with this (5 = denied)
    std::string strCodeForm = "both";  // "both", "access0" (old driver) or "readWrite"
    DWORD dwBindWaitError = 0;
    std::vector<CSimNdisBinding> aBindings;
};

// One DeviceIoControl that reached the driver (tests).
struct CSimNdisCall {
    DWORD dwCode;
    DWORD dwOid;  // for QUERY_OID / SET_OID, else 0
    DWORD dwError;
    DWORD cbOut;  // the output buffer offered
    DWORD cbReturned;
};

class CSimNdisuio {
public:
    explicit CSimNdisuio(CSimServices& services);
    ~CSimNdisuio();
    CSimNdisuio(const CSimNdisuio&) = delete;
    CSimNdisuio& operator=(const CSimNdisuio&) = delete;

    // The "ndisuio" section; absent = no such driver on the machine.
    void Load(const CJsonNode& section);
    bool IsPresent() const;
    // Registers the control device when the driver is present.
    void Register(CSimDeviceIo& deviceIo);

    // Tests: change the machine, read what was sent.
    void Update(const std::function<void(CSimNdisuioConfig&)>& fn);
    std::vector<CSimNdisCall> Calls();
    void ClearCalls();

private:
    struct CState;
    class CFile;
    std::shared_ptr<CState> m_pState;  // open handles keep it alive
};

// The driver's byte layouts, for tests that start from a well-formed answer and spoil it.
std::vector<BYTE> BuildSimBssEntry(const CSimAccessPoint& ap);
// NumberOfItems and the entries (the answer without its leading OID).
std::vector<BYTE> BuildSimBssidList(const CSimNdisBinding& binding);
