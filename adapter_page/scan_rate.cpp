#include "adapter_page/scan_rate.h"

#include <cstdio>

std::string FormatScanRate(const DWORD* adwDurations, int nScans) {
    DWORD dwSum = 0;
    DWORD dwCounted = 0;
    for (int i = 0; i < nScans; ++i) {
        if (dwCounted == 0 || adwDurations[i] > (dwSum / dwCounted) / 2) {
            dwSum += adwDurations[i];
            ++dwCounted;
        }
    }
    if (dwCounted == 0) {
        return "";
    }
    char szRate[32];
    std::snprintf(szRate, sizeof szRate, "%.1f", (dwSum + 50) * 0.001 / dwCounted);
    return szRate;
}
