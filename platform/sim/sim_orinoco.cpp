#include "platform/sim/sim_orinoco.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD IOCTL_NDIS_QUERY_GLOBAL_STATS = 0x00170002;
constexpr DWORD OID_PRIVATE = 0xFF020401;
constexpr DWORD ERROR_INVALID_FUNCTION = 1;

constexpr DWORD HEADER_SIZE = 12;
constexpr WORD FUNCTION_PORT = 0x45;
constexpr WORD FUNCTION_RECORD = 0;
constexpr WORD COMMAND_OPEN = 0;
constexpr WORD COMMAND_CLOSE = 1;
constexpr WORD COMMAND_SCAN = 2;
constexpr WORD COMMAND_READ = 4;
constexpr WORD STATUS_OK = 0;
constexpr WORD STATUS_BUSY = 0x44;
constexpr WORD STATUS_REFUSED = 0x80;  // wrong port, unknown record or command, not associated

constexpr WORD RID_SSID = 0xFD41;
constexpr WORD RID_BSSID = 0xFD42;
constexpr WORD RID_SIGNAL = 0xFD43;
constexpr WORD RID_RATE = 0xFD44;
constexpr WORD RID_CHANNEL = 0xFDC1;
constexpr WORD RID_SCAN_RESULTS = 0x0820;
constexpr WORD SCAN_RECORD_TYPE = 0xF101;
constexpr DWORD SCAN_ENTRY_SIZE = 50;
constexpr DWORD SSID_FIELD = 32;

void PutWord(std::vector<BYTE>* pab, WORD w) {
    pab->push_back(static_cast<BYTE>(w & 0xFF));
    pab->push_back(static_cast<BYTE>(w >> 8));
}

void PutWordAt(BYTE* pb, std::size_t nOffset, WORD w) {
    pb[nOffset] = static_cast<BYTE>(w & 0xFF);
    pb[nOffset + 1] = static_cast<BYTE>(w >> 8);
}

WORD GetWordAt(const BYTE* pb, std::size_t nOffset) {
    return static_cast<WORD>(pb[nOffset] | (pb[nOffset + 1] << 8));
}

// The SSID length field and 32 bytes of SSID, as the SSID record and each scan entry hold them.
void PutSsid(std::vector<BYTE>* pab, const std::string& strSsid, int nLength) {
    PutWord(pab, static_cast<WORD>(nLength >= 0 ? nLength : static_cast<int>(strSsid.size())));
    for (DWORD i = 0; i < SSID_FIELD; ++i) {
        pab->push_back(i < strSsid.size() ? static_cast<BYTE>(strSsid[i]) : 0);
    }
}

std::vector<BYTE> ScanEntry(const CSimOrinocoAccessPoint& ap) {
    std::vector<BYTE> ab;
    PutWord(&ab, ap.wChannel);
    PutWord(&ab, ap.wNoiseLevel);
    PutWord(&ab, ap.wSignalLevel);
    ab.insert(ab.end(), ap.abBssid, ap.abBssid + 6);
    PutWord(&ab, ap.wBeaconInterval);
    PutWord(&ab, static_cast<WORD>((ap.bInfrastructure ? 0x0001 : 0) | (ap.bPrivacy ? 0x0010 : 0)));
    PutSsid(&ab, ap.strSsid, ap.nSsidLength);
    return ab;
}

WORD GetWord(const CJsonNode& node, const char* pszKey, WORD wDefault) {
    const DWORD dw = node.GetDword(pszKey, wDefault);
    if (dw > 0xFFFF) {
        node.Child(pszKey).Fail("expected an integer from 0 to 65535");
    }
    return static_cast<WORD>(dw);
}

int GetOptional(const CJsonNode& node, const char* pszKey, DWORD dwMax) {
    if (!node.Has(pszKey)) {
        return -1;
    }
    const DWORD dw = node.GetDword(pszKey, 0);
    if (dw > dwMax) {
        node.Child(pszKey).Fail("expected an integer from 0 to " + std::to_string(dwMax));
    }
    return static_cast<int>(dw);
}

