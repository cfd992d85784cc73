#include "platform/sim/sim_wlan.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/os.h"
#include "platform/sim/sim_rpc.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/sim_wlan_file.h"

namespace {

std::mutex g_servicesMutex;
std::map<const ILibraryLoader*, CSimWlanService*> g_services;

// ---- The entry points of "wlanapi"

DWORD WLAN_WINAPI SimWlanOpenHandle(DWORD dwClientVersion, void*, DWORD* pdwNegotiated, HANDLE* phClient) {
    CSimWlanService* pService = CSimWlanService::Current();
    return pService ? pService->OpenHandle(dwClientVersion, pdwNegotiated, phClient) : ERROR_INVALID_HANDLE;
}

DWORD WLAN_WINAPI SimWlanCloseHandle(HANDLE hClient, void*) {
    CSimWlanService* pService = CSimWlanService::Current();
    return pService ? pService->CloseHandle(hClient) : ERROR_INVALID_HANDLE;
}

DWORD WLAN_WINAPI SimWlanEnumInterfaces(HANDLE hClient, void*, WLAN_INTERFACE_INFO_LIST** ppList) {
    CSimWlanService* pService = CSimWlanService::Current();
    return pService ? pService->EnumInterfaces(hClient, ppList) : ERROR_INVALID_HANDLE;
}

void WLAN_WINAPI SimWlanFreeMemory(void* pMemory) {
    if (CSimWlanService* pService = CSimWlanService::Current()) {
        pService->FreeMemory(pMemory);
    }
}

DWORD WLAN_WINAPI SimWlanQueryInterface(HANDLE hClient, const GUID* pGuid, DWORD dwOpcode, void*,
                                        DWORD* pdwSize, void** ppData, DWORD* pdwValueType) {
    CSimWlanService* pService = CSimWlanService::Current();
    if (pdwValueType != nullptr) {
        *pdwValueType = 0;
    }
    return pService ? pService->QueryInterface(hClient, pGuid, dwOpcode, pdwSize, ppData)
                    : ERROR_INVALID_HANDLE;
}

DWORD WLAN_WINAPI SimWlanGetNetworkBssList(HANDLE hClient, const GUID* pGuid, const DOT11_SSID*, DWORD, BOOL,
                                           void*, WLAN_BSS_LIST** ppList) {
    CSimWlanService* pService = CSimWlanService::Current();
    return pService ? pService->GetNetworkBssList(hClient, pGuid, ppList) : ERROR_INVALID_HANDLE;
}

DWORD WLAN_WINAPI SimWlanScan(HANDLE hClient, const GUID* pGuid, const DOT11_SSID*, const void*, void*) {
    CSimWlanService* pService = CSimWlanService::Current();
    return pService ? pService->Scan(hClient, pGuid) : ERROR_INVALID_HANDLE;
}

DWORD WLAN_WINAPI SimWlanGetInterfaceCapability(HANDLE hClient, const GUID* pGuid, void*,
                                                WLAN_INTERFACE_CAPABILITY** ppCapability) {
    CSimWlanService* pService = CSimWlanService::Current();
    return pService ? pService->GetInterfaceCapability(hClient, pGuid, ppCapability) : ERROR_INVALID_HANDLE;
}

DWORD WLAN_WINAPI SimWlanRegisterNotification(HANDLE hClient, DWORD dwSource, BOOL,
                                              WLAN_NOTIFICATION_CALLBACK pfn, void* pContext, void*,
                                              DWORD* pdwPrevious) {
    CSimWlanService* pService = CSimWlanService::Current();
    return pService ? pService->RegisterNotification(hClient, dwSource, pfn, pContext, pdwPrevious)
                    : ERROR_INVALID_HANDLE;
}

std::map<std::string, void*> EntryPoints() {
    return {
        {"WlanOpenHandle", reinterpret_cast<void*>(&SimWlanOpenHandle)},
        {"WlanCloseHandle", reinterpret_cast<void*>(&SimWlanCloseHandle)},
        {"WlanEnumInterfaces", reinterpret_cast<void*>(&SimWlanEnumInterfaces)},
        {"WlanFreeMemory", reinterpret_cast<void*>(&SimWlanFreeMemory)},
        {"WlanQueryInterface", reinterpret_cast<void*>(&SimWlanQueryInterface)},
        {"WlanGetNetworkBssList", reinterpret_cast<void*>(&SimWlanGetNetworkBssList)},
        {"WlanScan", reinterpret_cast<void*>(&SimWlanScan)},
        {"WlanGetInterfaceCapability", reinterpret_cast<void*>(&SimWlanGetInterfaceCapability)},
        {"WlanRegisterNotification", reinterpret_cast<void*>(&SimWlanRegisterNotification)},
    };
}

// ---- Byte building

void Put(std::vector<BYTE>& ab, std::size_t nOffset, const void* pData, std::size_t cb) {
    if (nOffset + cb <= ab.size()) {
        std::memcpy(ab.data() + nOffset, pData, cb);
    }
}

template <typename T>
void PutValue(std::vector<BYTE>& ab, std::size_t nOffset, T value) {
    Put(ab, nOffset, &value, sizeof(value));
}

void PutSsid(std::vector<BYTE>& ab, std::size_t nOffset, const std::string& strSsid, ULONG ulLength) {
    PutValue<ULONG>(ab, nOffset, ulLength);
    Put(ab, nOffset + 4, strSsid.data(), std::min<std::size_t>(strSsid.size(), DOT11_SSID_MAX_LENGTH));
}

void PutWide(std::vector<BYTE>& ab, std::size_t nOffset, const std::u16string& wstr) {
    const std::size_t nChars = std::min(wstr.size(), WLAN_MAX_NAME_LENGTH - 1);
    Put(ab, nOffset, wstr.data(), nChars * sizeof(WCHAR));
}

}  // namespace

