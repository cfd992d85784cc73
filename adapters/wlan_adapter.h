// Classes: CAccessPoint, CBssKey, CBssKeyHash, CBssKeyIndex, CScanResultSet, CWlanAdapter.
// The adapter interface: one abstract class with three back ends (ORiNOCO private records, NDIS 5.1
// OIDs through NDISUIO, the native WLAN API), its result codes, and the records a scan produces.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_defs.h"
#include "util/fixed_text.h"

// Results of OpenByIndex and OpenByName.
constexpr int OPEN_USABLE = 1;          // usable adapter opened
constexpr int OPEN_NOT_SUPPORTED = 0;   // adapter found but not supported (Lucent: none found)
constexpr int OPEN_NONE = -1;           // no adapter at this index or driver unreachable: stop walking
constexpr int OPEN_ACCESS_DENIED = -2;  // access denied or the WZC service could not be stopped

// Results of OpenDevice.
constexpr int DEVICE_OPENED = 0;
constexpr int DEVICE_OPEN_FAILED = 1;
constexpr int DEVICE_BUSY = 2;  // busy, and the WZC service could not be stopped

// Query status: the result of every single-value query. StartScan uses 0, 1 and 4.
constexpr int QUERY_OK = 0;             // value read and plausible
constexpr int QUERY_FAILED = 1;         // any driver or system error other than "not supported"
constexpr int QUERY_BAD_SIZE = 2;       // the driver returned an unexpected byte count
constexpr int QUERY_OUT_OF_RANGE = 3;   // implausible value
constexpr int QUERY_NOT_SUPPORTED = 4;  // Win32 ERROR_NOT_SUPPORTED

// Failure results of GetBssList (otherwise the number of entries the driver reported).
constexpr int BSS_LIST_FAILED = -1;
constexpr int BSS_LIST_NOT_SUPPORTED = -4;

// GetFailureMask: -1 for a closed device, else these bits.
constexpr int FAILURE_MASK_CLOSED = -1;
constexpr int FAILURE_BSSID = 0x200;    // GetBssid answered status 2 or more
constexpr int FAILURE_SIGNAL = 0x1000;  // GetSignal answered status 2 or more

// Security codes (GetSecurity and the per-BSS security list).
constexpr DWORD SECURITY_CLEAR = 0;
constexpr DWORD SECURITY_WEP = 1;
constexpr DWORD SECURITY_WPA = 2;
constexpr DWORD SECURITY_WPA2 = 3;
constexpr DWORD SECURITY_UNKNOWN = 99;

// Infrastructure modes (the NDIS_802_11_NETWORK_INFRASTRUCTURE values).
constexpr DWORD MODE_AD_HOC = 0;
constexpr DWORD MODE_INFRASTRUCTURE = 1;
constexpr DWORD MODE_AUTOMATIC = 2;

// What GetSecurity and GetInfrastructureMode leave in their output before (and, for status 3,
// instead of) a value: -1 as a 32-bit unsigned.
constexpr DWORD VALUE_NOT_READ = 0xFFFFFFFF;

// NDIS statistics OIDs behind the error counters and the medium query.
constexpr DWORD OID_GEN_PHYSICAL_MEDIUM = 0x00010202;
constexpr DWORD OID_GEN_XMIT_ERROR = 0x00020103;
constexpr DWORD OID_GEN_RCV_ERROR = 0x00020104;
constexpr DWORD OID_802_3_RCV_ERROR_ALIGNMENT = 0x01020101;
constexpr DWORD OID_802_3_XMIT_ONE_COLLISION = 0x01020102;
constexpr DWORD OID_802_3_XMIT_MORE_COLLISIONS = 0x01020103;

// GetPhysicalMedium values that mark a wireless adapter.
constexpr DWORD PHYSICAL_MEDIUM_WIRELESS_LAN = 1;
constexpr DWORD PHYSICAL_MEDIUM_NATIVE_802_11 = 9;

constexpr int BSSID_LENGTH = 6;

// The noise figure every back end reports: no driver measures one, so it is the usual floor.
constexpr LONG NOISE_FLOOR_DBM = -100;

// An SSID (at most 32 bytes) and an access point's own name (at most 16), each in its record's fixed
// zero-filled buffer and read as the text up to the first zero byte.
using CSsidText = CFixedText<33>;
using CApName = CFixedText<17>;

// One BSS found by a scan. Allocated by GetBssList; the access point list that receives it owns it.
struct CAccessPoint {
    CAccessPoint() = default;
    CAccessPoint(const CAccessPoint&) = default;
    CAccessPoint& operator=(const CAccessPoint&) = default;
    virtual ~CAccessPoint() = default;  // the list deletes a derived record whole

