#include "adapters/scan_intervals.h"

#include <gtest/gtest.h>

namespace {

CScanIntervals After(std::initializer_list<DWORD> adwSamples) {
    CScanIntervals intervals;
    intervals.RecordInterval(999);  // two warm-up scans, never sampled
    intervals.RecordInterval(999);
    for (DWORD dw : adwSamples) {
        intervals.RecordInterval(dw);
    }
    return intervals;
}

TEST(ScanIntervals, SampleStdDevOfTooFewOrEqualSamplesIsZero) {
    EXPECT_EQ(SampleStdDev(0, 0.0f, 0.0f), 0.0L);
    EXPECT_EQ(SampleStdDev(1, 40000.0f, 200.0f), 0.0L);
    EXPECT_EQ(SampleStdDev(3, 120000.0f, 600.0f), 0.0L);
    // Sums that cannot come from real samples give a negative variance; it counts as none.
    EXPECT_EQ(SampleStdDev(2, 1.0f, 1.5f), 0.0L);
    EXPECT_DOUBLE_EQ(static_cast<double>(SampleStdDev(3, 120800.0f, 600.0f)), 20.0);
}

TEST(ScanIntervals, FirstTwoScansAreWarmUpAndTheThirdGivesTheFirstSample) {
    CScanIntervals intervals;
    intervals.RecordInterval(300);
    EXPECT_EQ(intervals.m_nIntervals, -1);
    intervals.RecordInterval(300);
    EXPECT_EQ(intervals.m_nIntervals, 0);
    EXPECT_EQ(intervals.m_dwIntervalSum, 0u);
    EXPECT_EQ(intervals.m_nIntervalPos, -1);

    intervals.RecordInterval(210);
    EXPECT_EQ(intervals.m_nIntervals, 1);
    EXPECT_EQ(intervals.m_nIntervalPos, 0);
    EXPECT_FLOAT_EQ(intervals.m_fIntervalAvg, 210.0f);
    EXPECT_FLOAT_EQ(intervals.m_fIntervalStdDev, 210.0f * 0.06666667f);  // clamped up from 0
    EXPECT_FALSE(intervals.IsTrusted());
}

TEST(ScanIntervals, StandardDeviationIsClampedBetweenAFifteenthAndHalfTheAverage) {
    const CScanIntervals equal = After({200, 200, 200});
    EXPECT_FLOAT_EQ(equal.m_fIntervalAvg, 200.0f);
    EXPECT_FLOAT_EQ(equal.m_fIntervalStdDev, 13.333334f);
    EXPECT_TRUE(equal.IsTrusted());
    EXPECT_EQ(equal.AdaptiveTimeout(10000), 2260u);

    const CScanIntervals spread = After({180, 200, 220});
    EXPECT_FLOAT_EQ(spread.m_fIntervalStdDev, 20.0f);
    EXPECT_EQ(spread.AdaptiveTimeout(10000), 2400u);

    const CScanIntervals wild = After({10, 500, 10});
    EXPECT_FLOAT_EQ(wild.m_fIntervalAvg, 520.0f / 3);
    EXPECT_FLOAT_EQ(wild.m_fIntervalStdDev, 520.0f / 3 * 0.5f);  // clamped down from 282.9
}

TEST(ScanIntervals, TheNinthSampleReplacesTheFirstAndTheSumsCoverTheHeldSamples) {
    CScanIntervals intervals = After({100, 110, 120, 130, 140, 150, 160, 170});
    EXPECT_EQ(intervals.m_nIntervals, 8);
    EXPECT_EQ(intervals.m_nIntervalPos, 7);
    EXPECT_EQ(intervals.m_dwIntervalSum, 1080u);

    intervals.RecordInterval(500);
    EXPECT_EQ(intervals.m_nIntervals, 8);
    EXPECT_EQ(intervals.m_nIntervalPos, 0);
    EXPECT_EQ(intervals.m_adwIntervals[0], 500u);
    EXPECT_EQ(intervals.m_dwIntervalSum, 1080u - 100 + 500);
    DWORD dwSumSq = 0;
    for (DWORD dw : intervals.m_adwIntervals) {
        dwSumSq += dw * dw;
    }
    EXPECT_EQ(intervals.m_dwIntervalSumSq, dwSumSq);
    EXPECT_FLOAT_EQ(intervals.m_fIntervalAvg, 1480.0f / 8);

    intervals.RecordInterval(90);  // replaces 110, the oldest now
    EXPECT_EQ(intervals.m_nIntervalPos, 1);
    EXPECT_EQ(intervals.m_dwIntervalSum, 1480u - 110 + 90);
}

TEST(ScanIntervals, AdaptiveTimeoutNeverExceedsItsCap) {
    const CScanIntervals slow = After({900, 950, 1000});
    EXPECT_EQ(slow.AdaptiveTimeout(10000), 10000u);
}

}  // namespace
