#include "platform/sim/sim_services.h"

#include "platform/sim/sim_text.h"
#include "platform/system.h"

namespace {

// Rights a user without administrator rights gets on a service: query and interrogate.
constexpr DWORD SERVICE_QUERY_RIGHTS = 0x0001 | 0x0004 | 0x0008 | 0x0080 | 0x00020000;

const std::vector<std::string>& StateNames() {
    static const std::vector<std::string> astrNames = {"stopped", "start-pending", "stop-pending", "running"};
    return astrNames;
}

}  // namespace

struct CSimServices::CService {
    CSimServiceConfig config;
    DWORD dwState = SERVICE_STOPPED;
    DWORD dwCheckPoint = 0;
    unsigned nGeneration = 0;  // bumped by every transition; older timers then do nothing
    CSimServiceRecord record;
};

CSimServices::CSimServices(CSimClock& clock, ISystem& system) : m_clock(clock), m_system(system) {}

CSimServices::~CSimServices() = default;

void CSimServices::Load(const CJsonNode& services, const CJsonNode& manager) {
    manager.ExpectObject({"access"});
    m_bManagerDenied = manager.GetEnum("access", {"full", "denied"}, "full") == "denied";
    services.ForEach([&](const std::string& strName, const CJsonNode& node) {
        node.ExpectObject({"state", "waitHint", "stopMs", "startMs", "checkpointMs", "hang", "access",
                           "startError", "controlError", "queryError"});
        CSimServiceConfig config;
        config.strName = strName;
        const std::string strState = node.GetEnum("state", StateNames(), "running");
        for (std::size_t i = 0; i < StateNames().size(); ++i) {
            if (StateNames()[i] == strState) {
                config.dwState = static_cast<DWORD>(SERVICE_STOPPED + i);
            }
        }
        config.dwWaitHint = node.GetDword("waitHint", config.dwWaitHint);
        config.dwStopMs = node.GetDword("stopMs", config.dwStopMs);
        config.dwStartMs = node.GetDword("startMs", config.dwStartMs);
        config.dwCheckpointMs = node.GetDword("checkpointMs", config.dwCheckpointMs);
        config.bHang = node.GetBool("hang", config.bHang);
        config.strAccess = node.GetEnum("access", {"full", "query", "none"}, config.strAccess);
        config.dwStartError = node.GetDword("startError", 0);
        config.dwControlError = node.GetDword("controlError", 0);
        config.dwQueryError = node.GetDword("queryError", 0);
        AddService(config);
    });
}

void CSimServices::AddService(const CSimServiceConfig& config) {
    std::lock_guard<std::mutex> guard(m_mutex);
    auto pService = std::make_unique<CService>();
    pService->config = config;
    pService->dwState = config.dwState;
    CService& service = *pService;
    m_apServices.push_back(std::move(pService));
    // A service that is pending when the machine starts finishes its transition from now on.
    if (config.dwState == SERVICE_START_PENDING) {
        BeginTransition(service, SERVICE_START_PENDING, SERVICE_RUNNING, config.dwStartMs);
    } else if (config.dwState == SERVICE_STOP_PENDING) {
        BeginTransition(service, SERVICE_STOP_PENDING, SERVICE_STOPPED, config.dwStopMs);
    }
}

CSimServices::CService* CSimServices::Find(const std::string& strName) {
    for (auto& pService : m_apServices) {
        if (SimEqualNoCase(pService->config.strName, strName)) {
            return pService.get();
        }
    }
    return nullptr;
}

// Called with the mutex held. The timers take it again when they run (on the thread that drives
// the clock, which holds no lock of ours then).
void CSimServices::BeginTransition(CService& service, DWORD dwPending, DWORD dwTarget, DWORD dwMs) {
    service.dwState = dwPending;
    service.dwCheckPoint = 0;
    const unsigned nGeneration = ++service.nGeneration;
    if (!service.config.bHang) {
        CService* pService = &service;
        m_clock.ScheduleAfter(dwMs, [this, pService, nGeneration, dwTarget] {
            std::lock_guard<std::mutex> guard(m_mutex);
            if (pService->nGeneration == nGeneration) {
                pService->dwState = dwTarget;
                pService->dwCheckPoint = 0;
                ++pService->nGeneration;
            }
        });
    }
    ScheduleCheckpoint(service, nGeneration);
}

void CSimServices::ScheduleCheckpoint(CService& service, unsigned nGeneration) {
    if (service.config.dwCheckpointMs == 0) {
        return;  // stalled: the checkpoint never moves
    }
    CService* pService = &service;
    m_clock.ScheduleAfter(service.config.dwCheckpointMs, [this, pService, nGeneration] {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (pService->nGeneration == nGeneration) {
            ++pService->dwCheckPoint;
            ScheduleCheckpoint(*pService, nGeneration);
        }
    });
}

CServiceStatus CSimServices::StatusOf(const CService& service) const {
    CServiceStatus status;
    status.dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
    status.dwCurrentState = service.dwState;
    status.dwControlsAccepted = service.dwState == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    const bool bPending = service.dwState == SERVICE_START_PENDING || service.dwState == SERVICE_STOP_PENDING;
    status.dwCheckPoint = bPending ? service.dwCheckPoint : 0;
    status.dwWaitHint = bPending ? service.config.dwWaitHint : 0;
    return status;
}

