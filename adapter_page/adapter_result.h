// The result of testing one adapter.
#pragma once

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_defs.h"

struct CAdapterResult {
    std::string m_strId;
    std::string m_strName;
    std::string m_strScanRate;  // "%.1f" seconds per scan; empty unless the scans completed
    BOOL m_bSupported = FALSE;
    int m_nApCount = -1;
    int m_nMaxSignal = INT_MIN;  // dBm; INT_MIN when no access point was seen
    int m_nMinSignal = INT_MAX;  // dBm; INT_MAX when no access point was seen
    // One row per access point of the last completed scan, in the back end's order.
    std::unique_ptr<std::vector<std::string>> m_pApRows = std::make_unique<std::vector<std::string>>();
};
