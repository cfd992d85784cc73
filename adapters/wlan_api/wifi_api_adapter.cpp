#include "adapters/wlan_api/wifi_api_adapter.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "adapters/supported_cache.h"
#include "platform/os.h"

namespace {

// The library and its entry points, shared by every object of the class. Only the user-interface
// thread touches them.
struct CWlanApi {
    PFN_WlanOpenHandle pfnOpenHandle = nullptr;
    PFN_WlanCloseHandle pfnCloseHandle = nullptr;
    PFN_WlanEnumInterfaces pfnEnumInterfaces = nullptr;
    PFN_WlanFreeMemory pfnFreeMemory = nullptr;
    PFN_WlanQueryInterface pfnQueryInterface = nullptr;
    PFN_WlanGetNetworkBssList pfnGetNetworkBssList = nullptr;
    PFN_WlanScan pfnScan = nullptr;
    PFN_WlanGetInterfaceCapability pfnGetInterfaceCapability = nullptr;
    PFN_WlanRegisterNotification pfnRegisterNotification = nullptr;
};

HMODULE g_hWlanApi = 0;
CWlanApi g_wlanApi;
// Objects that use the library now. The last one to go frees it, so that an object destroyed while
// another still lives does not pull the library from under it.
int g_nWlanApiUsers = 0;

constexpr int BSS_SSID_BUFFER = 33;
constexpr DWORD QUALITY_MAX = 100;
constexpr short CHANNEL_MAX = 1000;
constexpr DWORD BSS_TYPE_MAX = 50;

template <typename T>
void Resolve(const char* pszName, T* ppfn) {
    *ppfn = reinterpret_cast<T>(Os().Libraries().GetProcAddress(g_hWlanApi, pszName));
}

// Releases a buffer of the WLAN API; without WlanFreeMemory no buffer-returning call is made.
void FreeWlanMemory(void* pMemory) {
    if (pMemory != nullptr && g_wlanApi.pfnFreeMemory != nullptr) {
        g_wlanApi.pfnFreeMemory(pMemory);
    }
}

int MapQueryError(DWORD dwError) {
    return dwError == ERROR_INVALID_STATE ? QUERY_FAILED : QUERY_NOT_SUPPORTED;
}

// Text of at most nMax bytes, up to the first zero byte.
std::string TextUpToZero(const BYTE* pb, std::size_t nMax) {
    const BYTE* pbEnd = std::find(pb, pb + nMax, 0);
    return std::string(reinterpret_cast<const char*>(pb), reinterpret_cast<const char*>(pbEnd));
}

// The SSID of a DOT11_SSID at pb: the length is the driver's, cut to the 32 bytes the record holds.
std::string ReadSsid(const BYTE* pb) {
    const ULONG ulLength =
        std::min(ReadAt<ULONG>(pb, offsetof(DOT11_SSID, uSSIDLength)), DOT11_SSID_MAX_LENGTH);
    BYTE abSsid[BSS_SSID_BUFFER] = {};
    std::memcpy(abSsid, pb + offsetof(DOT11_SSID, ucSSID), ulLength);
    return TextUpToZero(abSsid, DOT11_SSID_MAX_LENGTH);
}

DWORD SecurityFromCipher(DWORD dwCipher) {
    switch (dwCipher) {
        case 0x00:
            return SECURITY_CLEAR;
        case 0x01:   // WEP-40
        case 0x05:   // WEP-104
        case 0x101:  // WEP
            return SECURITY_WEP;
        case 0x02:   // TKIP
        case 0x100:  // WPA/RSN use group
            return SECURITY_WPA;
        case 0x04:  // CCMP
            return SECURITY_WPA2;
        default:
            return SECURITY_UNKNOWN;
    }
}

}  // namespace

