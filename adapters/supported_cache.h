// The supported cache: remembers, for the whole run, whether a device passed the "supported" check
// of OpenByIndex, so the check runs once per device. Key: "ORiNOCO" for the Lucent card, else the
// back end's m_strDevice; value "true" or "false". Used only on the user-interface thread.
#pragma once

#include <string>

#include "platform/win_defs.h"

inline constexpr char SUPPORTED_KEY_LUCENT[] = "ORiNOCO";
inline constexpr char SUPPORTED_TRUE[] = "true";
inline constexpr char SUPPORTED_FALSE[] = "false";

// TRUE when strKey is cached; its value goes to *pstrValue (may be null).
BOOL LookupSupported(const std::string& strKey, std::string* pstrValue);
// Stores "true" or "false" for strKey, replacing an earlier value.
void StoreSupported(const std::string& strKey, BOOL bSupported);
// TRUE only when strKey is cached as "true".
BOOL IsCachedSupported(const std::string& strKey);
// Forgets every entry (start of a run; tests).
void ClearSupportedCache();
