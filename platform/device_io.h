// Device I/O (kernel32): CreateFileA, DeviceIoControl, CloseHandle. Failures leave the reason in the
// thread's last error (ISystem::GetLastError), as on Windows.
#pragma once

#include <string>

#include "platform/win_defs.h"

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;

class IDeviceIo {
public:
    virtual ~IDeviceIo() = default;
    // CreateFileA(name, access, share, NULL, creation, flags, NULL): INVALID_HANDLE_VALUE on failure.
    virtual HANDLE CreateFile(const std::string& strName, DWORD dwAccess, DWORD dwShare, DWORD dwCreation,
                              DWORD dwFlags) = 0;
    // DeviceIoControl without overlapped I/O. *pdwReturned (may be null) receives the bytes written.
    virtual BOOL DeviceIoControl(HANDLE hDevice, DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut,
                                 DWORD cbOut, DWORD* pdwReturned) = 0;
    virtual BOOL CloseHandle(HANDLE hHandle) = 0;
};