CWiFiApiAdapter::CWiFiApiAdapter() {
    if (g_hWlanApi == 0) {
        g_hWlanApi = Os().Libraries().LoadLibrary(WLANAPI_LIBRARY);
        if (g_hWlanApi != 0) {
            Resolve("WlanOpenHandle", &g_wlanApi.pfnOpenHandle);
            Resolve("WlanCloseHandle", &g_wlanApi.pfnCloseHandle);
            Resolve("WlanEnumInterfaces", &g_wlanApi.pfnEnumInterfaces);
            Resolve("WlanFreeMemory", &g_wlanApi.pfnFreeMemory);
            Resolve("WlanQueryInterface", &g_wlanApi.pfnQueryInterface);
            Resolve("WlanGetNetworkBssList", &g_wlanApi.pfnGetNetworkBssList);
            Resolve("WlanScan", &g_wlanApi.pfnScan);
            Resolve("WlanGetInterfaceCapability", &g_wlanApi.pfnGetInterfaceCapability);
            Resolve("WlanRegisterNotification", &g_wlanApi.pfnRegisterNotification);
        }
    }
    if (g_hWlanApi != 0) {
        m_bHoldsLibrary = true;
        ++g_nWlanApiUsers;
    }
}

CWiFiApiAdapter::~CWiFiApiAdapter() {
    CloseDevice();
    if (m_bHoldsLibrary && --g_nWlanApiUsers == 0) {
        Os().Libraries().FreeLibrary(g_hWlanApi);
        g_hWlanApi = 0;
        g_wlanApi = CWlanApi();
    }
}

bool CWiFiApiAdapter::OpenClient() {
    if (m_hDevice != INVALID_HANDLE_VALUE) {
        return true;
    }
    if (g_wlanApi.pfnOpenHandle == nullptr) {
        return false;
    }
    DWORD dwNegotiated = 0;
    HANDLE hClient = INVALID_HANDLE_VALUE;
    if (g_wlanApi.pfnOpenHandle(WLAN_API_VERSION_2_0, nullptr, &dwNegotiated, &hClient) != ERROR_SUCCESS) {
        return false;
    }
    m_hDevice = hClient;
    return (dwNegotiated & 0xFFFF) >= WLAN_API_VERSION_2_0;
}

bool CWiFiApiAdapter::EnumInterface(int nIndex, std::string* pstrGuid, std::string* pstrDescription) {
    if (g_wlanApi.pfnEnumInterfaces == nullptr || g_wlanApi.pfnFreeMemory == nullptr) {
        return false;
    }
    WLAN_INTERFACE_INFO_LIST* pList = nullptr;
    if (g_wlanApi.pfnEnumInterfaces(m_hDevice, nullptr, &pList) != ERROR_SUCCESS) {
        return false;
    }
    bool bFound = false;
    const BYTE* pb = reinterpret_cast<const BYTE*>(pList);
    if (pb != nullptr && nIndex >= 0 &&
        static_cast<DWORD>(nIndex) < ReadAt<DWORD>(pb, offsetof(WLAN_INTERFACE_INFO_LIST, dwNumberOfItems))) {
        const BYTE* pbEntry =
            pb + wlan_layout::INTERFACE_LIST_HEADER + wlan_layout::INTERFACE_INFO_SIZE * nIndex;
        const GUID guid = ReadAt<GUID>(pbEntry, offsetof(WLAN_INTERFACE_INFO, InterfaceGuid));
        WCHAR* pszUuid = nullptr;
        if (Os().Rpc().UuidToStringW(&guid, &pszUuid) == RPC_S_OK && pszUuid != nullptr) {
            m_guidInterface = guid;
            *pstrGuid = Os().System().WideToAnsi(pszUuid);
            Os().Rpc().RpcStringFreeW(&pszUuid);
            std::u16string wstrDescription;
            const BYTE* pbText = pbEntry + offsetof(WLAN_INTERFACE_INFO, strInterfaceDescription);
            for (std::size_t i = 0; i < WLAN_MAX_NAME_LENGTH; ++i) {
                const WCHAR wch = ReadAt<WCHAR>(pbText, i * sizeof(WCHAR));
                if (wch == 0) {
                    break;
                }
                wstrDescription += wch;
            }
            *pstrDescription = Os().System().WideToAnsi(wstrDescription);
            bFound = true;
        }
    }
    FreeWlanMemory(pList);
    return bFound;
}