    int m_nQuality = -1;  // there is no quality figure per BSS
    CSsidText m_strSsid;
    int m_nSignal = 0;  // dBm
    int m_nNoise = NOISE_FLOOR_DBM;
    short m_nChannel = -1;  // -1 when unknown
    short m_nRate = 0;      // highest supported rate in Mbps
};

// Identity of a BSS: two entries are the same BSS when BSSID and channel are equal.
struct CBssKey {
    CBssKey() = default;
    CBssKey(const BYTE* pbBssid, int nChannel);

    bool operator==(const CBssKey& other) const;

    BYTE bssid[BSSID_LENGTH] = {};
    LONG channel = 0;  // the same number as the record's m_nChannel
};

// The five parallel containers of a scan result set: element i of each describes the same BSS.
using CBssKeyList = std::vector<CBssKey>;
using CDwordArray = std::vector<DWORD>;
using CAccessPointList = std::vector<std::unique_ptr<CAccessPoint>>;
using CApNameArray = std::vector<CApName>;

// Appends one BSS to the containers, one element to each, so their lengths stay equal. A null
// container is skipped (the caller did not ask for it); a record given no list is deleted.
void AppendBss(CBssKeyList* pKeys, CDwordArray* padwSecurity, CDwordArray* padwModes,
               CAccessPointList* pAccessPoints, CApNameArray* pastrApNames, const CBssKey& key,
               DWORD dwSecurity, DWORD dwMode, std::unique_ptr<CAccessPoint> pAccessPoint,
               const CApName& apName);

struct CBssKeyHash {
    std::size_t operator()(const CBssKey& key) const;
};

// The BSSs a key list holds, for the duplicate check of a list walk (a driver may list a BSS
// twice). A lookup costs the same however long the list is, so a walk over n entries stays linear
// instead of comparing each entry with every key before it. It starts with the keys the list already
// holds and is told of each key the walk appends. A null list (the caller asked for no keys) holds
// nothing and keeps nothing. The keys lie in one table (open addressing, linear probing, at most half
// full), so that a scan does not allocate a node per access point.
class CBssKeyIndex {
public:
    explicit CBssKeyIndex(const CBssKeyList* pKeys);
    BOOL Contains(const CBssKey& key) const;
    void Add(const CBssKey& key);

private:
    // The slot that holds the key, or the free slot where it would go.
    std::size_t SlotOf(const CBssKey& key) const;
    void Grow();

    bool m_bKept;
    std::vector<CBssKey> m_aSlots;  // a power of two of them, or none
    std::vector<BYTE> m_abUsed;
    std::size_t m_nCount = 0;
};

// A scan result set owned in one piece, reused for every scan of an adapter test. Its members are
// what GetBssList and WaitAndGetBssList are given; the records in m_apAccessPoints belong to it.
struct CScanResultSet {
    void Append(const CBssKey& key, DWORD dwSecurity, DWORD dwMode,
                std::unique_ptr<CAccessPoint> pAccessPoint, const CApName& apName);
    // Empties all five containers, deleting the records.
    void Clear();
    int GetCount() const { return static_cast<int>(m_aKeys.size()); }
    bool HasEqualLengths() const;

    CBssKeyList m_aKeys;
    CDwordArray m_adwSecurity;
    CDwordArray m_adwModes;
    CAccessPointList m_apAccessPoints;
    CApNameArray m_astrApNames;
};

// The scan synchronisation record of an adapter test (event, lock, action word); defined by the scan
// scheduler.
class CScanSync;

// The WLAN service's notification record (wlanapi's WLAN_NOTIFICATION_DATA), defined by the WLAN API
// seam. The adapter interface only passes pointers to it.
struct WLAN_NOTIFICATION_DATA;

// The scan notification callback registered with SetScanCallback. It has the shape of the WLAN API's
// WLAN_NOTIFICATION_CALLBACK (notification record, then the context given at registration), so the
// native back end hands it to WlanRegisterNotification unchanged. It runs on a thread of the WLAN
// service.
typedef void(NIMBREL_CALLBACK* SCAN_NOTIFICATION_CALLBACK)(WLAN_NOTIFICATION_DATA* pData, void* pContext);

// One wireless adapter reached through one back end. The object starts closed (m_hDevice is
// INVALID_HANDLE_VALUE); the open operations open it and CloseDevice closes it. Every query needs
// the open state. Operations never throw for driver errors: they return the codes above, and clear
// their outputs before every query (numbers to 0, or to VALUE_NOT_READ where stated; strings to "").
class CWlanAdapter {
public:
    CWlanAdapter() = default;
    CWlanAdapter(const CWlanAdapter&) = delete;
    CWlanAdapter& operator=(const CWlanAdapter&) = delete;

