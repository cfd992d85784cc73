// The 64-bit layouts of the WLAN API records, checked against the Windows SDK headers
// (win32_wlan_layout.cpp) and against the seam's records (win32_os.cpp), so that both agree.
#pragma once

#include <cstddef>

namespace wlan64 {
constexpr std::size_t INTERFACE_INFO_SIZE = 532;
constexpr std::size_t INTERFACE_LIST_HEADER = 8;
constexpr std::size_t CONNECTION_SIZE = 604;
constexpr std::size_t CONNECTION_ASSOCIATION = 520;
constexpr std::size_t BSS_LIST_HEADER = 8;
constexpr std::size_t BSS_ENTRY_SIZE = 360;
constexpr std::size_t BSS_ENTRY_IE_OFFSET = 352;
constexpr std::size_t NOTIFICATION_DATA_POINTER = 32;
constexpr std::size_t NOTIFICATION_DATA_SIZE = 40;
}  // namespace wlan64
