// Test-only: an adapter's result as the report and the results page take it.
#pragma once

#include <string>

#include "adapter_page/adapter_result.h"

inline CAdapterResult MakeResult(const std::string& strName, BOOL bSupported, const std::string& strRate,
                                 int nMax, int nMin) {
    CAdapterResult result;
    result.m_strName = strName;
    result.m_bSupported = bSupported;
    result.m_strScanRate = strRate;
    result.m_nMaxSignal = nMax;
    result.m_nMinSignal = nMin;
    return result;
}