    // Each back end's destructor releases its device first.
    virtual ~CWlanAdapter() = default;
    // Opens the adapter at nIndex of this back end's own enumeration; OPEN_* result. The name and
    // description outputs (either may be null) are emptied first. With bCheckSupported, an adapter
    // counts as usable only when the supported cache says "true" for it.
    virtual int OpenByIndex(int nIndex, BOOL bCheckSupported, std::string* pstrName,
                            std::string* pstrDescription) = 0;
    virtual int OpenByName(const std::string& strName, BOOL bCheckSupported) = 0;  // OPEN_*
    virtual int OpenDevice() = 0;                                                  // DEVICE_*
    virtual int CloseDevice() = 0;                                                 // always 0
    // GetFailureMask of m_hDevice (native back end: 0); 0 = usable.
    virtual int CheckCapabilities() = 0;
    // Single-value queries on the current association; QUERY_* result.
    virtual int GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) = 0;
    virtual int GetChannel(short* pnChannel) = 0;
    virtual int GetBssid(BYTE abBssid[BSSID_LENGTH]) = 0;
    virtual int GetSsid(std::string* pstrSsid) = 0;
    virtual int GetRate(short* pnRateMbps) = 0;
    virtual int GetSecurity(DWORD* pdwCode) = 0;            // output first set to VALUE_NOT_READ
    virtual int GetInfrastructureMode(DWORD* pdwMode) = 0;  // output first set to VALUE_NOT_READ
    // Appends each BSS of the driver's list to the result set (null: none is kept), one element to
    // each of its five containers; the associated BSS (pbMatchBssid, may be null, and nMatchChannel)
    // only gives its signal to *pnMatchSignal. Returns the number of entries the driver reported
    // (also when some were skipped), BSS_LIST_FAILED or BSS_LIST_NOT_SUPPORTED.
    virtual int GetBssList(const BYTE* pbMatchBssid, short nMatchChannel, short* pnMatchSignal,
                           CScanResultSet* pResults) = 0;
    // Waits until the outstanding scan has had its time, then calls GetBssList with the other
    // arguments. FALSE only when GetBssList failed.
    virtual BOOL WaitAndGetBssList(CScanSync* pSync, const BYTE* pbMatchBssid, short nMatchChannel,
                                   short* pnMatchSignal, CScanResultSet* pResults) = 0;
    // QUERY_OK: scan requested; QUERY_FAILED: refused (too soon) or failed; QUERY_NOT_SUPPORTED.
    virtual int StartScan() = 0;
    // The Win32 error of the last scan request or list read, for a caller that must tell one
    // refusal from the others (the results above keep their codes). Back ends whose driver gives
    // no such error answer ERROR_SUCCESS.
    virtual DWORD LastScanError() const { return ERROR_SUCCESS; }
    // Error counters and the physical medium; QUERY_* result.
    virtual int GetXmitErrors(DWORD* pdwCount) = 0;
    virtual int GetRcvErrors(DWORD* pdwCount) = 0;
    virtual int GetRcvAlignmentErrors(DWORD* pdwCount) = 0;
    virtual int GetXmitOneCollision(DWORD* pdwCount) = 0;
    virtual int GetXmitMoreCollisions(DWORD* pdwCount) = 0;
    virtual int GetPhysicalMedium(DWORD* pdwMedium) = 0;
    // TRUE when the OID was read.
    virtual BOOL QueryOidString(DWORD dwOid, std::string* pstrValue) = 0;
    virtual BOOL QueryOidDword(DWORD dwOid, DWORD* pdwValue) = 0;
    // FAILURE_MASK_CLOSED when hDevice is INVALID_HANDLE_VALUE (nothing is sent), else FAILURE_BSSID
    // and FAILURE_SIGNAL for the association queries that answered status 2 or more. Status 1 does
    // not count: an adapter that is not associated fails those requests and is still usable.
    virtual int GetFailureMask(HANDLE hDevice) final;
    // Registers the scan notification callback (native back end); the others do nothing. 0 = done.
    virtual int SetScanCallback(SCAN_NOTIFICATION_CALLBACK pfnCallback, void* pContext) = 0;
    // "WL", "NDIS51" or "WiFiAPI".
    virtual std::string GetName() const = 0;

    std::string m_strDevice;      // the back end's device identifier; supported cache key
    DWORD m_dwLastScanTick = 0;   // tick of the last scan request (scan scheduler)
    BOOL m_bScanPending = FALSE;  // a scan request is outstanding (scan scheduler)
    HANDLE m_hDevice = INVALID_HANDLE_VALUE;
};
