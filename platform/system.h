// Kernel services other than time: the Windows version, the thread's last error, code-page
// conversion and reading a file.
#pragma once

#include <string>
#include <vector>

#include "platform/win_defs.h"

// The fields of OSVERSIONINFOA that the system reads.
struct COsVersionInfo {
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    std::string strCSDVersion;  // service-pack text, at most 127 characters
};

constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

class ISystem {
public:
    virtual ~ISystem() = default;
    // GetVersionExA.
    virtual BOOL GetVersionEx(COsVersionInfo* pInfo) = 0;
    // GetLastError / SetLastError, per thread.
    virtual DWORD GetLastError() = 0;
    virtual void SetLastError(DWORD dwError) = 0;
    // WideCharToMultiByte with the ANSI code page; unmappable characters become '?'.
    virtual std::string WideToAnsi(const std::u16string& wstr) = 0;
    // MultiByteToWideChar with the ANSI code page.
    virtual std::u16string AnsiToWide(const std::string& str) = 0;
    // Reads a whole file named by a Windows path; ERROR_SUCCESS or the Win32 error.
    virtual DWORD ReadFile(const std::string& strPath, std::vector<BYTE>* pData) = 0;
};
