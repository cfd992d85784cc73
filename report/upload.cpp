// The report upload: the results as the query string of one HTTP GET, sent with libcurl.
#include "report/upload.h"

#include <curl/curl.h>

#include <climits>
#include <vector>

#include "platform/os.h"
#include "report/post_page.h"
#include "ui/sheet_window.h"
#include "util/delimited_string.h"

namespace {

constexpr DWORD KEY_WOW64_64KEY = 0x0100;
constexpr DWORD REG_STRING_BUFFER_SIZE = 2048;
constexpr char REPORT_PATH[] = "/nimbrel3.php?";
constexpr char UPLOAD_FAILED_TEXT[] = "Accessing Nimbrel web server failed";
// An HTTP status from here on means the server refused the report.
constexpr long HTTP_STATUS_FIRST_ERROR = 400;

// Appends strText URL-escaped; FALSE when libcurl could not escape it.
BOOL AppendEscaped(CURL* pCurl, const std::string& strText, std::string* pstrUrl) {
    char* pszEscaped = curl_easy_escape(pCurl, strText.c_str(), static_cast<int>(strText.size()));
    if (pszEscaped == nullptr) {
        return FALSE;
    }
    *pstrUrl += pszEscaped;
    curl_free(pszEscaped);
    return TRUE;
}

// An optional field still showing its placeholder is sent empty.
std::string OptionalValue(const std::string& strText) {
    return strText == OPTIONAL_TEXT ? "" : strText;
}

// The report's URL: os, by and e escaped, then one a=Y|name|rate|max|min per result with only the
// name escaped (a "|" in it sent as a blank, so the five fields stay apart).
BOOL BuildReportUrl(CURL* pCurl, const std::string& strServer, const std::string& strOsVersion,
                    const std::string& strReportedBy, const std::string& strEmail,
                    const std::vector<CAdapterResult>& results, std::string* pstrUrl) {
    std::string& strUrl = *pstrUrl;
    strUrl = "http://" + strServer + REPORT_PATH + "os=";
    BOOL bEscaped = AppendEscaped(pCurl, strOsVersion, &strUrl);
    strUrl += "&by=";
    bEscaped = bEscaped && AppendEscaped(pCurl, OptionalValue(strReportedBy), &strUrl);
    strUrl += "&e=";
    bEscaped = bEscaped && AppendEscaped(pCurl, OptionalValue(strEmail), &strUrl);
    for (const CAdapterResult& result : results) {
        std::string strName = result.m_strName;
        ReplaceAll(strName, " ", "|");
        strUrl += "&a=";
        strUrl += result.m_bSupported ? "Y|" : "N|";
        bEscaped = bEscaped && AppendEscaped(pCurl, strName, &strUrl);
        strUrl += "|" + result.m_strScanRate + "|" + FormatDbm(result.m_nMaxSignal, INT_MIN) + "|" +
                  FormatDbm(result.m_nMinSignal, INT_MAX);
    }
    return bEscaped;
}

struct CProxySetting {
    std::string strHost;
    long nPort = 0;
};

// The proxy of the current user's Internet Settings; FALSE when none is switched on.
BOOL ReadProxySetting(CProxySetting* pProxy) {
    IRegistry& registry = Os().Registry();
    HKEY hKey = 0;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, KEY_READ | KEY_WOW64_64KEY, &hKey) !=
        static_cast<LONG>(ERROR_SUCCESS)) {
        return FALSE;
    }
    DWORD dwEnable = 0;
    DWORD cbEnable = sizeof dwEnable;
    if (registry.RegQueryValueEx(hKey, "ProxyEnable", nullptr, reinterpret_cast<BYTE*>(&dwEnable),
                                 &cbEnable) != static_cast<LONG>(ERROR_SUCCESS)) {
        dwEnable = 0;
    }
    BOOL bProxy = FALSE;
    if (dwEnable != 0) {
        const std::string strServer = ReadRegString(hKey, "ProxyServer");
        if (!strServer.empty()) {
            pProxy->strHost = GetFieldDelim(strServer, 0, ':');
            pProxy->nPort = ParseDecimal(GetFieldDelim(strServer, 1, ':'));
            bProxy = TRUE;
        }
    }
    registry.RegCloseKey(hKey);
    return bProxy;
}

}  // namespace