// ---- CSimWlanService

CSimWlanService::CSimWlanService(CSimClock& clock, CSimLibraries& libraries)
    : m_clock(clock), m_libraries(libraries), m_thread([this] { ServiceThread(); }) {
    std::lock_guard<std::mutex> guard(g_servicesMutex);
    g_services[&m_libraries] = this;
}

CSimWlanService::~CSimWlanService() {
    {
        std::lock_guard<std::mutex> guard(g_servicesMutex);
        auto it = g_services.find(&m_libraries);
        if (it != g_services.end() && it->second == this) {
            g_services.erase(it);
        }
    }
    std::set<SimTimerId> timers;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        timers.swap(m_timers);
    }
    for (SimTimerId id : timers) {
        m_clock.CancelTimer(id);
    }
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_bStopping = true;
    }
    m_cv.notify_all();
    m_thread.join();
    for (auto& [pMemory, cb] : m_allocations) {
        delete[] static_cast<BYTE*>(pMemory);
    }
}

CSimWlanService* CSimWlanService::Current() {
    std::lock_guard<std::mutex> guard(g_servicesMutex);
    auto it = g_services.find(Os().pLibraries);
    return it != g_services.end() ? it->second : nullptr;
}

void CSimWlanService::Load(const CJsonNode& wlan) {
    wlan.ExpectObject(
        {"library", "missingEntryPoints", "negotiatedVersion", "locationConsent", "errors", "interfaces"});
    const bool bPresent = wlan.GetEnum("library", {"present", "absent"}, "present") == "present";
    std::map<std::string, void*> entryPoints = EntryPoints();
    wlan.Child("missingEntryPoints").ForEachItem([&](const CJsonNode& name) {
        if (entryPoints.erase(name.AsString()) == 0) {
            name.Fail("not an entry point of wlanapi");
        }
    });
    std::lock_guard<std::mutex> guard(m_mutex);
    m_dwNegotiatedVersion = wlan.GetDword("negotiatedVersion", WLAN_API_VERSION_2_0);
    m_bLocationConsent = wlan.GetBool("locationConsent", true);
    m_mapErrors = SimParseWlanErrors(wlan.Child("errors"));
    wlan.Child("interfaces").ForEachItem([&](const CJsonNode& node) {
        m_aInterfaces.push_back(SimParseWlanInterface(node));
    });
    // A machine without the section has no WLAN service at all (Windows before 6.0).
    if (bPresent && wlan.IsPresent()) {
        m_libraries.RegisterLibrary(WLANAPI_LIBRARY, std::move(entryPoints));
    }
}

