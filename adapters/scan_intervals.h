// Scan-interval statistics of the native WLAN back end: the last eight times from a scan request to
// its completion, in units of 10 ms, with their average and a clamped standard deviation. The wait
// for a scan uses them to reject completions that come implausibly early and to shorten its time-out.
#pragma once

#include "platform/win_defs.h"

constexpr int SCAN_INTERVAL_SLOTS = 8;
// From this many samples on, the statistics judge completions and set the time-out.
constexpr int SCAN_INTERVALS_TRUSTED = 3;

// 0 for n <= 1 or a non-positive variance, else the sample standard deviation sqrt((sumSq -
// sum*sum/n) / (n - 1)), computed in extended precision.
long double SampleStdDev(int n, float fSumSq, float fSum);

class CScanIntervals {
public:
    // The first two completed scans are warm-up scans: they only count m_nIntervals up to 0.
    // Afterwards the sample joins the ring (the ninth replaces the oldest) and the average and
    // standard deviation are recomputed.
    void RecordInterval(DWORD dwSample);
    // Enough samples for the rejection rules and the adaptive time-out.
    bool IsTrusted() const { return m_nIntervals >= SCAN_INTERVALS_TRUSTED; }
    // (average + 2 standard deviations) in ms, at most dwCapMs.
    DWORD AdaptiveTimeout(DWORD dwCapMs) const;

    int m_nIntervals = -2;  // samples held (0..8); negative: warm-up scans still to skip
    DWORD m_dwIntervalSum = 0;
    DWORD m_dwIntervalSumSq = 0;
    DWORD m_adwIntervals[SCAN_INTERVAL_SLOTS] = {};
    int m_nIntervalPos = -1;  // ring index of the newest sample
    float m_fIntervalAvg = 0.0f;
    float m_fIntervalStdDev = 0.0f;
};
