// The native back end's library binding and its open and close: "wlanapi" is loaded once for every
// object of the class and freed by the last one to go.
#include "adapters/wlan_api/wifi_api_adapter.h"

#include <cstddef>

#include "adapters/supported_cache.h"
#include "adapters/wlan_api/wifi_api_library.h"
#include "platform/os.h"

namespace {

// The library and its entry points, shared by every object of the class. Only the user-interface
// thread touches them.
HMODULE g_hWlanApi = 0;
CWlanApiTable g_wlanApi;
// Objects that use the library now. The last one to go frees it, so that an object destroyed while
// another still lives does not pull the library from under it.
int g_nWlanApiUsers = 0;

}  // namespace

const CWlanApiTable& WlanApi() {
    return g_wlanApi;
}

void FreeWlanMemory(void* pMemory) {
    if (pMemory != nullptr && g_wlanApi.pfnFreeMemory != nullptr) {
        g_wlanApi.pfnFreeMemory(pMemory);
    }
}

CWiFiApiAdapter::CWiFiApiAdapter() {
    if (g_hWlanApi == 0) {
        g_hWlanApi = Os().Libraries().LoadLibrary(WLANAPI_LIBRARY);
        if (g_hWlanApi != 0) {
            g_wlanApi.Resolve(Os().Libraries(), g_hWlanApi);
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
        g_wlanApi = CWlanApiTable();
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

BOOL CWiFiApiAdapter::QueryOidString(DWORD, std::string*) {
    return TRUE;
}

BOOL CWiFiApiAdapter::QueryOidDword(DWORD, DWORD*) {
    return TRUE;
}

std::string CWiFiApiAdapter::GetName() const {
    return "WiFiAPI";
}
