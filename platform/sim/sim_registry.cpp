#include "platform/sim/sim_registry.h"

#include <cstring>

#include "platform/sim/sim_text.h"

namespace {

// Rights that change a key: set value, create subkey, create link, delete, write DAC, write owner.
constexpr DWORD KEY_WRITE_RIGHTS = 0x0002 | 0x0004 | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000;
constexpr DWORD KEY_ALL_RIGHTS = 0x000F003F;

std::vector<std::string> SplitKeyPath(const std::string& strPath) {
    return SimSplitPath(strPath, "\\");
}

}  // namespace

struct CSimRegistry::CKey {
    std::string strName;
    ESimKeyAccess access = ESimKeyAccess::FULL;
    std::vector<std::unique_ptr<CKey>> apSubKeys;  // file order, then creation order
    struct CValue {
        std::string strName;
        DWORD dwType;
        std::vector<BYTE> abData;
    };
    std::vector<CValue> aValues;

    CKey* Find(const std::string& strSub) {
        for (auto& pSub : apSubKeys) {
            if (SimEqualNoCase(pSub->strName, strSub)) {
                return pSub.get();
            }
        }
        return nullptr;
    }
    CKey* Add(const std::string& strSub, ESimKeyAccess keyAccess) {
        apSubKeys.push_back(std::make_unique<CKey>());
        apSubKeys.back()->strName = strSub;
        apSubKeys.back()->access = keyAccess;
        return apSubKeys.back().get();
    }
    // The key at a path below this one, created (with this key's access) where missing.
    CKey* Make(const std::string& strPath) {
        CKey* pKey = this;
        for (const std::string& strPart : SplitKeyPath(strPath)) {
            CKey* pSub = pKey->Find(strPart);
            pKey = pSub != nullptr ? pSub : pKey->Add(strPart, pKey->access);
        }
        return pKey;
    }
    CValue* FindValue(const std::string& strValue) {
        for (CValue& value : aValues) {
            if (SimEqualNoCase(value.strName, strValue)) {
                return &value;
            }
        }
        return nullptr;
    }
    void SetValue(const std::string& strValue, DWORD dwType, std::vector<BYTE> abData) {
        CValue* pValue = FindValue(strValue);
        if (pValue == nullptr) {
            aValues.push_back({strValue, dwType, {}});
            pValue = &aValues.back();
        }
        pValue->dwType = dwType;
        pValue->abData = std::move(abData);
    }
};

namespace {

std::vector<BYTE> StringBytes(const std::string& str) {
    std::vector<BYTE> ab(str.begin(), str.end());
    ab.push_back(0);
    return ab;
}

std::vector<BYTE> DwordBytes(DWORD dw) {
    std::vector<BYTE> ab(sizeof(DWORD));
    std::memcpy(ab.data(), &dw, sizeof(DWORD));
    return ab;
}

}  // namespace

CSimRegistry::CSimRegistry()
    : m_pLocalMachine(std::make_unique<CKey>()), m_pCurrentUser(std::make_unique<CKey>()) {
    m_pLocalMachine->strName = "HKEY_LOCAL_MACHINE";
    m_pCurrentUser->strName = "HKEY_CURRENT_USER";
}

CSimRegistry::~CSimRegistry() = default;

// A key made on the way took its parent's access; "access" replaces it for the key and what follows.
void CSimRegistry::LoadKey(CKey& key, const CJsonNode& node) {
    node.ExpectObject({"values", "keys", "access"});
    const std::string strAccess = node.GetEnum("access", {"full", "read", "none"}, "");
    key.access = strAccess == "full"   ? ESimKeyAccess::FULL
                 : strAccess == "read" ? ESimKeyAccess::READ
                 : strAccess == "none" ? ESimKeyAccess::NONE
                                       : key.access;
    node.Child("values").ForEach([&](const std::string& strName, const CJsonNode& value) {
        if (value.IsString()) {
            key.SetValue(strName, REG_SZ, StringBytes(value.AsString()));
        } else if (value.IsNumber()) {
            key.SetValue(strName, REG_DWORD, DwordBytes(value.AsDword()));
        } else {
            value.Fail("expected a string (REG_SZ) or an integer (REG_DWORD)");
        }
    });
    node.Child("keys").ForEach([&](const std::string& strPath, const CJsonNode& sub) {
        if (SplitKeyPath(strPath).empty()) {
            sub.Fail("empty key name");
        }
        LoadKey(*key.Make(strPath), sub);
    });
}