CSimWlanInterface* CSimWlanService::FindInterface(const std::string& strGuid) {
    GUID guid{};
    if (!SimParseGuid(strGuid, &guid)) {
        return nullptr;
    }
    for (CSimWlanInterface& iface : m_aInterfaces) {
        if (std::memcmp(&iface.guid, &guid, sizeof(GUID)) == 0) {
            return &iface;
        }
    }
    return nullptr;
}

std::size_t CSimWlanService::OutstandingAllocations() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_allocations.size();
}

std::size_t CSimWlanService::OpenHandles() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_clients.size();
}

unsigned CSimWlanService::ForeignFrees() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_nForeignFrees;
}

unsigned CSimWlanService::DeliveredNotifications() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_nDelivered;
}

DWORD CSimWlanService::CheckCall(bool bArguments, const char* pszEntry, HANDLE hClient, const GUID* pGuid,
                                 CSimWlanInterface** ppInterface) {
    if (!bArguments) {
        return ERROR_INVALID_PARAMETER;
    }
    if (m_clients.find(hClient) == m_clients.end()) {
        return ERROR_INVALID_HANDLE;
    }
    CSimWlanInterface* pFound = nullptr;
    if (pGuid != nullptr) {
        for (CSimWlanInterface& iface : m_aInterfaces) {
            if (std::memcmp(&iface.guid, pGuid, sizeof(GUID)) == 0) {
                pFound = &iface;
            }
        }
        if (pFound == nullptr) {
            return ERROR_INVALID_PARAMETER;  // as Windows answers a GUID of no interface
        }
        auto it = pFound->mapErrors.find(pszEntry);
        if (it != pFound->mapErrors.end()) {
            return it->second;
        }
    }
    auto it = m_mapErrors.find(pszEntry);
    if (it != m_mapErrors.end()) {
        return it->second;
    }
    if (ppInterface != nullptr) {
        *ppInterface = pFound;
    }
    return ERROR_SUCCESS;
}

void* CSimWlanService::Allocate(const std::vector<BYTE>& abData) {
    // Exactly the bytes the caller is told of, so a read past them is a heap overflow under ASan.
    BYTE* pb = new BYTE[std::max<std::size_t>(abData.size(), 1)];
    std::memcpy(pb, abData.data(), abData.size());
    m_allocations[pb] = abData.size();
    return pb;
}

DWORD CSimWlanService::OpenHandle(DWORD dwClientVersion, DWORD* pdwNegotiated, HANDLE* phClient) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (pdwNegotiated == nullptr || phClient == nullptr || dwClientVersion == 0 || dwClientVersion > 2) {
        return ERROR_INVALID_PARAMETER;
    }
    auto it = m_mapErrors.find("WlanOpenHandle");
    if (it != m_mapErrors.end()) {
        return it->second;
    }
    *pdwNegotiated = std::min(dwClientVersion, m_dwNegotiatedVersion);
    *phClient = m_hNext;
    m_clients[m_hNext] = CClient();
    m_hNext += 4;
    return ERROR_SUCCESS;
}

DWORD CSimWlanService::CloseHandle(HANDLE hClient) {
    m_libraries.RecordCall("WlanCloseHandle");
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_clients.erase(hClient) == 0) {
        return ERROR_INVALID_HANDLE;
    }
    // As the real service does, closing waits for a callback of this client that is running now;
    // after this no callback of it runs again.
    if (std::this_thread::get_id() != m_thread.get_id()) {
        m_cv.wait(lock, [&] { return m_hInCallback != hClient; });
    }
    return ERROR_SUCCESS;
}

