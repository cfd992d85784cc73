// The nine entry points of the WLAN API as one table, resolved by name from a loaded "wlanapi"
// through the library seam. The native back end calls the service through it, and so does the
// substitute wlanapi.dll of the Wine tests, which forwards to a simulated service.
#pragma once

#include <cstddef>
#include <iterator>

#include "platform/library.h"
#include "platform/wlan_api.h"

struct CWlanApiTable {
    PFN_WlanOpenHandle pfnOpenHandle = nullptr;
    PFN_WlanCloseHandle pfnCloseHandle = nullptr;
    PFN_WlanEnumInterfaces pfnEnumInterfaces = nullptr;
    PFN_WlanFreeMemory pfnFreeMemory = nullptr;
    PFN_WlanQueryInterface pfnQueryInterface = nullptr;
    PFN_WlanGetNetworkBssList pfnGetNetworkBssList = nullptr;
    PFN_WlanScan pfnScan = nullptr;
    PFN_WlanGetInterfaceCapability pfnGetInterfaceCapability = nullptr;
    PFN_WlanRegisterNotification pfnRegisterNotification = nullptr;

    // Resolves every entry point of hModule, in the order of WLANAPI_ENTRY_POINTS; one the library
    // lacks stays null.
    void Resolve(ILibraryLoader& libraries, HMODULE hModule) {
        ResolveInOrder(libraries, hModule, &pfnOpenHandle, &pfnCloseHandle, &pfnEnumInterfaces,
                       &pfnFreeMemory, &pfnQueryInterface, &pfnGetNetworkBssList, &pfnScan,
                       &pfnGetInterfaceCapability, &pfnRegisterNotification);
    }

private:
    // The members are given in the order of the names, one per name.
    template <typename... T>
    static void ResolveInOrder(ILibraryLoader& libraries, HMODULE hModule, T*... ppfn) {
        static_assert(sizeof...(T) == std::size(WLANAPI_ENTRY_POINTS));
        std::size_t nEntry = 0;
        ((*ppfn = reinterpret_cast<T>(libraries.GetProcAddress(hModule, WLANAPI_ENTRY_POINTS[nEntry++]))),
         ...);
    }
};
