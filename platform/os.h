// The operating-system seam: everything the system's code needs from the platform, reached
// through Os(). A host (the Windows program, the simulated machine of the Linux program or a test)
// installs its implementations with SetOs before the wizard runs.
#pragma once

#include "platform/clock.h"
#include "platform/device_io.h"
#include "platform/library.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/rpc.h"
#include "platform/service_control.h"
#include "platform/shell.h"
#include "platform/system.h"

struct COsServices {
    IClock* pClock = nullptr;
    IRegistry* pRegistry = nullptr;
    ISystem* pSystem = nullptr;
    IServiceControl* pServices = nullptr;
    IProfile* pProfile = nullptr;
    IShell* pShell = nullptr;
    IDeviceIo* pDeviceIo = nullptr;
    ILibraryLoader* pLibraries = nullptr;
    IRpc* pRpc = nullptr;

    IClock& Clock() const { return *pClock; }
    IRegistry& Registry() const { return *pRegistry; }
    ISystem& System() const { return *pSystem; }
    IServiceControl& Services() const { return *pServices; }
    IProfile& Profile() const { return *pProfile; }
    IShell& Shell() const { return *pShell; }
    IDeviceIo& DeviceIo() const { return *pDeviceIo; }
    ILibraryLoader& Libraries() const { return *pLibraries; }
    IRpc& Rpc() const { return *pRpc; }
};

// The services installed by the host.
const COsServices& Os();
// Installs the host's services; returns the previous set (tests restore it).
COsServices SetOs(const COsServices& services);
