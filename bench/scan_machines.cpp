#include "bench/scan_machines.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/sim/sim_ndisuio.h"
#include "platform/wlan_api.h"

namespace {

// The i-th access point of the mix, in the fields both machine sections share.
struct CMixedAp {
    std::string strSsid;
    std::string strBssid;
    DWORD dwKhz;
    int nRssi;
    int nSecurity;  // 0 open, 1 WEP, 2 WPA, 3 WPA2
    std::string strApName;
};

CMixedAp MixedAp(int i) {
    CMixedAp ap;
    char sz[64];
    static const char* const APSZ_NAMES[] = {"Plenwick-Corp", "Cafe Guest", "HOME", "lab-net",
                                             "Meeting Room"};
    std::snprintf(sz, sizeof sz, "%s %d", APSZ_NAMES[i % 5], i);
    ap.strSsid = sz;
    std::snprintf(sz, sizeof sz, "00:0f:%02x:%02x:%02x:%02x", (i >> 24) & 0xff, (i >> 16) & 0xff,
                  (i >> 8) & 0xff, i & 0xff);
    ap.strBssid = sz;
    ap.dwKhz = i % 5 == 4 ? 5180000 + 20000 * (i % 8) : 2412000 + 5000 * (i % 11);
    ap.nRssi = -40 - i % 50;
    ap.nSecurity = i % 4;
    if (i % 3 == 0) {
        std::snprintf(sz, sizeof sz, "AP-%04d", i % 10000);
        ap.strApName = sz;
    }
    return ap;
}

std::unique_ptr<CSimMachine> Load(const std::string& strText) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(strText, "bench machine", &strError);
    if (!pMachine) {
        throw std::runtime_error(strError);
    }
    return pMachine;
}

}  // namespace