int CWiFiApiAdapter::OpenByIndex(int nIndex, BOOL bCheckSupported, std::string* pstrName,
                                 std::string* pstrDescription) {
    int nResult = OPEN_USABLE;
    if (pstrName != nullptr) {
        pstrName->clear();
    }
    if (pstrDescription != nullptr) {
        pstrDescription->clear();
    }
    if (!OpenClient()) {
        return OPEN_NONE;
    }
    std::string strGuid;
    std::string strDescription;
    if (!EnumInterface(nIndex, &strGuid, &strDescription)) {
        return OPEN_NONE;
    }
    m_strDevice = strGuid;
    if (pstrName != nullptr) {
        *pstrName = strGuid;
    }
    if (pstrDescription != nullptr) {
        *pstrDescription = strDescription;
    }
    if (bCheckSupported) {
        std::string strValue;
        if (LookupSupported(m_strDevice, &strValue)) {
            nResult = strValue == SUPPORTED_TRUE ? OPEN_USABLE : OPEN_NOT_SUPPORTED;
        } else {
            StoreSupported(m_strDevice, FALSE);
            if (CheckCapabilities() != 0) {
                nResult = OPEN_NOT_SUPPORTED;
            } else {
                StoreSupported(m_strDevice, TRUE);
                nResult = OPEN_USABLE;
            }
        }
    }
    return nResult;
}

int CWiFiApiAdapter::OpenByName(const std::string& strName, BOOL bCheckSupported) {
    if (!OpenClient()) {
        return OPEN_NOT_SUPPORTED;
    }
    m_strDevice = strName;
    if (Os().Rpc().UuidFromStringA(strName.c_str(), &m_guidInterface) != RPC_S_OK) {
        return OPEN_NOT_SUPPORTED;
    }
    if (bCheckSupported && CheckCapabilities() != 0) {
        return OPEN_NOT_SUPPORTED;
    }
    return OPEN_USABLE;
}

int CWiFiApiAdapter::OpenDevice() {
    m_dwLastScanTick = 0;
    return DEVICE_OPENED;
}

int CWiFiApiAdapter::CloseDevice() {
    // Unregistering and closing both wait for a callback in progress; after them the service calls
    // nothing of ours, so the library can go.
    if (m_bRegistered && g_wlanApi.pfnRegisterNotification != nullptr) {
        g_wlanApi.pfnRegisterNotification(m_hDevice, WLAN_NOTIFICATION_SOURCE_NONE, TRUE, nullptr, nullptr,
                                          nullptr, nullptr);
    }
    m_bRegistered = false;
    if (m_hDevice != INVALID_HANDLE_VALUE && g_wlanApi.pfnCloseHandle != nullptr) {
        g_wlanApi.pfnCloseHandle(m_hDevice, nullptr);
    }
    m_hDevice = INVALID_HANDLE_VALUE;
    return 0;
}

int CWiFiApiAdapter::CheckCapabilities() {
    return 0;
}

int CWiFiApiAdapter::QueryInterface(DWORD dwOpcode, std::vector<BYTE>* pabData) {
    pabData->clear();
    if (g_wlanApi.pfnQueryInterface == nullptr || g_wlanApi.pfnFreeMemory == nullptr) {
        return MapQueryError(ERROR_PROC_NOT_FOUND);
    }
    DWORD cbData = 0;
    void* pData = nullptr;
    const DWORD dwError =
        g_wlanApi.pfnQueryInterface(m_hDevice, &m_guidInterface, dwOpcode, nullptr, &cbData, &pData, nullptr);
    if (dwError == ERROR_SUCCESS && pData != nullptr) {
        const BYTE* pb = static_cast<const BYTE*>(pData);
        pabData->assign(pb, pb + cbData);
    }
    FreeWlanMemory(pData);
    if (dwError != ERROR_SUCCESS) {
        return MapQueryError(dwError);
    }
    return pData != nullptr ? QUERY_OK : QUERY_BAD_SIZE;
}

