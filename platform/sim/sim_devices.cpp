#include "platform/sim/sim_devices.h"

#include "platform/sim/sim_text.h"
#include "platform/system.h"

CSimDeviceIo::CSimDeviceIo(ISystem& system) : m_system(system) {}

void CSimDeviceIo::RegisterDevice(const std::string& strName, SimDeviceOpener opener) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_openers[SimLower(strName)] = std::move(opener);
}

HANDLE CSimDeviceIo::CreateFile(const std::string& strName, DWORD dwAccess, DWORD dwShare,
                                DWORD /*dwCreation*/, DWORD dwFlags) {
    SimDeviceOpener opener;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        auto it = m_openers.find(SimLower(strName));
        if (it == m_openers.end()) {
            m_system.SetLastError(ERROR_FILE_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
        opener = it->second;
    }
    // The driver runs without our lock: it may take its own.
    std::unique_ptr<ISimDeviceFile> pFile;
    const DWORD dwError = opener(dwAccess, dwShare, dwFlags, &pFile);
    if (dwError != ERROR_SUCCESS || !pFile) {
        m_system.SetLastError(dwError != ERROR_SUCCESS ? dwError : ERROR_GEN_FAILURE);
        return INVALID_HANDLE_VALUE;
    }
    std::lock_guard<std::mutex> guard(m_mutex);
    const HANDLE hFile = m_hNext;
    m_hNext += 4;
    m_files[hFile] = std::move(pFile);
    return hFile;
}

BOOL CSimDeviceIo::DeviceIoControl(HANDLE hDevice, DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut,
                                   DWORD cbOut, DWORD* pdwReturned) {
    std::shared_ptr<ISimDeviceFile> pFile;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        auto it = m_files.find(hDevice);
        if (it != m_files.end()) {
            pFile = it->second;
        }
    }
    DWORD dwReturned = 0;
    if (!pFile) {
        if (pdwReturned != nullptr) {
            *pdwReturned = 0;
        }
        m_system.SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const DWORD dwError = pFile->Control(dwCode, pIn, cbIn, pOut, cbOut, &dwReturned);
    if (pdwReturned != nullptr) {
        *pdwReturned = dwReturned;
    }
    if (dwError != ERROR_SUCCESS) {
        m_system.SetLastError(dwError);
        return FALSE;
    }
    return TRUE;
}

BOOL CSimDeviceIo::CloseHandle(HANDLE hHandle) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_files.erase(hHandle) != 1) {
        m_system.SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

std::size_t CSimDeviceIo::OpenHandleCount() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_files.size();
}

CSimLibraries::CSimLibraries(ISystem& system) : m_system(system) {}

void CSimLibraries::RegisterLibrary(const std::string& strName, std::map<std::string, void*> entryPoints) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CLibrary& library = m_libraries[SimLower(strName)];
    library.hModule = m_hNext;
    m_hNext += 0x10000;
    library.entryPoints = std::move(entryPoints);
}

CSimLibraries::CLibrary* CSimLibraries::FindModule(HMODULE hModule) {
    for (auto& [strName, library] : m_libraries) {
        if (library.hModule == hModule && library.nLoads > 0) {
            return &library;
        }
    }
    return nullptr;
}

HMODULE CSimLibraries::LoadLibrary(const std::string& strName) {
    std::lock_guard<std::mutex> guard(m_mutex);
    std::string strKey = SimLower(strName);
    if (strKey.size() > 4 && strKey.compare(strKey.size() - 4, 4, ".dll") == 0) {
        strKey.resize(strKey.size() - 4);
    }
    auto it = m_libraries.find(strKey);
    if (it == m_libraries.end()) {
        m_system.SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    ++it->second.nLoads;
    m_astrCalls.push_back("LoadLibrary " + strKey);
    return it->second.hModule;
}

void* CSimLibraries::GetProcAddress(HMODULE hModule, const std::string& strName) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CLibrary* pLibrary = FindModule(hModule);
    if (pLibrary == nullptr) {
        m_system.SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto it = pLibrary->entryPoints.find(strName);
    if (it == pLibrary->entryPoints.end()) {
        m_system.SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return it->second;
}

BOOL CSimLibraries::FreeLibrary(HMODULE hModule) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CLibrary* pLibrary = FindModule(hModule);
    if (pLibrary == nullptr) {
        m_system.SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    --pLibrary->nLoads;
    for (const auto& [strName, library] : m_libraries) {
        if (&library == pLibrary) {
            m_astrCalls.push_back("FreeLibrary " + strName);
        }
    }
    return TRUE;
}

int CSimLibraries::LoadCount() {
    std::lock_guard<std::mutex> guard(m_mutex);
    int nLoads = 0;
    for (const auto& [strName, library] : m_libraries) {
        nLoads += library.nLoads;
    }
    return nLoads;
}

void CSimLibraries::RecordCall(const std::string& strCall) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_astrCalls.push_back(strCall);
}

std::vector<std::string> CSimLibraries::Calls() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_astrCalls;
}
