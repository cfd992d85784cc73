#include "adapters/ndis51/ndis51_adapter.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include "adapters/bss_walk.h"
#include "adapters/channel_frequency.h"
#include "adapters/fixed_scan_wait.h"
#include "adapters/ndis51/ndis_binding.h"
#include "adapters/ndis51/ndis_bssid_list.h"
#include "adapters/supported_cache.h"
#include "adapters/wzc_service.h"
#include "platform/os.h"

DWORD g_dwNdisuioAccess = NDISUIO_ACCESS_READ_WRITE;

DWORD NdisuioControlCode(DWORD dwFunction) {
    constexpr DWORD FILE_DEVICE_NETWORK = 0x12;
    constexpr DWORD METHOD_BUFFERED = 0;
    return (FILE_DEVICE_NETWORK << 16) | g_dwNdisuioAccess | (dwFunction << 2) | METHOD_BUFFERED;
}

void SwitchNdisuioCodeForm() {
    g_dwNdisuioAccess = g_dwNdisuioAccess == NDISUIO_ACCESS_READ_WRITE ? 0 : NDISUIO_ACCESS_READ_WRITE;
}

namespace {

constexpr DWORD QUERY_BUFFER_BYTES = 1024;
constexpr DWORD QUERY_OID_VALUE_BUFFER_BYTES = 1023;  // QueryOidString / QueryOidDword
constexpr DWORD BINDING_INPUT_BYTES = 20;
constexpr DWORD DWORD_ANSWER_BYTES = NDIS_OID_BYTES + 4;
constexpr DWORD BSSID_ANSWER_BYTES = NDIS_OID_BYTES + BSSID_LENGTH;
constexpr DWORD CONFIGURATION_ANSWER_BYTES = NDIS_OID_BYTES + 32;
constexpr DWORD CONFIGURATION_DS_CONFIG = NDIS_OID_BYTES + 12;
constexpr DWORD SSID_HEADER_BYTES = NDIS_OID_BYTES + 4;
constexpr DWORD MAX_PLAUSIBLE_ENUM = 50;  // WEP status and infrastructure mode
constexpr LONG MAX_PLAUSIBLE_SIGNAL = 500;
constexpr DWORD MAX_PLAUSIBLE_CHANNEL = 300;
constexpr DWORD MAX_PLAUSIBLE_RATE = 1050;
constexpr DWORD LINK_SPEED_PER_MBPS = 10000;  // the OID counts units of 100 bit/s

int StatusOfError(DWORD dwError) {
    return dwError == ERROR_NOT_SUPPORTED ? QUERY_NOT_SUPPORTED : QUERY_FAILED;
}

// NDIS_802_11_WEP_STATUS → security code.
DWORD SecurityOfWepStatus(DWORD dwStatus) {
    switch (dwStatus) {
        case 0:
            return SECURITY_WEP;  // WEP enabled
        case 1:
        case 3:
            return SECURITY_CLEAR;  // disabled, not supported
        case 4:
        case 5:
            return SECURITY_WPA;  // TKIP enabled, key absent
        case 6:
        case 7:
            return SECURITY_WPA2;  // AES enabled, key absent
        default:
            return SECURITY_UNKNOWN;  // key absent (2) and anything newer
    }
}

}  // namespace

CNdis51Adapter::CNdis51Adapter() = default;

CNdis51Adapter::~CNdis51Adapter() {
    CloseDevice();
}

DWORD CNdis51Adapter::ControlWithRetry(DWORD dwFunction, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                                       DWORD* pdwReturned) {
    IDeviceIo& io = Os().DeviceIo();
    if (io.DeviceIoControl(m_hDevice, NdisuioControlCode(dwFunction), pIn, cbIn, pOut, cbOut, pdwReturned)) {
        return ERROR_SUCCESS;
    }
    const DWORD dwFirst = Os().System().GetLastError();
    SwitchNdisuioCodeForm();
    if (io.DeviceIoControl(m_hDevice, NdisuioControlCode(dwFunction), pIn, cbIn, pOut, cbOut, pdwReturned)) {
        return ERROR_SUCCESS;
    }
    // "Not supported" may only have meant the other code form: then the second answer is the real one.
    return dwFirst == ERROR_NOT_SUPPORTED ? Os().System().GetLastError() : dwFirst;
}

