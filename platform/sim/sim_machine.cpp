#include "platform/sim/sim_machine.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

// Every top-level section of a machine file. A new simulated component adds its section here and
// reads it in CSimMachine::Load.
const std::initializer_list<const char*> MACHINE_SECTIONS = {
    "description",    "clock",   "windows", "folders", "registry", "services",
    "serviceManager", "profile", "shell",   "orinoco", "ndisuio",  "wlan",
};

}  // namespace

std::unique_ptr<CSimMachine> CSimMachine::FromText(const std::string& strText, const std::string& strName,
                                                   std::string* pstrError, const CSimMachineOptions& options,
                                                   const std::string& strBaseDir) {
    // Nothing but white space is no JSON either, but "the file is empty" says what is wrong with it.
    if (strText.find_first_not_of(" \t\r\n") == std::string::npos) {
        if (pstrError != nullptr) {
            *pstrError = strName + ": the file is empty";
        }
        return nullptr;
    }
    std::unique_ptr<CSimMachine> pMachine(new CSimMachine());
    try {
        pMachine->Load(ParseMachineJson(strText), options, strBaseDir);
    } catch (const CMachineFileError& e) {
        if (pstrError != nullptr) {
            *pstrError = strName + ": " + e.what();
        }
        return nullptr;
    } catch (const std::exception& e) {
        // Anything else (a host folder that cannot be read, ...) is still one line, never a crash.
        if (pstrError != nullptr) {
            *pstrError = strName + ": " + e.what();
        }
        return nullptr;
    }
    return pMachine;
}

std::unique_ptr<CSimMachine> CSimMachine::FromFile(const std::string& strPath, std::string* pstrError,
                                                   const CSimMachineOptions& options) {
    // A folder opens as a stream too and reads as nothing: it is no file, not an empty one.
    std::error_code error;
    std::ifstream file(strPath, std::ios::binary);
    std::string strText;
    bool bRead = file && !fs::is_directory(strPath, error);
    if (bRead) {
        strText.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        bRead = !file.bad();
    }
    if (!bRead) {
        if (pstrError != nullptr) {
            *pstrError = strPath + ": cannot read the file";
        }
        return nullptr;
    }
    // FromText tells an empty file apart from a missing one.
    const std::string strBaseDir = fs::absolute(fs::path(strPath)).parent_path().string();
    return FromText(strText, strPath, pstrError, options, strBaseDir);
}

std::unique_ptr<CSimMachine> CSimMachine::Default(std::string* pstrError, const CSimMachineOptions& options) {
    return FromText(std::string(g_szDefaultMachine, g_szDefaultMachine_size), "default machine", pstrError,
                    options);
}

CSimMachine::~CSimMachine() {
    // No timer may run once the components it refers to are gone.
    if (m_pClock) {
        m_pClock->CancelAllTimers();
    }
}

void CSimMachine::Load(const MachineJson& json, const CSimMachineOptions& options,
                       const std::string& strBaseDir) {
    const CJsonNode root(&json, "");
    root.ExpectObject(MACHINE_SECTIONS);
    root.GetString("description", std::string());

    const CJsonNode clock = root.Child("clock");
    clock.ExpectObject({"startTick", "eventsFail"});
    const DWORD dwStartTick = clock.GetDword("startTick", 0);
    if (options.bRealTime) {
        m_pClock = std::make_unique<CRealClock>(dwStartTick);
    } else {
        auto pVirtual = std::make_unique<CVirtualClock>(dwStartTick);
        m_pVirtualClock = pVirtual.get();
        m_pClock = std::move(pVirtual);
    }
    m_pClock->SetEventsFail(clock.GetBool("eventsFail", false));

    m_pSystem = std::make_unique<CSimSystem>();
    m_pSystem->Load(root.Child("windows"), root.Child("folders"), strBaseDir);
    m_pRegistry = std::make_unique<CSimRegistry>();
    m_pRegistry->Load(root.Child("registry"));
    m_pProfile = std::make_unique<CSimProfile>(options.strProfilePath);
    m_pProfile->Load(root.Child("profile"), strBaseDir);
    m_pServices = std::make_unique<CSimServices>(*m_pClock, *m_pSystem);
    m_pServices->Load(root.Child("services"), root.Child("serviceManager"));
    m_pShell = std::make_unique<CSimShell>(*m_pSystem);
    m_pShell->Load(root.Child("shell"));
    m_pDeviceIo = std::make_unique<CSimDeviceIo>(*m_pSystem);
    m_pLibraries = std::make_unique<CSimLibraries>(*m_pSystem);
    m_pOrinoco = std::make_unique<CSimOrinoco>(*m_pDeviceIo);
    m_pOrinoco->Load(root.Child("orinoco"));
    m_pNdisuio = std::make_unique<CSimNdisuio>(*m_pServices);
    m_pNdisuio->Load(root.Child("ndisuio"));
    m_pNdisuio->Register(*m_pDeviceIo);
    m_pRpc = std::make_unique<CSimRpc>();
    m_pWlan = std::make_unique<CSimWlanService>(*m_pClock, *m_pLibraries);
    m_pWlan->Load(root.Child("wlan"));
}

COsServices CSimMachine::Services() const {
    COsServices services;
    services.pClock = m_pClock.get();
    services.pRegistry = m_pRegistry.get();
    services.pSystem = m_pSystem.get();
    services.pServices = m_pServices.get();
    services.pProfile = m_pProfile.get();
    services.pShell = m_pShell.get();
    services.pDeviceIo = m_pDeviceIo.get();
    services.pLibraries = m_pLibraries.get();
    services.pRpc = m_pRpc.get();
    return services;
}
