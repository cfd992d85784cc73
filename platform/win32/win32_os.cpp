#include "platform/win32/win32_os.h"

#include <mutex>

#include "platform/win32/win32_calls.h"
#include "platform/win32/win32_wlan_layout.h"
#include "platform/wlan_api.h"

namespace {
// The application profile: an INI file named after the executable, in the user's own
// application-data folder. A bare name would land in the Windows folder, which a standard user
// cannot write, so the popup's position would never be kept.
constexpr char PROFILE_FOLDER[] = "\\Brellix Nimbrel";
constexpr char PROFILE_FILE[] = "\\Nimbrel.INI";

class CWin32Registry : public IRegistry {
public:
    LONG RegCreateKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult,
                        DWORD* pdwDisposition) override {
        return w32::RegCreateKeyExA(hKey, strSubKey.c_str(), dwAccess, phResult, pdwDisposition);
    }
    LONG RegOpenKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult) override {
        return w32::RegOpenKeyExA(hKey, strSubKey.c_str(), dwAccess, phResult);
    }
    LONG RegQueryValueEx(HKEY hKey, const std::string& strName, DWORD* pdwType, BYTE* pData,
                         DWORD* pcbData) override {
        return w32::RegQueryValueExA(hKey, strName.c_str(), pdwType, pData, pcbData);
    }
    LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, char* pszName, DWORD* pcchName) override {
        return w32::RegEnumKeyExA(hKey, dwIndex, pszName, pcchName);
    }
    LONG RegSetValueEx(HKEY hKey, const std::string& strName, DWORD dwType, const BYTE* pData,
                       DWORD cbData) override {
        return w32::RegSetValueExA(hKey, strName.c_str(), dwType, pData, cbData);
    }
    LONG RegCloseKey(HKEY hKey) override { return w32::RegCloseKey(hKey); }
};

class CWin32DeviceIo : public IDeviceIo {
public:
    HANDLE CreateFile(const std::string& strName, DWORD dwAccess, DWORD dwShare, DWORD dwCreation,
                      DWORD dwFlags) override {
        return w32::CreateFileA(strName.c_str(), dwAccess, dwShare, dwCreation, dwFlags);
    }
    BOOL DeviceIoControl(HANDLE hDevice, DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                         DWORD* pdwReturned) override {
        return w32::DeviceIoControl(hDevice, dwCode, pIn, cbIn, pOut, cbOut, pdwReturned);
    }
    BOOL CloseHandle(HANDLE hHandle) override { return w32::CloseHandle(hHandle); }
};

class CWin32System : public ISystem {
public:
    BOOL GetVersionEx(COsVersionInfo* pInfo) override {
        w32::VersionInfo info;
        const BOOL bResult = w32::GetVersionExA(&info);
        if (bResult) {
            pInfo->dwMajorVersion = info.dwMajor;
            pInfo->dwMinorVersion = info.dwMinor;
            pInfo->dwBuildNumber = info.dwBuild;
            pInfo->dwPlatformId = info.dwPlatform;
            pInfo->strCSDVersion = info.strCSDVersion;
        }
        return bResult;
    }
    DWORD GetLastError() override { return w32::GetLastError(); }
    void SetLastError(DWORD dwError) override { w32::SetLastError(dwError); }
    std::string WideToAnsi(const std::u16string& wstr) override { return w32::WideToAnsi(wstr); }
    std::u16string AnsiToWide(const std::string& str) override { return w32::AnsiToWide(str); }
    DWORD ReadFile(const std::string& strPath, std::vector<BYTE>* pData) override {
        return w32::ReadWholeFile(strPath.c_str(), pData);
    }
};

// A kernel auto-reset event: the WLAN service sets it from a thread of its own.
class CWin32Event : public IEvent {
public:
    explicit CWin32Event(w32::Handle hEvent) : m_hEvent(hEvent) {}
    ~CWin32Event() override { w32::CloseHandle(m_hEvent); }
    CWin32Event(const CWin32Event&) = delete;
    CWin32Event& operator=(const CWin32Event&) = delete;
    void Set() override { w32::SetEvent(m_hEvent); }
    DWORD Wait(DWORD dwMs) override { return w32::WaitForSingleObject(m_hEvent, dwMs); }

private:
    w32::Handle m_hEvent;
};

class CWin32Lock : public ILock {
public:
    CWin32Lock() : m_pSection(w32::NewCriticalSection()) {}
    ~CWin32Lock() override { w32::DeleteCriticalSection(m_pSection); }
    CWin32Lock(const CWin32Lock&) = delete;
    CWin32Lock& operator=(const CWin32Lock&) = delete;
    void Enter() override { w32::EnterCriticalSection(m_pSection); }
    void Leave() override { w32::LeaveCriticalSection(m_pSection); }

private:
    void* m_pSection;
};

class CWin32Clock : public IClock {
public:
    DWORD GetTickCount() override { return w32::GetTickCount(); }
    void Sleep(DWORD dwMs) override { w32::Sleep(dwMs); }
    // No object for a failed CreateEventA: a wait on a null handle fails at once, so every scan
    // wait would spin.
    std::unique_ptr<IEvent> CreateEvent() override {
        const w32::Handle hEvent = w32::CreateAutoResetEvent();
        return hEvent != 0 ? std::make_unique<CWin32Event>(hEvent) : nullptr;
    }
    std::unique_ptr<ILock> CreateLock() override { return std::make_unique<CWin32Lock>(); }
};

void ToStatus(const std::uint32_t adw[7], CServiceStatus* pStatus) {
    if (pStatus == nullptr) {
        return;
    }
    *pStatus = {adw[0], adw[1], adw[2], adw[3], adw[4], adw[5], adw[6]};
}