DWORD CSimWlanService::EnumInterfaces(HANDLE hClient, WLAN_INTERFACE_INFO_LIST** ppList) {
    std::lock_guard<std::mutex> guard(m_mutex);
    const DWORD dwError = CheckCall(ppList != nullptr, "WlanEnumInterfaces", hClient, nullptr, nullptr);
    if (dwError != ERROR_SUCCESS) {
        return dwError;
    }
    using namespace wlan_layout;
    std::vector<BYTE> ab(INTERFACE_LIST_HEADER +
                         INTERFACE_INFO_SIZE * std::max<std::size_t>(m_aInterfaces.size(), 1));
    PutValue<DWORD>(ab, 0, static_cast<DWORD>(m_aInterfaces.size()));
    for (std::size_t i = 0; i < m_aInterfaces.size(); ++i) {
        const CSimWlanInterface& iface = m_aInterfaces[i];
        const std::size_t nEntry = INTERFACE_LIST_HEADER + INTERFACE_INFO_SIZE * i;
        PutValue(ab, nEntry + offsetof(WLAN_INTERFACE_INFO, InterfaceGuid), iface.guid);
        PutWide(ab, nEntry + offsetof(WLAN_INTERFACE_INFO, strInterfaceDescription), iface.wstrDescription);
        PutValue<DWORD>(ab, nEntry + offsetof(WLAN_INTERFACE_INFO, isState), iface.dwState);
    }
    *ppList = static_cast<WLAN_INTERFACE_INFO_LIST*>(Allocate(ab));
    return ERROR_SUCCESS;
}

void CSimWlanService::FreeMemory(void* pMemory) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (pMemory == nullptr) {
        return;
    }
    auto it = m_allocations.find(pMemory);
    if (it == m_allocations.end()) {
        ++m_nForeignFrees;
        return;
    }
    delete[] static_cast<BYTE*>(pMemory);
    m_allocations.erase(it);
}

DWORD CSimWlanService::QueryInterface(HANDLE hClient, const GUID* pGuid, DWORD dwOpcode, DWORD* pdwSize,
                                      void** ppData) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CSimWlanInterface* pIface = nullptr;
    const DWORD dwError = CheckCall(pGuid != nullptr && pdwSize != nullptr && ppData != nullptr,
                                    "WlanQueryInterface", hClient, pGuid, &pIface);
    if (dwError != ERROR_SUCCESS) {
        return dwError;
    }
    const CSimWlanInterface& iface = *pIface;
    const bool bConnected = iface.dwState == wlan_interface_state_connected;
    std::vector<BYTE> ab;
    if (dwOpcode == wlan_intf_opcode_current_connection) {
        if (!m_bLocationConsent) {
            return ERROR_ACCESS_DENIED;
        }
        if (!bConnected) {
            return ERROR_INVALID_STATE;
        }
        using namespace wlan_layout;
        ab.resize(iface.dwConnectionSize);
        PutValue<DWORD>(ab, offsetof(WLAN_CONNECTION_ATTRIBUTES, isState), iface.dwState);
        PutWide(ab, offsetof(WLAN_CONNECTION_ATTRIBUTES, strProfileName), iface.wstrProfile);
        const std::size_t nAssoc = CONNECTION_ASSOCIATION;
        PutSsid(ab, nAssoc + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Ssid), iface.strSsid,
                static_cast<ULONG>(iface.strSsid.size()));
        PutValue<DWORD>(ab, nAssoc + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11BssType), iface.dwBssType);
        Put(ab, nAssoc + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Bssid), iface.abBssid, 6);
        PutValue<ULONG>(ab, nAssoc + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, wlanSignalQuality),
                        iface.ulSignalQuality);
        PutValue<ULONG>(ab, nAssoc + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, ulRxRate), iface.ulRxRate);
        PutValue<ULONG>(ab, nAssoc + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, ulTxRate), iface.ulTxRate);
        PutValue<BOOL>(ab, CONNECTION_SECURITY + offsetof(WLAN_SECURITY_ATTRIBUTES, bSecurityEnabled),
                       iface.dwCipher != 0 ? TRUE : FALSE);
        PutValue<DWORD>(ab, CONNECTION_SECURITY + offsetof(WLAN_SECURITY_ATTRIBUTES, dot11CipherAlgorithm),
                        iface.dwCipher);
    } else if (dwOpcode == wlan_intf_opcode_channel_number) {
        if (!bConnected) {
            return ERROR_INVALID_STATE;
        }
        ab.resize(sizeof(ULONG));
        PutValue<ULONG>(ab, 0, iface.ulChannel);
    } else if (dwOpcode == wlan_intf_opcode_statistics) {
        using namespace wlan_layout;
        const std::size_t cbReal = STATISTICS_HEADER + PHY_STATISTICS_SIZE * iface.aPhys.size();
        ab.resize(iface.dwStatisticsSize.value_or(static_cast<DWORD>(cbReal)));
        PutValue<DWORD>(ab, offsetof(WLAN_STATISTICS, dwNumberOfPhys),
                        iface.dwNumberOfPhys.value_or(static_cast<DWORD>(iface.aPhys.size())));
        for (std::size_t i = 0; i < iface.aPhys.size(); ++i) {
            const CSimWlanPhyStatistics& phy = iface.aPhys[i];
            const std::size_t n = STATISTICS_HEADER + PHY_STATISTICS_SIZE * i;
            PutValue(ab, n + offsetof(WLAN_PHY_FRAME_STATISTICS, ullFailedCount), phy.ullFailed);
            PutValue(ab, n + offsetof(WLAN_PHY_FRAME_STATISTICS, ullRetryCount), phy.ullRetry);
            PutValue(ab, n + offsetof(WLAN_PHY_FRAME_STATISTICS, ullMultipleRetryCount),
                     phy.ullMultipleRetry);
            PutValue(ab, n + offsetof(WLAN_PHY_FRAME_STATISTICS, ullRTSFailureCount), phy.ullRtsFailure);
            PutValue(ab, n + offsetof(WLAN_PHY_FRAME_STATISTICS, ullACKFailureCount), phy.ullAckFailure);
            PutValue(ab, n + offsetof(WLAN_PHY_FRAME_STATISTICS, ullMaxRXLifetimeExceededCount),
                     phy.ullMaxRxLifetimeExceeded);
            PutValue(ab, n + offsetof(WLAN_PHY_FRAME_STATISTICS, ullFCSErrorCount), phy.ullFcsError);
        }
    } else {
        return ERROR_NOT_SUPPORTED;
    }
    *pdwSize = static_cast<DWORD>(ab.size());
    *ppData = Allocate(ab);
    return ERROR_SUCCESS;
}

