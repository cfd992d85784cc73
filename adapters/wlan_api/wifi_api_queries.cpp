// The native back end's single-value queries: the association queries read the interface's
// current connection, the error counters its statistics, the medium its capability record.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "adapters/wlan_api/wifi_api_adapter.h"
#include "adapters/wlan_api/wifi_api_library.h"

namespace {

constexpr int BSS_SSID_BUFFER = 33;
constexpr DWORD QUALITY_MAX = 100;
constexpr short CHANNEL_MAX = 1000;
constexpr DWORD BSS_TYPE_MAX = 50;

int MapQueryError(DWORD dwError) {
    return dwError == ERROR_INVALID_STATE ? QUERY_FAILED : QUERY_NOT_SUPPORTED;
}

// Text of at most nMax bytes, up to the first zero byte.
std::string TextUpToZero(const BYTE* pb, std::size_t nMax) {
    const BYTE* pbEnd = std::find(pb, pb + nMax, 0);
    return std::string(reinterpret_cast<const char*>(pb), reinterpret_cast<const char*>(pbEnd));
}

// The SSID of a DOT11_SSID at pb: the length is the driver's, cut to the 32 bytes the record holds.
std::string ReadSsid(const BYTE* pb) {
    const ULONG ulLength =
        std::min(ReadAt<ULONG>(pb, offsetof(DOT11_SSID, uSSIDLength)), DOT11_SSID_MAX_LENGTH);
    BYTE abSsid[BSS_SSID_BUFFER] = {};
    std::memcpy(abSsid, pb + offsetof(DOT11_SSID, ucSSID), ulLength);
    return TextUpToZero(abSsid, DOT11_SSID_MAX_LENGTH);
}

DWORD SecurityFromCipher(DWORD dwCipher) {
    switch (dwCipher) {
        case 0x00:
            return SECURITY_CLEAR;
        case 0x01:   // WEP-40
        case 0x05:   // WEP-104
        case 0x101:  // WEP
            return SECURITY_WEP;
        case 0x02:   // TKIP
        case 0x100:  // WPA/RSN use group
            return SECURITY_WPA;
        case 0x04:  // CCMP
            return SECURITY_WPA2;
        default:
            return SECURITY_UNKNOWN;
    }
}

}  // namespace

int CWiFiApiAdapter::QueryInterface(DWORD dwOpcode, std::vector<BYTE>* pabData) {
    pabData->clear();
    if (WlanApi().pfnQueryInterface == nullptr || WlanApi().pfnFreeMemory == nullptr) {
        return MapQueryError(ERROR_PROC_NOT_FOUND);
    }
    DWORD cbData = 0;
    void* pData = nullptr;
    const DWORD dwError =
        WlanApi().pfnQueryInterface(m_hDevice, &m_guidInterface, dwOpcode, nullptr, &cbData, &pData, nullptr);
    if (dwError == ERROR_SUCCESS && pData != nullptr) {
        const BYTE* pb = static_cast<const BYTE*>(pData);
        pabData->assign(pb, pb + cbData);
    }
    FreeWlanMemory(pData);
    if (dwError != ERROR_SUCCESS) {
        return MapQueryError(dwError);
    }
    return pData != nullptr ? QUERY_OK : QUERY_BAD_SIZE;
}

int CWiFiApiAdapter::QueryConnection(std::vector<BYTE>* pabData) {
    const int nStatus = QueryInterface(wlan_intf_opcode_current_connection, pabData);
    if (nStatus == QUERY_OK && pabData->size() != wlan_layout::CONNECTION_SIZE) {
        return QUERY_BAD_SIZE;
    }
    return nStatus;
}

