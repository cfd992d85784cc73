#include "adapters/lucent/lucent_adapter.h"

#include <algorithm>
#include <cstring>

#include "adapters/bss_walk.h"
#include "adapters/fixed_scan_wait.h"
#include "adapters/lucent/lucent_scan_record.h"
#include "adapters/supported_cache.h"
#include "platform/os.h"

namespace {

constexpr DWORD IOCTL_NDIS_QUERY_GLOBAL_STATS = 0x00170002;
constexpr DWORD OID_LUCENT_PRIVATE = 0xFF020401;  // carries the private record requests

constexpr char NETWORK_CARDS_KEY[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
constexpr char SERVICE_NAME_VALUE[] = "ServiceName";
constexpr char DEVICE_PREFIX[] = "\\\\.\\";
constexpr DWORD CARD_NAME_BUFFER = 1024;

// Request header offsets.
constexpr std::size_t HEADER_PORT = 0;
constexpr std::size_t HEADER_STATUS = 4;  // function code in, status out
constexpr std::size_t HEADER_COMMAND = 6;
constexpr std::size_t HEADER_LENGTH = 8;
constexpr std::size_t HEADER_RID = 10;

constexpr WORD FUNCTION_PORT = 0x45;  // port open and close
constexpr WORD FUNCTION_RECORD = 0;   // record access
constexpr WORD COMMAND_OPEN = 0;
constexpr WORD COMMAND_CLOSE = 1;
constexpr WORD COMMAND_SCAN = 2;
constexpr WORD COMMAND_READ = 4;
constexpr WORD CLOSE_LENGTH = 2;
constexpr DWORD PORT_REQUEST_SIZE = 128;

constexpr WORD STATUS_OK = 0;
constexpr WORD STATUS_BUSY = 0x44;
constexpr int REQUEST_BUSY = -2;
constexpr int REQUEST_REFUSED = -1;

constexpr int OPEN_ATTEMPTS = 3;
constexpr DWORD BUSY_RETRY_MS = 200;

// Records and their data lengths.
constexpr WORD RID_SSID = 0xFD41;
constexpr WORD RID_BSSID = 0xFD42;
constexpr WORD RID_SIGNAL = 0xFD43;
constexpr WORD RID_RATE = 0xFD44;
constexpr WORD RID_CHANNEL = 0xFDC1;
constexpr WORD RID_SCAN_RESULTS = 0x0820;
constexpr WORD RID_SCAN_START = 0x0006;
constexpr WORD SIGNAL_LENGTH = 6;
constexpr WORD CHANNEL_LENGTH = 2;
constexpr WORD BSSID_RECORD_LENGTH = 6;
constexpr WORD SSID_LENGTH = 34;
constexpr WORD RATE_LENGTH = 2;
constexpr WORD SCAN_RESULTS_LENGTH = 0x2585;
constexpr WORD SCAN_START_LENGTH = 4;

constexpr int NOISE_LIMIT = 500;
constexpr int CHANNEL_MAX = 100;
constexpr int RATE_MAX = 1050;
constexpr int BSS_CHANNEL_MAX = 1000;
constexpr DWORD OID_STRING_BUFFER = 1023;

void WriteWord(BYTE* pb, std::size_t nOffset, WORD w) {
    pb[nOffset] = static_cast<BYTE>(w & 0xFF);
    pb[nOffset + 1] = static_cast<BYTE>(w >> 8);
}

DWORD ReadDword(const BYTE* pb, std::size_t nOffset) {
    DWORD dw = 0;
    std::memcpy(&dw, pb + nOffset, sizeof(dw));
    return dw;
}

// The card's driver answers a record request with the 12-byte header and the record's data. The
// request has traditionally offered 2 x length + 2 bytes, which is too small for the short records
// (14 bytes for an 18-byte signal answer), so the buffer is at least header plus data.
DWORD RidBufferSize(WORD wLength) {
    return std::max<DWORD>(2u * wLength + 2u, static_cast<DWORD>(LUCENT_HEADER_SIZE) + wLength);
}

// Maps a request result to a query status.
int RequestStatus(int nResult) {
    if (nResult == static_cast<int>(ERROR_NOT_SUPPORTED)) {
        return QUERY_NOT_SUPPORTED;
    }
    return nResult != 0 ? QUERY_FAILED : QUERY_OK;
}

int CardLevelToDbm(WORD wLevel) {
    return static_cast<int>(wLevel) - LUCENT_LEVEL_OFFSET;
}

// "ServiceName" of an open card key, trimmed at its first NUL; FALSE when it cannot be read.
BOOL ReadServiceName(HKEY hCard, std::string* pstrService) {
    IRegistry& registry = Os().Registry();
    DWORD dwType = 0;
    DWORD cbData = 0;
    if (registry.RegQueryValueEx(hCard, SERVICE_NAME_VALUE, &dwType, nullptr, &cbData) != ERROR_SUCCESS ||
        (dwType != REG_SZ && dwType != REG_EXPAND_SZ)) {
        return FALSE;
    }
    std::vector<BYTE> abData(cbData);
    if (registry.RegQueryValueEx(hCard, SERVICE_NAME_VALUE, &dwType, abData.data(), &cbData) !=
        ERROR_SUCCESS) {
        return FALSE;
    }
    cbData = std::min<DWORD>(cbData, static_cast<DWORD>(abData.size()));
    const auto itEnd = std::find(abData.begin(), abData.begin() + cbData, BYTE{0});
    pstrService->assign(abData.begin(), itEnd);
    return TRUE;
}

}  // namespace

CLucentAdapter::~CLucentAdapter() {
    CLucentAdapter::CloseDevice();
}

int CLucentAdapter::GetNetworkCardDevice(std::string* pstrDevice, int* pnIndex) {
    IRegistry& registry = Os().Registry();
    HKEY hCards = 0;
    if (registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, NETWORK_CARDS_KEY, KEY_READ, &hCards) != ERROR_SUCCESS) {
        return -1;
    }
    int nResult = -1;
    std::vector<char> achName(CARD_NAME_BUFFER);
    DWORD cchName = CARD_NAME_BUFFER;
    if (*pnIndex >= 0 && registry.RegEnumKeyEx(hCards, static_cast<DWORD>(*pnIndex), achName.data(),
                                               &cchName) == ERROR_SUCCESS) {
        nResult = 0;
        HKEY hCard = 0;
        const std::string strCard(achName.data(), std::min<DWORD>(cchName, CARD_NAME_BUFFER));
        if (registry.RegOpenKeyEx(hCards, strCard, KEY_READ, &hCard) == ERROR_SUCCESS) {
            std::string strService;
            if (ReadServiceName(hCard, &strService)) {
                *pstrDevice = DEVICE_PREFIX + strService;
                nResult = 1;
            }
            registry.RegCloseKey(hCard);
        }
    }
    registry.RegCloseKey(hCards);
    return nResult;
}

