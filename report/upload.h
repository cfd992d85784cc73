// Sending the report: one HTTP GET to the vendor's report server whose query string carries the
// results, through the proxy of the current user's Internet Settings when one is switched on.
#pragma once

#include <string>

#include "pages/vendor.h"
#include "platform/win_defs.h"

// Where the report goes and how long its transfer may take. The server is the vendor's host from
// the build settings; tests point it at a server of their own ("host:port") and shorten the limits.
struct CReportServer {
    std::string strHost = VENDOR_HOST;
    long nConnectTimeoutMs = 10000;   // an unreachable server cannot hold the wizard for long
    long nTransferTimeoutMs = 30000;  // nor can one that accepts and never answers
};

// The current user's Internet Settings, where the proxy is configured.
inline constexpr char INTERNET_SETTINGS_KEY[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// A string value of an open key (read into a 2048-byte buffer), without its terminating zero.
// Empty on failure. *pbFailed, when given, becomes 0 on success and 1 on failure.
std::string ReadRegString(HKEY hKey, const std::string& strName, BOOL* pbFailed = nullptr);