namespace {
constexpr std::size_t ASSOCIATION = wlan_layout::CONNECTION_ASSOCIATION;
constexpr std::size_t ASSOC_SSID = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Ssid);
constexpr std::size_t ASSOC_BSS_TYPE = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11BssType);
constexpr std::size_t ASSOC_BSSID = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, dot11Bssid);
constexpr std::size_t ASSOC_QUALITY = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, wlanSignalQuality);
constexpr std::size_t ASSOC_RX_RATE = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, ulRxRate);
constexpr std::size_t ASSOC_TX_RATE = ASSOCIATION + offsetof(WLAN_ASSOCIATION_ATTRIBUTES, ulTxRate);
constexpr std::size_t SECURITY_CIPHER =
    wlan_layout::CONNECTION_SECURITY + offsetof(WLAN_SECURITY_ATTRIBUTES, dot11CipherAlgorithm);
}  // namespace

int CWiFiApiAdapter::GetSignal(short* pnQuality, short* pnSignalDbm, short* pnNoiseDbm) {
    *pnQuality = 0;
    *pnSignalDbm = -100;
    *pnNoiseDbm = NOISE_FLOOR_DBM;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    const LONG lQuality = ReadAt<LONG>(ab.data(), ASSOC_QUALITY);
    if (lQuality < 0 || lQuality > static_cast<LONG>(QUALITY_MAX)) {
        *pnSignalDbm = static_cast<short>(lQuality);
        return QUERY_OUT_OF_RANGE;
    }
    *pnSignalDbm = static_cast<short>((lQuality + 1) / 2 - 100);
    *pnQuality = static_cast<short>(*pnSignalDbm + 100);
    *pnNoiseDbm = NOISE_FLOOR_DBM;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetChannel(short* pnChannel) {
    *pnChannel = -1;
    std::vector<BYTE> ab;
    int nStatus = QueryInterface(wlan_intf_opcode_channel_number, &ab);
    if (nStatus == QUERY_OK && ab.size() != sizeof(ULONG)) {
        nStatus = QUERY_BAD_SIZE;
    }
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    *pnChannel = static_cast<short>(ReadAt<ULONG>(ab.data(), 0));
    return (*pnChannel < 0 || *pnChannel > CHANNEL_MAX) ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CWiFiApiAdapter::GetBssid(BYTE abBssid[BSSID_LENGTH]) {
    std::memset(abBssid, 0, BSSID_LENGTH);
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus == QUERY_OK) {
        std::memcpy(abBssid, ab.data() + ASSOC_BSSID, BSSID_LENGTH);
    }
    return nStatus;
}

int CWiFiApiAdapter::GetSsid(std::string* pstrSsid) {
    pstrSsid->clear();
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus == QUERY_OK) {
        *pstrSsid = ReadSsid(ab.data() + ASSOC_SSID);
    }
    return nStatus;
}

int CWiFiApiAdapter::GetRate(short* pnRateMbps) {
    *pnRateMbps = 0;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    // kbit/s to Mbit/s, rounded; the receive rate unless it is missing.
    DWORD dwRate = (ReadAt<ULONG>(ab.data(), ASSOC_RX_RATE) + 500) / 1000;
    if (static_cast<short>(dwRate) <= 0) {
        dwRate = (ReadAt<ULONG>(ab.data(), ASSOC_TX_RATE) + 500) / 1000;
    }
    *pnRateMbps = static_cast<short>(dwRate);
    return *pnRateMbps < 0 ? QUERY_OUT_OF_RANGE : QUERY_OK;
}

int CWiFiApiAdapter::GetSecurity(DWORD* pdwCode) {
    *pdwCode = VALUE_NOT_READ;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus == QUERY_OK) {
        *pdwCode = SecurityFromCipher(ReadAt<DWORD>(ab.data(), SECURITY_CIPHER));
    }
    return nStatus;
}