// "00:02:2D:4A:10:01" (or with '-').
void GetBssid(const CJsonNode& node, const char* pszKey, BYTE abBssid[6]) {
    if (!node.Has(pszKey)) {
        return;
    }
    const std::string str = node.Child(pszKey).AsString();
    bool bValid = str.size() == 17;
    for (std::size_t i = 0; bValid && i < 6; ++i) {
        const std::string strByte = str.substr(i * 3, 2);
        char* pszEnd = nullptr;
        const unsigned long ul = std::strtoul(strByte.c_str(), &pszEnd, 16);
        bValid = pszEnd == strByte.c_str() + 2 && std::isxdigit(static_cast<unsigned char>(strByte[0])) &&
                 (i == 5 || str[i * 3 + 2] == ':' || str[i * 3 + 2] == '-');
        abBssid[i] = static_cast<BYTE>(ul);
    }
    if (!bValid) {
        node.Child(pszKey).Fail("expected a MAC address such as 00:02:2D:4A:10:01");
    }
}

// "0xFD43" or a decimal number, as a member name.
DWORD ParseNumberName(const CJsonNode& node, const std::string& strName, DWORD dwMax) {
    char* pszEnd = nullptr;
    const unsigned long long ull = std::strtoull(strName.c_str(), &pszEnd, 0);
    if (strName.empty() || !std::isdigit(static_cast<unsigned char>(strName[0])) || *pszEnd != '\0' ||
        ull > dwMax) {
        node.Fail("expected a number such as 0x" + std::string(dwMax > 0xFFFF ? "00010202" : "FD43") +
                  " up to " + std::to_string(dwMax));
    }
    return static_cast<DWORD>(ull);
}

CSimOrinocoAccessPoint ReadAccessPoint(const CJsonNode& node) {
    node.ExpectObject({"ssid", "bssid", "channel", "signalLevel", "noiseLevel", "beaconInterval", "privacy",
                       "infrastructure", "ssidLength"});
    CSimOrinocoAccessPoint ap;
    ap.strSsid = node.GetString("ssid", "");
    GetBssid(node, "bssid", ap.abBssid);
    ap.wChannel = GetWord(node, "channel", ap.wChannel);
    ap.wSignalLevel = GetWord(node, "signalLevel", ap.wSignalLevel);
    ap.wNoiseLevel = GetWord(node, "noiseLevel", ap.wNoiseLevel);
    ap.wBeaconInterval = GetWord(node, "beaconInterval", ap.wBeaconInterval);
    ap.bPrivacy = node.GetBool("privacy", ap.bPrivacy);
    ap.bInfrastructure = node.GetBool("infrastructure", ap.bInfrastructure);
    ap.nSsidLength = GetOptional(node, "ssidLength", 0xFFFF);
    return ap;
}

CSimOrinocoFault ReadFault(const CJsonNode& node) {
    node.ExpectObject({"error", "status", "dataBytes", "recordType", "extraBytes", "claimBytes"});
    CSimOrinocoFault fault;
    fault.dwError = node.GetDword("error", 0);
    fault.nStatus = GetOptional(node, "status", 0xFFFF);
    fault.nDataBytes = GetOptional(node, "dataBytes", 0x10000);
    fault.nRecordType = GetOptional(node, "recordType", 0xFFFF);
    fault.dwExtraBytes =
        static_cast<DWORD>(std::max(GetOptional(node, "extraBytes", SCAN_ENTRY_SIZE - 1), 0));
    if (node.Has("claimBytes")) {
        fault.llClaimBytes = node.GetDword("claimBytes", 0);
    }
    return fault;
}

}  // namespace

struct CSimOrinoco::CCard {
    std::mutex mutex;
    CSimOrinocoConfig config;
    CSimOrinocoLog log;
    DWORD dwBusyLeft = 0;
};

namespace {

// One open handle of the card's device; the port belongs to the handle that opened it.
class COrinocoFile : public ISimDeviceFile {
public:
    explicit COrinocoFile(std::shared_ptr<CSimOrinoco::CCard> pCard) : m_pCard(std::move(pCard)) {}