void CSimRegistry::Load(const CJsonNode& section) {
    section.ExpectObject({"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"});
    std::lock_guard<std::mutex> guard(m_mutex);
    for (CKey* pRoot : {m_pLocalMachine.get(), m_pCurrentUser.get()}) {
        // A root is written as the "keys" of a key: a map of key paths.
        const CJsonNode root = section.Child(pRoot->strName.c_str());
        root.ForEach([&](const std::string& strPath, const CJsonNode& sub) {
            if (SplitKeyPath(strPath).empty()) {
                sub.Fail("empty key name");
            }
            LoadKey(*pRoot->Make(strPath), sub);
        });
    }
}

CSimRegistry::CKey* CSimRegistry::Root(HKEY hKey) {
    if (hKey == HKEY_LOCAL_MACHINE) {
        return m_pLocalMachine.get();
    }
    if (hKey == HKEY_CURRENT_USER) {
        return m_pCurrentUser.get();
    }
    return nullptr;
}

CSimRegistry::CKey* CSimRegistry::Resolve(HKEY hKey, DWORD* pdwAccess) {
    if (CKey* pRoot = Root(hKey)) {
        *pdwAccess = KEY_ALL_RIGHTS;
        return pRoot;
    }
    auto it = m_handles.find(hKey);
    if (it == m_handles.end()) {
        return nullptr;
    }
    *pdwAccess = it->second.dwAccess;
    return it->second.pKey;
}