DWORD CNdis51Adapter::QueryOid(DWORD dwOid, BYTE* pbBuffer, DWORD cbBuffer, DWORD* pdwReturned) {
    WriteNdisDword(pbBuffer, dwOid);
    WriteNdisDword(pbBuffer + NDIS_OID_BYTES, 0);
    *pdwReturned = 0;
    const DWORD dwError = ControlWithRetry(NDISUIO_FUNCTION_QUERY_OID_VALUE, pbBuffer, cbBuffer, pbBuffer,
                                           cbBuffer, pdwReturned);
    // A driver cannot have written more than the buffer holds; never read past it on its word.
    *pdwReturned = std::min(*pdwReturned, cbBuffer);
    return dwError;
}

int CNdis51Adapter::QueryDwordStatus(DWORD dwOid, DWORD* pdwValue) {
    *pdwValue = 0;
    BYTE abBuffer[QUERY_BUFFER_BYTES] = {};
    DWORD cbReturned = 0;
    const DWORD dwError = QueryOid(dwOid, abBuffer, sizeof(abBuffer), &cbReturned);
    if (dwError != ERROR_SUCCESS) {
        return StatusOfError(dwError);
    }
    if (cbReturned != DWORD_ANSWER_BYTES) {
        return QUERY_BAD_SIZE;
    }
    *pdwValue = ReadNdisDword(abBuffer + NDIS_OID_BYTES);
    return QUERY_OK;
}

int CNdis51Adapter::PrepareHandle(BOOL bAccessDeniedCode) {
    IDeviceIo& io = Os().DeviceIo();
    if (m_hDevice == INVALID_HANDLE_VALUE) {
        m_hDevice = io.CreateFile(NDISUIO_DEVICE_NAME, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL);
        if (m_hDevice == INVALID_HANDLE_VALUE) {
            return bAccessDeniedCode && Os().System().GetLastError() == ERROR_ACCESS_DENIED
                       ? OPEN_ACCESS_DENIED
                       : OPEN_NONE;
        }
    }
    DWORD cbReturned = 0;
    if (ControlWithRetry(NDISUIO_FUNCTION_BIND_WAIT, nullptr, 0, nullptr, 0, &cbReturned) != ERROR_SUCCESS) {
        CloseDevice();
        return OPEN_NONE;
    }
    return OPEN_USABLE;
}

BOOL CNdis51Adapter::PassesSupportedCheck() {
    BYTE abBuffer[QUERY_BUFFER_BYTES] = {};
    DWORD cbReturned = 0;
    if (QueryOid(OID_802_11_INFRASTRUCTURE_MODE, abBuffer, sizeof(abBuffer), &cbReturned) != ERROR_SUCCESS) {
        return FALSE;
    }
    return CheckCapabilities() == 0;
}

int CNdis51Adapter::OpenByIndex(int nIndex, BOOL bCheckSupported, std::string* pstrName,
                                std::string* pstrDescription) {
    if (pstrName != nullptr) {
        pstrName->clear();
    }
    if (pstrDescription != nullptr) {
        pstrDescription->clear();
    }
    const int nPrepared = PrepareHandle(TRUE);
    if (nPrepared != OPEN_USABLE) {
        return nPrepared;
    }

    BYTE abRecord[QUERY_BUFFER_BYTES] = {};
    WriteNdisDword(abRecord, static_cast<DWORD>(nIndex));
    DWORD cbReturned = 0;
    CNdisBinding binding;
    if (ControlWithRetry(NDISUIO_FUNCTION_QUERY_BINDING, abRecord, BINDING_INPUT_BYTES, abRecord,
                         sizeof(abRecord), &cbReturned) != ERROR_SUCCESS ||
        !ParseBindingRecord(abRecord, std::min<DWORD>(cbReturned, sizeof(abRecord)), &binding)) {
        return OPEN_NONE;
    }
    std::fill(std::begin(m_wszDevice), std::end(m_wszDevice), u'\0');
    std::copy(binding.Name().begin(), binding.Name().end(), m_wszDevice);
    ISystem& system = Os().System();
    m_strDevice = system.WideToAnsi(std::u16string(binding.Name()));
    if (pstrName != nullptr) {
        *pstrName = m_strDevice;
    }
    if (pstrDescription != nullptr) {
        *pstrDescription = system.WideToAnsi(std::u16string(binding.Description()));
    }

    const int nOpened = OpenDevice();
    if (nOpened != DEVICE_OPENED) {
        return nOpened == DEVICE_BUSY ? OPEN_ACCESS_DENIED : OPEN_NOT_SUPPORTED;
    }
    if (bCheckSupported) {
        if (!LookupSupported(m_strDevice, nullptr)) {
            StoreSupported(m_strDevice, FALSE);
            if (!PassesSupportedCheck()) {
                return OPEN_NOT_SUPPORTED;
            }
            StoreSupported(m_strDevice, TRUE);
        }
        if (!IsCachedSupported(m_strDevice)) {
            return OPEN_NOT_SUPPORTED;
        }
    }
    return OPEN_USABLE;
}