int CWiFiApiAdapter::QueryConnection(std::vector<BYTE>* pabData) {
    const int nStatus = QueryInterface(wlan_intf_opcode_current_connection, pabData);
    if (nStatus == QUERY_OK && pabData->size() != wlan_layout::CONNECTION_SIZE) {
        return QUERY_BAD_SIZE;
    }
    return nStatus;
}

namespace {
constexpr std::size_t ASSOCIATION = wlan_layout::CONNECTION_ASSOCIATION;
constexpr std::size_t ASSOC_SSID = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Ssid);
constexpr std::size_t ASSOC_BSS_TYPE = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11BssType);
constexpr std::size_t ASSOC_BSSID = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Bssid);
constexpr std::size_t ASSOC_QUALITY = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, wlanSignalQuality);
constexpr std::size_t ASSOC_RX_RATE = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, ulRxRate);
constexpr std::size_t ASSOC_TX_RATE = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, ulTxRate);
constexpr std::size_t SECURITY_CIPHER =
    wlan_layout::CONNECTION_SECURITY + offsetof(WLAN_SECURITY_ATTRIBUTES, dot11CipherAlgorithm);
}  // namespace

int CWiFiApiAdapter::GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) {
    *pnQuality = 0;
    *pnSignalDbm = -100;
    *pnNoiseDbm = -100;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    const LONG lQuality = ReadAt<LONG>(ab.data(), ASSOC_QUALITY);
    if (lQuality < 0 || lQuality > static_cast<LONG>(QUALITY_MAX)) {
        *pnSignalDbm = static_cast<short>(lQuality);
        return QUERY_OUT_OF_RANGE;
    }
    *pnSignalDbm = static_cast<short>((lQuality + 1) / 2 - 100);
    *pnQuality = static_cast<short>(*pnSignalDbm + 100);
    *pnNoiseDbm = -100;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetChannel(short* pnChannel) {
    *pnChannel = -1;
    std::vector<BYTE> ab;
    int nStatus = QueryInterface(wlan_intf_opcode_channel_number, &ab);
    if (nStatus == QUERY_OK && ab.size() != sizeof(ULONG)) {
        nStatus = QUERY_BAD_SIZE;
    }
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    *pnChannel = static_cast<short>(ReadAt<ULONG>(ab.data(), 0));
    return (*pnChannel < 0 || *pnChannel > CHANNEL_MAX) ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CWiFiApiAdapter::GetBssid(BYTE abBssid[BSSID_LENGTH]) {
    std::memset(abBssid, 0, BSSID_LENGTH);
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus == QUERY_OK) {
        std::memcpy(abBssid, ab.data() + ASSOC_BSSID, BSSID_LENGTH);
    }
    return nStatus;
}

int CWiFiApiAdapter::GetSsid(std::string* pstrSsid) {
    pstrSsid->clear();
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus == QUERY_OK) {
        *pstrSsid = ReadSsid(ab.data() + ASSOC_SSID);
    }
    return nStatus;
}

int CWiFiApiAdapter::GetRate(short* pnRateMbps) {
    *pnRateMbps = 0;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    // kbit/s to Mbit/s, rounded; the receive rate unless it is missing.
    DWORD dwRate = (ReadAt<ULONG>(ab.data(), ASSOC_RX_RATE) + 500) / 1000;
    if (static_cast<short>(dwRate) <= 0) {
        dwRate = (ReadAt<ULONG>(ab.data(), ASSOC_TX_RATE) + 500) / 1000;
    }
    *pnRateMbps = static_cast<short>(dwRate);
    return *pnRateMbps < 0 ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CWiFiApiAdapter::GetSecurity(DWORD* pdwCode) {
    *pdwCode = VALUE_NOT_READ;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus == QUERY_OK) {
        *pdwCode = SecurityFromCipher(ReadAt<DWORD>(ab.data(), SECURITY_CIPHER));
    }
    return nStatus;
}

