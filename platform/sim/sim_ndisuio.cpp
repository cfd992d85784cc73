#include "platform/sim/sim_ndisuio.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/service_control.h"
#include "platform/sim/sim_devices.h"
#include "platform/sim/sim_ndisuio_file.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_text.h"

namespace {

// The names under which the control device is reached: as programs spell it, and the plain path.
const char* const DEVICE_NAMES[] = {"\\\\.\\\\Ndisuio", "\\\\.\\Ndisuio"};

constexpr DWORD FILE_DEVICE_NETWORK = 0x12;
constexpr DWORD FN_OPEN_DEVICE = 0x200;
constexpr DWORD FN_QUERY_OID = 0x201;
constexpr DWORD FN_QUERY_BINDING = 0x203;
constexpr DWORD FN_BIND_WAIT = 0x204;
constexpr DWORD FN_SET_OID = 0x205;
constexpr DWORD ACCESS_NONE = 0;
constexpr DWORD ACCESS_READ_WRITE = 3;
constexpr DWORD ERROR_DEVICE_NOT_CONNECTED = 1167;

constexpr DWORD OID_BSSID = 0x0D010101;
constexpr DWORD OID_SSID = 0x0D010102;
constexpr DWORD OID_INFRASTRUCTURE_MODE = 0x0D010108;
constexpr DWORD OID_BSSID_LIST_SCAN = 0x0D01011A;
constexpr DWORD OID_WEP_STATUS = 0x0D01011B;
constexpr DWORD OID_RSSI = 0x0D010206;
constexpr DWORD OID_CONFIGURATION = 0x0D010211;
constexpr DWORD OID_BSSID_LIST = 0x0D010217;
constexpr DWORD OID_LINK_SPEED = 0x00010107;
constexpr DWORD OID_PHYSICAL_MEDIUM = 0x00010202;
constexpr DWORD OID_802_11_CLASS = 0x0D000000;
constexpr DWORD OID_CLASS_MASK = 0xFF000000;
const DWORD STATISTICS_OIDS[] = {0x00020103, 0x00020104, 0x01020101, 0x01020102, 0x01020103};

// NDIS_WLAN_BSSID_EX.
constexpr std::size_t ENTRY_FIXED_BYTES = 116;
constexpr std::size_t ENTRY_SSID_BYTES = 32;
constexpr std::size_t ENTRY_RATE_BYTES = 16;
constexpr std::size_t OLD_ENTRY_BYTES = 104;  // NDIS_WLAN_BSSID
constexpr std::size_t OLD_ENTRY_RATE_BYTES = 8;
constexpr BYTE ELEMENT_SSID = 0;
constexpr BYTE ELEMENT_RATES = 1;
constexpr BYTE ELEMENT_DS_PARAMETERS = 3;
constexpr BYTE ELEMENT_RSN = 0x30;
constexpr BYTE ELEMENT_AP_NAME = 0x85;
constexpr BYTE ELEMENT_VENDOR = 0xDD;
constexpr std::size_t AP_NAME_BODY_BYTES = 30;  // 10 bytes, the 16-byte name, 4 bytes
constexpr std::size_t AP_NAME_OFFSET = 10;
constexpr std::size_t AP_NAME_BYTES = 16;

void Put32(std::vector<BYTE>& ab, std::size_t nPos, DWORD dw) {
    for (int i = 0; i < 4; ++i) {
        ab[nPos + i] = static_cast<BYTE>(dw >> (8 * i));
    }
}

void Append32(std::vector<BYTE>& ab, DWORD dw) {
    ab.resize(ab.size() + 4);
    Put32(ab, ab.size() - 4, dw);
}

void AppendElement(std::vector<BYTE>& ab, BYTE bId, const std::vector<BYTE>& abBody) {
    ab.push_back(bId);
    ab.push_back(static_cast<BYTE>(abBody.size()));
    ab.insert(ab.end(), abBody.begin(), abBody.end());
}

std::vector<BYTE> RsnBody(const std::vector<BYTE>& abCiphers) {
    std::vector<BYTE> ab = {1, 0, 0x00, 0x0F, 0xAC, abCiphers.front()};  // version, group suite
    ab.push_back(static_cast<BYTE>(abCiphers.size()));
    ab.push_back(0);
    for (BYTE bType : abCiphers) {
        ab.insert(ab.end(), {0x00, 0x0F, 0xAC, bType});
    }
    ab.insert(ab.end(), {1, 0, 0x00, 0x0F, 0xAC, 2, 0, 0});  // one PSK key management suite, capabilities
    return ab;
}

std::vector<BYTE> WpaBody() {
    return {0x00, 0x50, 0xF2, 0x01, 1, 0, 0x00, 0x50, 0xF2, 2,    1,
            0,    0x00, 0x50, 0xF2, 2, 1, 0,    0x00, 0x50, 0xF2, 2};
}

std::vector<BYTE> ApNameBody(const std::string& strName) {
    std::vector<BYTE> ab(AP_NAME_BODY_BYTES, 0);
    std::copy_n(strName.begin(), std::min(strName.size(), AP_NAME_BYTES), ab.begin() + AP_NAME_OFFSET);
    return ab;
}

// Timestamp, beacon interval, capability; then SSID, rates, DS parameters, the AP name, RSN, WPA, and
// a WMM element last, as access points send them.
std::vector<BYTE> ElementsOf(const CSimAccessPoint& ap, const std::vector<BYTE>& abRates) {
    std::vector<BYTE> ab(12, 0);
    ab[8] = 100;  // beacon interval, TU
    ab[10] = static_cast<BYTE>((ap.dwMode == 0 ? 0x02 : 0x01) | (ap.bPrivacy ? 0x10 : 0));
    if (ap.abRawElements) {
        ab.insert(ab.end(), ap.abRawElements->begin(), ap.abRawElements->end());
        return ab;
    }
    AppendElement(ab, ELEMENT_SSID,
                  std::vector<BYTE>(ap.strSsid.begin(),
                                    ap.strSsid.begin() + std::min<std::size_t>(ap.strSsid.size(), 32)));
    AppendElement(
        ab, ELEMENT_RATES,
        std::vector<BYTE>(abRates.begin(), abRates.begin() + std::min<std::size_t>(abRates.size(), 8)));
    if (ap.dwDsConfig >= 2412000 && ap.dwDsConfig <= 2484000) {
        const BYTE bChannel =
            ap.dwDsConfig == 2484000 ? 14 : static_cast<BYTE>((ap.dwDsConfig - 2412000) / 5000 + 1);
        AppendElement(ab, ELEMENT_DS_PARAMETERS, {bChannel});
    }
    if (!ap.strApName.empty()) {
        AppendElement(ab, ELEMENT_AP_NAME, ApNameBody(ap.strApName));
    }
    if (!ap.abRsnCiphers.empty()) {
        AppendElement(ab, ELEMENT_RSN, RsnBody(ap.abRsnCiphers));
    }
    if (ap.bWpa) {
        AppendElement(ab, ELEMENT_VENDOR, WpaBody());
    }
    AppendElement(ab, ELEMENT_VENDOR, {0x00, 0x50, 0xF2, 0x02, 0x00, 0x01, 0x00});  // WMM information
    return ab;
}

// NDIS_802_11_NETWORK_TYPE of the frequency.
DWORD NetworkTypeOf(DWORD dwKhz) {
    return dwKhz >= 5000000 ? 2 /* OFDM5 */ : 3 /* OFDM24 */;
}

void AppendUtf16(std::vector<BYTE>& ab, const std::u16string& wstr) {
    for (char16_t wch : wstr) {
        ab.push_back(static_cast<BYTE>(wch));
        ab.push_back(static_cast<BYTE>(wch >> 8));
    }
    ab.push_back(0);
    ab.push_back(0);
}

bool EqualNameNoCase(const std::u16string& wstrA, const std::u16string& wstrB) {
    auto lower = [](char16_t wch) {
        return wch >= u'A' && wch <= u'Z' ? static_cast<char16_t>(wch + 32) : wch;
    };
    return wstrA.size() == wstrB.size() &&
           std::equal(wstrA.begin(), wstrA.end(), wstrB.begin(),
                      [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

const DWORD* FindOid(const std::vector<std::pair<DWORD, DWORD>>& aMap, DWORD dwOid) {
    for (const auto& item : aMap) {
        if (item.first == dwOid) {
            return &item.second;
        }
    }
    return nullptr;
}

// NDISUIO_QUERY_BINDING: the header, then the name and the description, each UTF-16 with its
// terminator counted in its length.
std::vector<BYTE> BindingRecord(DWORD dwIndex, const CSimNdisBinding& binding) {
    std::vector<BYTE> ab(20, 0);
    const DWORD dwNameOffset = static_cast<DWORD>(ab.size());
    AppendUtf16(ab, SimUtf8ToUtf16(binding.strName));
    const DWORD dwDescrOffset = static_cast<DWORD>(ab.size());
    AppendUtf16(ab, SimUtf8ToUtf16(binding.strDescription));
    Put32(ab, 0, dwIndex);
    Put32(ab, 4, binding.dwNameOffset.value_or(dwNameOffset));
    Put32(ab, 8, binding.dwNameLength.value_or(dwDescrOffset - dwNameOffset));
    Put32(ab, 12, binding.dwDescrOffset.value_or(dwDescrOffset));
    Put32(ab, 16, binding.dwDescrLength.value_or(static_cast<DWORD>(ab.size()) - dwDescrOffset));
    return ab;
}

}  // namespace

std::vector<BYTE> BuildSimBssEntry(const CSimAccessPoint& ap) {
    const std::vector<BYTE> abElements = ap.bOldLayout ? std::vector<BYTE>() : ElementsOf(ap, ap.abRates);
    std::vector<BYTE> ab(ap.bOldLayout ? OLD_ENTRY_BYTES : ENTRY_FIXED_BYTES, 0);
    ab.insert(ab.end(), abElements.begin(), abElements.end());
    ab.resize((ab.size() + 3) & ~std::size_t{3});  // entries keep 4-byte alignment
    Put32(ab, 0, ap.dwLength.value_or(static_cast<DWORD>(ab.size())));
    std::copy_n(ap.abBssid, 6, ab.begin() + 4);
    const std::size_t cbSsid = std::min(ap.strSsid.size(), ENTRY_SSID_BYTES);
    Put32(ab, 12, ap.dwSsidLength.value_or(static_cast<DWORD>(cbSsid)));
    std::copy_n(ap.strSsid.begin(), cbSsid, ab.begin() + 16);
    Put32(ab, 48, ap.bPrivacy ? 1 : 0);
    Put32(ab, 52, static_cast<DWORD>(ap.nRssi));
    Put32(ab, 56, NetworkTypeOf(ap.dwDsConfig));
    Put32(ab, 60, 32);  // NDIS_802_11_CONFIGURATION.Length
    Put32(ab, 64, 100);
    Put32(ab, 72, ap.dwDsConfig);
    Put32(ab, 76, 16);  // FHConfig.Length
    Put32(ab, 92, ap.dwMode);
    const std::size_t cbRates = ap.bOldLayout ? OLD_ENTRY_RATE_BYTES : ENTRY_RATE_BYTES;
    std::copy_n(ap.abRates.begin(), std::min(ap.abRates.size(), cbRates), ab.begin() + 96);
    if (!ap.bOldLayout) {
        Put32(ab, 112, ap.dwIeLength.value_or(static_cast<DWORD>(abElements.size())));
    }
    return ab;
}

std::vector<BYTE> BuildSimBssidList(const CSimNdisBinding& binding) {
    if (binding.abRawList) {
        return *binding.abRawList;
    }
    std::vector<BYTE> ab;
    Append32(ab, binding.dwNumberOfItems.value_or(static_cast<DWORD>(binding.aAccessPoints.size())));
    for (const CSimAccessPoint& ap : binding.aAccessPoints) {
        const std::vector<BYTE> abEntry = BuildSimBssEntry(ap);
        ab.insert(ab.end(), abEntry.begin(), abEntry.end());
    }
    return ab;
}

struct CSimNdisuio::CState {
    explicit CState(CSimServices& services) : services(services) {}

    CSimServices& services;
    std::mutex mutex;
    bool bPresent = false;
    CSimNdisuioConfig config;
    std::vector<bool> abBound;  // per binding: a handle has it open
    std::vector<CSimNdisCall> aCalls;

    bool IsHeld(const CSimNdisBinding& binding) {
        if (binding.strHeldBy.empty()) {
            return false;
        }
        const DWORD dwState = services.Status(binding.strHeldBy).dwCurrentState;
        return dwState != 0 && dwState != SERVICE_STOPPED;  // 0: no such service
    }

    bool AcceptsForm(DWORD dwAccess) const {
        if (config.strCodeForm == "access0") {
            return dwAccess == ACCESS_NONE;
        }
        if (config.strCodeForm == "readWrite") {
            return dwAccess == ACCESS_READ_WRITE;
        }
        return dwAccess == ACCESS_NONE || dwAccess == ACCESS_READ_WRITE;
    }

    // The data of an OID answer (after the OID), or the error.
    DWORD AnswerOid(const CSimNdisBinding& binding, DWORD dwOid, std::vector<BYTE>* pabData) {
        if (const DWORD* pdwError = FindOid(binding.aOidErrors, dwOid)) {
            return *pdwError;
        }
        if ((dwOid & OID_CLASS_MASK) == OID_802_11_CLASS && !binding.bWireless) {
            return ERROR_NOT_SUPPORTED;
        }
        auto dword = [pabData](DWORD dw) {
            Append32(*pabData, dw);
            return ERROR_SUCCESS;
        };
        switch (dwOid) {
            case OID_BSSID:
                if (!binding.bAssociated) {
                    return ERROR_GEN_FAILURE;
                }
                pabData->assign(binding.abAssocBssid, binding.abAssocBssid + 6);
                return ERROR_SUCCESS;
            case OID_SSID: {
                if (!binding.bAssociated) {
                    return ERROR_GEN_FAILURE;
                }
                const std::size_t cbSsid = std::min(binding.strAssocSsid.size(), ENTRY_SSID_BYTES);
                dword(binding.dwAssocSsidLength.value_or(static_cast<DWORD>(cbSsid)));
                pabData->resize(4 + ENTRY_SSID_BYTES, 0);
                std::copy_n(binding.strAssocSsid.begin(), cbSsid, pabData->begin() + 4);
                return ERROR_SUCCESS;
            }
            case OID_INFRASTRUCTURE_MODE:
                return dword(binding.dwInfrastructureMode);
            case OID_WEP_STATUS:
                return dword(binding.dwWepStatus);
            case OID_RSSI:
                return binding.bAssociated ? dword(static_cast<DWORD>(binding.nAssocRssi))
                                           : ERROR_GEN_FAILURE;
            case OID_CONFIGURATION:
                if (!binding.bAssociated) {
                    return ERROR_GEN_FAILURE;
                }
                for (DWORD dw : {32u, 100u, 0u, binding.dwAssocDsConfig, 16u, 0u, 0u, 0u}) {
                    dword(dw);
                }
                return ERROR_SUCCESS;
            case OID_BSSID_LIST:
                if (binding.bListAlwaysInsufficient) {
                    return ERROR_INSUFFICIENT_BUFFER;
                }
                *pabData = BuildSimBssidList(binding);
                return ERROR_SUCCESS;
            case OID_LINK_SPEED:
                return dword(binding.dwLinkSpeed);
            case OID_PHYSICAL_MEDIUM:
                return binding.dwMedium ? dword(*binding.dwMedium) : ERROR_NOT_SUPPORTED;
            default:
                break;
        }
        if (std::find(std::begin(STATISTICS_OIDS), std::end(STATISTICS_OIDS), dwOid) !=
            std::end(STATISTICS_OIDS)) {
            const DWORD* pdwValue = FindOid(binding.aCounters, dwOid);
            return dword(pdwValue != nullptr ? *pdwValue : 0);
        }
        return ERROR_NOT_SUPPORTED;
    }
};

class CSimNdisuio::CFile : public ISimDeviceFile {
public:
    explicit CFile(std::shared_ptr<CState> pState) : m_pState(std::move(pState)) {}
    ~CFile() override {
        std::lock_guard<std::mutex> guard(m_pState->mutex);
        Release();
    }

    DWORD Control(DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                  DWORD* pdwReturned) override {
        std::lock_guard<std::mutex> guard(m_pState->mutex);
        *pdwReturned = 0;
        // The request is read whole before anything is written: callers pass one buffer for both.
        const std::vector<BYTE> abIn(static_cast<const BYTE*>(pIn),
                                     static_cast<const BYTE*>(pIn) + (pIn ? cbIn : 0));
        DWORD dwOid = 0;
        const DWORD dwError =
            Dispatch(dwCode, abIn, static_cast<BYTE*>(pOut), pOut ? cbOut : 0, pdwReturned, &dwOid);
        if (dwError != ERROR_SUCCESS && dwError != ERROR_MORE_DATA) {
            *pdwReturned = 0;
        }
        m_pState->aCalls.push_back({dwCode, dwOid, dwError, pOut ? cbOut : 0, *pdwReturned});
        return dwError;
    }

private:
    DWORD Dispatch(DWORD dwCode, const std::vector<BYTE>& abIn, BYTE* pbOut, DWORD cbOut, DWORD* pdwReturned,
                   DWORD* pdwOid) {
        CState& state = *m_pState;
        const DWORD dwDevice = dwCode >> 16;
        const DWORD dwAccess = (dwCode >> 14) & 3;
        const DWORD dwFunction = (dwCode >> 2) & 0xFFF;
        if (dwDevice != FILE_DEVICE_NETWORK || (dwCode & 3) != 0 || !state.AcceptsForm(dwAccess)) {
            return ERROR_NOT_SUPPORTED;  // not a code this driver knows
        }
        if ((dwFunction == FN_QUERY_OID || dwFunction == FN_SET_OID) && abIn.size() >= 4) {
            *pdwOid = ReadIn32(abIn, 0);
        }
        switch (dwFunction) {
            case FN_BIND_WAIT:
                return state.config.dwBindWaitError;
            case FN_QUERY_BINDING:
                return QueryBinding(abIn, pbOut, cbOut, pdwReturned);
            case FN_OPEN_DEVICE:
                return OpenDevice(abIn);
            case FN_QUERY_OID:
                return QueryOid(abIn, pbOut, cbOut, pdwReturned);
            case FN_SET_OID:
                return SetOid(abIn);
            default:
                return ERROR_NOT_SUPPORTED;
        }
    }

    static DWORD ReadIn32(const std::vector<BYTE>& ab, std::size_t nPos) {
        return ab[nPos] | (ab[nPos + 1] << 8) | (ab[nPos + 2] << 16) |
               (static_cast<DWORD>(ab[nPos + 3]) << 24);
    }

    DWORD QueryBinding(const std::vector<BYTE>& abIn, BYTE* pbOut, DWORD cbOut, DWORD* pdwReturned) {
        if (abIn.size() < 4) {
            return ERROR_INVALID_PARAMETER;
        }
        const DWORD dwIndex = ReadIn32(abIn, 0);
        if (dwIndex >= m_pState->config.aBindings.size()) {
            return ERROR_NO_MORE_ITEMS;
        }
        const std::vector<BYTE> abRecord = BindingRecord(dwIndex, m_pState->config.aBindings[dwIndex]);
        if (abRecord.size() > cbOut) {
            return ERROR_INSUFFICIENT_BUFFER;
        }
        std::copy(abRecord.begin(), abRecord.end(), pbOut);
        *pdwReturned = static_cast<DWORD>(abRecord.size());
        return ERROR_SUCCESS;
    }

    DWORD OpenDevice(const std::vector<BYTE>& abIn) {
        CState& state = *m_pState;
        if (m_nBound >= 0) {
            return ERROR_BUSY;  // this handle is bound already
        }
        std::u16string wstrName;
        for (std::size_t i = 0; i + 1 < abIn.size(); i += 2) {
            wstrName += static_cast<char16_t>(abIn[i] | (abIn[i + 1] << 8));
        }
        for (std::size_t i = 0; i < state.config.aBindings.size(); ++i) {
            const CSimNdisBinding& binding = state.config.aBindings[i];
            if (!EqualNameNoCase(SimUtf8ToUtf16(binding.strName), wstrName)) {
                continue;
            }
            if (binding.dwOpenError != 0) {
                return binding.dwOpenError;
            }
            state.abBound.resize(state.config.aBindings.size(), false);
            if (state.IsHeld(binding) || state.abBound[i]) {
                return ERROR_BUSY;
            }
            state.abBound[i] = true;
            m_nBound = static_cast<int>(i);
            return ERROR_SUCCESS;
        }
        return ERROR_FILE_NOT_FOUND;
    }

    const CSimNdisBinding* Bound() const {
        const auto& aBindings = m_pState->config.aBindings;
        return m_nBound >= 0 && static_cast<std::size_t>(m_nBound) < aBindings.size() ? &aBindings[m_nBound]
                                                                                      : nullptr;
    }

    // The adapter this handle opened and the OID of the request, or the error that refuses it.
    DWORD OidTarget(const std::vector<BYTE>& abIn, const CSimNdisBinding** ppBinding, DWORD* pdwOid) const {
        if (abIn.size() < 4) {
            return ERROR_INVALID_PARAMETER;
        }
        *ppBinding = Bound();
        if (*ppBinding == nullptr) {
            return ERROR_DEVICE_NOT_CONNECTED;
        }
        *pdwOid = ReadIn32(abIn, 0);
        return ERROR_SUCCESS;
    }

    DWORD QueryOid(const std::vector<BYTE>& abIn, BYTE* pbOut, DWORD cbOut, DWORD* pdwReturned) {
        const CSimNdisBinding* pBinding = nullptr;
        DWORD dwOid = 0;
        if (const DWORD dwRefused = OidTarget(abIn, &pBinding, &dwOid)) {
            return dwRefused;
        }
        std::vector<BYTE> abAnswer;
        Append32(abAnswer, dwOid);
        std::vector<BYTE> abData;
        const DWORD dwError = m_pState->AnswerOid(*pBinding, dwOid, &abData);
        if (dwError != ERROR_SUCCESS) {
            return dwError;
        }
        abAnswer.insert(abAnswer.end(), abData.begin(), abData.end());
        if (const DWORD* pcbStated = FindOid(pBinding->aReplyBytes, dwOid)) {
            abAnswer.resize(*pcbStated, 0);
        }
        if (abAnswer.size() > cbOut) {
            return ERROR_INSUFFICIENT_BUFFER;
        }
        std::copy(abAnswer.begin(), abAnswer.end(), pbOut);
        *pdwReturned = static_cast<DWORD>(abAnswer.size());
        return ERROR_SUCCESS;
    }

    DWORD SetOid(const std::vector<BYTE>& abIn) {
        const CSimNdisBinding* pBinding = nullptr;
        DWORD dwOid = 0;
        if (const DWORD dwRefused = OidTarget(abIn, &pBinding, &dwOid)) {
            return dwRefused;
        }
        if (const DWORD* pdwError = FindOid(pBinding->aOidErrors, dwOid)) {
            return *pdwError;
        }
        return dwOid == OID_BSSID_LIST_SCAN && pBinding->bWireless ? ERROR_SUCCESS : ERROR_NOT_SUPPORTED;
    }

    void Release() {
        if (m_nBound >= 0 && static_cast<std::size_t>(m_nBound) < m_pState->abBound.size()) {
            m_pState->abBound[m_nBound] = false;
        }
        m_nBound = -1;
    }

    std::shared_ptr<CState> m_pState;
    int m_nBound = -1;  // the binding this handle opened
};

CSimNdisuio::CSimNdisuio(CSimServices& services) : m_pState(std::make_shared<CState>(services)) {}

CSimNdisuio::~CSimNdisuio() = default;

void CSimNdisuio::Load(const CJsonNode& section) {
    section.ExpectObject({"present", "createError", "codeForm", "bindWaitError", "bindings"});
    CSimNdisuioConfig config;
    const bool bPresent = section.IsPresent() && section.GetBool("present", true);
    config.dwCreateError = section.GetDword("createError", 0);
    config.strCodeForm = section.GetEnum("codeForm", {"both", "access0", "readWrite"}, "both");
    config.dwBindWaitError = section.GetDword("bindWaitError", 0);
    section.Child("bindings").ForEachItem([&](const CJsonNode& item) {
        config.aBindings.push_back(SimParseNdisBinding(item));
    });
    std::lock_guard<std::mutex> guard(m_pState->mutex);
    m_pState->bPresent = bPresent;
    m_pState->config = std::move(config);
}

bool CSimNdisuio::IsPresent() const {
    std::lock_guard<std::mutex> guard(m_pState->mutex);
    return m_pState->bPresent;
}

void CSimNdisuio::Register(CSimDeviceIo& deviceIo) {
    if (!IsPresent()) {
        return;
    }
    std::weak_ptr<CState> pWeak = m_pState;
    for (const char* pszName : DEVICE_NAMES) {
        deviceIo.RegisterDevice(pszName,
                                [pWeak](DWORD, DWORD, DWORD, std::unique_ptr<ISimDeviceFile>* ppFile) {
                                    const std::shared_ptr<CState> pState = pWeak.lock();
                                    if (!pState) {
                                        return ERROR_FILE_NOT_FOUND;
                                    }
                                    {
                                        std::lock_guard<std::mutex> guard(pState->mutex);
                                        if (pState->config.dwCreateError != 0) {
                                            return pState->config.dwCreateError;
                                        }
                                    }
                                    *ppFile = std::make_unique<CFile>(pState);
                                    return ERROR_SUCCESS;
                                });
    }
}

void CSimNdisuio::Update(const std::function<void(CSimNdisuioConfig&)>& fn) {
    std::lock_guard<std::mutex> guard(m_pState->mutex);
    fn(m_pState->config);
}

std::vector<CSimNdisCall> CSimNdisuio::Calls() {
    std::lock_guard<std::mutex> guard(m_pState->mutex);
    return m_pState->aCalls;
}

void CSimNdisuio::ClearCalls() {
    std::lock_guard<std::mutex> guard(m_pState->mutex);
    m_pState->aCalls.clear();
}