const CSimServices::CHandle* CSimServices::ServiceHandle(SC_HANDLE hService) const {
    auto it = m_handles.find(hService);
    return (it == m_handles.end() || it->second.pService == nullptr) ? nullptr : &it->second;
}

BOOL CSimServices::Fail(DWORD dwError) {
    m_system.SetLastError(dwError);
    return FALSE;
}

SC_HANDLE CSimServices::OpenSCManager(DWORD dwAccess) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_bManagerDenied) {
        Fail(ERROR_ACCESS_DENIED);
        return 0;
    }
    const SC_HANDLE hManager = m_hNext;
    m_hNext += 4;
    m_handles[hManager] = {nullptr, dwAccess};
    return hManager;
}

SC_HANDLE CSimServices::OpenService(SC_HANDLE hManager, const std::string& strName, DWORD dwAccess) {
    std::lock_guard<std::mutex> guard(m_mutex);
    auto it = m_handles.find(hManager);
    if (it == m_handles.end() || it->second.pService != nullptr) {
        Fail(ERROR_INVALID_HANDLE);
        return 0;
    }
    CService* pService = Find(strName);
    if (pService == nullptr) {
        Fail(ERROR_SERVICE_DOES_NOT_EXIST);
        return 0;
    }
    const std::string& strAccess = pService->config.strAccess;
    if (strAccess == "none" || (strAccess == "query" && (dwAccess & ~SERVICE_QUERY_RIGHTS) != 0)) {
        Fail(ERROR_ACCESS_DENIED);
        return 0;
    }
    const SC_HANDLE hService = m_hNext;
    m_hNext += 4;
    m_handles[hService] = {pService, dwAccess};
    return hService;
}

BOOL CSimServices::QueryServiceStatus(SC_HANDLE hService, CServiceStatus* pStatus) {
    std::lock_guard<std::mutex> guard(m_mutex);
    const CHandle* pHandle = ServiceHandle(hService);
    if (pHandle == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    CService& service = *pHandle->pService;
    ++service.record.nQueryCalls;
    if ((pHandle->dwAccess & SERVICE_QUERY_STATUS) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (service.config.dwQueryError != 0) {
        return Fail(service.config.dwQueryError);
    }
    if (pStatus == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    *pStatus = StatusOf(service);
    return TRUE;
}

BOOL CSimServices::StartService(SC_HANDLE hService) {
    std::lock_guard<std::mutex> guard(m_mutex);
    const CHandle* pHandle = ServiceHandle(hService);
    if (pHandle == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    CService& service = *pHandle->pService;
    ++service.record.nStartCalls;
    if ((pHandle->dwAccess & SERVICE_START) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (service.config.dwStartError != 0) {
        return Fail(service.config.dwStartError);
    }
    if (service.dwState != SERVICE_STOPPED) {
        return Fail(ERROR_SERVICE_ALREADY_RUNNING);
    }
    BeginTransition(service, SERVICE_START_PENDING, SERVICE_RUNNING, service.config.dwStartMs);
    return TRUE;
}

BOOL CSimServices::ControlService(SC_HANDLE hService, DWORD dwControl, CServiceStatus* pStatus) {
    std::lock_guard<std::mutex> guard(m_mutex);
    const CHandle* pHandle = ServiceHandle(hService);
    if (pHandle == nullptr) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    CService& service = *pHandle->pService;
    ++service.record.nControlCalls;
    service.record.adwControls.push_back(dwControl);
    if (dwControl != SERVICE_CONTROL_STOP) {
        return Fail(ERROR_INVALID_SERVICE_CONTROL);
    }
    if ((pHandle->dwAccess & SERVICE_STOP) == 0) {
        return Fail(ERROR_ACCESS_DENIED);
    }
    if (service.config.dwControlError != 0) {
        return Fail(service.config.dwControlError);
    }
    if (service.dwState == SERVICE_STOPPED) {
        return Fail(ERROR_SERVICE_NOT_ACTIVE);
    }
    if (service.dwState == SERVICE_START_PENDING) {
        return Fail(ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
    }
    if (service.dwState == SERVICE_RUNNING) {
        BeginTransition(service, SERVICE_STOP_PENDING, SERVICE_STOPPED, service.config.dwStopMs);
    }
    if (pStatus != nullptr) {
        *pStatus = StatusOf(service);
    }
    return TRUE;
}

BOOL CSimServices::CloseServiceHandle(SC_HANDLE hHandle) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_handles.erase(hHandle) != 1) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    return TRUE;
}

CSimServiceRecord CSimServices::Record(const std::string& strName) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CService* pService = Find(strName);
    return pService != nullptr ? pService->record : CSimServiceRecord();
}

CServiceStatus CSimServices::Status(const std::string& strName) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CService* pService = Find(strName);
    return pService != nullptr ? StatusOf(*pService) : CServiceStatus();
}

std::size_t CSimServices::OpenHandleCount() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_handles.size();
}
