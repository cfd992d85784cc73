#include "platform/win32/win32_calls.h"

#include <windows.h>

#include <rpc.h>
#include <shellapi.h>
#include <shlobj.h>

namespace w32 {
namespace {
// The seam spells predefined keys with their 32-bit values (0x80000001...); 64-bit Windows spells
// them sign-extended.
HKEY ToKey(Handle hKey) {
    const auto uValue = static_cast<std::uint64_t>(hKey);
    if (uValue >= 0x80000000u && uValue <= 0x800000FFu) {
        return reinterpret_cast<HKEY>(
            static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(uValue))));
    }
    return reinterpret_cast<HKEY>(hKey);
}
HANDLE ToHandle(Handle h) {
    return reinterpret_cast<HANDLE>(h);
}
Handle FromHandle(const void* h) {
    return reinterpret_cast<Handle>(h);
}
void CopyStatus(const SERVICE_STATUS& status, std::uint32_t adwStatus[7]) {
    const DWORD adw[7] = {status.dwServiceType,
                          status.dwCurrentState,
                          status.dwControlsAccepted,
                          status.dwWin32ExitCode,
                          status.dwServiceSpecificExitCode,
                          status.dwCheckPoint,
                          status.dwWaitHint};
    for (int i = 0; i < 7; ++i) {
        adwStatus[i] = adw[i];
    }
}
}  // namespace

std::int32_t RegCreateKeyExA(Handle hKey, const char* pszSubKey, std::uint32_t dwAccess, Handle* phResult,
                             std::uint32_t* pdwDisposition) {
    HKEY hResult = nullptr;
    DWORD dwDisposition = 0;
    const LONG lResult = ::RegCreateKeyExA(ToKey(hKey), pszSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           dwAccess, nullptr, &hResult, &dwDisposition);
    *phResult = FromHandle(hResult);
    if (pdwDisposition != nullptr) {
        *pdwDisposition = dwDisposition;
    }
    return lResult;
}

std::int32_t RegOpenKeyExA(Handle hKey, const char* pszSubKey, std::uint32_t dwAccess, Handle* phResult) {
    HKEY hResult = nullptr;
    const LONG lResult = ::RegOpenKeyExA(ToKey(hKey), pszSubKey, 0, dwAccess, &hResult);
    *phResult = FromHandle(hResult);
    return lResult;
}

std::int32_t RegQueryValueExA(Handle hKey, const char* pszName, std::uint32_t* pdwType, std::uint8_t* pData,
                              std::uint32_t* pcbData) {
    DWORD dwType = 0;
    DWORD cbData = pcbData != nullptr ? *pcbData : 0;
    const LONG lResult = ::RegQueryValueExA(ToKey(hKey), pszName, nullptr, &dwType, pData,
                                            pcbData != nullptr ? &cbData : nullptr);
    if (pdwType != nullptr) {
        *pdwType = dwType;
    }
    if (pcbData != nullptr) {
        *pcbData = cbData;
    }
    return lResult;
}

std::int32_t RegEnumKeyExA(Handle hKey, std::uint32_t dwIndex, char* pszName, std::uint32_t* pcchName) {
    DWORD cchName = *pcchName;
    const LONG lResult =
        ::RegEnumKeyExA(ToKey(hKey), dwIndex, pszName, &cchName, nullptr, nullptr, nullptr, nullptr);
    *pcchName = cchName;
    return lResult;
}

std::int32_t RegSetValueExA(Handle hKey, const char* pszName, std::uint32_t dwType, const std::uint8_t* pData,
                            std::uint32_t cbData) {
    return ::RegSetValueExA(ToKey(hKey), pszName, 0, dwType, pData, cbData);
}

std::int32_t RegCloseKey(Handle hKey) {
    return ::RegCloseKey(ToKey(hKey));
}

Handle CreateFileA(const char* pszName, std::uint32_t dwAccess, std::uint32_t dwShare,
                   std::uint32_t dwCreation, std::uint32_t dwFlags) {
    return FromHandle(::CreateFileA(pszName, dwAccess, dwShare, nullptr, dwCreation, dwFlags, nullptr));
}

std::int32_t DeviceIoControl(Handle hDevice, std::uint32_t dwCode, const void* pIn, std::uint32_t cbIn,
                             void* pOut, std::uint32_t cbOut, std::uint32_t* pdwReturned) {
    DWORD dwReturned = 0;
    const BOOL bResult = ::DeviceIoControl(ToHandle(hDevice), dwCode, const_cast<void*>(pIn), cbIn, pOut,
                                           cbOut, &dwReturned, nullptr);
    if (pdwReturned != nullptr) {
        *pdwReturned = dwReturned;
    }
    return bResult;
}

