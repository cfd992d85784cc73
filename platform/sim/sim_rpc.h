// The RPC runtime's UUID conversions on the simulated machine: plain formatting and parsing, with a
// count of the strings handed out and not yet released, so tests can see every one freed.
#pragma once

#include <mutex>
#include <set>
#include <string>

#include "platform/rpc.h"

class CSimRpc : public IRpc {
public:
    ~CSimRpc() override;

    RPC_STATUS UuidToStringW(const GUID* pUuid, WCHAR** ppszString) override;
    RPC_STATUS RpcStringFreeW(WCHAR** ppszString) override;
    RPC_STATUS UuidFromStringA(const char* pszString, GUID* pUuid) override;

    // Strings of UuidToStringW not yet released with RpcStringFreeW.
    std::size_t OutstandingStrings();

private:
    std::mutex m_mutex;
    std::set<WCHAR*> m_strings;
};

// The same conversions for the simulated machine's own use (machine files name interfaces by GUID).
bool SimParseGuid(const std::string& strText, GUID* pGuid);
std::string SimFormatGuid(const GUID& guid);