int CNdis51Adapter::OpenByName(const std::string& strName, BOOL bCheckSupported) {
    const int nPrepared = PrepareHandle(FALSE);
    if (nPrepared != OPEN_USABLE) {
        return nPrepared;
    }
    m_strDevice = strName;
    std::fill(std::begin(m_wszDevice), std::end(m_wszDevice), u'\0');
    // The last unit stays the terminator, however long the name.
    const std::u16string wstrName = Os().System().AnsiToWide(strName);
    std::copy_n(wstrName.begin(), std::min<std::size_t>(wstrName.size(), NDIS_DEVICE_NAME_UNITS - 1),
                m_wszDevice);

    const int nOpened = OpenDevice();
    if (nOpened != DEVICE_OPENED) {
        return nOpened == DEVICE_BUSY ? OPEN_ACCESS_DENIED : OPEN_NOT_SUPPORTED;
    }
    if (bCheckSupported && !PassesSupportedCheck()) {
        return OPEN_NOT_SUPPORTED;
    }
    return OPEN_USABLE;
}

DWORD CNdis51Adapter::SendOpenDevice() {
    const auto* pEnd = std::find(std::begin(m_wszDevice), std::end(m_wszDevice), u'\0');
    const DWORD cbName = static_cast<DWORD>(pEnd - m_wszDevice) * sizeof(WCHAR);
    DWORD cbReturned = 0;
    if (Os().DeviceIo().DeviceIoControl(m_hDevice, NdisuioControlCode(NDISUIO_FUNCTION_OPEN_DEVICE),
                                        m_wszDevice, cbName, nullptr, 0, &cbReturned)) {
        return ERROR_SUCCESS;
    }
    return Os().System().GetLastError();
}

int CNdis51Adapter::OpenDevice() {
    if (m_hDevice == INVALID_HANDLE_VALUE) {
        return DEVICE_OPEN_FAILED;
    }
    m_dwLastScanTick = 0;
    DWORD dwError = SendOpenDevice();
    if (dwError == ERROR_SUCCESS) {
        return DEVICE_OPENED;
    }
    if (dwError == ERROR_NOT_SUPPORTED) {
        SwitchNdisuioCodeForm();
        dwError = SendOpenDevice();
        if (dwError == ERROR_SUCCESS) {
            return DEVICE_OPENED;
        }
    }
    if (dwError != ERROR_BUSY) {
        return DEVICE_OPEN_FAILED;
    }
    // The configuration service holds the adapter: stop it and try once more.
    if (!ControlWzcService(0)) {
        return DEVICE_BUSY;
    }
    return SendOpenDevice() == ERROR_SUCCESS ? DEVICE_OPENED : DEVICE_OPEN_FAILED;
}

int CNdis51Adapter::CloseDevice() {
    if (m_hDevice != INVALID_HANDLE_VALUE) {
        Os().DeviceIo().CloseHandle(m_hDevice);
        m_hDevice = INVALID_HANDLE_VALUE;
    }
    return 0;
}

int CNdis51Adapter::CheckCapabilities() {
    return GetFailureMask(m_hDevice);
}