int CWiFiApiAdapter::GetInfrastructureMode(DWORD* pdwMode) {
    *pdwMode = VALUE_NOT_READ;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    const DWORD dwBssType = ReadAt<DWORD>(ab.data(), ASSOC_BSS_TYPE);
    if (dwBssType > BSS_TYPE_MAX) {
        return QUERY_OUT_OF_RANGE;
    }
    *pdwMode = dwBssType == dot11_BSS_type_infrastructure ? MODE_INFRASTRUCTURE : MODE_AD_HOC;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetBssList(const BYTE* pbMatchBssid, short nMatchChannel, short* pnMatchSignal,
                                CBssKeyList* pKeys, CDwordArray* padwSecurity, CDwordArray* padwModes,
                                CAccessPointList* pAccessPoints, CStringArray* pastrApNames) {
    if (g_wlanApi.pfnGetNetworkBssList == nullptr || g_wlanApi.pfnFreeMemory == nullptr) {
        m_dwLastScanError = ERROR_PROC_NOT_FOUND;
        return BSS_LIST_FAILED;
    }
    WLAN_BSS_LIST* pList = nullptr;
    m_dwLastScanError = g_wlanApi.pfnGetNetworkBssList(m_hDevice, &m_guidInterface, nullptr,
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
    CBssKeyIndex known(pKeys);
    for (CWlanBssEntry& entry : list.aEntries) {
        if (entry.nRssi >= 0) {
            continue;
        }
        const CBssKey key(entry.abMac, entry.nChannel);
        if (pbMatchBssid != nullptr && std::memcmp(key.bssid, pbMatchBssid, BSSID_LENGTH) == 0 &&
            entry.nChannel == nMatchChannel) {
            if (pnMatchSignal != nullptr) {
                *pnMatchSignal = static_cast<short>(entry.nRssi);
            }
            continue;
        }
        if (known.Contains(key)) {
            continue;
        }
        auto pAccessPoint = std::make_unique<CAccessPoint>();
        pAccessPoint->m_nChannel = entry.nChannel;
        pAccessPoint->m_nSignal = entry.nRssi;
        pAccessPoint->m_strSsid = std::move(entry.strSsid);
        pAccessPoint->m_nRate = entry.nRate;
        pAccessPoint->m_nQuality = -1;
        pAccessPoint->m_nNoise = -100;
        known.Add(key);
        AppendBss(pKeys, padwSecurity, padwModes, pAccessPoints, pastrApNames, key, entry.dwSecurity,
                  entry.dwMode, std::move(pAccessPoint), entry.strApName);
    }
    return BssListCountResult(list.dwNumberOfItems);
}

int CWiFiApiAdapter::StartScan() {
    const DWORD dwResult = g_wlanApi.pfnScan != nullptr
                               ? g_wlanApi.pfnScan(m_hDevice, &m_guidInterface, nullptr, nullptr, nullptr)
                               : ERROR_PROC_NOT_FOUND;
    m_dwLastScanError = dwResult;
    m_dwLastScanTick = Os().Clock().GetTickCount();
    m_bScanPending = TRUE;
    return dwResult == ERROR_SUCCESS ? QUERY_OK : QUERY_FAILED;
}

int CWiFiApiAdapter::GetXmitErrors(DWORD* pdwCount) {
    *pdwCount = 0;
    m_dwTxFailed = 0;
    m_dwErrors = 0;
    m_dwRetries = 0;
    m_dwMultiRetries = 0;
    std::vector<BYTE> ab;
    const int nStatus = QueryInterface(wlan_intf_opcode_statistics, &ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    using namespace wlan_layout;
    if (ab.size() < STATISTICS_HEADER) {
        return QUERY_BAD_SIZE;
    }
    // The expected size is worked out in 64 bits: a PHY count chosen so that 224 + 144 x count wraps
    // to the size delivered must not pass the check.
    const unsigned long long qwPhys = ReadAt<DWORD>(ab.data(), offsetof(WLAN_STATISTICS, dwNumberOfPhys));
    if (STATISTICS_HEADER + PHY_STATISTICS_SIZE * qwPhys != ab.size()) {
        return QUERY_BAD_SIZE;
    }
    for (std::size_t i = 0; i < qwPhys; ++i) {
        const BYTE* pbPhy = ab.data() + STATISTICS_HEADER + PHY_STATISTICS_SIZE * i;
        auto low = [pbPhy](std::size_t nOffset) {
            return static_cast<DWORD>(ReadAt<ULONGLONG>(pbPhy, nOffset));
        };
        m_dwTxFailed += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullFailedCount));
        m_dwErrors += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullRTSFailureCount)) +
                      low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullACKFailureCount)) +
                      low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullMaxRXLifetimeExceededCount)) +
                      low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullFCSErrorCount));
        m_dwRetries += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullRetryCount));
        m_dwMultiRetries += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullMultipleRetryCount));
    }
    *pdwCount = m_dwTxFailed;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetRcvErrors(DWORD* pdwCount) {
    *pdwCount = m_dwErrors;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetRcvAlignmentErrors(DWORD* pdwCount) {
    *pdwCount = 0;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetXmitOneCollision(DWORD* pdwCount) {
    *pdwCount = m_dwRetries;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetXmitMoreCollisions(DWORD* pdwCount) {
    *pdwCount = m_dwMultiRetries;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetPhysicalMedium(DWORD* pdwMedium) {
    *pdwMedium = 0;
    if (g_wlanApi.pfnGetInterfaceCapability == nullptr || g_wlanApi.pfnFreeMemory == nullptr) {
        return QUERY_NOT_SUPPORTED;
    }
    WLAN_INTERFACE_CAPABILITY* pCapability = nullptr;
    if (g_wlanApi.pfnGetInterfaceCapability(m_hDevice, &m_guidInterface, nullptr, &pCapability) !=
            ERROR_SUCCESS ||
        pCapability == nullptr) {
        FreeWlanMemory(pCapability);
        return QUERY_NOT_SUPPORTED;
    }
    const DWORD dwType = ReadAt<DWORD>(reinterpret_cast<const BYTE*>(pCapability),
                                       offsetof(WLAN_INTERFACE_CAPABILITY, interfaceType));
    if (dwType == wlan_interface_type_emulated_802_11) {
        *pdwMedium = PHYSICAL_MEDIUM_WIRELESS_LAN;
    } else if (dwType == wlan_interface_type_native_802_11) {
        *pdwMedium = PHYSICAL_MEDIUM_NATIVE_802_11;
    }
    FreeWlanMemory(pCapability);
    return QUERY_OK;
}

BOOL CWiFiApiAdapter::QueryOidString(DWORD, std::string*) {
    return TRUE;
}

BOOL CWiFiApiAdapter::QueryOidDword(DWORD, DWORD*) {
    return TRUE;
}

int CWiFiApiAdapter::SetScanCallback(SCAN_NOTIFICATION_CALLBACK pfnCallback, void* pContext) {
    if (g_wlanApi.pfnRegisterNotification == nullptr) {
        return 1;
    }
    if (g_wlanApi.pfnRegisterNotification(m_hDevice, WLAN_NOTIFICATION_SOURCE_ACM, FALSE, pfnCallback,
                                          pContext, nullptr, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    m_bRegistered = true;
    return 0;
}

std::string CWiFiApiAdapter::GetName() const {
    return "WiFiAPI";
}
