#include "adapters/channel_frequency.h"

namespace {

constexpr DWORD KHZ_CHANNEL_1 = 2412000;
constexpr DWORD KHZ_CHANNEL_14 = 2484000;
constexpr DWORD KHZ_BAND_LOW = 2300000;  // lowest frequency the association rule counts as 2.4 GHz
constexpr DWORD KHZ_5GHZ = 5000000;
constexpr DWORD KHZ_CHANNEL_36 = 5180000;
constexpr DWORD KHZ_CHANNEL_165 = 5825000;
constexpr DWORD KHZ_6GHZ = 6000000;
constexpr DWORD KHZ_PER_CHANNEL = 5000;
constexpr DWORD KHZ_PER_MHZ = 1000;

}  // namespace

short ChannelFromFrequencyKhz(ULONG ulFrequencyKhz) {
    if (ulFrequencyKhz >= KHZ_CHANNEL_1 && ulFrequencyKhz <= KHZ_CHANNEL_14) {
        if (ulFrequencyKhz == KHZ_CHANNEL_14) {
            return 14;
        }
        return static_cast<short>((ulFrequencyKhz - KHZ_CHANNEL_1) / KHZ_PER_CHANNEL + 1);
    }
    if (ulFrequencyKhz >= KHZ_CHANNEL_36 && ulFrequencyKhz <= KHZ_CHANNEL_165) {
        return static_cast<short>((ulFrequencyKhz - KHZ_5GHZ) / KHZ_PER_CHANNEL);
    }
    return static_cast<short>(ulFrequencyKhz / KHZ_PER_MHZ);
}

short BssChannelFromDsConfigKhz(DWORD dwDsConfigKhz) {
    if (dwDsConfigKhz == KHZ_CHANNEL_14) {
        return 14;
    }
    if (dwDsConfigKhz >= KHZ_CHANNEL_1 && dwDsConfigKhz < KHZ_CHANNEL_14) {
        return static_cast<short>((dwDsConfigKhz - KHZ_CHANNEL_1) / KHZ_PER_CHANNEL + 1);
    }
    if (dwDsConfigKhz >= KHZ_5GHZ && dwDsConfigKhz <= KHZ_CHANNEL_165) {
        return static_cast<short>((dwDsConfigKhz - KHZ_5GHZ) / KHZ_PER_CHANNEL);
    }
    return static_cast<short>(dwDsConfigKhz / KHZ_PER_MHZ);
}

DWORD ConfigChannelFromDsConfigKhz(DWORD dwDsConfigKhz) {
    if (dwDsConfigKhz == KHZ_CHANNEL_14) {
        return 14;
    }
    if (dwDsConfigKhz >= KHZ_BAND_LOW && dwDsConfigKhz < KHZ_5GHZ) {
        return (dwDsConfigKhz - KHZ_CHANNEL_1) / KHZ_PER_CHANNEL + 1;
    }
    if (dwDsConfigKhz >= KHZ_5GHZ && dwDsConfigKhz < KHZ_6GHZ) {
        return (dwDsConfigKhz - KHZ_5GHZ) / KHZ_PER_CHANNEL;
    }
    return 0;
}
