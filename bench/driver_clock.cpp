#include "bench/driver_clock.h"

#include <time.h>

#include <string>

#include "platform/wlan_api.h"

namespace {

// One process-wide total: the WLAN entry points are plain functions without a context.
double g_dDriverSeconds = 0;

class CTimed {
public:
    CTimed() : m_dStart(ThreadCpuSeconds()) {}
    ~CTimed() { g_dDriverSeconds += ThreadCpuSeconds() - m_dStart; }

private:
    double m_dStart;
};

PFN_WlanGetNetworkBssList g_pfnGetNetworkBssList = nullptr;
PFN_WlanFreeMemory g_pfnFreeMemory = nullptr;

DWORD WLAN_WINAPI TimedGetNetworkBssList(HANDLE hClient, const GUID* pGuid, const DOT11_SSID* pSsid,
                                         DWORD dwBssType, BOOL bSecurity, void* pReserved,
                                         WLAN_BSS_LIST** ppList) {
    CTimed timed;
    return g_pfnGetNetworkBssList(hClient, pGuid, pSsid, dwBssType, bSecurity, pReserved, ppList);
}

void WLAN_WINAPI TimedFreeMemory(void* pMemory) {
    CTimed timed;
    g_pfnFreeMemory(pMemory);
}

}  // namespace

double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

class CDriverClock::CTimedDeviceIo : public IDeviceIo {
public:
    explicit CTimedDeviceIo(IDeviceIo& inner) : m_inner(inner) {}
    HANDLE CreateFile(const std::string& strName, DWORD dwAccess, DWORD dwShare, DWORD dwCreation,
                      DWORD dwFlags) override {
        CTimed timed;
        return m_inner.CreateFile(strName, dwAccess, dwShare, dwCreation, dwFlags);
    }
    BOOL DeviceIoControl(HANDLE hDevice, DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                         DWORD* pdwReturned) override {
        CTimed timed;
        return m_inner.DeviceIoControl(hDevice, dwCode, pIn, cbIn, pOut, cbOut, pdwReturned);
    }
    BOOL CloseHandle(HANDLE hHandle) override {
        CTimed timed;
        return m_inner.CloseHandle(hHandle);
    }

private:
    IDeviceIo& m_inner;
};

class CDriverClock::CTimedLibraries : public ILibraryLoader {
public:
    explicit CTimedLibraries(ILibraryLoader& inner) : m_inner(inner) {}
    HMODULE LoadLibrary(const std::string& strName) override { return m_inner.LoadLibrary(strName); }
    void* GetProcAddress(HMODULE hModule, const std::string& strName) override {
        void* pEntry = m_inner.GetProcAddress(hModule, strName);
        if (pEntry == nullptr) {
            return nullptr;
        }
        if (strName == "WlanGetNetworkBssList") {
            g_pfnGetNetworkBssList = reinterpret_cast<PFN_WlanGetNetworkBssList>(pEntry);
            return reinterpret_cast<void*>(&TimedGetNetworkBssList);
        }
        if (strName == "WlanFreeMemory") {
            g_pfnFreeMemory = reinterpret_cast<PFN_WlanFreeMemory>(pEntry);
            return reinterpret_cast<void*>(&TimedFreeMemory);
        }
        return pEntry;
    }
    BOOL FreeLibrary(HMODULE hModule) override { return m_inner.FreeLibrary(hModule); }

private:
    ILibraryLoader& m_inner;
};

CDriverClock::CDriverClock(const COsServices& services)
    : m_services(services),
      m_pDeviceIo(std::make_unique<CTimedDeviceIo>(services.DeviceIo())),
      m_pLibraries(std::make_unique<CTimedLibraries>(services.Libraries())) {
    m_services.pDeviceIo = m_pDeviceIo.get();
    m_services.pLibraries = m_pLibraries.get();
    Reset();
}

CDriverClock::~CDriverClock() = default;

double CDriverClock::Seconds() const {
    return g_dDriverSeconds;
}

void CDriverClock::Reset() {
    g_dDriverSeconds = 0;
}