int CLucentAdapter::OpenByIndex(int /*nIndex*/, BOOL bCheckSupported, std::string* pstrName,
                                std::string* pstrDescription) {
    if (pstrName != nullptr) {
        pstrName->clear();
    }
    if (pstrDescription != nullptr) {
        pstrDescription->clear();
    }
    BOOL bAccepted = FALSE;
    for (int nCard = 0; !bAccepted; ++nCard) {
        const int nStep = GetNetworkCardDevice(&m_strDevice, &nCard);
        if (nStep < 0) {
            break;
        }
        if (nStep == 0 || OpenDevice() != DEVICE_OPENED) {
            continue;
        }
        if (bCheckSupported) {
            if (!LookupSupported(SUPPORTED_KEY_LUCENT, nullptr)) {
                StoreSupported(SUPPORTED_KEY_LUCENT, CheckCapabilities() == 0);
            }
            bAccepted = IsCachedSupported(SUPPORTED_KEY_LUCENT);
            if (!bAccepted) {
                // Not this card: its port and handle are released before the walk moves on.
                CloseDevice();
            }
        } else {
            bAccepted = TRUE;
        }
    }
    if (pstrName != nullptr) {
        *pstrName = LUCENT_CARD_NAME;
    }
    return bAccepted ? OPEN_USABLE : OPEN_NOT_SUPPORTED;
}

