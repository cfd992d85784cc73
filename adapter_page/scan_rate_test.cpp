#include "adapter_page/scan_rate.h"

#include <gtest/gtest.h>

TEST(ScanRate, EarlyListsDoNotCount) {
    const DWORD steady[] = {4016, 4015, 4016};
    EXPECT_EQ(FormatScanRate(steady, 3), "4.0");  // (12047 + 50) / 3
    const DWORD earlyMiddle[] = {4000, 30, 4000};
    EXPECT_EQ(FormatScanRate(earlyMiddle, 3), "4.0");  // 30 <= 2000 is left out: 8050 / 2
    const DWORD earlyFirst[] = {30, 4000, 4000};
    EXPECT_EQ(FormatScanRate(earlyFirst, 3), "2.7");  // the first scan always counts: 8080 / 3
}

TEST(ScanRate, OneScanAfterACancel) {
    const DWORD one[] = {2330};
    EXPECT_EQ(FormatScanRate(one, 1), "2.4");  // (2330 + 50) ms
    EXPECT_EQ(FormatScanRate(one, 0), "") << "no scan, no rate";
}
