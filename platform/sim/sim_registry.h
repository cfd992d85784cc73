// The simulated registry: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER trees with REG_SZ and REG_DWORD
// values, names compared without case, subkeys enumerated in the order of the machine file (then in
// the order created). Keys can refuse access as a user without administrator rights sees it.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/sim/machine_file.h"

// Who may do what with a key.
enum class ESimKeyAccess {
    FULL,  // open, create subkeys, set values
    READ,  // open for reading only: a write access, creating a subkey or setting a value is denied
    NONE,  // every open is denied
};

class CSimRegistry : public IRegistry {
  public:
    CSimRegistry();
    ~CSimRegistry() override;

    // Section "registry".
    void Load(const CJsonNode& section);

    LONG RegCreateKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult,
                        DWORD* pdwDisposition) override;
    LONG RegOpenKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult) override;
    LONG RegQueryValueEx(HKEY hKey, const std::string& strName, DWORD* pdwType, BYTE* pData,
                         DWORD* pcbData) override;
    // On ERROR_MORE_DATA *pcchName receives the buffer size the name needs (with its NUL).
    LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, char* pszName, DWORD* pcchName) override;
    LONG RegSetValueEx(HKEY hKey, const std::string& strName, DWORD dwType, const BYTE* pData,
                       DWORD cbData) override;
    LONG RegCloseKey(HKEY hKey) override;

    // Test helpers: the string or DWORD value of a key path under a root (nothing when absent).
    bool GetString(HKEY hRoot, const std::string& strPath, const std::string& strName,
                   std::string* pstrValue);
    void SetString(HKEY hRoot, const std::string& strPath, const std::string& strName,
                   const std::string& strValue);
    void SetDword(HKEY hRoot, const std::string& strPath, const std::string& strName, DWORD dwValue);
    void SetAccess(HKEY hRoot, const std::string& strPath, ESimKeyAccess access);
    // Handles opened and not yet closed.
    std::size_t OpenHandleCount();

    struct CKey;

  private:
    CKey* Root(HKEY hKey);
    CKey* Resolve(HKEY hKey, DWORD* pdwAccess);
    // The key of an open handle that holds dwRight: ERROR_SUCCESS, ERROR_INVALID_HANDLE or
    // ERROR_ACCESS_DENIED.
    LONG KeyWithRight(HKEY hKey, DWORD dwRight, CKey** ppKey);
    LONG OpenOrCreate(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, bool bCreate, HKEY* phResult,
                      DWORD* pdwDisposition);
    void LoadKey(CKey& key, const CJsonNode& node);

    std::mutex m_mutex;
    std::unique_ptr<CKey> m_pLocalMachine;
    std::unique_ptr<CKey> m_pCurrentUser;
    struct COpenKey {
        CKey* pKey;
        DWORD dwAccess;
    };
    std::map<HKEY, COpenKey> m_handles;
    HKEY m_hNext = 0x1000;
};
