// Registry calls (ANSI forms) with their Win32 results: ERROR_SUCCESS or an error code.
#pragma once

#include <string>

#include "platform/win_defs.h"

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // RegCreateKeyExA: opens the key, creating it (and missing parents) when absent.
    // dwDisposition (may be null) receives REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
    virtual LONG RegCreateKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult,
                                DWORD* pdwDisposition) = 0;
    // RegOpenKeyExA.
    virtual LONG RegOpenKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult) = 0;
    // RegQueryValueExA: pData may be null to learn the size; ERROR_MORE_DATA when *pcbData is too small.
    // String values are returned with their terminating NUL counted in *pcbData.
    virtual LONG RegQueryValueEx(HKEY hKey, const std::string& strName, DWORD* pdwType, BYTE* pData,
                                 DWORD* pcbData) = 0;
    // RegEnumKeyExA: the dwIndex-th subkey name; *pcchName is the buffer size in, name length out.
    virtual LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, char* pszName, DWORD* pcchName) = 0;
    // RegSetValueExA.
    virtual LONG RegSetValueEx(HKEY hKey, const std::string& strName, DWORD dwType, const BYTE* pData,
                               DWORD cbData) = 0;
    virtual LONG RegCloseKey(HKEY hKey) = 0;
};
