// Classes: CSimMachineOptions, CSimMachine, CScopedOs.
// The simulated machine: every OS service the system reaches through Os(), built from a machine file
// (docs/MACHINE_FILE.md). Each component reads its own top-level sections of the file; a simulated
// driver added later brings its own section and registers its device or library here.
//
//   std::string strError;
//   auto pMachine = CSimMachine::FromFile("machines/xp.json", &strError);   // null + one-line error
//   CScopedOs os(*pMachine);                                               // Os() is the machine now
#pragma once

#include <memory>
#include <string>

#include "platform/os.h"
#include "platform/sim/machine_file.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_devices.h"
#include "platform/sim/sim_ndisuio.h"
#include "platform/sim/sim_orinoco.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_rpc.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_wlan.h"

// The default machine, embedded at build time from platform/sim/machines/default.json.
extern const char g_szDefaultMachine[];
extern const unsigned g_szDefaultMachine_size;

// What the host decides rather than the machine file.
struct CSimMachineOptions {
    // Real milliseconds (the Linux program) instead of virtual time (tests).
    bool bRealTime = false;
    // Where the profile lives unless the machine file names a path; empty = in memory only.
    std::string strProfilePath;
};

class CSimMachine {
public:
    // Each returns null and sets *pstrError to one line ("<file>: <where>: <problem>") when the
    // machine cannot be loaded.
    static std::unique_ptr<CSimMachine> FromFile(const std::string& strPath, std::string* pstrError,
                                                 const CSimMachineOptions& options = {});
    // strName names the text in error messages; relative host paths resolve against strBaseDir.
    static std::unique_ptr<CSimMachine> FromText(const std::string& strText, const std::string& strName,
                                                 std::string* pstrError,
                                                 const CSimMachineOptions& options = {},
                                                 const std::string& strBaseDir = std::string());
    static std::unique_ptr<CSimMachine> Default(std::string* pstrError,
                                                const CSimMachineOptions& options = {});

    ~CSimMachine();
    CSimMachine(const CSimMachine&) = delete;
    CSimMachine& operator=(const CSimMachine&) = delete;

    // The machine's services, for SetOs.
    COsServices Services() const;

    CSimClock& Clock() { return *m_pClock; }
    // The virtual clock, or null when the machine runs in real time.
    CVirtualClock* VirtualClock() { return m_pVirtualClock; }
    CSimRegistry& Registry() { return *m_pRegistry; }
    CSimSystem& System() { return *m_pSystem; }
    CSimServices& ServiceManager() { return *m_pServices; }
    CSimProfile& Profile() { return *m_pProfile; }
    CSimShell& Shell() { return *m_pShell; }
    CSimDeviceIo& DeviceIo() { return *m_pDeviceIo; }
    CSimLibraries& Libraries() { return *m_pLibraries; }
    CSimOrinoco& Orinoco() { return *m_pOrinoco; }
    CSimNdisuio& Ndisuio() { return *m_pNdisuio; }
    CSimRpc& Rpc() { return *m_pRpc; }
    CSimWlanService& Wlan() { return *m_pWlan; }

private:
    CSimMachine() = default;
    // Throws CMachineFileError.
    void Load(const MachineJson& json, const CSimMachineOptions& options, const std::string& strBaseDir);

    std::unique_ptr<CSimClock> m_pClock;  // first made, last gone: the others schedule timers on it
    CVirtualClock* m_pVirtualClock = nullptr;
    std::unique_ptr<CSimSystem> m_pSystem;
    std::unique_ptr<CSimRegistry> m_pRegistry;
    std::unique_ptr<CSimProfile> m_pProfile;
    std::unique_ptr<CSimServices> m_pServices;
    std::unique_ptr<CSimShell> m_pShell;
    std::unique_ptr<CSimDeviceIo> m_pDeviceIo;
    std::unique_ptr<CSimLibraries> m_pLibraries;
    std::unique_ptr<CSimOrinoco> m_pOrinoco;
    std::unique_ptr<CSimNdisuio> m_pNdisuio;
    std::unique_ptr<CSimRpc> m_pRpc;
    std::unique_ptr<CSimWlanService> m_pWlan;  // after the libraries and the clock it uses
};

// Installs a machine as Os() for one scope and puts the previous services back.
class CScopedOs {
public:
    explicit CScopedOs(const CSimMachine& machine) : m_previous(SetOs(machine.Services())) {}
    ~CScopedOs() { SetOs(m_previous); }
    CScopedOs(const CScopedOs&) = delete;
    CScopedOs& operator=(const CScopedOs&) = delete;

private:
    COsServices m_previous;
};
