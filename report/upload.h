// Sending the report: one HTTP GET to the vendor's report server whose query string carries the
// results, through the proxy of the current user's Internet Settings when one is switched on.
#pragma once

#include <string>
#include <vector>

#include "pages/vendor.h"
#include "platform/win_defs.h"

class CCurlTransfer;
struct CAdapterResult;

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

// The report's URL in *pstrUrl: "http://" strServer "/nimbrel3.php?", then os, by and e escaped (by
// and e empty while they show "<Optional>"), then one a=Y|name|rate|max|min per result with only the
// name escaped (a "|" in it sent as a blank, so that the five fields stay apart; a signal field is
// empty when no access point was seen). false when a text could not be escaped.
bool BuildReportUrl(CCurlTransfer& transfer, const std::string& strServer, const std::string& strOsVersion,
                    const std::string& strReportedBy, const std::string& strEmail,
                    const std::vector<CAdapterResult>& results, std::string* pstrUrl);
