// Classes: CSimWlanAccessPoint, CSimWlanScanPlan, CSimWlanPhyStatistics, CSimWlanInterface, CSimWlanService.
// The WLAN service of the simulated machine, reached as the library "wlanapi" (its nine entry points
// are plain functions that route to the service of the machine that is Os() now). It is described
// by the machine file's "wlan" section (docs/MACHINE_FILE.md): interfaces, their connection,
// statistics and capability, the access points each hears, how each scan completes, and failures.
//
// Buffers are built in the byte layouts of the WLAN API, allocated at exactly the size reported, and
// tracked until WlanFreeMemory. Scan-complete notifications are delivered on the service's own
// thread: a clock timer hands each to that thread and waits until the callbacks have returned, so
// on the virtual clock a notification happens at its virtual instant.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/sim/machine_file.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_devices.h"
#include "platform/system.h"
#include "platform/wlan_api.h"

struct CSimWlanAccessPoint {
    std::string strSsid;                // bytes of the SSID
    std::optional<ULONG> ulSsidLength;  // reported uSSIDLength when it should differ (faults)
    BYTE abBssid[6] = {};
    DWORD dwBssType = dot11_BSS_type_infrastructure;
    LONG lRssi = -60;
    ULONG uLinkQuality = 80;
    USHORT usCapability = 0x0001;          // ESS; DOT11_CAPABILITY_PRIVACY added for protected BSSs
    ULONG ulFrequency = 2437000;           // kHz
    std::vector<USHORT> ausRates;          // units of 500 kbit/s, 0x8000 = basic rate
    std::optional<ULONG> ulRateSetLength;  // reported uRateSetLength when it should differ (faults)
    std::vector<BYTE> abIes;               // the information elements
    std::optional<ULONG> ulIeOffset;       // reported offset when it should differ (faults)
    std::optional<ULONG> ulIeSize;         // reported size when it should differ (faults)
};

// How one scan request completes: a notification after each of these delays (none: never).
struct CSimWlanScanPlan {
    std::vector<DWORD> adwAfterMs;
    DWORD dwCode = wlan_notification_acm_scan_complete;
};

struct CSimWlanPhyStatistics {
    ULONGLONG ullFailed = 0;
    ULONGLONG ullRetry = 0;
    ULONGLONG ullMultipleRetry = 0;
    ULONGLONG ullRtsFailure = 0;
    ULONGLONG ullAckFailure = 0;
    ULONGLONG ullMaxRxLifetimeExceeded = 0;
    ULONGLONG ullFcsError = 0;
};

struct CSimWlanInterface {
    GUID guid{};
    std::u16string wstrDescription;  // UTF-16, as the service hands it out
    DWORD dwState = wlan_interface_state_disconnected;
    DWORD dwType = wlan_interface_type_native_802_11;

    // Current connection (answered while dwState is connected).
    std::u16string wstrProfile;
    std::string strSsid;
    BYTE abBssid[6] = {};
    DWORD dwBssType = dot11_BSS_type_infrastructure;
    ULONG ulSignalQuality = 0;
    ULONG ulRxRate = 0;  // kbit/s
    ULONG ulTxRate = 0;
    DWORD dwCipher = 0;
    DWORD dwConnectionSize = wlan_layout::CONNECTION_SIZE;
    ULONG ulChannel = 0;

    std::vector<CSimWlanPhyStatistics> aPhys;
    std::optional<DWORD> dwNumberOfPhys;    // reported count when it should differ (faults)
    std::optional<DWORD> dwStatisticsSize;  // reported size when it should differ (faults)

    std::vector<CSimWlanAccessPoint> aAccessPoints;
    std::optional<DWORD> dwBssCount;  // reported dwNumberOfItems when it should differ (faults)

    CSimWlanScanPlan defaultScan;            // every scan after the listed ones
    std::vector<CSimWlanScanPlan> aScans;    // the first scans, in request order
    std::map<std::string, DWORD> mapErrors;  // entry point → error it returns for this interface
    unsigned nScanRequests = 0;
};

