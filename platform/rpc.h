// The RPC runtime's UUID text conversions (UuidToStringW, RpcStringFreeW, UuidFromStringA), as the
// native WLAN back end uses them to turn an interface GUID into its name and back.
#pragma once

#include "platform/win_defs.h"

// GUID / UUID as Windows lays it out (16 bytes).
struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
static_assert(sizeof(GUID) == 16);

using RPC_STATUS = LONG;
constexpr RPC_STATUS RPC_S_OK = 0;
constexpr RPC_STATUS RPC_S_OUT_OF_MEMORY = 14;
constexpr RPC_STATUS RPC_S_INVALID_ARG = 87;
constexpr RPC_STATUS RPC_S_INVALID_STRING_UUID = 1705;

class IRpc {
public:
    virtual ~IRpc() = default;
    // The 36-character lower-case form without braces, in a string the runtime allocates; the
    // caller releases it with RpcStringFreeW.
    virtual RPC_STATUS UuidToStringW(const GUID* pUuid, WCHAR** ppszString) = 0;
    // Releases a string of UuidToStringW and sets *ppszString to null.
    virtual RPC_STATUS RpcStringFreeW(WCHAR** ppszString) = 0;
    // Parses "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx" (either case); a null string gives the nil UUID.
    virtual RPC_STATUS UuidFromStringA(const char* pszString, GUID* pUuid) = 0;
};