LONG CSimRegistry::KeyWithRight(HKEY hKey, DWORD dwRight, CKey** ppKey) {
    DWORD dwAccess = 0;
    *ppKey = Resolve(hKey, &dwAccess);
    if (*ppKey == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    return (dwAccess & dwRight) != 0 ? ERROR_SUCCESS : static_cast<LONG>(ERROR_ACCESS_DENIED);
}

LONG CSimRegistry::OpenOrCreate(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, bool bCreate,
                                HKEY* phResult, DWORD* pdwDisposition) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (phResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    DWORD dwParentAccess = 0;
    CKey* pKey = Resolve(hKey, &dwParentAccess);
    if (pKey == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    const std::vector<std::string> astrParts = SplitKeyPath(strSubKey);
    std::size_t nFound = 0;
    for (; nFound < astrParts.size(); ++nFound) {
        CKey* pSub = pKey->Find(astrParts[nFound]);
        if (pSub == nullptr) {
            break;
        }
        pKey = pSub;
    }
    DWORD dwDisposition = REG_OPENED_EXISTING_KEY;
    if (nFound < astrParts.size()) {
        if (!bCreate) {
            return ERROR_FILE_NOT_FOUND;
        }
        // Creating needs the right to create subkeys in the deepest existing key.
        if (pKey->access != ESimKeyAccess::FULL) {
            return ERROR_ACCESS_DENIED;
        }
        for (; nFound < astrParts.size(); ++nFound) {
            pKey = pKey->Add(astrParts[nFound], pKey->access);
        }
        dwDisposition = REG_CREATED_NEW_KEY;
    } else if (pKey->access == ESimKeyAccess::NONE ||
               (pKey->access == ESimKeyAccess::READ && (dwAccess & KEY_WRITE_RIGHTS) != 0)) {
        return ERROR_ACCESS_DENIED;
    }
    const HKEY hResult = m_hNext;
    m_hNext += 4;
    m_handles[hResult] = {pKey, dwAccess};
    *phResult = hResult;
    if (pdwDisposition != nullptr) {
        *pdwDisposition = dwDisposition;
    }
    return ERROR_SUCCESS;
}

LONG CSimRegistry::RegCreateKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult,
                                  DWORD* pdwDisposition) {
    return OpenOrCreate(hKey, strSubKey, dwAccess, true, phResult, pdwDisposition);
}

LONG CSimRegistry::RegOpenKeyEx(HKEY hKey, const std::string& strSubKey, DWORD dwAccess, HKEY* phResult) {
    return OpenOrCreate(hKey, strSubKey, dwAccess, false, phResult, nullptr);
}

LONG CSimRegistry::RegQueryValueEx(HKEY hKey, const std::string& strName, DWORD* pdwType, BYTE* pData,
                                   DWORD* pcbData) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CKey* pKey = nullptr;
    if (const LONG lError = KeyWithRight(hKey, KEY_QUERY_VALUE, &pKey)) {
        return lError;
    }
    if (pData != nullptr && pcbData == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    const CKey::CValue* pValue = pKey->FindValue(strName);
    if (pValue == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (pdwType != nullptr) {
        *pdwType = pValue->dwType;
    }
    if (pcbData == nullptr) {
        return ERROR_SUCCESS;
    }
    const auto cbNeeded = static_cast<DWORD>(pValue->abData.size());
    if (pData != nullptr) {
        if (*pcbData < cbNeeded) {
            *pcbData = cbNeeded;
            return ERROR_MORE_DATA;
        }
        std::memcpy(pData, pValue->abData.data(), cbNeeded);
    }
    *pcbData = cbNeeded;
    return ERROR_SUCCESS;
}

LONG CSimRegistry::RegEnumKeyEx(HKEY hKey, DWORD dwIndex, char* pszName, DWORD* pcchName) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CKey* pKey = nullptr;
    if (const LONG lError = KeyWithRight(hKey, KEY_ENUMERATE_SUB_KEYS, &pKey)) {
        return lError;
    }
    if (pszName == nullptr || pcchName == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    if (dwIndex >= pKey->apSubKeys.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    const std::string& strName = pKey->apSubKeys[dwIndex]->strName;
    const auto cchName = static_cast<DWORD>(strName.size());
    if (*pcchName < cchName + 1) {
        *pcchName = cchName + 1;
        return ERROR_MORE_DATA;
    }
    std::memcpy(pszName, strName.c_str(), cchName + 1);
    *pcchName = cchName;
    return ERROR_SUCCESS;
}

LONG CSimRegistry::RegSetValueEx(HKEY hKey, const std::string& strName, DWORD dwType, const BYTE* pData,
                                 DWORD cbData) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CKey* pKey = nullptr;
    if (const LONG lError = KeyWithRight(hKey, KEY_SET_VALUE, &pKey)) {
        return lError;
    }
    if (pKey->access != ESimKeyAccess::FULL) {
        return ERROR_ACCESS_DENIED;
    }
    if ((pData == nullptr && cbData != 0) || (dwType == REG_DWORD && cbData != sizeof(DWORD))) {
        return ERROR_INVALID_PARAMETER;
    }
    pKey->SetValue(strName, dwType, std::vector<BYTE>(pData, pData + cbData));
    return ERROR_SUCCESS;
}

LONG CSimRegistry::RegCloseKey(HKEY hKey) {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (Root(hKey) != nullptr) {
        return ERROR_SUCCESS;
    }
    return m_handles.erase(hKey) == 1 ? ERROR_SUCCESS : static_cast<LONG>(ERROR_INVALID_HANDLE);
}

bool CSimRegistry::GetString(HKEY hRoot, const std::string& strPath, const std::string& strName,
                             std::string* pstrValue) {
    std::lock_guard<std::mutex> guard(m_mutex);
    CKey* pKey = Root(hRoot);
    for (const std::string& strPart : SplitKeyPath(strPath)) {
        pKey = pKey != nullptr ? pKey->Find(strPart) : nullptr;
    }
    const CKey::CValue* pValue = pKey != nullptr ? pKey->FindValue(strName) : nullptr;
    if (pValue == nullptr || pValue->dwType != REG_SZ) {
        return false;
    }
    pstrValue->assign(pValue->abData.begin(), pValue->abData.end());
    pstrValue->resize(std::strlen(pstrValue->c_str()));
    return true;
}

void CSimRegistry::SetString(HKEY hRoot, const std::string& strPath, const std::string& strName,
                             const std::string& strValue) {
    std::lock_guard<std::mutex> guard(m_mutex);
    Root(hRoot)->Make(strPath)->SetValue(strName, REG_SZ, StringBytes(strValue));
}

void CSimRegistry::SetDword(HKEY hRoot, const std::string& strPath, const std::string& strName,
                            DWORD dwValue) {
    std::lock_guard<std::mutex> guard(m_mutex);
    Root(hRoot)->Make(strPath)->SetValue(strName, REG_DWORD, DwordBytes(dwValue));
}

void CSimRegistry::SetAccess(HKEY hRoot, const std::string& strPath, ESimKeyAccess access) {
    std::lock_guard<std::mutex> guard(m_mutex);
    Root(hRoot)->Make(strPath)->access = access;
}

std::size_t CSimRegistry::OpenHandleCount() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_handles.size();
}