std::int32_t CloseHandle(Handle hHandle) {
    return ::CloseHandle(ToHandle(hHandle));
}

std::int32_t GetVersionExA(VersionInfo* pInfo) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL bResult = ::GetVersionExA(&info);
#pragma GCC diagnostic pop
    if (bResult) {
        pInfo->dwMajor = info.dwMajorVersion;
        pInfo->dwMinor = info.dwMinorVersion;
        pInfo->dwBuild = info.dwBuildNumber;
        pInfo->dwPlatform = info.dwPlatformId;
        info.szCSDVersion[sizeof(info.szCSDVersion) - 1] = '\0';
        pInfo->strCSDVersion = info.szCSDVersion;
    }
    return bResult;
}

std::uint32_t GetLastError() {
    return ::GetLastError();
}

void SetLastError(std::uint32_t dwError) {
    ::SetLastError(dwError);
}

std::string WideToAnsi(const std::u16string& wstr) {
    if (wstr.empty()) {
        return {};
    }
    const auto* pwsz = reinterpret_cast<const wchar_t*>(wstr.data());
    const int nWide = static_cast<int>(wstr.size());
    const int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pwsz, nWide, nullptr, 0, nullptr, nullptr);
    std::string str(static_cast<std::size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, pwsz, nWide, str.data(), nBytes, nullptr, nullptr);
    }
    return str;
}

std::u16string AnsiToWide(const std::string& str) {
    if (str.empty()) {
        return {};
    }
    const int nBytes = static_cast<int>(str.size());
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, str.data(), nBytes, nullptr, 0);
    std::u16string wstr(static_cast<std::size_t>(nWide > 0 ? nWide : 0), u'\0');
    if (nWide > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, str.data(), nBytes, reinterpret_cast<wchar_t*>(wstr.data()), nWide);
    }
    return wstr;
}

std::uint32_t ReadWholeFile(const char* pszPath, std::vector<std::uint8_t>* pData) {
    HANDLE hFile = ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return ::GetLastError();
    }
    pData->clear();
    DWORD dwError = ERROR_SUCCESS;
    std::uint8_t abBuffer[65536];
    for (;;) {
        DWORD dwRead = 0;
        if (!::ReadFile(hFile, abBuffer, sizeof(abBuffer), &dwRead, nullptr)) {
            dwError = ::GetLastError();
            break;
        }
        if (dwRead == 0) {
            break;
        }
        pData->insert(pData->end(), abBuffer, abBuffer + dwRead);
    }
    ::CloseHandle(hFile);
    return dwError;
}

std::uint32_t GetTickCount() {
    return ::GetTickCount();
}

void Sleep(std::uint32_t dwMs) {
    ::Sleep(dwMs);
}

Handle CreateAutoResetEvent() {
    return FromHandle(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
}

std::int32_t SetEvent(Handle hEvent) {
    return ::SetEvent(ToHandle(hEvent));
}

std::uint32_t WaitForSingleObject(Handle hObject, std::uint32_t dwMs) {
    return ::WaitForSingleObject(ToHandle(hObject), dwMs);
}

void* NewCriticalSection() {
    auto* pSection = new CRITICAL_SECTION;
    ::InitializeCriticalSection(pSection);
    return pSection;
}

void EnterCriticalSection(void* pSection) {
    ::EnterCriticalSection(static_cast<CRITICAL_SECTION*>(pSection));
}

void LeaveCriticalSection(void* pSection) {
    ::LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(pSection));
}

void DeleteCriticalSection(void* pSection) {
    ::DeleteCriticalSection(static_cast<CRITICAL_SECTION*>(pSection));
    delete static_cast<CRITICAL_SECTION*>(pSection);
}

Handle OpenSCManagerA(std::uint32_t dwAccess) {
    return FromHandle(::OpenSCManagerA(nullptr, nullptr, dwAccess));
}

Handle OpenServiceA(Handle hManager, const char* pszName, std::uint32_t dwAccess) {
    return FromHandle(::OpenServiceA(reinterpret_cast<SC_HANDLE>(hManager), pszName, dwAccess));
}

std::int32_t QueryServiceStatus(Handle hService, std::uint32_t adwStatus[7]) {
    SERVICE_STATUS status = {};
    const BOOL bResult = ::QueryServiceStatus(reinterpret_cast<SC_HANDLE>(hService), &status);
    CopyStatus(status, adwStatus);
    return bResult;
}

