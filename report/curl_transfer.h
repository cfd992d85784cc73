// The report's one HTTP GET through libcurl's easy interface. libcurl's header brings in the
// platform's own headers on Windows, so it is kept to this pair of files, which use no Win32 names.
#pragma once

#include <cstddef>
#include <string>

// The transfer's write callback: appends nSize * nCount bytes to the std::string at pResponse and
// returns their number.
std::size_t AppendResponse(char* pData, std::size_t nSize, std::size_t nCount, void* pResponse);

class CCurlTransfer {
public:
    CCurlTransfer();  // curl_easy_init
    ~CCurlTransfer();
    CCurlTransfer(const CCurlTransfer&) = delete;
    CCurlTransfer& operator=(const CCurlTransfer&) = delete;

    // false when libcurl could not be initialised; nothing else works then.
    bool IsValid() const { return m_pCurl != nullptr; }
    // Appends strText URL-escaped (curl_easy_escape); false when it could not be escaped.
    bool AppendEscaped(const std::string& strText, std::string* pstrUrl);
    // GET of strUrl through the proxy (an empty host: no proxy at all, the environment's included),
    // within the two time limits. true when the transfer completed with an HTTP status below 400.
    bool Get(const std::string& strUrl, const std::string& strProxyHost, long nProxyPort,
             long nConnectTimeoutMs, long nTransferTimeoutMs);

    // What the server answered, collected and not examined.
    const std::string& Response() const { return m_strResponse; }

private:
    void* m_pCurl;  // the easy handle
    std::string m_strResponse;
};
