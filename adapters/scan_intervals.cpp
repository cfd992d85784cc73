#include "adapters/scan_intervals.h"

#include <algorithm>
#include <cmath>

namespace {
// The single-precision value nearest 1/15: the least standard deviation relative to the average.
constexpr float MIN_STDDEV_RATIO = 0.06666667f;
constexpr float MAX_STDDEV_RATIO = 0.5f;
}  // namespace

long double SampleStdDev(int n, float fSumSq, float fSum) {
    if (n <= 1) {
        return 0.0L;
    }
    const long double v = static_cast<long double>(fSumSq) -
                          static_cast<long double>(fSum) * static_cast<long double>(fSum) / n;
    if (v <= 0.0L) {
        return 0.0L;
    }
    return std::sqrt(v / (n - 1));
}

void CScanIntervals::RecordInterval(DWORD dwSample) {
    if (m_nIntervals < 0) {
        ++m_nIntervals;
        return;
    }
    if (m_nIntervals == SCAN_INTERVAL_SLOTS) {
        const DWORD dwOldest = m_adwIntervals[(m_nIntervalPos + 1) % SCAN_INTERVAL_SLOTS];
        m_dwIntervalSum -= dwOldest;
        m_dwIntervalSumSq -= dwOldest * dwOldest;
    } else {
        ++m_nIntervals;
    }
    m_nIntervalPos = (m_nIntervalPos + 1) % SCAN_INTERVAL_SLOTS;
    m_adwIntervals[m_nIntervalPos] = dwSample;
    m_dwIntervalSum += dwSample;
    m_dwIntervalSumSq += dwSample * dwSample;

    m_fIntervalAvg = static_cast<float>(m_dwIntervalSum) / m_nIntervals;
    m_fIntervalStdDev = static_cast<float>(SampleStdDev(m_nIntervals, static_cast<float>(m_dwIntervalSumSq),
                                                        static_cast<float>(m_dwIntervalSum)));
    if (m_fIntervalStdDev < m_fIntervalAvg * MIN_STDDEV_RATIO) {
        m_fIntervalStdDev = m_fIntervalAvg * MIN_STDDEV_RATIO;
    }
    if (m_fIntervalAvg * MAX_STDDEV_RATIO < m_fIntervalStdDev) {
        m_fIntervalStdDev = m_fIntervalAvg * MAX_STDDEV_RATIO;
    }
}

DWORD CScanIntervals::AdaptiveTimeout(DWORD dwCapMs) const {
    const float fLimit = m_fIntervalAvg + 2 * m_fIntervalStdDev;
    const DWORD dwTenths = static_cast<DWORD>(fLimit);
    // Guard the multiplication: a huge average must still give the cap, not a wrapped product.
    if (dwTenths >= dwCapMs / 10 + 1) {
        return dwCapMs;
    }
    return std::min(dwTenths * 10, dwCapMs);
}
