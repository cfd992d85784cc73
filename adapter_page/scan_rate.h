// The average seconds per scan of an adapter test.
#pragma once

#include <string>

#include "platform/win_defs.h"

// "%.1f" of (sum + 50) ms / counted scans, where a scan that took at most half the average of the
// scans counted before it is left out (a list delivered early, not a real scan). nScans >= 1.
std::string FormatScanRate(const DWORD* adwDurations, int nScans);