class CWin32ServiceControl : public IServiceControl {
public:
    SC_HANDLE OpenSCManager(DWORD dwAccess) override { return w32::OpenSCManagerA(dwAccess); }
    SC_HANDLE OpenService(SC_HANDLE hManager, const std::string& strName, DWORD dwAccess) override {
        return w32::OpenServiceA(hManager, strName.c_str(), dwAccess);
    }
    BOOL QueryServiceStatus(SC_HANDLE hService, CServiceStatus* pStatus) override {
        std::uint32_t adw[7] = {};
        const BOOL bResult = w32::QueryServiceStatus(hService, adw);
        ToStatus(adw, pStatus);
        return bResult;
    }
    BOOL StartService(SC_HANDLE hService) override { return w32::StartServiceA(hService); }
    BOOL ControlService(SC_HANDLE hService, DWORD dwControl, CServiceStatus* pStatus) override {
        std::uint32_t adw[7] = {};
        const BOOL bResult = w32::ControlService(hService, dwControl, adw);
        ToStatus(adw, pStatus);
        return bResult;
    }
    BOOL CloseServiceHandle(SC_HANDLE hHandle) override { return w32::CloseServiceHandle(hHandle); }
};

class CWin32Profile : public IProfile {
public:
    UINT GetProfileInt(const std::string& strSection, const std::string& strEntry, int nDefault) override {
        const std::string strFolder = Folder();
        if (strFolder.empty()) {
            return static_cast<UINT>(nDefault);
        }
        const std::string strFile = strFolder + PROFILE_FILE;
        return w32::GetPrivateProfileIntA(strSection.c_str(), strEntry.c_str(), nDefault, strFile.c_str());
    }
    // The folder is made on the first write; when it or the file cannot be written, FALSE and the
    // position is simply not kept.
    BOOL WriteProfileInt(const std::string& strSection, const std::string& strEntry, int nValue) override {
        const std::string strFolder = Folder();
        if (strFolder.empty() || !w32::MakeFolder(strFolder.c_str())) {
            return FALSE;
        }
        const std::string strFile = strFolder + PROFILE_FILE;
        return w32::WritePrivateProfileStringA(strSection.c_str(), strEntry.c_str(),
                                               std::to_string(nValue).c_str(), strFile.c_str());
    }

private:
    static std::string Folder() {
        const std::string strAppData = w32::AppDataFolder();
        return strAppData.empty() ? strAppData : strAppData + PROFILE_FOLDER;
    }
};

class CWin32Shell : public IShell {
public:
    BOOL HtmlHelp(HWND hwndCaller, const std::string& strPath, UINT uCommand) override {
        std::call_once(m_loaded, [this] { m_pfnHtmlHelpA = w32::LoadHtmlHelpA(); });
        // A missing help control is a help call that failed.
        return m_pfnHtmlHelpA != nullptr
                   ? w32::CallHtmlHelpA(m_pfnHtmlHelpA, hwndCaller, strPath.c_str(), uCommand)
                   : FALSE;
    }
    std::intptr_t ShellExecute(const std::string& strFile, int nShow) override {
        return w32::ShellExecuteA(strFile.c_str(), nShow);
    }

private:
    std::once_flag m_loaded;
    void* m_pfnHtmlHelpA = nullptr;
};

class CWin32Libraries : public ILibraryLoader {
public:
    HMODULE LoadLibrary(const std::string& strName) override { return w32::LoadLibraryA(strName.c_str()); }
    void* GetProcAddress(HMODULE hModule, const std::string& strName) override {
        return w32::GetProcAddress(hModule, strName.c_str());
    }
    BOOL FreeLibrary(HMODULE hModule) override { return w32::FreeLibrary(hModule); }
};

class CWin32Rpc : public IRpc {
public:
    RPC_STATUS UuidToStringW(const GUID* pUuid, WCHAR** ppszString) override {
        return w32::UuidToStringW(pUuid, ppszString);
    }
    RPC_STATUS RpcStringFreeW(WCHAR** ppszString) override { return w32::RpcStringFreeW(ppszString); }
    RPC_STATUS UuidFromStringA(const char* pszString, GUID* pUuid) override {
        return w32::UuidFromStringA(pszString, pUuid);
    }
};
}  // namespace

struct CWin32Os::CImpl {
    CWin32Clock clock;
    CWin32Registry registry;
    CWin32System system;
    CWin32ServiceControl services;
    CWin32Profile profile;
    CWin32Shell shell;
    CWin32DeviceIo deviceIo;
    CWin32Libraries libraries;
    CWin32Rpc rpc;
    COsServices os{&clock, &registry, &system, &services, &profile, &shell, &deviceIo, &libraries, &rpc};
};

CWin32Os::CWin32Os() : m_pImpl(std::make_unique<CImpl>()) {}

CWin32Os::~CWin32Os() = default;

const COsServices& CWin32Os::Services() const {
    return m_pImpl->os;
}

// The seam's WLAN records as the real API lays them out on the architecture being built (the SDK
// records themselves are checked in win32_wlan_layout.cpp).
static_assert(sizeof(WLAN_INTERFACE_INFO) == wlan_target::INTERFACE_INFO_SIZE);
static_assert(wlan_layout::INTERFACE_LIST_HEADER == wlan_target::INTERFACE_LIST_HEADER);
static_assert(wlan_layout::CONNECTION_SIZE == wlan_target::CONNECTION_SIZE);
static_assert(wlan_layout::CONNECTION_ASSOCIATION == wlan_target::CONNECTION_ASSOCIATION);
static_assert(wlan_layout::BSS_LIST_HEADER == wlan_target::BSS_LIST_HEADER);
static_assert(wlan_layout::BSS_ENTRY_SIZE == wlan_target::BSS_ENTRY_SIZE);