    DWORD Control(DWORD dwCode, const void* pIn, DWORD cbIn, void* pOut, DWORD cbOut,
                  DWORD* pdwReturned) override {
        *pdwReturned = 0;
        if (dwCode != IOCTL_NDIS_QUERY_GLOBAL_STATS) {
            return ERROR_INVALID_FUNCTION;
        }
        if (pIn == nullptr || cbIn < sizeof(DWORD) || (pOut == nullptr && cbOut > 0)) {
            return ERROR_INVALID_PARAMETER;
        }
        DWORD dwOid = 0;
        std::memcpy(&dwOid, pIn, sizeof(dwOid));
        std::lock_guard<std::mutex> guard(m_pCard->mutex);
        if (dwOid != OID_PRIVATE) {
            return QueryOid(dwOid, static_cast<BYTE*>(pOut), cbOut, pdwReturned);
        }
        if (cbOut < HEADER_SIZE) {
            return ERROR_INSUFFICIENT_BUFFER;
        }
        return Private(static_cast<BYTE*>(pOut), cbOut, pdwReturned);
    }

private:
    DWORD QueryOid(DWORD dwOid, BYTE* pbOut, DWORD cbOut, DWORD* pdwReturned) {
        const auto it = m_pCard->config.oids.find(dwOid);
        if (it == m_pCard->config.oids.end()) {
            return ERROR_NOT_SUPPORTED;
        }
        if (cbOut < it->second.size()) {
            return ERROR_INSUFFICIENT_BUFFER;
        }
        std::copy(it->second.begin(), it->second.end(), pbOut);
        *pdwReturned = static_cast<DWORD>(it->second.size());
        return ERROR_SUCCESS;
    }

    // Answers with the header only and the given status.
    DWORD Status(BYTE* pbOut, WORD wStatus, DWORD* pdwReturned) {
        PutWordAt(pbOut, 4, wStatus);
        *pdwReturned = HEADER_SIZE;
        return ERROR_SUCCESS;
    }

    DWORD Private(BYTE* pbOut, DWORD cbOut, DWORD* pdwReturned) {
        const CSimOrinocoConfig& config = m_pCard->config;
        DWORD dwPort = 0;
        std::memcpy(&dwPort, pbOut, sizeof(dwPort));
        const WORD wFunction = GetWordAt(pbOut, 4);
        const WORD wCommand = GetWordAt(pbOut, 6);
        const WORD wLength = GetWordAt(pbOut, 8);
        const WORD wRid = GetWordAt(pbOut, 10);
        const bool bOpenRequest = wFunction == FUNCTION_PORT && wCommand == COMMAND_OPEN;
        const auto itFault = config.faults.find(bOpenRequest ? 0 : wRid);
        const CSimOrinocoFault* pFault = itFault != config.faults.end() ? &itFault->second : nullptr;

        if (wFunction == FUNCTION_PORT) {
            if (wCommand == COMMAND_OPEN) {
                ++m_pCard->log.nOpenRequests;
                if (pFault != nullptr && pFault->dwError != 0) {
                    return pFault->dwError;
                }
                if (m_pCard->dwBusyLeft > 0) {
                    --m_pCard->dwBusyLeft;
                    return Status(pbOut, STATUS_BUSY, pdwReturned);
                }
                if (pFault != nullptr && pFault->nStatus >= 0) {
                    return Status(pbOut, static_cast<WORD>(pFault->nStatus), pdwReturned);
                }
                m_bPortOpen = true;
                std::memcpy(pbOut, &config.dwPort, sizeof(config.dwPort));
                return Status(pbOut, STATUS_OK, pdwReturned);
            }
            if (wCommand == COMMAND_CLOSE) {
                ++m_pCard->log.nCloseRequests;
                const bool bOurs = m_bPortOpen && dwPort == config.dwPort;
                m_bPortOpen = m_bPortOpen && !bOurs;
                return Status(pbOut, bOurs ? STATUS_OK : STATUS_REFUSED, pdwReturned);
            }
            return Status(pbOut, STATUS_REFUSED, pdwReturned);
        }
        if (wFunction != FUNCTION_RECORD || !m_bPortOpen || dwPort != config.dwPort) {
            return Status(pbOut, STATUS_REFUSED, pdwReturned);
        }
        if (wCommand == COMMAND_SCAN) {
            ++m_pCard->log.nScanRequests;
        } else if (wCommand == COMMAND_READ) {
            ++m_pCard->log.anRecordReads[wRid];
            m_pCard->log.adwOfferedBytes[wRid] = cbOut;
        } else {
            return Status(pbOut, STATUS_REFUSED, pdwReturned);
        }
        if (pFault != nullptr && pFault->dwError != 0) {
            return pFault->dwError;
        }
        if (pFault != nullptr && pFault->nStatus >= 0) {
            return Status(pbOut, static_cast<WORD>(pFault->nStatus), pdwReturned);
        }
        if (wCommand == COMMAND_SCAN) {
            return Status(pbOut, STATUS_OK, pdwReturned);
        }
        return Record(pbOut, cbOut, wLength, wRid, pFault, pdwReturned);
    }

