// The layouts of the WLAN API records on the architecture being built, checked against the Windows
// SDK headers (win32_wlan_layout.cpp) and against the seam's records (win32_os.cpp), so that both
// agree. Only the notification record holds a pointer; the others are the same on 32 and 64 bits
// (their 64-bit counters are 8-byte aligned on 32 bits too).
#pragma once

#include <cstddef>

namespace wlan_target {
constexpr std::size_t INTERFACE_INFO_SIZE = 532;
constexpr std::size_t INTERFACE_LIST_HEADER = 8;
constexpr std::size_t CONNECTION_SIZE = 604;
constexpr std::size_t CONNECTION_ASSOCIATION = 520;
constexpr std::size_t BSS_LIST_HEADER = 8;
constexpr std::size_t BSS_ENTRY_SIZE = 360;
constexpr std::size_t BSS_ENTRY_IE_OFFSET = 352;
#ifdef _WIN64
constexpr std::size_t NOTIFICATION_DATA_POINTER = 32;
constexpr std::size_t NOTIFICATION_DATA_SIZE = 40;
#else
constexpr std::size_t NOTIFICATION_DATA_POINTER = 28;
constexpr std::size_t NOTIFICATION_DATA_SIZE = 32;
#endif
constexpr std::size_t NOTIFICATION_DATA_GUID = 8;
constexpr std::size_t NOTIFICATION_DATA_DATA_SIZE = 24;
constexpr std::size_t ASSOCIATION_SIGNAL_QUALITY = 56;
constexpr std::size_t BSS_ENTRY_RSSI = 56;
constexpr std::size_t BSS_ENTRY_CAPABILITY = 88;
constexpr std::size_t BSS_ENTRY_FREQUENCY = 92;
constexpr std::size_t BSS_ENTRY_RATE_SET = 96;
constexpr std::size_t STATISTICS_NUMBER_OF_PHYS = 216;
constexpr std::size_t STATISTICS_PHY_COUNTERS = 224;
constexpr std::size_t PHY_FRAME_STATISTICS_SIZE = 144;
constexpr std::size_t INTERFACE_CAPABILITY_SIZE = 276;
constexpr std::size_t INTERFACE_CAPABILITY_PHY_TYPES = 20;
constexpr std::size_t SSID_SIZE = 36;
constexpr std::size_t RATE_SET_SIZE = 256;
}  // namespace wlan_target
