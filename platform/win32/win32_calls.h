// The Win32 calls behind the OS seam, declared in plain types. <windows.h> and the seam's own
// Win32 names (platform/win_defs.h) cannot meet in one translation unit, so win32_calls.cpp is the
// only file here that includes <windows.h>; the seam classes call these. Each passes its arguments,
// results, error codes and byte counts through unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace w32 {
using Handle = std::intptr_t;

// Registry (advapi32). Predefined keys arrive as their 32-bit values and are widened as Windows does.
std::int32_t RegCreateKeyExA(Handle hKey, const char* pszSubKey, std::uint32_t dwAccess, Handle* phResult,
                             std::uint32_t* pdwDisposition);
std::int32_t RegOpenKeyExA(Handle hKey, const char* pszSubKey, std::uint32_t dwAccess, Handle* phResult);
std::int32_t RegQueryValueExA(Handle hKey, const char* pszName, std::uint32_t* pdwType, std::uint8_t* pData,
                              std::uint32_t* pcbData);
std::int32_t RegEnumKeyExA(Handle hKey, std::uint32_t dwIndex, char* pszName, std::uint32_t* pcchName);
std::int32_t RegSetValueExA(Handle hKey, const char* pszName, std::uint32_t dwType, const std::uint8_t* pData,
                            std::uint32_t cbData);
std::int32_t RegCloseKey(Handle hKey);

// Device I/O (kernel32).
Handle CreateFileA(const char* pszName, std::uint32_t dwAccess, std::uint32_t dwShare,
                   std::uint32_t dwCreation, std::uint32_t dwFlags);
std::int32_t DeviceIoControl(Handle hDevice, std::uint32_t dwCode, const void* pIn, std::uint32_t cbIn,
                             void* pOut, std::uint32_t cbOut, std::uint32_t* pdwReturned);
std::int32_t CloseHandle(Handle hHandle);

// System.
struct VersionInfo {
    std::uint32_t dwMajor, dwMinor, dwBuild, dwPlatform;
    std::string strCSDVersion;
};
std::int32_t GetVersionExA(VersionInfo* pInfo);
std::uint32_t GetLastError();
void SetLastError(std::uint32_t dwError);
std::string WideToAnsi(const std::u16string& wstr);
std::u16string AnsiToWide(const std::string& str);
// CreateFileA + ReadFile of the whole file: 0 or the Win32 error.
std::uint32_t ReadWholeFile(const char* pszPath, std::vector<std::uint8_t>* pData);

// Time and synchronisation: kernel auto-reset events and critical sections.
std::uint32_t GetTickCount();
void Sleep(std::uint32_t dwMs);
// 0 when CreateEventA fails.
Handle CreateAutoResetEvent();
std::int32_t SetEvent(Handle hEvent);
std::uint32_t WaitForSingleObject(Handle hObject, std::uint32_t dwMs);
void* NewCriticalSection();
void EnterCriticalSection(void* pSection);
void LeaveCriticalSection(void* pSection);
void DeleteCriticalSection(void* pSection);

// Service control manager; the status is SERVICE_STATUS's seven DWORDs in order.
Handle OpenSCManagerA(std::uint32_t dwAccess);
Handle OpenServiceA(Handle hManager, const char* pszName, std::uint32_t dwAccess);
std::int32_t QueryServiceStatus(Handle hService, std::uint32_t adwStatus[7]);
std::int32_t StartServiceA(Handle hService);
std::int32_t ControlService(Handle hService, std::uint32_t dwControl, std::uint32_t adwStatus[7]);
std::int32_t CloseServiceHandle(Handle hHandle);

// Application profile: an INI file.
std::uint32_t GetPrivateProfileIntA(const char* pszSection, const char* pszEntry, int nDefault,
                                    const char* pszFile);
std::int32_t WritePrivateProfileStringA(const char* pszSection, const char* pszEntry, const char* pszValue,
                                        const char* pszFile);
// The executable's full path.
std::string ModuleFileName();
// The current user's application-data folder (SHGetFolderPathA, CSIDL_APPDATA); empty when unknown.
std::string AppDataFolder();
// CreateDirectoryA: true when the folder exists afterwards (made now or already there).
bool MakeFolder(const char* pszPath);

// Shell. HtmlHelpA comes from the HTML Help control, found through its class id's InprocServer32
// registry entry and loaded on first use; 0 when the control is missing.
void* LoadHtmlHelpA();
std::int32_t CallHtmlHelpA(void* pfnHtmlHelpA, Handle hwndCaller, const char* pszPath,
                           std::uint32_t uCommand);
std::intptr_t ShellExecuteA(const char* pszFile, int nShow);

// Library loader.
Handle LoadLibraryA(const char* pszName);
void* GetProcAddress(Handle hModule, const char* pszName);
std::int32_t FreeLibrary(Handle hModule);

// RPC runtime: the UUID is the 16-byte GUID record.
std::int32_t UuidToStringW(const void* pUuid, char16_t** ppszString);
std::int32_t RpcStringFreeW(char16_t** ppszString);
std::int32_t UuidFromStringA(const char* pszString, void* pUuid);
}  // namespace w32