    DWORD Record(BYTE* pbOut, DWORD cbOut, WORD wLength, WORD wRid, const CSimOrinocoFault* pFault,
                 DWORD* pdwReturned) {
        const CSimOrinocoConfig& config = m_pCard->config;
        const bool bAssociationRecord = wRid == RID_SSID || wRid == RID_BSSID || wRid == RID_SIGNAL ||
                                        wRid == RID_RATE || wRid == RID_CHANNEL;
        if (bAssociationRecord && !config.bAssociated) {
            return Status(pbOut, STATUS_REFUSED, pdwReturned);
        }
        std::vector<BYTE> abData;
        WORD wType = wRid;
        switch (wRid) {
            case RID_SIGNAL:
                PutWord(&abData, config.wQuality);
                PutWord(&abData, config.wSignalLevel);
                PutWord(&abData, config.wNoiseLevel);
                break;
            case RID_CHANNEL:
                PutWord(&abData, config.wChannel);
                break;
            case RID_BSSID:
                abData.assign(config.abBssid, config.abBssid + 6);
                break;
            case RID_SSID:
                PutSsid(&abData, config.strSsid, config.nSsidLength);
                break;
            case RID_RATE:
                PutWord(&abData, config.wRate);
                break;
            case RID_SCAN_RESULTS: {
                // As many whole entries as the record length asked for and the buffer can take.
                const DWORD cbRoom = std::min<DWORD>(wLength, cbOut - HEADER_SIZE);
                for (const CSimOrinocoAccessPoint& ap : config.aAccessPoints) {
                    if (abData.size() + SCAN_ENTRY_SIZE > cbRoom) {
                        break;
                    }
                    const std::vector<BYTE> abEntry = ScanEntry(ap);
                    abData.insert(abData.end(), abEntry.begin(), abEntry.end());
                }
                if (pFault != nullptr) {
                    abData.insert(abData.end(), pFault->dwExtraBytes, 0xEE);
                }
                wType = SCAN_RECORD_TYPE;
                break;
            }
            default:
                return Status(pbOut, STATUS_REFUSED, pdwReturned);
        }
        if (pFault != nullptr && pFault->nDataBytes >= 0) {
            abData.resize(static_cast<std::size_t>(pFault->nDataBytes), 0);
        }
        if (pFault != nullptr && pFault->nRecordType >= 0) {
            wType = static_cast<WORD>(pFault->nRecordType);
        }
        const DWORD cbAnswer = HEADER_SIZE + static_cast<DWORD>(abData.size());
        if (cbOut < cbAnswer) {
            return ERROR_INSUFFICIENT_BUFFER;
        }
        PutWordAt(pbOut, 8, static_cast<WORD>(abData.size()));
        PutWordAt(pbOut, 10, wType);
        std::copy(abData.begin(), abData.end(), pbOut + HEADER_SIZE);
        Status(pbOut, STATUS_OK, pdwReturned);
        *pdwReturned = pFault != nullptr && pFault->llClaimBytes >= 0
                           ? static_cast<DWORD>(pFault->llClaimBytes)
                           : cbAnswer;
        return ERROR_SUCCESS;
    }

    std::shared_ptr<CSimOrinoco::CCard> m_pCard;
    bool m_bPortOpen = false;
};

}  // namespace

CSimOrinoco::CSimOrinoco(CSimDeviceIo& deviceIo) : m_deviceIo(deviceIo) {}

CSimOrinoco::~CSimOrinoco() = default;

