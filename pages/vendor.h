// The vendor's addresses, from the build settings (cmake/Vendor.cmake).
#pragma once

#ifndef NIMBREL_VENDOR_HOST
#error "NIMBREL_VENDOR_HOST comes from the build settings"
#endif

inline constexpr const char* VENDOR_HOST = NIMBREL_VENDOR_HOST;
inline constexpr const char* VENDOR_URL = NIMBREL_VENDOR_URL;
inline constexpr const char* SUPPORT_EMAIL = NIMBREL_SUPPORT_EMAIL;