std::unique_ptr<CSimMachine> MakeNdisMachine(int nAccessPoints) {
    static const char* const APSZ_SECURITY[] = {"", R"(, "privacy": true)",
                                                R"(, "privacy": true, "wpa": true)",
                                                R"(, "privacy": true, "rsn": ["tkip", "ccmp"])"};
    std::string strAps;
    for (int i = 0; i < nAccessPoints; ++i) {
        const CMixedAp ap = MixedAp(i);
        strAps += (i ? "," : "") + std::string(R"({"ssid": ")") + ap.strSsid + R"(", "bssid": ")" +
                  ap.strBssid + R"(", "dsConfig": )" + std::to_string(ap.dwKhz) + R"(, "rssi": )" +
                  std::to_string(ap.nRssi) + APSZ_SECURITY[ap.nSecurity] +
                  (ap.strApName.empty() ? "" : R"(, "apName": ")" + ap.strApName + "\"") +
                  R"(, "rates": [1, 2, 5.5, 11, 6, 9, 12, 18, 24, 36, 48, 54]})";
    }
    std::string strDevice;
    for (const char* p = BENCH_NDIS_DEVICE; *p != '\0'; ++p) {
        strDevice += *p == '\\' ? "\\\\" : std::string(1, *p);
    }
    return Load(R"({"windows": {"major": 5, "minor": 1, "build": 2600},
        "ndisuio": {"bindings": [{"name": ")" +
                strDevice + R"(", "description": "Wireless 802.11b/g Mini PCI Adapter", "medium": 1,
        "association": {"bssid": "00:0f:00:00:00:00", "ssid": "Plenwick-Corp 0", "rssi": -40,
                        "dsConfig": 2412000},
        "accessPoints": [)" +
                strAps + "]}]}}");
}

std::unique_ptr<CSimMachine> MakeWlanMachine(int nAccessPoints) {
    static const char* const APSZ_SECURITY[] = {"open", "wep", "wpa", "wpa2"};
    std::string strAps;
    for (int i = 0; i < nAccessPoints; ++i) {
        const CMixedAp ap = MixedAp(i);
        strAps += (i ? "," : "") + std::string(R"({"ssid": ")") + ap.strSsid + R"(", "bssid": ")" +
                  ap.strBssid + R"(", "frequency": )" + std::to_string(ap.dwKhz) + R"(, "rssi": )" +
                  std::to_string(ap.nRssi) + R"(, "security": ")" + APSZ_SECURITY[ap.nSecurity] + "\"" +
                  (ap.strApName.empty() ? "" : R"(, "apName": ")" + ap.strApName + "\"") + "}";
    }
    return Load(R"({"windows": {"major": 6, "minor": 0, "build": 6002},
        "wlan": {"interfaces": [{"guid": ")" +
                std::string(BENCH_WLAN_GUID) + R"(", "description": "USB 802.11g Wireless Adapter",
        "state": "connected", "connection": {"ssid": "Plenwick-Corp 0", "bssid": "00:0f:00:00:00:00",
        "signalQuality": 80}, "channel": 1, "accessPoints": [)" +
                strAps + "]}]}}");
}

std::vector<BYTE> NdisBssidListAnswer(CSimMachine& machine) {
    std::vector<BYTE> abAnswer(4);
    const DWORD dwOid = 0x0D010217;  // OID_802_11_BSSID_LIST
    std::memcpy(abAnswer.data(), &dwOid, 4);
    machine.Ndisuio().Update([&abAnswer](CSimNdisuioConfig& config) {
        const std::vector<BYTE> abList = BuildSimBssidList(config.aBindings.at(0));
        abAnswer.insert(abAnswer.end(), abList.begin(), abList.end());
    });
    return abAnswer;
}

std::vector<BYTE> WlanBssListAnswer(CSimMachine& machine) {
    CSimWlanService& service = machine.Wlan();
    DWORD dwNegotiated = 0;
    HANDLE hClient = 0;
    if (service.OpenHandle(WLAN_API_VERSION_2_0, &dwNegotiated, &hClient) != ERROR_SUCCESS) {
        throw std::runtime_error("the WLAN service gave no client handle");
    }
    WLAN_BSS_LIST* pList = nullptr;
    const GUID guid = service.FindInterface(BENCH_WLAN_GUID)->guid;
    if (service.GetNetworkBssList(hClient, &guid, &pList) != ERROR_SUCCESS) {
        throw std::runtime_error("the WLAN service gave no BSS list");
    }
    const BYTE* pb = reinterpret_cast<const BYTE*>(pList);
    std::vector<BYTE> abList(pb, pb + pList->dwTotalSize);
    service.FreeMemory(pList);
    service.CloseHandle(hClient);
    return abList;
}

std::vector<BYTE> CardScanRecordAnswer(int nEntries) {
    constexpr std::size_t HEADER = 12;
    constexpr std::size_t ENTRY = 50;
    std::vector<BYTE> ab(HEADER + ENTRY * nEntries, 0);
    auto put16 = [&ab](std::size_t n, unsigned w) {
        ab[n] = static_cast<BYTE>(w);
        ab[n + 1] = static_cast<BYTE>(w >> 8);
    };
    put16(10, 0xF101);  // the scan record's type
    for (int i = 0; i < nEntries; ++i) {
        const CMixedAp ap = MixedAp(i);
        const std::size_t n = HEADER + ENTRY * i;
        put16(n, 1 + i % 11);          // channel
        put16(n + 2, 50);              // noise level
        put16(n + 4, 149 + ap.nRssi);  // signal level
        unsigned abMac[6];
        std::sscanf(ap.strBssid.c_str(), "%x:%x:%x:%x:%x:%x", &abMac[0], &abMac[1], &abMac[2], &abMac[3],
                    &abMac[4], &abMac[5]);
        for (int b = 0; b < 6; ++b) {
            ab[n + 6 + b] = static_cast<BYTE>(abMac[b]);
        }
        put16(n + 12, 100);                                  // beacon interval
        put16(n + 14, ap.nSecurity != 0 ? 0x0011 : 0x0001);  // ESS, privacy
        put16(n + 16, static_cast<unsigned>(ap.strSsid.size()));
        std::memcpy(&ab[n + 18], ap.strSsid.data(), std::min<std::size_t>(ap.strSsid.size(), 32));
    }
    return ab;
}

CBindingRecords BindingRecordAnswers(int nRecords) {
    CBindingRecords records;
    for (int i = 0; i < nRecords; ++i) {
        char szName[64];
        std::snprintf(szName, sizeof szName, "\\DEVICE\\{8E9B3F21-6C4D-4E8A-9B1F-2A7C5D%06X}", i);
        const std::string strDescription = MixedAp(i).strSsid + " 802.11b/g Mini PCI Adapter";
        const DWORD cbName = static_cast<DWORD>(2 * (std::strlen(szName) + 1));
        const DWORD cbDescr = static_cast<DWORD>(2 * (strDescription.size() + 1));
        std::vector<BYTE> ab(20 + cbName + cbDescr, 0);
        const DWORD adwHeader[5] = {static_cast<DWORD>(i), 20, cbName, 20 + cbName, cbDescr};
        std::memcpy(ab.data(), adwHeader, sizeof adwHeader);
        for (std::size_t c = 0; szName[c] != '\0'; ++c) {
            ab[20 + 2 * c] = static_cast<BYTE>(szName[c]);
        }
        for (std::size_t c = 0; c < strDescription.size(); ++c) {
            ab[20 + cbName + 2 * c] = static_cast<BYTE>(strDescription[c]);
        }
        records.abBytes.insert(records.abBytes.end(), ab.begin(), ab.end());
        records.adwSizes.push_back(static_cast<DWORD>(ab.size()));
    }
    return records;
}

std::vector<BYTE> ElementBlock(int nElements) {
    std::vector<BYTE> ab;
    for (int i = 0; i < nElements; ++i) {
        // A vendor element of another organisation: 00-10-18, type 2, then 16 bytes.
        const BYTE abHead[] = {0xDD, 20, 0x00, 0x10, 0x18, 0x02};
        ab.insert(ab.end(), std::begin(abHead), std::end(abHead));
        for (int b = 0; b < 16; ++b) {
            ab.push_back(static_cast<BYTE>(i + b));
        }
    }
    return ab;
}
