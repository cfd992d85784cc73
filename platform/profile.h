// The application profile (an INI file named after the program): GetProfileInt / WriteProfileInt.
#pragma once

#include <string>

#include "platform/win_defs.h"

class IProfile {
public:
    virtual ~IProfile() = default;
    virtual UINT GetProfileInt(const std::string& strSection, const std::string& strEntry, int nDefault) = 0;
    virtual BOOL WriteProfileInt(const std::string& strSection, const std::string& strEntry, int nValue) = 0;
};
