// A wlanapi.dll for tests under Wine: the nine entry points of the WLAN API, answered by the
// simulated WLAN service of the machine file that NIMBREL_WLAN_MACHINE names, in real time. Placed
// beside Nimbrel.exe it wins over Wine's own wlanapi, so the real program finds, scans and reads
// the simulated interfaces, with scan-complete notifications from the service's own thread.
//
// The machine is loaded by the first WlanOpenHandle and stopped when the last client handle is
// closed: its service and clock threads are joined there, outside the loader lock, so no thread is
// left running this module's code and FreeLibrary really unloads it. The next open loads it again.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "platform/os.h"
#include "platform/sim/sim_machine.h"
#include "platform/wlan_api.h"
#include "platform/wlan_api_table.h"

namespace {

constexpr char MACHINE_VARIABLE[] = "NIMBREL_WLAN_MACHINE";
constexpr DWORD ERROR_BAD_FORMAT_WLAN = 11;  // ERROR_BAD_FORMAT: a machine file that does not load

// Guards the machine's life: loading, the count of open client handles, stopping.
std::mutex g_mutex;
// A raw pointer: a machine still running at process exit is left to it, since its destructor would
// join the service threads under the loader lock.
CSimMachine* g_pMachine = nullptr;
CWlanApiTable g_api;
DWORD g_dwLoadError = ERROR_SUCCESS;  // why the service is not there; WlanOpenHandle returns it
int g_nClients = 0;

// Loads the machine file once. A missing file, a broken one or a machine without a WLAN service
// leaves the entry points unresolved and records the error code the open call reports.
void LoadService() {
    g_dwLoadError = ERROR_SUCCESS;
    const char* pszPath = std::getenv(MACHINE_VARIABLE);
    if (pszPath == nullptr || *pszPath == '\0') {
        std::fprintf(stderr, "wlanapi: %s is not set\n", MACHINE_VARIABLE);
        g_dwLoadError = ERROR_FILE_NOT_FOUND;
        return;
    }
    std::string strError;
    CSimMachineOptions options;
    options.bRealTime = true;
    g_pMachine = CSimMachine::FromFile(pszPath, &strError, options).release();
    if (g_pMachine == nullptr) {
        std::fprintf(stderr, "wlanapi: %s\n", strError.c_str());
        std::FILE* pFile = std::fopen(pszPath, "rb");
        g_dwLoadError = pFile == nullptr ? ERROR_FILE_NOT_FOUND : ERROR_BAD_FORMAT_WLAN;
        if (pFile != nullptr) {
            std::fclose(pFile);
        }
        return;
    }
    // The service finds itself through the library loader installed as Os() in this module.
    SetOs(g_pMachine->Services());
    ILibraryLoader& libraries = g_pMachine->Libraries();
    const HMODULE hModule = libraries.LoadLibrary(WLANAPI_LIBRARY);
    if (hModule == 0) {
        std::fprintf(stderr, "wlanapi: %s has no WLAN service\n", pszPath);
        g_dwLoadError = ERROR_SERVICE_NOT_ACTIVE;
        return;
    }
    g_api.Resolve(libraries, hModule);
}

// Joins the machine's threads and forgets its entry points; the caller holds g_mutex.
void StopService() {
    g_api = CWlanApiTable();
    delete g_pMachine;
    g_pMachine = nullptr;
    SetOs(COsServices());
}

// The entry points of the running machine; none while no client handle is open.
const CWlanApiTable& Api() {
    return g_api;
}

// An entry point the machine file leaves out answers as an unknown call would.
constexpr DWORD ERROR_CALL_NOT_IMPLEMENTED_WLAN = 120;

}  // namespace