std::int32_t StartServiceA(Handle hService) {
    return ::StartServiceA(reinterpret_cast<SC_HANDLE>(hService), 0, nullptr);
}

std::int32_t ControlService(Handle hService, std::uint32_t dwControl, std::uint32_t adwStatus[7]) {
    SERVICE_STATUS status = {};
    const BOOL bResult = ::ControlService(reinterpret_cast<SC_HANDLE>(hService), dwControl, &status);
    CopyStatus(status, adwStatus);
    return bResult;
}

std::int32_t CloseServiceHandle(Handle hHandle) {
    return ::CloseServiceHandle(reinterpret_cast<SC_HANDLE>(hHandle));
}

std::uint32_t GetPrivateProfileIntA(const char* pszSection, const char* pszEntry, int nDefault,
                                    const char* pszFile) {
    return ::GetPrivateProfileIntA(pszSection, pszEntry, nDefault, pszFile);
}

std::int32_t WritePrivateProfileStringA(const char* pszSection, const char* pszEntry, const char* pszValue,
                                        const char* pszFile) {
    return ::WritePrivateProfileStringA(pszSection, pszEntry, pszValue, pszFile);
}

std::string ModuleFileName() {
    char szPath[MAX_PATH] = {};
    const DWORD dwLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    return std::string(szPath, dwLength < MAX_PATH ? dwLength : 0);
}

std::string AppDataFolder() {
    char szPath[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szPath))) {
        return std::string();
    }
    return szPath;
}

bool MakeFolder(const char* pszPath) {
    if (::CreateDirectoryA(pszPath, nullptr)) {
        return true;
    }
    const DWORD dwAttributes = ::GetFileAttributesA(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void* LoadHtmlHelpA() {
    // The HTML Help control's class id.
    const char szKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
    char szPath[MAX_PATH] = {};
    LONG cbPath = sizeof(szPath);
    HMODULE hModule = nullptr;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, szKey, szPath, &cbPath) == ERROR_SUCCESS && szPath[0] != '\0') {
        char szExpanded[MAX_PATH] = {};
        const DWORD dwLength = ::ExpandEnvironmentStringsA(szPath, szExpanded, MAX_PATH);
        hModule = ::LoadLibraryA(dwLength > 0 && dwLength <= MAX_PATH ? szExpanded : szPath);
    }
    if (hModule == nullptr) {
        hModule = ::LoadLibraryA("hhctrl.ocx");
    }
    return hModule != nullptr ? reinterpret_cast<void*>(::GetProcAddress(hModule, "HtmlHelpA")) : nullptr;
}

std::int32_t CallHtmlHelpA(void* pfnHtmlHelpA, Handle hwndCaller, const char* pszPath,
                           std::uint32_t uCommand) {
    using PFN_HtmlHelpA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    const auto pfn = reinterpret_cast<PFN_HtmlHelpA>(pfnHtmlHelpA);
    return pfn(reinterpret_cast<HWND>(hwndCaller), pszPath, uCommand, 0) != nullptr;
}

std::intptr_t ShellExecuteA(const char* pszFile, int nShow) {
    return reinterpret_cast<std::intptr_t>(
        ::ShellExecuteA(nullptr, nullptr, pszFile, nullptr, nullptr, nShow));
}

Handle LoadLibraryA(const char* pszName) {
    return FromHandle(::LoadLibraryA(pszName));
}

void* GetProcAddress(Handle hModule, const char* pszName) {
    return reinterpret_cast<void*>(::GetProcAddress(reinterpret_cast<HMODULE>(hModule), pszName));
}

std::int32_t FreeLibrary(Handle hModule) {
    return ::FreeLibrary(reinterpret_cast<HMODULE>(hModule));
}

std::int32_t UuidToStringW(const void* pUuid, char16_t** ppszString) {
    RPC_WSTR psz = nullptr;
    const RPC_STATUS status = ::UuidToStringW(static_cast<UUID*>(const_cast<void*>(pUuid)), &psz);
    *ppszString = reinterpret_cast<char16_t*>(psz);
    return status;
}

std::int32_t RpcStringFreeW(char16_t** ppszString) {
    auto psz = reinterpret_cast<RPC_WSTR>(*ppszString);
    const RPC_STATUS status = ::RpcStringFreeW(&psz);
    *ppszString = reinterpret_cast<char16_t*>(psz);
    return status;
}

std::int32_t UuidFromStringA(const char* pszString, void* pUuid) {
    return ::UuidFromStringA(reinterpret_cast<RPC_CSTR>(const_cast<char*>(pszString)),
                             static_cast<UUID*>(pUuid));
}
}  // namespace w32