class CSimWlanService {
public:
    CSimWlanService(CSimClock& clock, CSimLibraries& libraries);
    ~CSimWlanService();
    CSimWlanService(const CSimWlanService&) = delete;
    CSimWlanService& operator=(const CSimWlanService&) = delete;

    // Section "wlan"; registers the library when the section is there and does not say the library
    // is absent. Throws
    // CMachineFileError.
    void Load(const CJsonNode& wlan);

    // For tests: the interfaces (changeable between calls), buffers and handles not yet released.
    CSimWlanInterface* FindInterface(const std::string& strGuid);
    std::size_t OutstandingAllocations();
    std::size_t OpenHandles();
    // Buffers given to WlanFreeMemory that the service never handed out.
    unsigned ForeignFrees();
    // Notifications delivered to callbacks so far.
    unsigned DeliveredNotifications();

    // The entry points' work.
    DWORD OpenHandle(DWORD dwClientVersion, DWORD* pdwNegotiated, HANDLE* phClient);
    DWORD CloseHandle(HANDLE hClient);
    DWORD EnumInterfaces(HANDLE hClient, WLAN_INTERFACE_INFO_LIST** ppList);
    void FreeMemory(void* pMemory);
    DWORD QueryInterface(HANDLE hClient, const GUID* pGuid, DWORD dwOpcode, DWORD* pdwSize, void** ppData);
    DWORD GetNetworkBssList(HANDLE hClient, const GUID* pGuid, WLAN_BSS_LIST** ppList);
    DWORD Scan(HANDLE hClient, const GUID* pGuid);
    DWORD GetInterfaceCapability(HANDLE hClient, const GUID* pGuid, WLAN_INTERFACE_CAPABILITY** ppCapability);
    DWORD RegisterNotification(HANDLE hClient, DWORD dwSource, WLAN_NOTIFICATION_CALLBACK pfnCallback,
                               void* pContext, DWORD* pdwPrevious);

    // The service of the machine whose library loader is Os() now; null when there is none.
    static CSimWlanService* Current();

private:
    struct CClient {
        DWORD dwSource = WLAN_NOTIFICATION_SOURCE_NONE;
        WLAN_NOTIFICATION_CALLBACK pfnCallback = nullptr;
        void* pContext = nullptr;
    };
    struct CDelivery {
        GUID guid{};
        DWORD dwCode = 0;
        bool bDone = false;
    };

    // Callers hold m_mutex. ERROR_INVALID_PARAMETER unless bArguments or for a GUID of no interface,
    // ERROR_INVALID_HANDLE for an unknown client, else the error injected for the call.
    DWORD CheckCall(bool bArguments, const char* pszEntry, HANDLE hClient, const GUID* pGuid,
                    CSimWlanInterface** ppInterface);
    void* Allocate(const std::vector<BYTE>& abData);
    std::vector<BYTE> BuildBssList(const CSimWlanInterface& iface);

    // Timer side: hands the notification to the service thread and waits until it was delivered.
    void Deliver(const GUID& guid, DWORD dwCode);
    void ServiceThread();

    CSimClock& m_clock;
    CSimLibraries& m_libraries;

    std::mutex m_mutex;
    std::condition_variable m_cv;
    DWORD m_dwNegotiatedVersion = WLAN_API_VERSION_2_0;
    // false: scans, BSS lists and the current connection are refused (ERROR_ACCESS_DENIED), as
    // Windows 11 24H2 refuses them to a desktop program the user did not allow the location.
    bool m_bLocationConsent = true;
    std::map<std::string, DWORD> m_mapErrors;  // entry point → error, for every interface
    std::vector<CSimWlanInterface> m_aInterfaces;
    std::map<HANDLE, CClient> m_clients;
    HANDLE m_hNext = 0x5000;
    std::map<void*, std::size_t> m_allocations;
    unsigned m_nForeignFrees = 0;
    unsigned m_nDelivered = 0;
    std::set<SimTimerId> m_timers;

    std::deque<CDelivery*> m_queue;
    HANDLE m_hInCallback = 0;  // client whose callback runs now on the service thread
    bool m_bStopping = false;
    std::thread m_thread;  // last: started once everything above exists
};
