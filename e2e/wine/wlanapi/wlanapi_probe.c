/* Loads the wlanapi.dll beside it, as the program does, and drives one scan through it: open, list
 * the interfaces, register for notifications, scan, wait for the scan-complete notification from
 * the service's thread, read the BSS list, and probe the strict answers. Then frees it, checks that
 * it really was unloaded (no thread of its service kept it), and loads and opens it once more.
 * Prints one line per check; exit status 0 when all hold. */
#include <stdio.h>
#include <windows.h>
#include <wlanapi.h>

static HANDLE g_hEvent;
static DWORD g_dwCode, g_dwThread;

static VOID WINAPI OnNotification(PWLAN_NOTIFICATION_DATA pData, PVOID pContext) {
    (void)pContext;
    g_dwCode = pData->NotificationCode;
    g_dwThread = GetCurrentThreadId();
    SetEvent(g_hEvent);
}

#define CHECK(cond, what)                              \
    do {                                               \
        int ok_ = (cond);                              \
        printf("%s: %s\n", ok_ ? "ok" : "FAIL", what); \
        if (!ok_)                                      \
            nFailed++;                                 \
    } while (0)

int main(void) {
    int nFailed = 0;
    HMODULE hLib = LoadLibraryA("wlanapi");
    if (!hLib) {
        printf("FAIL: LoadLibraryA\n");
        return 1;
    }
#define GET(T, name) T name = (T)(void*)GetProcAddress(hLib, #name)
    typedef DWORD(WINAPI * OpenFn)(DWORD, PVOID, PDWORD, PHANDLE);
    typedef DWORD(WINAPI * EnumFn)(HANDLE, PVOID, PWLAN_INTERFACE_INFO_LIST*);
    typedef DWORD(WINAPI * RegFn)(HANDLE, DWORD, BOOL, WLAN_NOTIFICATION_CALLBACK, PVOID, PVOID, PDWORD);
    typedef DWORD(WINAPI * ScanFn)(HANDLE, const GUID*, const PDOT11_SSID, const PWLAN_RAW_DATA, PVOID);
    typedef DWORD(WINAPI * BssFn)(HANDLE, const GUID*, const PDOT11_SSID, DOT11_BSS_TYPE, BOOL, PVOID,
                                  PWLAN_BSS_LIST*);
    typedef VOID(WINAPI * FreeFn)(PVOID);
    typedef DWORD(WINAPI * CloseFn)(HANDLE, PVOID);
    GET(OpenFn, WlanOpenHandle);
    GET(EnumFn, WlanEnumInterfaces);
    GET(RegFn, WlanRegisterNotification);
    GET(ScanFn, WlanScan);
    GET(BssFn, WlanGetNetworkBssList);
    GET(FreeFn, WlanFreeMemory);
    GET(CloseFn, WlanCloseHandle);
    DWORD dwVersion = 0;
    HANDLE hClient = NULL;
    DWORD dwOpen = WlanOpenHandle(2, NULL, &dwVersion, &hClient);
    printf("open: %lu\n", (unsigned long)dwOpen);
    if (dwOpen != 0)
        return 2; /* the caller checks the code it expects */
    PWLAN_INTERFACE_INFO_LIST pList = NULL;
    CHECK(WlanEnumInterfaces(hClient, NULL, &pList) == 0 && pList->dwNumberOfItems > 0, "interfaces listed");
    GUID guid = pList->InterfaceInfo[0].InterfaceGuid;
    WlanFreeMemory(pList);
    g_hEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    CHECK(WlanRegisterNotification(hClient, WLAN_NOTIFICATION_SOURCE_ACM, TRUE, OnNotification, NULL, NULL,
                                   NULL) == 0,
          "registered");
    CHECK(WlanScan(hClient, &guid, NULL, NULL, NULL) == 0, "scan started");
    CHECK(WaitForSingleObject(g_hEvent, 15000) == WAIT_OBJECT_0 &&
              g_dwCode == wlan_notification_acm_scan_complete,
          "scan-complete notification");
    CHECK(g_dwThread != GetCurrentThreadId(), "notification on another thread");
    PWLAN_BSS_LIST pBss = NULL;
    CHECK(WlanGetNetworkBssList(hClient, &guid, NULL, dot11_BSS_type_any, FALSE, NULL, &pBss) == 0 &&
              pBss->dwNumberOfItems > 0,
          "BSS list read");
    if (pBss) {
        printf("bss: %lu\n", (unsigned long)pBss->dwNumberOfItems);
        WlanFreeMemory(pBss);
    }
    GUID bad = guid;
    bad.Data1 ^= 0xffffffffu;
    CHECK(WlanScan(hClient, &bad, NULL, NULL, NULL) == ERROR_INVALID_PARAMETER,
          "bad GUID: ERROR_INVALID_PARAMETER");
    CHECK(WlanScan((HANDLE)(ULONG_PTR)0x1234, &guid, NULL, NULL, NULL) == ERROR_INVALID_HANDLE,
          "bad handle: ERROR_INVALID_HANDLE");
    CHECK(WlanRegisterNotification(hClient, WLAN_NOTIFICATION_SOURCE_NONE, TRUE, NULL, NULL, NULL, NULL) == 0,
          "unregistered");
    CHECK(WlanCloseHandle(hClient, NULL) == 0, "closed");
    FreeLibrary(hLib);
    CHECK(GetModuleHandleA("wlanapi") == NULL, "unloaded by FreeLibrary");

    hLib = LoadLibraryA("wlanapi");
    CHECK(hLib != NULL, "loaded again");
    if (hLib == NULL)
        return 1;
    OpenFn pfnOpen = (OpenFn)(void*)GetProcAddress(hLib, "WlanOpenHandle");
    EnumFn pfnEnum = (EnumFn)(void*)GetProcAddress(hLib, "WlanEnumInterfaces");
    FreeFn pfnFree = (FreeFn)(void*)GetProcAddress(hLib, "WlanFreeMemory");
    CloseFn pfnClose = (CloseFn)(void*)GetProcAddress(hLib, "WlanCloseHandle");
    hClient = NULL;
    CHECK(pfnOpen(2, NULL, &dwVersion, &hClient) == 0, "opened again");
    pList = NULL;
    CHECK(pfnEnum(hClient, NULL, &pList) == 0 && pList->dwNumberOfItems > 0, "interfaces listed again");
    if (pList)
        pfnFree(pList);
    CHECK(pfnClose(hClient, NULL) == 0, "closed again");
    FreeLibrary(hLib);
    CHECK(GetModuleHandleA("wlanapi") == NULL, "unloaded again");
    return nFailed == 0 ? 0 : 1;
}
