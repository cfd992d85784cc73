// Classes: CSimServiceConfig, CSimServiceRecord, CSimServices.
// The simulated service control manager. Each service has a state; Start and Stop move it through
// the pending state to the target state in virtual time (timers of the machine's clock), reporting
// the configured wait hint and a checkpoint that advances at a set interval or not at all (a stalled
// service). The manager and each service can refuse access; StartService, ControlService and
// QueryServiceStatus can be made to fail with a Win32 error. Calls are counted for tests.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/service_control.h"
#include "platform/sim/machine_file.h"
#include "platform/sim/sim_clock.h"

constexpr DWORD SERVICE_WIN32_SHARE_PROCESS = 0x20;
constexpr DWORD SERVICE_ACCEPT_STOP = 0x1;
constexpr DWORD ERROR_INVALID_SERVICE_CONTROL = 1052;

// How a service is set up (the machine file's "services" entries).
struct CSimServiceConfig {
    std::string strName;
    DWORD dwState = SERVICE_RUNNING;
    DWORD dwWaitHint = 10000;        // reported while pending
    DWORD dwStopMs = 1500;           // virtual time from the stop control to SERVICE_STOPPED
    DWORD dwStartMs = 2500;          // from StartService to SERVICE_RUNNING
    DWORD dwCheckpointMs = 500;      // the checkpoint advances this often while pending; 0 = never
    bool bHang = false;              // a pending state never ends
    std::string strAccess = "full";  // "full", "query" (query only: start and stop denied), "none"
    DWORD dwStartError = 0;          // StartService fails with this error (0 = works)
    DWORD dwControlError = 0;        // ControlService fails with this error
    DWORD dwQueryError = 0;          // QueryServiceStatus fails with this error
};

// What happened to a service (tests).
struct CSimServiceRecord {
    int nStartCalls = 0;    // StartService calls that reached the service (failed ones too)
    int nControlCalls = 0;  // ControlService calls that reached the service
    int nQueryCalls = 0;
    std::vector<DWORD> adwControls;  // the control codes sent
};

class ISystem;

class CSimServices : public IServiceControl {
public:
    CSimServices(CSimClock& clock, ISystem& system);
    ~CSimServices() override;

    // Sections "services" (one entry per service name) and "serviceManager".
    void Load(const CJsonNode& services, const CJsonNode& manager);
    void AddService(const CSimServiceConfig& config);
    void SetManagerAccessDenied(bool bDenied) { m_bManagerDenied = bDenied; }

    SC_HANDLE OpenSCManager(DWORD dwAccess) override;
    SC_HANDLE OpenService(SC_HANDLE hManager, const std::string& strName, DWORD dwAccess) override;
    BOOL QueryServiceStatus(SC_HANDLE hService, CServiceStatus* pStatus) override;
    BOOL StartService(SC_HANDLE hService) override;
    // Only SERVICE_CONTROL_STOP. A stop sent while the service is already stopping is accepted and
    // changes nothing.
    BOOL ControlService(SC_HANDLE hService, DWORD dwControl, CServiceStatus* pStatus) override;
    BOOL CloseServiceHandle(SC_HANDLE hHandle) override;

    // Tests: what was sent to a service, its current status, and the handles not closed.
    CSimServiceRecord Record(const std::string& strName);
    CServiceStatus Status(const std::string& strName);
    std::size_t OpenHandleCount();

private:
    struct CService;
    CService* Find(const std::string& strName);
    void BeginTransition(CService& service, DWORD dwPending, DWORD dwTarget, DWORD dwMs);
    void ScheduleCheckpoint(CService& service, unsigned nGeneration);
    CServiceStatus StatusOf(const CService& service) const;
    BOOL Fail(DWORD dwError);

    CSimClock& m_clock;
    ISystem& m_system;
    std::mutex m_mutex;
    bool m_bManagerDenied = false;
    std::vector<std::unique_ptr<CService>> m_apServices;
    struct CHandle {
        CService* pService;  // null for a manager handle
        DWORD dwAccess;
    };
    std::map<SC_HANDLE, CHandle> m_handles;
    // The entry of an open service handle; null for a manager handle or an unknown one.
    const CHandle* ServiceHandle(SC_HANDLE hService) const;
    SC_HANDLE m_hNext = 0x2000;
};