std::vector<BYTE> CSimWlanService::BuildBssList(const CSimWlanInterface& iface) {
    using namespace wlan_layout;
    const std::size_t nEntries = iface.aAccessPoints.size();
    std::size_t cbTotal = BSS_LIST_HEADER + BSS_ENTRY_SIZE * std::max<std::size_t>(nEntries, 1);
    for (const CSimWlanAccessPoint& ap : iface.aAccessPoints) {
        cbTotal += ap.abIes.size();
    }
    std::vector<BYTE> ab(cbTotal);
    PutValue<DWORD>(ab, offsetof(WLAN_BSS_LIST, dwTotalSize), static_cast<DWORD>(cbTotal));
    PutValue<DWORD>(ab, offsetof(WLAN_BSS_LIST, dwNumberOfItems),
                    iface.dwBssCount.value_or(static_cast<DWORD>(nEntries)));
    // The element blobs follow the entries; each entry's offset counts from its own start.
    std::size_t nBlob = BSS_LIST_HEADER + BSS_ENTRY_SIZE * std::max<std::size_t>(nEntries, 1);
    for (std::size_t i = 0; i < nEntries; ++i) {
        const CSimWlanAccessPoint& ap = iface.aAccessPoints[i];
        const std::size_t n = BSS_LIST_HEADER + BSS_ENTRY_SIZE * i;
        PutSsid(ab, n + offsetof(WLAN_BSS_ENTRY, dot11Ssid), ap.strSsid,
                ap.ulSsidLength.value_or(static_cast<ULONG>(std::min<std::size_t>(ap.strSsid.size(), 32))));
        Put(ab, n + offsetof(WLAN_BSS_ENTRY, dot11Bssid), ap.abBssid, 6);
        PutValue<DWORD>(ab, n + offsetof(WLAN_BSS_ENTRY, dot11BssType), ap.dwBssType);
        PutValue<LONG>(ab, n + offsetof(WLAN_BSS_ENTRY, lRssi), ap.lRssi);
        PutValue<ULONG>(ab, n + offsetof(WLAN_BSS_ENTRY, uLinkQuality), ap.uLinkQuality);
        PutValue<BYTE>(ab, n + offsetof(WLAN_BSS_ENTRY, bInRegDomain), 1);
        PutValue<USHORT>(ab, n + offsetof(WLAN_BSS_ENTRY, usBeaconPeriod), 100);
        PutValue<USHORT>(ab, n + offsetof(WLAN_BSS_ENTRY, usCapabilityInformation), ap.usCapability);
        PutValue<ULONG>(ab, n + offsetof(WLAN_BSS_ENTRY, ulChCenterFrequency), ap.ulFrequency);
        const std::size_t nRates = n + offsetof(WLAN_BSS_ENTRY, wlanRateSet);
        PutValue<ULONG>(ab, nRates,
                        ap.ulRateSetLength.value_or(static_cast<ULONG>(ap.ausRates.size() * sizeof(USHORT))));
        Put(ab, nRates + offsetof(WLAN_RATE_SET, usRateSet), ap.ausRates.data(),
            ap.ausRates.size() * sizeof(USHORT));
        Put(ab, nBlob, ap.abIes.data(), ap.abIes.size());
        PutValue<ULONG>(ab, n + offsetof(WLAN_BSS_ENTRY, ulIeOffset),
                        ap.ulIeOffset.value_or(static_cast<ULONG>(nBlob - n)));
        PutValue<ULONG>(ab, n + offsetof(WLAN_BSS_ENTRY, ulIeSize),
                        ap.ulIeSize.value_or(static_cast<ULONG>(ap.abIes.size())));
        nBlob += ap.abIes.size();
    }
    return ab;
}