void CSimOrinoco::Load(const CJsonNode& section) {
    if (!section.IsPresent()) {
        return;
    }
    section.ExpectObject({"serviceName", "present", "openError", "busyAnswers", "port", "association",
                          "accessPoints", "oids", "faults"});
    CSimOrinocoConfig config;
    config.strServiceName = section.GetString("serviceName", config.strServiceName);
    if (config.strServiceName.empty()) {
        section.Child("serviceName").Fail("expected a service name");
    }
    config.bPresent = section.GetBool("present", config.bPresent);
    config.dwOpenError = section.GetDword("openError", 0);
    config.dwBusyAnswers = section.GetDword("busyAnswers", 0);
    config.dwPort = section.GetDword("port", config.dwPort);

    const CJsonNode association = section.Child("association");
    association.ExpectObject({"associated", "quality", "signalLevel", "noiseLevel", "channel", "bssid",
                              "ssid", "ssidLength", "rate"});
    config.bAssociated = association.GetBool("associated", config.bAssociated);
    config.wQuality = GetWord(association, "quality", config.wQuality);
    config.wSignalLevel = GetWord(association, "signalLevel", config.wSignalLevel);
    config.wNoiseLevel = GetWord(association, "noiseLevel", config.wNoiseLevel);
    config.wChannel = GetWord(association, "channel", config.wChannel);
    GetBssid(association, "bssid", config.abBssid);
    config.strSsid = association.GetString("ssid", "");
    config.nSsidLength = GetOptional(association, "ssidLength", 0xFFFF);
    config.wRate = GetWord(association, "rate", config.wRate);

    section.Child("accessPoints").ForEachItem([&](const CJsonNode& ap) {
        config.aAccessPoints.push_back(ReadAccessPoint(ap));
    });
    section.Child("oids").ForEach([&](const std::string& strName, const CJsonNode& value) {
        const DWORD dwOid = ParseNumberName(value, strName, 0xFFFFFFFF);
        std::vector<BYTE>& abData = config.oids[dwOid];
        if (value.IsString()) {
            const std::string str = value.AsString();
            abData.assign(str.begin(), str.end());
            abData.push_back(0);
        } else {
            const DWORD dw = value.AsDword();
            abData.resize(sizeof(dw));
            std::memcpy(abData.data(), &dw, sizeof(dw));
        }
    });
    section.Child("faults").ForEach([&](const std::string& strName, const CJsonNode& value) {
        config.faults[static_cast<WORD>(ParseNumberName(value, strName, 0xFFFF))] = ReadFault(value);
    });
    AddCard(config);
}

std::size_t CSimOrinoco::AddCard(const CSimOrinocoConfig& config) {
    auto pCard = std::make_shared<CCard>();
    pCard->config = config;
    pCard->dwBusyLeft = config.dwBusyAnswers;
    m_apCards.push_back(pCard);
    if (config.bPresent) {
        m_deviceIo.RegisterDevice("\\\\.\\" + config.strServiceName,
                                  [pCard](DWORD, DWORD, DWORD, std::unique_ptr<ISimDeviceFile>* ppFile) {
                                      std::lock_guard<std::mutex> guard(pCard->mutex);
                                      if (pCard->config.dwOpenError != 0) {
                                          return pCard->config.dwOpenError;
                                      }
                                      *ppFile = std::make_unique<COrinocoFile>(pCard);
                                      return ERROR_SUCCESS;
                                  });
    }
    return m_apCards.size() - 1;
}

std::size_t CSimOrinoco::CardCount() {
    return m_apCards.size();
}

void CSimOrinoco::SetConfig(std::size_t nCard, const CSimOrinocoConfig& config) {
    CCard& card = *m_apCards.at(nCard);
    std::lock_guard<std::mutex> guard(card.mutex);
    card.config = config;
    card.dwBusyLeft = config.dwBusyAnswers;
}

CSimOrinocoConfig CSimOrinoco::Config(std::size_t nCard) {
    CCard& card = *m_apCards.at(nCard);
    std::lock_guard<std::mutex> guard(card.mutex);
    return card.config;
}

CSimOrinocoLog CSimOrinoco::Log(std::size_t nCard) {
    CCard& card = *m_apCards.at(nCard);
    std::lock_guard<std::mutex> guard(card.mutex);
    return card.log;
}