std::size_t AppendResponse(char* pData, std::size_t nSize, std::size_t nCount, void* pResponse) {
    static_cast<std::string*>(pResponse)->append(pData, nSize * nCount);
    return nSize * nCount;
}

std::string ReadRegString(HKEY hKey, const std::string& strName, BOOL* pbFailed) {
    if (pbFailed != nullptr) {
        *pbFailed = TRUE;
    }
    std::vector<BYTE> abBuffer(REG_STRING_BUFFER_SIZE);
    DWORD cbData = REG_STRING_BUFFER_SIZE;
    if (Os().Registry().RegQueryValueEx(hKey, strName, nullptr, abBuffer.data(), &cbData) !=
            static_cast<LONG>(ERROR_SUCCESS) ||
        cbData > REG_STRING_BUFFER_SIZE) {
        return "";
    }
    if (cbData > 0 && abBuffer[cbData - 1] == 0) {
        --cbData;
    }
    if (pbFailed != nullptr) {
        *pbFailed = FALSE;
    }
    return std::string(abBuffer.begin(), abBuffer.begin() + cbData);
}

BOOL CPostPage::UploadResults(const std::vector<CAdapterResult>& results) {
    CWaitCursor wait(SheetWindow());
    BOOL bSent = FALSE;
    if (CURL* pCurl = curl_easy_init()) {
        std::string strUrl;
        std::string strResponse;
        char szError[CURL_ERROR_SIZE] = {};
        CProxySetting proxy;  // its host text must outlive the transfer
        if (BuildReportUrl(pCurl, m_server.strHost, m_strOsVersion, m_strReportedBy, m_strEmail, results,
                           &strUrl)) {
            curl_easy_setopt(pCurl, CURLOPT_URL, strUrl.c_str());
            curl_easy_setopt(pCurl, CURLOPT_WRITEFUNCTION, &AppendResponse);
            curl_easy_setopt(pCurl, CURLOPT_WRITEDATA, &strResponse);
            curl_easy_setopt(pCurl, CURLOPT_ERRORBUFFER, szError);
            curl_easy_setopt(pCurl, CURLOPT_CONNECTTIMEOUT_MS, m_server.nConnectTimeoutMs);
            curl_easy_setopt(pCurl, CURLOPT_TIMEOUT_MS, m_server.nTransferTimeoutMs);
            // One user-interface thread: time-outs must not rely on signals.
            curl_easy_setopt(pCurl, CURLOPT_NOSIGNAL, 1L);
            if (ReadProxySetting(&proxy)) {
                curl_easy_setopt(pCurl, CURLOPT_PROXY, proxy.strHost.c_str());
                curl_easy_setopt(pCurl, CURLOPT_PROXYPORT, proxy.nPort);
            } else {
                // The Internet Settings alone decide: no proxy from the environment either.
                curl_easy_setopt(pCurl, CURLOPT_PROXY, "");
            }
            if (curl_easy_perform(pCurl) == CURLE_OK) {
                long nStatus = 0;
                curl_easy_getinfo(pCurl, CURLINFO_RESPONSE_CODE, &nStatus);
                bSent = nStatus < HTTP_STATUS_FIRST_ERROR;
            }
        }
        curl_easy_cleanup(pCurl);
    }
    if (!bSent) {
        // The field follows the box, so that the page's activation after this Next (it stays on
        // screen) shows the tick cleared.
        m_bPost = FALSE;
        if (ICheckBox* pPost = Controls().CheckBox(IDC_POST_CHECK)) {
            pPost->SetCheck(BST_UNCHECKED);
        }
        SheetWindow().MessageBox(UPLOAD_FAILED_TEXT, MB_OK);
    }
    return bSent;
}
