#include "report/curl_transfer.h"

#include <curl/curl.h>

namespace {
// An HTTP status from here on means the server refused the report.
constexpr long HTTP_STATUS_FIRST_ERROR = 400;
}  // namespace

std::size_t AppendResponse(char* pData, std::size_t nSize, std::size_t nCount, void* pResponse) {
    static_cast<std::string*>(pResponse)->append(pData, nSize * nCount);
    return nSize * nCount;
}

CCurlTransfer::CCurlTransfer() : m_pCurl(curl_easy_init()) {}

CCurlTransfer::~CCurlTransfer() {
    if (m_pCurl != nullptr) {
        curl_easy_cleanup(m_pCurl);
    }
}

bool CCurlTransfer::AppendEscaped(const std::string& strText, std::string* pstrUrl) {
    char* pszEscaped = curl_easy_escape(m_pCurl, strText.c_str(), static_cast<int>(strText.size()));
    if (pszEscaped == nullptr) {
        return false;
    }
    *pstrUrl += pszEscaped;
    curl_free(pszEscaped);
    return true;
}

bool CCurlTransfer::Get(const std::string& strUrl, const std::string& strProxyHost, long nProxyPort,
                        long nConnectTimeoutMs, long nTransferTimeoutMs) {
    char szError[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(m_pCurl, CURLOPT_URL, strUrl.c_str());
    curl_easy_setopt(m_pCurl, CURLOPT_WRITEFUNCTION, &AppendResponse);
    curl_easy_setopt(m_pCurl, CURLOPT_WRITEDATA, &m_strResponse);
    curl_easy_setopt(m_pCurl, CURLOPT_ERRORBUFFER, szError);
    curl_easy_setopt(m_pCurl, CURLOPT_CONNECTTIMEOUT_MS, nConnectTimeoutMs);
    curl_easy_setopt(m_pCurl, CURLOPT_TIMEOUT_MS, nTransferTimeoutMs);
    // One user-interface thread: the time limits must not rely on signals.
    curl_easy_setopt(m_pCurl, CURLOPT_NOSIGNAL, 1L);
    // An empty proxy text switches proxies off, those of the environment included.
    curl_easy_setopt(m_pCurl, CURLOPT_PROXY, strProxyHost.c_str());
    if (!strProxyHost.empty()) {
        curl_easy_setopt(m_pCurl, CURLOPT_PROXYPORT, nProxyPort);
    }
    bool bTaken = false;
    if (curl_easy_perform(m_pCurl) == CURLE_OK) {
        long nStatus = 0;
        curl_easy_getinfo(m_pCurl, CURLINFO_RESPONSE_CODE, &nStatus);
        bTaken = nStatus < HTTP_STATUS_FIRST_ERROR;
    }
    // The error buffer lives on this stack frame: libcurl must not keep it.
    curl_easy_setopt(m_pCurl, CURLOPT_ERRORBUFFER, nullptr);
    return bTaken;
}
