// Run-time loading of a system library: LoadLibraryA / GetProcAddress / FreeLibrary. The entry
// points returned are called exactly as on Windows, through function pointers of the library's types.
#pragma once

#include <string>

#include "platform/win_defs.h"

class ILibraryLoader {
public:
    virtual ~ILibraryLoader() = default;
    // 0 when the library cannot be loaded (last error set).
    virtual HMODULE LoadLibrary(const std::string& strName) = 0;
    // nullptr when the entry point is absent (last error set).
    virtual void* GetProcAddress(HMODULE hModule, const std::string& strName) = 0;
    virtual BOOL FreeLibrary(HMODULE hModule) = 0;
};