DWORD CSimWlanService::GetNetworkBssList(HANDLE hClient, const GUID* pGuid, WLAN_BSS_LIST** ppList) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CSimWlanInterface* pIface = nullptr;
    const DWORD dwError =
        CheckCall(pGuid != nullptr && ppList != nullptr, "WlanGetNetworkBssList", hClient, pGuid, &pIface);
    if (dwError != ERROR_SUCCESS) {
        return dwError;
    }
    if (!m_bLocationConsent) {
        return ERROR_ACCESS_DENIED;
    }
    *ppList = static_cast<WLAN_BSS_LIST*>(Allocate(BuildBssList(*pIface)));
    return ERROR_SUCCESS;
}

DWORD CSimWlanService::Scan(HANDLE hClient, const GUID* pGuid) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CSimWlanInterface* pIface = nullptr;
    const DWORD dwError = CheckCall(pGuid != nullptr, "WlanScan", hClient, pGuid, &pIface);
    if (dwError != ERROR_SUCCESS) {
        return dwError;
    }
    if (!m_bLocationConsent) {
        return ERROR_ACCESS_DENIED;
    }
    const unsigned nScan = pIface->nScanRequests++;
    const CSimWlanScanPlan& plan =
        nScan < pIface->aScans.size() ? pIface->aScans[nScan] : pIface->defaultScan;
    const GUID guid = pIface->guid;
    const DWORD dwCode = plan.dwCode;
    for (DWORD dwAfter : plan.adwAfterMs) {
        // The timer's id is only known after scheduling; the callback looks it up under the lock.
        auto pId = std::make_shared<SimTimerId>(0);
        *pId = m_clock.ScheduleAfter(dwAfter, [this, guid, dwCode, pId] {
            {
                std::lock_guard<std::mutex> timerGuard(m_mutex);
                m_timers.erase(*pId);
            }
            Deliver(guid, dwCode);
        });
        m_timers.insert(*pId);
    }
    return ERROR_SUCCESS;
}