int CNdis51Adapter::GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) {
    *pnQuality = 0;
    *pnSignalDbm = 0;
    *pnNoiseDbm = 0;
    DWORD dwRssi = 0;
    const int nStatus = QueryDwordStatus(OID_802_11_RSSI, &dwRssi);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    const LONG nRssi = static_cast<LONG>(dwRssi);
    // In 64 bits: an RSSI near the top of the 32-bit range must not overflow on its way to status 3.
    // The quality is kept within its 16 bits rather than wrapped by them.
    *pnQuality = static_cast<short>(std::clamp<long long>(static_cast<long long>(nRssi) + 100, 0, SHRT_MAX));
    *pnSignalDbm = static_cast<short>(nRssi);
    *pnNoiseDbm = NOISE_FLOOR_DBM;
    return nRssi < -MAX_PLAUSIBLE_SIGNAL || nRssi > MAX_PLAUSIBLE_SIGNAL ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CNdis51Adapter::GetChannel(short* pnChannel) {
    *pnChannel = 0;
    BYTE abBuffer[QUERY_BUFFER_BYTES] = {};
    DWORD cbReturned = 0;
    const DWORD dwError = QueryOid(OID_802_11_CONFIGURATION, abBuffer, sizeof(abBuffer), &cbReturned);
    if (dwError != ERROR_SUCCESS) {
        return StatusOfError(dwError);
    }
    if (cbReturned != CONFIGURATION_ANSWER_BYTES) {
        return QUERY_BAD_SIZE;
    }
    const DWORD dwChannel = ConfigChannelFromDsConfigKhz(ReadNdisDword(abBuffer + CONFIGURATION_DS_CONFIG));
    *pnChannel = static_cast<short>(dwChannel);
    // Judged on the whole number: a wrapped frequency must not pass as a small channel once cut to 16 bits.
    return dwChannel > MAX_PLAUSIBLE_CHANNEL ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CNdis51Adapter::GetBssid(BYTE abBssid[BSSID_LENGTH]) {
    std::fill_n(abBssid, BSSID_LENGTH, BYTE{0});
    BYTE abBuffer[QUERY_BUFFER_BYTES] = {};
    DWORD cbReturned = 0;
    const DWORD dwError = QueryOid(OID_802_11_BSSID, abBuffer, sizeof(abBuffer), &cbReturned);
    if (dwError != ERROR_SUCCESS) {
        return StatusOfError(dwError);
    }
    if (cbReturned != BSSID_ANSWER_BYTES) {
        return QUERY_BAD_SIZE;
    }
    std::memcpy(abBssid, abBuffer + NDIS_OID_BYTES, BSSID_LENGTH);
    return QUERY_OK;
}

int CNdis51Adapter::GetSsid(std::string* pstrSsid) {
    pstrSsid->clear();
    BYTE abBuffer[QUERY_BUFFER_BYTES] = {};
    DWORD cbReturned = 0;
    const DWORD dwError = QueryOid(OID_802_11_SSID, abBuffer, sizeof(abBuffer), &cbReturned);
    if (dwError != ERROR_SUCCESS) {
        return StatusOfError(dwError);
    }
    if (cbReturned < SSID_HEADER_BYTES) {
        return QUERY_BAD_SIZE;
    }
    // The field holds 32 bytes; a longer length is cut before it is trusted for anything.
    const DWORD cbSsid = std::min(ReadNdisDword(abBuffer + NDIS_OID_BYTES), NDIS_SSID_MAX);
    if (cbReturned < cbSsid + SSID_HEADER_BYTES) {
        return QUERY_BAD_SIZE;
    }
    pstrSsid->assign(reinterpret_cast<const char*>(abBuffer + SSID_HEADER_BYTES), cbSsid);
    return QUERY_OK;
}

int CNdis51Adapter::GetRate(short* pnRateMbps) {
    *pnRateMbps = 0;
    DWORD dwSpeed = 0;
    const int nStatus = QueryDwordStatus(OID_GEN_LINK_SPEED, &dwSpeed);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    const DWORD dwMbps = (dwSpeed + LINK_SPEED_PER_MBPS / 2) / LINK_SPEED_PER_MBPS;
    *pnRateMbps = static_cast<short>(dwMbps);
    return dwMbps > MAX_PLAUSIBLE_RATE ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CNdis51Adapter::GetSecurity(DWORD* pdwCode) {
    *pdwCode = VALUE_NOT_READ;
    DWORD dwStatus = 0;
    const int nStatus = QueryDwordStatus(OID_802_11_WEP_STATUS, &dwStatus);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    if (dwStatus > MAX_PLAUSIBLE_ENUM) {
        return QUERY_OUT_OF_RANGE;
    }
    *pdwCode = SecurityOfWepStatus(dwStatus);
    return QUERY_OK;
}

int CNdis51Adapter::GetInfrastructureMode(DWORD* pdwMode) {
    *pdwMode = VALUE_NOT_READ;
    DWORD dwMode = 0;
    const int nStatus = QueryDwordStatus(OID_802_11_INFRASTRUCTURE_MODE, &dwMode);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    if (dwMode > MAX_PLAUSIBLE_ENUM) {
        return QUERY_OUT_OF_RANGE;
    }
    *pdwMode = dwMode;
    return QUERY_OK;
}

int CNdis51Adapter::GetBssList(const BYTE* pbMatchBssid, short nMatchChannel, short* pnMatchSignal,
                               CScanResultSet* pResults) {
    std::vector<BYTE> abBuffer(NDIS_BSSID_LIST_START_BYTES);
    DWORD cbReturned = 0;
    for (;;) {
        const DWORD dwError = QueryOid(OID_802_11_BSSID_LIST, abBuffer.data(),
                                       static_cast<DWORD>(abBuffer.size()), &cbReturned);
        if (dwError == ERROR_SUCCESS) {
            break;
        }
        if (dwError == ERROR_NOT_SUPPORTED) {
            return BSS_LIST_NOT_SUPPORTED;
        }
        // A driver that is never satisfied must not make us allocate without end.
        if (dwError != ERROR_INSUFFICIENT_BUFFER || abBuffer.size() >= NDIS_BSSID_LIST_MAX_BYTES) {
            return BSS_LIST_FAILED;
        }
        abBuffer.assign(abBuffer.size() * 2, 0);
    }

    CNdisBssList list;
    ParseBssidList(abBuffer.data(), cbReturned, &list);
    AddBssEntries(&list.aEntries, CBssMatch{pbMatchBssid, nMatchChannel, pnMatchSignal}, pResults);
    return BssListCountResult(list.dwNumberOfItems);
}

BOOL CNdis51Adapter::WaitAndGetBssList(CScanSync* pSync, const BYTE* pbMatchBssid, short nMatchChannel,
                                       short* pnMatchSignal, CScanResultSet* pResults) {
    return FixedWaitAndGetBssList(*this, pSync, pbMatchBssid, nMatchChannel, pnMatchSignal, pResults);
}

int CNdis51Adapter::StartScan() {
    if (IsScanRequestTooSoon(*this)) {
        return QUERY_FAILED;
    }
    m_dwLastScanTick = Os().Clock().GetTickCount();
    m_bScanPending = TRUE;
    BYTE abBuffer[QUERY_BUFFER_BYTES] = {};
    WriteNdisDword(abBuffer, OID_802_11_BSSID_LIST_SCAN);
    DWORD cbReturned = 0;
    return ControlWithRetry(NDISUIO_FUNCTION_SET_OID_VALUE, abBuffer, sizeof(abBuffer), abBuffer,
                            sizeof(abBuffer), &cbReturned) == ERROR_SUCCESS
               ? QUERY_OK
               : QUERY_FAILED;
}

int CNdis51Adapter::GetXmitErrors(DWORD* pdwCount) {
    return QueryDwordStatus(OID_GEN_XMIT_ERROR, pdwCount);
}

int CNdis51Adapter::GetRcvErrors(DWORD* pdwCount) {
    return QueryDwordStatus(OID_GEN_RCV_ERROR, pdwCount);
}

int CNdis51Adapter::GetRcvAlignmentErrors(DWORD* pdwCount) {
    return QueryDwordStatus(OID_802_3_RCV_ERROR_ALIGNMENT, pdwCount);
}

int CNdis51Adapter::GetXmitOneCollision(DWORD* pdwCount) {
    return QueryDwordStatus(OID_802_3_XMIT_ONE_COLLISION, pdwCount);
}

int CNdis51Adapter::GetXmitMoreCollisions(DWORD* pdwCount) {
    return QueryDwordStatus(OID_802_3_XMIT_MORE_COLLISIONS, pdwCount);
}

int CNdis51Adapter::GetPhysicalMedium(DWORD* pdwMedium) {
    return QueryDwordStatus(OID_GEN_PHYSICAL_MEDIUM, pdwMedium);
}

BOOL CNdis51Adapter::QueryOidString(DWORD dwOid, std::string* pstrValue) {
    pstrValue->clear();
    BYTE abBuffer[QUERY_OID_VALUE_BUFFER_BYTES] = {};
    DWORD cbReturned = 0;
    if (QueryOid(dwOid, abBuffer, sizeof(abBuffer), &cbReturned) != ERROR_SUCCESS) {
        return FALSE;
    }
    // The data after the OID, up to its first zero byte; a full buffer has no room for a terminator
    // and ends at its last byte.
    if (cbReturned > NDIS_OID_BYTES) {
        const char* pszData = reinterpret_cast<const char*>(abBuffer + NDIS_OID_BYTES);
        pstrValue->assign(pszData, std::find(pszData, pszData + (cbReturned - NDIS_OID_BYTES), '\0'));
    }
    return TRUE;
}

BOOL CNdis51Adapter::QueryOidDword(DWORD dwOid, DWORD* pdwValue) {
    *pdwValue = 0;
    BYTE abBuffer[QUERY_OID_VALUE_BUFFER_BYTES] = {};
    DWORD cbReturned = 0;
    if (QueryOid(dwOid, abBuffer, sizeof(abBuffer), &cbReturned) != ERROR_SUCCESS) {
        return FALSE;
    }
    *pdwValue = ReadNdisDword(abBuffer + NDIS_OID_BYTES);
    return TRUE;
}

int CNdis51Adapter::SetScanCallback(SCAN_NOTIFICATION_CALLBACK /*pfnCallback*/, void* /*pContext*/) {
    return 0;
}

std::string CNdis51Adapter::GetName() const {
    return "NDIS51";
}