int CWiFiApiAdapter::GetInfrastructureMode(DWORD* pdwMode) {
    *pdwMode = VALUE_NOT_READ;
    std::vector<BYTE> ab;
    const int nStatus = QueryConnection(&ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    const DWORD dwBssType = ReadAt<DWORD>(ab.data(), ASSOC_BSS_TYPE);
    if (dwBssType > BSS_TYPE_MAX) {
        return QUERY_OUT_OF_RANGE;
    }
    *pdwMode = dwBssType == dot11_BSS_type_infrastructure ? MODE_INFRASTRUCTURE : MODE_AD_HOC;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetXmitErrors(DWORD* pdwCount) {
    *pdwCount = 0;
    m_dwTxFailed = 0;
    m_dwErrors = 0;
    m_dwRetries = 0;
    m_dwMultiRetries = 0;
    std::vector<BYTE> ab;
    const int nStatus = QueryInterface(wlan_intf_opcode_statistics, &ab);
    if (nStatus != QUERY_OK) {
        return nStatus;
    }
    using namespace wlan_layout;
    if (ab.size() < STATISTICS_HEADER) {
        return QUERY_BAD_SIZE;
    }
    // The expected size is worked out in 64 bits: a PHY count chosen so that 224 + 144 x count wraps
    // to the size delivered must not pass the check.
    const unsigned long long qwPhys = ReadAt<DWORD>(ab.data(), offsetof(WLAN_STATISTICS, dwNumberOfPhys));
    if (STATISTICS_HEADER + PHY_STATISTICS_SIZE * qwPhys != ab.size()) {
        return QUERY_BAD_SIZE;
    }
    for (std::size_t i = 0; i < qwPhys; ++i) {
        const BYTE* pbPhy = ab.data() + STATISTICS_HEADER + PHY_STATISTICS_SIZE * i;
        auto low = [pbPhy](std::size_t nOffset) {
            return static_cast<DWORD>(ReadAt<ULONGLONG>(pbPhy, nOffset));
        };
        m_dwTxFailed += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullFailedCount));
        m_dwErrors += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullRTSFailureCount)) +
                      low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullACKFailureCount)) +
                      low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullMaxRXLifetimeExceededCount)) +
                      low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullFCSErrorCount));
        m_dwRetries += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullRetryCount));
        m_dwMultiRetries += low(offsetof(WLAN_PHY_FRAME_STATISTICS, ullMultipleRetryCount));
    }
    *pdwCount = m_dwTxFailed;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetRcvErrors(DWORD* pdwCount) {
    *pdwCount = m_dwErrors;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetRcvAlignmentErrors(DWORD* pdwCount) {
    *pdwCount = 0;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetXmitOneCollision(DWORD* pdwCount) {
    *pdwCount = m_dwRetries;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetXmitMoreCollisions(DWORD* pdwCount) {
    *pdwCount = m_dwMultiRetries;
    return QUERY_OK;
}

int CWiFiApiAdapter::GetPhysicalMedium(DWORD* pdwMedium) {
    *pdwMedium = 0;
    if (WlanApi().pfnGetInterfaceCapability == nullptr || WlanApi().pfnFreeMemory == nullptr) {
        return QUERY_NOT_SUPPORTED;
    }
    WLAN_INTERFACE_CAPABILITY* pCapability = nullptr;
    if (WlanApi().pfnGetInterfaceCapability(m_hDevice, &m_guidInterface, nullptr, &pCapability) !=
            ERROR_SUCCESS ||
        pCapability == nullptr) {
        FreeWlanMemory(pCapability);
        return QUERY_NOT_SUPPORTED;
    }
    const DWORD dwType = ReadAt<DWORD>(reinterpret_cast<const BYTE*>(pCapability),
                                       offsetof(WLAN_INTERFACE_CAPABILITY, interfaceType));
    if (dwType == wlan_interface_type_emulated_802_11) {
        *pdwMedium = PHYSICAL_MEDIUM_WIRELESS_LAN;
    } else if (dwType == wlan_interface_type_native_802_11) {
        *pdwMedium = PHYSICAL_MEDIUM_NATIVE_802_11;
    }
    FreeWlanMemory(pCapability);
    return QUERY_OK;
}
