// The report upload: the results as the query string of one HTTP GET, sent with libcurl.
#include "report/upload.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <vector>

#include "platform/os.h"
#include "report/curl_transfer.h"
#include "report/post_page.h"
#include "ui/sheet_window.h"
#include "util/delimited_string.h"

namespace {

constexpr DWORD KEY_WOW64_64KEY = 0x0100;
constexpr DWORD REG_STRING_BUFFER_SIZE = 2048;
constexpr char REPORT_PATH[] = "/nimbrel3.php?";
constexpr char UPLOAD_FAILED_TEXT[] = "Accessing Nimbrel web server failed";

// An optional field still showing its placeholder is sent empty.
std::string OptionalValue(const std::string& strText) {
    return strText == OPTIONAL_TEXT ? "" : strText;
}

// The "host:port" of a ProxyServer value for HTTP. Besides one server for every protocol the value
// may name one per protocol, "http=host:port;https=host:port;ftp=...": then the "http=" entry is the
// one (none: no proxy for HTTP). A value without "=" is one server and is taken whole.
std::string HttpProxyServer(const std::string& strValue) {
    if (strValue.find('=') == std::string::npos) {
        return strValue;
    }
    constexpr char HTTP_ENTRY[] = "http=";
    constexpr std::size_t HTTP_ENTRY_LENGTH = sizeof HTTP_ENTRY - 1;
    const int nEntries = CountChar(strValue, ';') + 1;
    for (int i = 0; i < nEntries; ++i) {
        std::string strEntry = GetFieldDelim(strValue, i, ';');
        strEntry.erase(0, strEntry.find_first_not_of(' '));
        if (strEntry.size() >= HTTP_ENTRY_LENGTH &&
            std::equal(HTTP_ENTRY, HTTP_ENTRY + HTTP_ENTRY_LENGTH, strEntry.begin(), [](char chA, char chB) {
                return chA == std::tolower(static_cast<unsigned char>(chB));
            })) {
            return strEntry.substr(HTTP_ENTRY_LENGTH);
        }
    }
    return "";
}

struct CProxySetting {
    std::string strHost;
    long nPort = 0;
};

// The proxy of the current user's Internet Settings; the host stays empty when none is switched on.
void ReadProxySetting(CProxySetting* pProxy) {
    IRegistry& registry = Os().Registry();
    HKEY hKey = 0;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, KEY_READ | KEY_WOW64_64KEY, &hKey) !=
        static_cast<LONG>(ERROR_SUCCESS)) {
        return;
    }
    DWORD dwEnable = 0;
    DWORD cbEnable = sizeof dwEnable;
    if (registry.RegQueryValueEx(hKey, "ProxyEnable", nullptr, reinterpret_cast<BYTE*>(&dwEnable),
                                 &cbEnable) != static_cast<LONG>(ERROR_SUCCESS)) {
        dwEnable = 0;
    }
    if (dwEnable != 0) {
        const std::string strServer = HttpProxyServer(ReadRegString(hKey, "ProxyServer"));
        if (!strServer.empty()) {
            pProxy->strHost = GetFieldDelim(strServer, 0, ':');
            pProxy->nPort = ParseDecimal(GetFieldDelim(strServer, 1, ':'));
        }
    }
    registry.RegCloseKey(hKey);
}

}  // namespace

bool BuildReportUrl(CCurlTransfer& transfer, const std::string& strServer, const std::string& strOsVersion,
                    const std::string& strReportedBy, const std::string& strEmail,
                    const std::vector<CAdapterResult>& results, std::string* pstrUrl) {
    std::string& strUrl = *pstrUrl;
    strUrl = "http://" + strServer + REPORT_PATH + "os=";
    bool bEscaped = transfer.AppendEscaped(strOsVersion, &strUrl);
    strUrl += "&by=";
    bEscaped = bEscaped && transfer.AppendEscaped(OptionalValue(strReportedBy), &strUrl);
    strUrl += "&e=";
    bEscaped = bEscaped && transfer.AppendEscaped(OptionalValue(strEmail), &strUrl);
    for (const CAdapterResult& result : results) {
        std::string strName = result.m_strName;
        ReplaceAll(strName, " ", "|");
        strUrl += "&a=";
        strUrl += result.m_bSupported ? "Y|" : "N|";
        bEscaped = bEscaped && transfer.AppendEscaped(strName, &strUrl);
        strUrl += "|" + result.m_strScanRate + "|" + FormatDbm(result.m_nMaxSignal, INT_MIN) + "|" +
                  FormatDbm(result.m_nMinSignal, INT_MAX);
    }
    return bEscaped;
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
    CCurlTransfer transfer;
    std::string strUrl;
    if (transfer.IsValid() && BuildReportUrl(transfer, m_server.strHost, m_strOsVersion, m_strReportedBy,
                                             m_strEmail, results, &strUrl)) {
        CProxySetting proxy;
        ReadProxySetting(&proxy);
        bSent = transfer.Get(strUrl, proxy.strHost, proxy.nPort, m_server.nConnectTimeoutMs,
                             m_server.nTransferTimeoutMs);
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
