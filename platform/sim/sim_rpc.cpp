#include "platform/sim/sim_rpc.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') {
        return ch - '0';
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    return -1;
}

// nDigits hex digits from pszText into *pqwValue.
bool ParseHex(const char* pszText, int nDigits, unsigned long long* pqwValue) {
    unsigned long long qwValue = 0;
    for (int i = 0; i < nDigits; ++i) {
        const int nDigit = HexValue(pszText[i]);
        if (nDigit < 0) {
            return false;
        }
        qwValue = (qwValue << 4) | static_cast<unsigned>(nDigit);
    }
    *pqwValue = qwValue;
    return true;
}
}  // namespace

bool SimParseGuid(const std::string& strText, GUID* pGuid) {
    // xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx
    if (strText.size() != 36 || strText[8] != '-' || strText[13] != '-' || strText[18] != '-' ||
        strText[23] != '-') {
        return false;
    }
    const char* psz = strText.c_str();
    unsigned long long qw1 = 0;
    unsigned long long qw2 = 0;
    unsigned long long qw3 = 0;
    unsigned long long qw4 = 0;
    unsigned long long qw5 = 0;
    if (!ParseHex(psz, 8, &qw1) || !ParseHex(psz + 9, 4, &qw2) || !ParseHex(psz + 14, 4, &qw3) ||
        !ParseHex(psz + 19, 4, &qw4) || !ParseHex(psz + 24, 12, &qw5)) {
        return false;
    }
    GUID guid{};
    guid.Data1 = static_cast<DWORD>(qw1);
    guid.Data2 = static_cast<WORD>(qw2);
    guid.Data3 = static_cast<WORD>(qw3);
    guid.Data4[0] = static_cast<BYTE>(qw4 >> 8);
    guid.Data4[1] = static_cast<BYTE>(qw4);
    for (int i = 0; i < 6; ++i) {
        guid.Data4[2 + i] = static_cast<BYTE>(qw5 >> (8 * (5 - i)));
    }
    *pGuid = guid;
    return true;
}

std::string SimFormatGuid(const GUID& guid) {
    char szText[37];
    std::snprintf(szText, sizeof(szText), "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x",
                  static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
                  guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return szText;
}

CSimRpc::~CSimRpc() {
    for (WCHAR* psz : m_strings) {
        delete[] psz;
    }
}

RPC_STATUS CSimRpc::UuidToStringW(const GUID* pUuid, WCHAR** ppszString) {
    if (ppszString == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    const GUID nil{};
    const std::string strText = SimFormatGuid(pUuid != nullptr ? *pUuid : nil);
    WCHAR* psz = new WCHAR[strText.size() + 1];
    for (std::size_t i = 0; i < strText.size(); ++i) {
        psz[i] = static_cast<WCHAR>(strText[i]);
    }
    psz[strText.size()] = 0;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_strings.insert(psz);
    }
    *ppszString = psz;
    return RPC_S_OK;
}

RPC_STATUS CSimRpc::RpcStringFreeW(WCHAR** ppszString) {
    if (ppszString == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (*ppszString != nullptr && m_strings.erase(*ppszString) == 0) {
            return RPC_S_INVALID_ARG;
        }
    }
    delete[] * ppszString;
    *ppszString = nullptr;
    return RPC_S_OK;
}

RPC_STATUS CSimRpc::UuidFromStringA(const char* pszString, GUID* pUuid) {
    if (pUuid == nullptr) {
        return RPC_S_INVALID_ARG;
    }
    if (pszString == nullptr) {
        *pUuid = GUID{};
        return RPC_S_OK;
    }
    return SimParseGuid(pszString, pUuid) ? RPC_S_OK : RPC_S_INVALID_STRING_UUID;
}

std::size_t CSimRpc::OutstandingStrings() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_strings.size();
}
