#include "adapters/supported_cache.h"

#include <map>

namespace {

// Built on first use, so back ends constructed during static initialisation still find it.
std::map<std::string, std::string>& Cache() {
    static std::map<std::string, std::string> s_cache;
    return s_cache;
}

}  // namespace

BOOL LookupSupported(const std::string& strKey, std::string* pstrValue) {
    auto it = Cache().find(strKey);
    if (it == Cache().end()) {
        return FALSE;
    }
    if (pstrValue != nullptr) {
        *pstrValue = it->second;
    }
    return TRUE;
}

void StoreSupported(const std::string& strKey, BOOL bSupported) {
    Cache()[strKey] = bSupported ? SUPPORTED_TRUE : SUPPORTED_FALSE;
}

BOOL IsCachedSupported(const std::string& strKey) {
    std::string strValue;
    return LookupSupported(strKey, &strValue) && strValue == SUPPORTED_TRUE ? TRUE : FALSE;
}

void ClearSupportedCache() {
    Cache().clear();
}