DWORD CSimWlanService::GetInterfaceCapability(HANDLE hClient, const GUID* pGuid,
                                              WLAN_INTERFACE_CAPABILITY** ppCapability) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CSimWlanInterface* pIface = nullptr;
    const DWORD dwError = CheckCall(pGuid != nullptr && ppCapability != nullptr, "WlanGetInterfaceCapability",
                                    hClient, pGuid, &pIface);
    if (dwError != ERROR_SUCCESS) {
        return dwError;
    }
    std::vector<BYTE> ab(sizeof(WLAN_INTERFACE_CAPABILITY));
    PutValue<DWORD>(ab, offsetof(WLAN_INTERFACE_CAPABILITY, interfaceType), pIface->dwType);
    PutValue<DWORD>(ab, offsetof(WLAN_INTERFACE_CAPABILITY, dwNumberOfSupportedPhys), 1);
    *ppCapability = static_cast<WLAN_INTERFACE_CAPABILITY*>(Allocate(ab));
    return ERROR_SUCCESS;
}

DWORD CSimWlanService::RegisterNotification(HANDLE hClient, DWORD dwSource,
                                            WLAN_NOTIFICATION_CALLBACK pfnCallback, void* pContext,
                                            DWORD* pdwPrevious) {
    m_libraries.RecordCall("WlanRegisterNotification " + std::to_string(dwSource));
    std::unique_lock<std::mutex> lock(m_mutex);
    const DWORD dwError = CheckCall(true, "WlanRegisterNotification", hClient, nullptr, nullptr);
    if (dwError != ERROR_SUCCESS) {
        return dwError;
    }
    if (dwSource != WLAN_NOTIFICATION_SOURCE_NONE && pfnCallback == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    CClient& client = m_clients[hClient];
    if (pdwPrevious != nullptr) {
        *pdwPrevious = client.dwSource;
    }
    client.dwSource = dwSource;
    client.pfnCallback = dwSource != WLAN_NOTIFICATION_SOURCE_NONE ? pfnCallback : nullptr;
    client.pContext = pContext;
    // Unregistering waits for a callback of this client that is running now.
    if (dwSource == WLAN_NOTIFICATION_SOURCE_NONE && std::this_thread::get_id() != m_thread.get_id()) {
        m_cv.wait(lock, [&] { return m_hInCallback != hClient; });
    }
    return ERROR_SUCCESS;
}

void CSimWlanService::Deliver(const GUID& guid, DWORD dwCode) {
    CDelivery delivery;
    delivery.guid = guid;
    delivery.dwCode = dwCode;
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_bStopping) {
        return;
    }
    m_queue.push_back(&delivery);
    m_cv.notify_all();
    // The handshake the clock asks for: the notification's effects happen before the timer returns.
    m_cv.wait(lock, [&] { return delivery.bDone; });
}

void CSimWlanService::ServiceThread() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_cv.wait(lock, [this] { return m_bStopping || !m_queue.empty(); });
        if (m_queue.empty()) {
            return;  // stopping
        }
        CDelivery* pDelivery = m_queue.front();
        m_queue.pop_front();
        // Callbacks run in handle order; a client that closes or unregisters meanwhile gets none.
        std::vector<HANDLE> ahClients;
        for (const auto& [hClient, client] : m_clients) {
            if ((client.dwSource & WLAN_NOTIFICATION_SOURCE_ACM) && client.pfnCallback != nullptr) {
                ahClients.push_back(hClient);
            }
        }
        for (HANDLE hClient : ahClients) {
            auto it = m_clients.find(hClient);
            if (it == m_clients.end() || !(it->second.dwSource & WLAN_NOTIFICATION_SOURCE_ACM) ||
                it->second.pfnCallback == nullptr) {
                continue;
            }
            const CClient client = it->second;
            DWORD dwReason = 0x00028001;  // WLAN_REASON_CODE of a failed scan: the scan was cancelled
            WLAN_NOTIFICATION_DATA data{};
            data.NotificationSource = WLAN_NOTIFICATION_SOURCE_ACM;
            data.NotificationCode = pDelivery->dwCode;
            data.InterfaceGuid = pDelivery->guid;
            if (pDelivery->dwCode == wlan_notification_acm_scan_fail) {
                data.dwDataSize = sizeof(dwReason);
                data.pData = &dwReason;
            }
            m_hInCallback = hClient;
            ++m_nDelivered;
            lock.unlock();
            client.pfnCallback(&data, client.pContext);
            lock.lock();
            m_hInCallback = 0;
            m_cv.notify_all();
        }
        pDelivery->bDone = true;
        m_cv.notify_all();
    }
}
