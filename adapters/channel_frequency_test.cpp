#include "adapters/channel_frequency.h"

#include <gtest/gtest.h>

namespace {

TEST(ChannelFrequency, NativeChannelFromCentreFrequency) {
    EXPECT_EQ(ChannelFromFrequencyKhz(2412000), 1);
    EXPECT_EQ(ChannelFromFrequencyKhz(2437000), 6);
    EXPECT_EQ(ChannelFromFrequencyKhz(2472000), 13);
    EXPECT_EQ(ChannelFromFrequencyKhz(2484000), 14);
    EXPECT_EQ(ChannelFromFrequencyKhz(5180000), 36);
    EXPECT_EQ(ChannelFromFrequencyKhz(5825000), 165);
    EXPECT_EQ(ChannelFromFrequencyKhz(4920000), 4920);
    EXPECT_EQ(ChannelFromFrequencyKhz(2411999), 2411);
}

TEST(ChannelFrequency, NdisRulesOfTheListAndOfTheAssociationDiffer) {
    struct {
        DWORD dwKhz;
        short nBss;
        DWORD dwConfig;
    } const aCases[] = {
        {2437000, 6, 6}, {5180000, 36, 36},   {2484000, 14, 14},    {4940000, 4940, 506}, {900000, 900, 0},
        {2412000, 1, 1}, {5825000, 165, 165}, {5850000, 5850, 170}, {6000000, 6000, 0},
    };
    for (const auto& c : aCases) {
        EXPECT_EQ(BssChannelFromDsConfigKhz(c.dwKhz), c.nBss) << c.dwKhz;
        EXPECT_EQ(ConfigChannelFromDsConfigKhz(c.dwKhz), c.dwConfig) << c.dwKhz;
    }
    // Below channel 1 the association rule wraps (unsigned) far out of range.
    EXPECT_GT(ConfigChannelFromDsConfigKhz(2300000), 300u);
}

}  // namespace