int CLucentAdapter::OpenByName(const std::string& strName, BOOL bCheckSupported) {
    if (strName != LUCENT_CARD_NAME) {
        return OPEN_NONE;
    }
    return OpenByIndex(0, bCheckSupported, nullptr, nullptr);
}

int CLucentAdapter::OpenDevice() {
    // An object reopened for another card must not lose the handle it still holds.
    CloseDevice();
    m_dwLastScanTick = 0;
    const HANDLE hDevice = Os().DeviceIo().CreateFile(m_strDevice, 0, FILE_SHARE_READ, OPEN_EXISTING, 0);
    if (hDevice == INVALID_HANDLE_VALUE) {
        return DEVICE_OPEN_FAILED;
    }
    m_hDevice = hDevice;
    m_dwPort = 0;
    for (int nAttempt = 1; nAttempt <= OPEN_ATTEMPTS; ++nAttempt) {
        std::vector<BYTE> abAnswer;
        DWORD cbReturned = 0;
        const int nResult =
            SendPrivateRequest(FUNCTION_PORT, COMMAND_OPEN, 0, 0, PORT_REQUEST_SIZE, &abAnswer, &cbReturned);
        if (nResult == 0) {
            m_dwPort = ReadDword(abAnswer.data(), HEADER_PORT);
            return DEVICE_OPENED;
        }
        if (nResult != REQUEST_BUSY || nAttempt == OPEN_ATTEMPTS) {
            break;
        }
        Os().Clock().Sleep(BUSY_RETRY_MS);
    }
    Os().DeviceIo().CloseHandle(m_hDevice);
    m_hDevice = INVALID_HANDLE_VALUE;
    return DEVICE_OPEN_FAILED;
}

int CLucentAdapter::CloseDevice() {
    if (m_hDevice == INVALID_HANDLE_VALUE) {
        return 0;
    }
    std::vector<BYTE> abAnswer;
    DWORD cbReturned = 0;
    SendPrivateRequest(FUNCTION_PORT, COMMAND_CLOSE, CLOSE_LENGTH, 0, PORT_REQUEST_SIZE, &abAnswer,
                       &cbReturned);
    Os().DeviceIo().CloseHandle(m_hDevice);
    m_hDevice = INVALID_HANDLE_VALUE;
    return 0;
}

int CLucentAdapter::CheckCapabilities() {
    return GetFailureMask(m_hDevice);
}

int CLucentAdapter::SendPrivateRequest(WORD wFunction, WORD wCommand, WORD wLength, WORD wRid, DWORD cbBuffer,
                                       std::vector<BYTE>* pabBuffer, DWORD* pdwReturned) {
    *pdwReturned = 0;
    pabBuffer->assign(cbBuffer, 0);
    if (m_hDevice == INVALID_HANDLE_VALUE) {
        return static_cast<int>(ERROR_INVALID_HANDLE);
    }
    BYTE* pb = pabBuffer->data();
    const DWORD dwPort = wFunction == FUNCTION_PORT && wCommand == COMMAND_OPEN ? 0 : m_dwPort;
    std::memcpy(pb + HEADER_PORT, &dwPort, sizeof(dwPort));
    WriteWord(pb, HEADER_STATUS, wFunction);
    WriteWord(pb, HEADER_COMMAND, wCommand);
    WriteWord(pb, HEADER_LENGTH, wLength);
    WriteWord(pb, HEADER_RID, wRid);
    const DWORD dwOid = OID_LUCENT_PRIVATE;
    DWORD cbReturned = 0;
    if (!Os().DeviceIo().DeviceIoControl(m_hDevice, IOCTL_NDIS_QUERY_GLOBAL_STATS, &dwOid, sizeof(dwOid), pb,
                                         cbBuffer, &cbReturned)) {
        const DWORD dwError = Os().System().GetLastError();
        return static_cast<int>(dwError != ERROR_SUCCESS ? dwError : ERROR_GEN_FAILURE);
    }
    // Never trust a count beyond the buffer the driver was given. A short answer still leaves the
    // status word in the buffer (the request's own when the driver did not write it); the caller's
    // byte-count check then finds the answer short, so a short record is never taken as usable.
    *pdwReturned = std::min(cbReturned, cbBuffer);
    const WORD wStatus = ReadLucentWord(pb, HEADER_STATUS);
    if (wStatus == STATUS_OK) {
        return 0;
    }
    return wStatus == STATUS_BUSY ? REQUEST_BUSY : REQUEST_REFUSED;
}

