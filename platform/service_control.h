// Service control manager calls (advapi32) with their Win32 results. Failing calls return 0 / FALSE
// and leave the reason in the thread's last error.
#pragma once

#include <string>

#include "platform/win_defs.h"

// SERVICE_STATUS.
struct CServiceStatus {
    DWORD dwServiceType = 0;
    DWORD dwCurrentState = 0;
    DWORD dwControlsAccepted = 0;
    DWORD dwWin32ExitCode = 0;
    DWORD dwServiceSpecificExitCode = 0;
    DWORD dwCheckPoint = 0;
    DWORD dwWaitHint = 0;
};

constexpr DWORD SERVICE_STOPPED = 1;
constexpr DWORD SERVICE_START_PENDING = 2;
constexpr DWORD SERVICE_STOP_PENDING = 3;
constexpr DWORD SERVICE_RUNNING = 4;
constexpr DWORD SERVICE_CONTROL_STOP = 1;
constexpr DWORD SC_MANAGER_ALL_ACCESS = 0x000F003F;
constexpr DWORD SERVICE_QUERY_STATUS = 0x0004;
constexpr DWORD SERVICE_START = 0x0010;
constexpr DWORD SERVICE_STOP = 0x0020;

class IServiceControl {
public:
    virtual ~IServiceControl() = default;
    // OpenSCManagerA on the local machine's default database; 0 on failure.
    virtual SC_HANDLE OpenSCManager(DWORD dwAccess) = 0;
    // OpenServiceA; 0 on failure.
    virtual SC_HANDLE OpenService(SC_HANDLE hManager, const std::string& strName, DWORD dwAccess) = 0;
    virtual BOOL QueryServiceStatus(SC_HANDLE hService, CServiceStatus* pStatus) = 0;
    // StartServiceA with no arguments.
    virtual BOOL StartService(SC_HANDLE hService) = 0;
    virtual BOOL ControlService(SC_HANDLE hService, DWORD dwControl, CServiceStatus* pStatus) = 0;
    virtual BOOL CloseServiceHandle(SC_HANDLE hHandle) = 0;
};