extern "C" {

__declspec(dllexport) DWORD WLAN_WINAPI WlanOpenHandle(DWORD dwClientVersion, void* pReserved,
                                                       DWORD* pdwNegotiatedVersion, HANDLE* phClientHandle) {
    std::lock_guard<std::mutex> guard(g_mutex);
    if (g_pMachine == nullptr) {
        LoadService();
    }
    DWORD dwResult = g_dwLoadError != ERROR_SUCCESS ? g_dwLoadError : ERROR_CALL_NOT_IMPLEMENTED_WLAN;
    if (g_api.pfnOpenHandle != nullptr) {
        dwResult = g_api.pfnOpenHandle(dwClientVersion, pReserved, pdwNegotiatedVersion, phClientHandle);
    }
    if (dwResult == ERROR_SUCCESS) {
        ++g_nClients;
    } else if (g_nClients == 0) {
        StopService();
    }
    return dwResult;
}

// The close waits for a callback in progress; with the last handle gone no callback can come, and
// the machine stops.
__declspec(dllexport) DWORD WLAN_WINAPI WlanCloseHandle(HANDLE hClientHandle, void* pReserved) {
    std::lock_guard<std::mutex> guard(g_mutex);
    if (g_api.pfnCloseHandle == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    const DWORD dwResult = g_api.pfnCloseHandle(hClientHandle, pReserved);
    if (dwResult == ERROR_SUCCESS && --g_nClients == 0) {
        StopService();
    }
    return dwResult;
}

__declspec(dllexport) DWORD WLAN_WINAPI
    WlanEnumInterfaces(HANDLE hClientHandle, void* pReserved, WLAN_INTERFACE_INFO_LIST** ppInterfaceList) {
    const CWlanApiTable& api = Api();
    return api.pfnEnumInterfaces ? api.pfnEnumInterfaces(hClientHandle, pReserved, ppInterfaceList)
                                 : ERROR_INVALID_HANDLE;
}

__declspec(dllexport) void WLAN_WINAPI WlanFreeMemory(void* pMemory) {
    const CWlanApiTable& api = Api();
    if (api.pfnFreeMemory != nullptr) {
        api.pfnFreeMemory(pMemory);
    }
}

__declspec(dllexport) DWORD WLAN_WINAPI
    WlanQueryInterface(HANDLE hClientHandle, const GUID* pInterfaceGuid, DWORD opCode, void* pReserved,
                       DWORD* pdwDataSize, void** ppData, DWORD* pWlanOpcodeValueType) {
    const CWlanApiTable& api = Api();
    return api.pfnQueryInterface ? api.pfnQueryInterface(hClientHandle, pInterfaceGuid, opCode, pReserved,
                                                         pdwDataSize, ppData, pWlanOpcodeValueType)
                                 : ERROR_INVALID_HANDLE;
}

__declspec(dllexport) DWORD WLAN_WINAPI
    WlanGetNetworkBssList(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* pDot11Ssid,
                          DWORD dot11BssType, BOOL bSecurityEnabled, void* pReserved,
                          WLAN_BSS_LIST** ppWlanBssList) {
    const CWlanApiTable& api = Api();
    return api.pfnGetNetworkBssList
               ? api.pfnGetNetworkBssList(hClientHandle, pInterfaceGuid, pDot11Ssid, dot11BssType,
                                          bSecurityEnabled, pReserved, ppWlanBssList)
               : ERROR_INVALID_HANDLE;
}

__declspec(dllexport) DWORD WLAN_WINAPI
    WlanScan(HANDLE hClientHandle, const GUID* pInterfaceGuid, const DOT11_SSID* pDot11Ssid,
             const void* pIeData, void* pReserved) {
    const CWlanApiTable& api = Api();
    return api.pfnScan ? api.pfnScan(hClientHandle, pInterfaceGuid, pDot11Ssid, pIeData, pReserved)
                       : ERROR_INVALID_HANDLE;
}

__declspec(dllexport) DWORD WLAN_WINAPI
    WlanGetInterfaceCapability(HANDLE hClientHandle, const GUID* pInterfaceGuid, void* pReserved,
                               WLAN_INTERFACE_CAPABILITY** ppCapability) {
    const CWlanApiTable& api = Api();
    return api.pfnGetInterfaceCapability
               ? api.pfnGetInterfaceCapability(hClientHandle, pInterfaceGuid, pReserved, ppCapability)
               : ERROR_INVALID_HANDLE;
}

__declspec(dllexport) DWORD WLAN_WINAPI
    WlanRegisterNotification(HANDLE hClientHandle, DWORD dwNotifSource, BOOL bIgnoreDuplicate,
                             WLAN_NOTIFICATION_CALLBACK funcCallback, void* pCallbackContext, void* pReserved,
                             DWORD* pdwPrevNotifSource) {
    const CWlanApiTable& api = Api();
    return api.pfnRegisterNotification
               ? api.pfnRegisterNotification(hClientHandle, dwNotifSource, bIgnoreDuplicate, funcCallback,
                                             pCallbackContext, pReserved, pdwPrevNotifSource)
               : ERROR_INVALID_HANDLE;
}

}  // extern "C"