int CLucentAdapter::SendRidRequest(WORD wCommand, WORD wLength, WORD wRid, std::vector<BYTE>* pabBuffer,
                                   DWORD* pdwReturned) {
    return SendPrivateRequest(FUNCTION_RECORD, wCommand, wLength, wRid, RidBufferSize(wLength), pabBuffer,
                              pdwReturned);
}

int CLucentAdapter::ReadRecord(WORD wRid, WORD wLength, std::vector<BYTE>* pabAnswer) {
    DWORD cbReturned = 0;
    const int nStatus = RequestStatus(SendRidRequest(COMMAND_READ, wLength, wRid, pabAnswer, &cbReturned));
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    return cbReturned == LUCENT_HEADER_SIZE + wLength ? QUERY_OK : QUERY_BAD_SIZE;
}

int CLucentAdapter::GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) {
    *pnQuality = 0;
    *pnSignalDbm = 0;
    *pnNoiseDbm = 0;
    std::vector<BYTE> abAnswer;
    const int nStatus = ReadRecord(RID_SIGNAL, SIGNAL_LENGTH, &abAnswer);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    const BYTE* pbData = abAnswer.data() + LUCENT_HEADER_SIZE;
    const int nNoise = CardLevelToDbm(ReadLucentWord(pbData, 4));
    *pnQuality = static_cast<short>(ReadLucentWord(pbData, 0));
    *pnSignalDbm = static_cast<short>(CardLevelToDbm(ReadLucentWord(pbData, 2)));
    *pnNoiseDbm = static_cast<short>(nNoise);
    return nNoise < -NOISE_LIMIT || nNoise > NOISE_LIMIT ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CLucentAdapter::GetChannel(short* pnChannel) {
    *pnChannel = 0;
    std::vector<BYTE> abAnswer;
    const int nStatus = ReadRecord(RID_CHANNEL, CHANNEL_LENGTH, &abAnswer);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    *pnChannel = static_cast<short>(ReadLucentWord(abAnswer.data(), LUCENT_HEADER_SIZE));
    return *pnChannel < 0 || *pnChannel > CHANNEL_MAX ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CLucentAdapter::GetBssid(BYTE abBssid[BSSID_LENGTH]) {
    std::memset(abBssid, 0, BSSID_LENGTH);
    std::vector<BYTE> abAnswer;
    const int nStatus = ReadRecord(RID_BSSID, BSSID_RECORD_LENGTH, &abAnswer);
    if (nStatus == QUERY_OK) {
        std::memcpy(abBssid, abAnswer.data() + LUCENT_HEADER_SIZE, BSSID_LENGTH);
    }
    return nStatus;
}

int CLucentAdapter::GetSsid(std::string* pstrSsid) {
    pstrSsid->clear();
    std::vector<BYTE> abAnswer;
    const int nStatus = ReadRecord(RID_SSID, SSID_LENGTH, &abAnswer);
    if (nStatus == QUERY_OK) {
        const BYTE* pbData = abAnswer.data() + LUCENT_HEADER_SIZE;
        const std::size_t cbSsid = std::min<std::size_t>(ReadLucentWord(pbData, 0), LUCENT_SSID_MAX);
        pstrSsid->assign(reinterpret_cast<const char*>(pbData + 2), cbSsid);
    }
    return nStatus;
}

int CLucentAdapter::GetRate(short* pnRateMbps) {
    *pnRateMbps = 0;
    std::vector<BYTE> abAnswer;
    const int nStatus = ReadRecord(RID_RATE, RATE_LENGTH, &abAnswer);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    *pnRateMbps = static_cast<short>(ReadLucentWord(abAnswer.data(), LUCENT_HEADER_SIZE));
    return *pnRateMbps < 0 || *pnRateMbps > RATE_MAX ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CLucentAdapter::GetSecurity(DWORD* pdwCode) {
    *pdwCode = VALUE_NOT_READ;
    return QUERY_OK;
}

int CLucentAdapter::GetInfrastructureMode(DWORD* pdwMode) {
    *pdwMode = VALUE_NOT_READ;
    return QUERY_OK;
}

int CLucentAdapter::GetBssList(const BYTE* pbMatchBssid, short nMatchChannel, short* pnMatchSignal,
                               CScanResultSet* pResults) {
    std::vector<BYTE> abAnswer;
    DWORD cbReturned = 0;
    const int nResult =
        SendRidRequest(COMMAND_READ, SCAN_RESULTS_LENGTH, RID_SCAN_RESULTS, &abAnswer, &cbReturned);
    if (nResult == static_cast<int>(ERROR_NOT_SUPPORTED)) {
        return BSS_LIST_NOT_SUPPORTED;
    }
    if (nResult != 0) {
        return BSS_LIST_FAILED;
    }
    std::vector<CLucentScanEntry> aEntries;
    if (!ParseLucentScanRecord(abAnswer.data(), cbReturned, &aEntries)) {
        return 0;
    }
    const CBssMatch match{pbMatchBssid, nMatchChannel, pnMatchSignal};
    CBssKeyIndex known(pResults != nullptr ? &pResults->m_aKeys : nullptr);
    for (const CLucentScanEntry& entry : aEntries) {
        auto pAccessPoint = std::make_unique<CAccessPoint>();
        pAccessPoint->m_nChannel =
            entry.nChannel < 1 || entry.nChannel > BSS_CHANNEL_MAX ? static_cast<short>(-1) : entry.nChannel;
        pAccessPoint->m_nSignal = CardLevelToDbm(entry.wSignalLevel);
        // The raw channel is matched: a channel out of range is matched before it becomes -1.
        if (match.Take(entry.abBssid, entry.nChannel, pAccessPoint->m_nSignal)) {
            continue;
        }
        const CBssKey key(entry.abBssid, pAccessPoint->m_nChannel);
        if (known.Contains(key)) {
            continue;  // the driver listed this BSS twice
        }
        pAccessPoint->m_strSsid = entry.strSsid;
        pAccessPoint->m_nRate = 0;
        pAccessPoint->m_nQuality = -1;
        pAccessPoint->m_nNoise = NOISE_FLOOR_DBM;
        const DWORD dwSecurity =
            (entry.wCapability & LUCENT_CAPABILITY_PRIVACY) ? SECURITY_WEP : SECURITY_CLEAR;
        const DWORD dwMode = (entry.wCapability & LUCENT_CAPABILITY_ESS) ? MODE_INFRASTRUCTURE : MODE_AD_HOC;
        known.Add(key);
        if (pResults != nullptr) {
            pResults->Append(key, dwSecurity, dwMode, std::move(pAccessPoint), std::string());
        }
    }
    return static_cast<int>(aEntries.size());
}

BOOL CLucentAdapter::WaitAndGetBssList(CScanSync* pSync, const BYTE* pbMatchBssid, short nMatchChannel,
                                       short* pnMatchSignal, CScanResultSet* pResults) {
    return FixedWaitAndGetBssList(*this, pSync, pbMatchBssid, nMatchChannel, pnMatchSignal, pResults);
}

int CLucentAdapter::StartScan() {
    if (IsScanRequestTooSoon(*this)) {
        return QUERY_FAILED;
    }
    m_dwLastScanTick = Os().Clock().GetTickCount();
    std::vector<BYTE> abAnswer;
    DWORD cbReturned = 0;
    const int nResult =
        SendRidRequest(COMMAND_SCAN, SCAN_START_LENGTH, RID_SCAN_START, &abAnswer, &cbReturned);
    m_bScanPending = TRUE;
    return RequestStatus(nResult);
}

DWORD CLucentAdapter::QueryStatistics(DWORD dwOid, void* pvOut, DWORD cbOut, DWORD* pdwReturned) {
    *pdwReturned = 0;
    if (m_hDevice == INVALID_HANDLE_VALUE) {
        return ERROR_INVALID_HANDLE;
    }
    if (!Os().DeviceIo().DeviceIoControl(m_hDevice, IOCTL_NDIS_QUERY_GLOBAL_STATS, &dwOid, sizeof(dwOid),
                                         pvOut, cbOut, pdwReturned)) {
        const DWORD dwError = Os().System().GetLastError();
        return dwError != ERROR_SUCCESS ? dwError : ERROR_GEN_FAILURE;
    }
    *pdwReturned = std::min(*pdwReturned, cbOut);
    return ERROR_SUCCESS;
}

int CLucentAdapter::QueryCounter(DWORD dwOid, DWORD* pdwValue) {
    *pdwValue = 0;
    DWORD dwValue = 0;
    DWORD cbReturned = 0;
    if (QueryStatistics(dwOid, &dwValue, sizeof(dwValue), &cbReturned) != ERROR_SUCCESS ||
        cbReturned != sizeof(dwValue)) {
        return QUERY_NOT_SUPPORTED;
    }
    *pdwValue = dwValue;
    return QUERY_OK;
}

int CLucentAdapter::GetXmitErrors(DWORD* pdwCount) {
    return QueryCounter(OID_GEN_XMIT_ERROR, pdwCount);
}

int CLucentAdapter::GetRcvErrors(DWORD* pdwCount) {
    return QueryCounter(OID_GEN_RCV_ERROR, pdwCount);
}

int CLucentAdapter::GetRcvAlignmentErrors(DWORD* pdwCount) {
    return QueryCounter(OID_802_3_RCV_ERROR_ALIGNMENT, pdwCount);
}

int CLucentAdapter::GetXmitOneCollision(DWORD* pdwCount) {
    return QueryCounter(OID_802_3_XMIT_ONE_COLLISION, pdwCount);
}

int CLucentAdapter::GetXmitMoreCollisions(DWORD* pdwCount) {
    return QueryCounter(OID_802_3_XMIT_MORE_COLLISIONS, pdwCount);
}

int CLucentAdapter::GetPhysicalMedium(DWORD* pdwMedium) {
    return QueryCounter(OID_GEN_PHYSICAL_MEDIUM, pdwMedium);
}

BOOL CLucentAdapter::QueryOidString(DWORD dwOid, std::string* pstrValue) {
    pstrValue->clear();
    std::vector<BYTE> abValue(OID_STRING_BUFFER, 0);
    DWORD cbReturned = 0;
    if (QueryStatistics(dwOid, abValue.data(), OID_STRING_BUFFER, &cbReturned) != ERROR_SUCCESS) {
        return FALSE;
    }
    const auto itEnd = std::find(abValue.begin(), abValue.begin() + cbReturned, BYTE{0});
    pstrValue->assign(abValue.begin(), itEnd);
    return TRUE;
}

BOOL CLucentAdapter::QueryOidDword(DWORD dwOid, DWORD* pdwValue) {
    *pdwValue = 0;
    DWORD cbReturned = 0;
    return QueryStatistics(dwOid, pdwValue, sizeof(*pdwValue), &cbReturned) == ERROR_SUCCESS ? TRUE : FALSE;
}

int CLucentAdapter::SetScanCallback(SCAN_NOTIFICATION_CALLBACK /*pfnCallback*/, void* /*pContext*/) {
    return 0;
}

std::string CLucentAdapter::GetName() const {
    return "WL";
}
