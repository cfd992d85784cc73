#include "adapters/wzc_service.h"

#include <algorithm>

#include "platform/os.h"

BOOL g_bWzcStopped = 0;

namespace {

const char WZC_SERVICE_NAME[] = "WZCSVC";
constexpr DWORD WZC_SERVICE_ACCESS = SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP;  // 0x34
constexpr DWORD MIN_POLL_MS = 500;
constexpr DWORD MAX_POLL_MS = 5000;
constexpr DWORD MIN_STALL_MS = 12000;

// Moves the open service to dwTarget and waits until it gets there or stops making progress.
// *pbStoppedByUs is cleared when a stop finds the service already stopping.
BOOL DriveService(SC_HANDLE hService, BOOL bStart, DWORD dwTarget, BOOL* pbStoppedByUs) {
    IServiceControl& services = Os().Services();
    IClock& clock = Os().Clock();
    CServiceStatus status;
    if (!services.QueryServiceStatus(hService, &status)) {
        return 0;
    }
    if (status.dwCurrentState == dwTarget) {
        *pbStoppedByUs = 0;
        return 1;
    }
    if (bStart) {
        if (!services.StartService(hService)) {
            return 0;
        }
    } else {
        if (status.dwCurrentState == SERVICE_STOP_PENDING) {
            *pbStoppedByUs = 0;  // someone else is stopping it: not ours to restart
        }
        if (!services.ControlService(hService, SERVICE_CONTROL_STOP, &status)) {
            return 0;
        }
    }
    if (!services.QueryServiceStatus(hService, &status)) {
        return 0;
    }
    DWORD dwBaseTick = clock.GetTickCount();
    DWORD dwBaseCheckPoint = status.dwCheckPoint;
    while (status.dwCurrentState != dwTarget) {
        clock.Sleep(std::clamp(status.dwWaitHint / 10, MIN_POLL_MS, MAX_POLL_MS));
        if (!services.QueryServiceStatus(hService, &status)) {
            return 0;
        }
        if (status.dwCurrentState == dwTarget) {
            break;
        }
        if (status.dwCheckPoint > dwBaseCheckPoint) {
            dwBaseTick = clock.GetTickCount();
            dwBaseCheckPoint = status.dwCheckPoint;
            continue;
        }
        // Unsigned difference: right across the wrap of the 32-bit tick.
        if (clock.GetTickCount() - dwBaseTick > std::max(status.dwWaitHint, MIN_STALL_MS)) {
            return 0;
        }
    }
    return 1;
}

}  // namespace

BOOL ControlWzcService(BOOL bStart) {
    BOOL bResult = 1;
    BOOL bStoppedByUs = bStart ? 0 : 1;
    COsVersionInfo version;
    const bool bVersionRead = Os().System().GetVersionEx(&version) != 0;
    if (!bVersionRead || version.dwMajorVersion != 5 || version.dwMinorVersion < 1) {
        // Only Windows XP and Server 2003 run the service that holds the adapters.
        bStoppedByUs = 0;
    } else {
        const DWORD dwTarget = bStart ? SERVICE_RUNNING : SERVICE_STOPPED;
        IServiceControl& services = Os().Services();
        const SC_HANDLE hManager = services.OpenSCManager(SC_MANAGER_ALL_ACCESS);
        if (hManager == 0) {
            bResult = 0;
        } else {
            const SC_HANDLE hService = services.OpenService(hManager, WZC_SERVICE_NAME, WZC_SERVICE_ACCESS);
            if (hService == 0) {
                bResult = 0;
            } else {
                bResult = DriveService(hService, bStart, dwTarget, &bStoppedByUs);
                services.CloseServiceHandle(hService);
            }
            services.CloseServiceHandle(hManager);
        }
    }
    if (bStart) {
        g_bWzcStopped = 0;
    } else {
        g_bWzcStopped = (g_bWzcStopped || bStoppedByUs) ? 1 : 0;
    }
    return bResult;
}
