#include "platform/sim/sim_wlan_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/sim_rpc.h"
#include "platform/sim/sim_text.h"

namespace {

void AppendElement(std::vector<BYTE>& ab, BYTE bId, const std::vector<BYTE>& abBody) {
    ab.push_back(bId);
    ab.push_back(static_cast<BYTE>(abBody.size()));
    ab.insert(ab.end(), abBody.begin(), abBody.end());
}

LONG GetLong(const CJsonNode& node, const char* pszKey, LONG lDefault) {
    if (!node.Has(pszKey)) {
        return lDefault;
    }
    const CJsonNode child = node.Child(pszKey);
    if (!child.Json().is_number_integer()) {
        child.Fail("expected an integer");
    }
    const long long ll = child.Json().get<long long>();
    if (ll < INT32_MIN || ll > INT32_MAX) {
        child.Fail("expected a 32-bit integer");
    }
    return static_cast<LONG>(ll);
}

std::optional<DWORD> GetOptionalDword(const CJsonNode& node, const char* pszKey) {
    if (!node.Has(pszKey)) {
        return std::nullopt;
    }
    return node.GetDword(pszKey, 0);
}

void ParseMac(const CJsonNode& node, const char* pszKey, BYTE abMac[6]) {
    if (!node.Has(pszKey)) {
        return;
    }
    const std::string strText = node.Child(pszKey).AsString();
    unsigned au[6];
    char chEnd = 0;
    if (std::sscanf(strText.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &au[0], &au[1], &au[2], &au[3], &au[4],
                    &au[5], &chEnd) != 6 ||
        strText.size() != 17) {
        node.Child(pszKey).Fail("expected a MAC address such as 00:11:22:33:44:55");
    }
    for (int i = 0; i < 6; ++i) {
        abMac[i] = static_cast<BYTE>(au[i]);
    }
}

std::vector<BYTE> ParseHexBytes(const CJsonNode& node) {
    const std::string strText = node.AsString();
    std::vector<BYTE> ab;
    std::string strDigits;
    for (char ch : strText) {
        if (ch != ' ') {
            strDigits += ch;
        }
    }
    if (strDigits.size() % 2 != 0) {
        node.Fail("expected pairs of hexadecimal digits");
    }
    for (std::size_t i = 0; i < strDigits.size(); i += 2) {
        unsigned u = 0;
        if (std::sscanf(strDigits.substr(i, 2).c_str(), "%2x", &u) != 1 || !std::isxdigit(strDigits[i]) ||
            !std::isxdigit(strDigits[i + 1])) {
            node.Fail("expected pairs of hexadecimal digits");
        }
        ab.push_back(static_cast<BYTE>(u));
    }
    return ab;
}

DWORD BssTypeOf(const CJsonNode& node, DWORD dwDefault) {
    const std::string strType =
        node.GetEnum("bssType", {"infrastructure", "independent"},
                     dwDefault == dot11_BSS_type_independent ? "independent" : "infrastructure");
    return strType == "independent" ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure;
}

ULONG FrequencyOfChannel(DWORD dwChannel) {
    if (dwChannel == 14) {
        return 2484000;
    }
    if (dwChannel >= 1 && dwChannel <= 13) {
        return 2407000 + 5000 * dwChannel;
    }
    return 5000000 + 5000 * dwChannel;
}

// The elements a beacon of this access point carries: SSID, rates, DS parameter set, then what its
// security and name call for, and a WMM element last (so every element before it ends inside the
// blob, as in real beacons).
std::vector<BYTE> BuildElements(const CSimWlanAccessPoint& ap, const std::string& strSecurity,
                                const std::string& strApName) {
    std::vector<BYTE> ab;
    AppendElement(ab, 0x00,
                  std::vector<BYTE>(ap.strSsid.begin(),
                                    ap.strSsid.begin() + std::min<std::size_t>(ap.strSsid.size(), 32)));
    std::vector<BYTE> abRates;
    for (std::size_t i = 0; i < ap.ausRates.size() && i < 8; ++i) {
        const USHORT us = ap.ausRates[i];
        abRates.push_back(static_cast<BYTE>((us & 0x7F) | ((us & 0x8000) ? 0x80 : 0)));
    }
    AppendElement(ab, 0x01, abRates);
    if (ap.ulFrequency <= 2484000) {
        AppendElement(ab, 0x03, {static_cast<BYTE>((ap.ulFrequency - 2407000) / 5000)});
    }
    if (strSecurity == "wpa2" || strSecurity == "wpa-wpa2") {
        std::vector<BYTE> abRsn = {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04};
        if (strSecurity == "wpa2") {
            abRsn.insert(abRsn.end(), {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x04});
        } else {
            abRsn.insert(abRsn.end(), {0x02, 0x00, 0x00, 0x0F, 0xAC, 0x02, 0x00, 0x0F, 0xAC, 0x04});
        }
        abRsn.insert(abRsn.end(), {0x01, 0x00, 0x00, 0x0F, 0xAC, 0x02, 0x00, 0x00});
        AppendElement(ab, 0x30, abRsn);
    }
    if (strSecurity == "wpa" || strSecurity == "wpa-wpa2") {
        AppendElement(ab, 0xDD, {0x00, 0x50, 0xF2, 0x01, 0x01, 0x00, 0x00, 0x50, 0xF2, 0x02, 0x01,
                                 0x00, 0x00, 0x50, 0xF2, 0x02, 0x01, 0x00, 0x00, 0x50, 0xF2, 0x02});
    }
    if (!strApName.empty()) {
        // Vendor element 0x85: 10 bytes of load figures, the 16-byte name, 4 bytes more.
        std::vector<BYTE> abBody(30, 0);
        std::memcpy(abBody.data() + 10, strApName.data(), std::min<std::size_t>(strApName.size(), 16));
        AppendElement(ab, 0x85, abBody);
    }
    AppendElement(ab, 0xDD, {0x00, 0x50, 0xF2, 0x02, 0x00, 0x01, 0x00});
    return ab;
}

CSimWlanAccessPoint ParseAccessPoint(const CJsonNode& node) {
    node.ExpectObject({"ssid", "ssidLength", "bssid", "frequency", "channel", "rssi", "linkQuality",
                       "bssType", "security", "privacy", "apName", "rates", "rateSetLength", "ies",
                       "ieOffset", "ieSize"});
    CSimWlanAccessPoint ap;
    ap.strSsid = node.GetString("ssid", "");
    if (node.Has("ssidLength")) {
        ap.ulSsidLength = node.GetDword("ssidLength", 0);
    }
    ParseMac(node, "bssid", ap.abBssid);
    if (node.Has("frequency")) {
        ap.ulFrequency = node.GetDword("frequency", 0);
    } else if (node.Has("channel")) {
        ap.ulFrequency = FrequencyOfChannel(node.GetDword("channel", 6));
    }
    ap.lRssi = GetLong(node, "rssi", ap.lRssi);
    ap.uLinkQuality = node.GetDword("linkQuality", ap.uLinkQuality);
    ap.dwBssType = BssTypeOf(node, dot11_BSS_type_infrastructure);
    ap.usCapability = ap.dwBssType == dot11_BSS_type_independent ? 0x0002 : 0x0001;
    const std::string strSecurity =
        node.GetEnum("security", {"open", "wep", "wpa", "wpa2", "wpa-wpa2"}, "open");
    if (node.GetBool("privacy", strSecurity != "open")) {
        ap.usCapability |= DOT11_CAPABILITY_PRIVACY;
    }
    ap.ausRates = {0x8002, 0x8004, 0x800B, 0x8016, 12, 18, 24, 36, 48, 72, 96, 108};
    if (node.Has("rates")) {
        ap.ausRates.clear();
        node.Child("rates").ForEachItem([&](const CJsonNode& rate) {
            const DWORD dw = rate.AsDword();
            if (dw > 0xFFFF) {
                rate.Fail("expected a rate from 0 to 65535");
            }
            if (ap.ausRates.size() < DOT11_RATE_SET_MAX_LENGTH) {
                ap.ausRates.push_back(static_cast<USHORT>(dw));
            }
        });
    }
    if (node.Has("rateSetLength")) {
        ap.ulRateSetLength = node.GetDword("rateSetLength", 0);
    }
    const std::string strApName = node.GetString("apName", "");
    ap.abIes = node.Has("ies") ? ParseHexBytes(node.Child("ies")) : BuildElements(ap, strSecurity, strApName);
    if (node.Has("ieOffset")) {
        ap.ulIeOffset = node.GetDword("ieOffset", 0);
    }
    if (node.Has("ieSize")) {
        ap.ulIeSize = node.GetDword("ieSize", 0);
    }
    return ap;
}

CSimWlanScanPlan ParseScanPlan(const CJsonNode& node) {
    CSimWlanScanPlan plan;
    if (node.IsNumber()) {
        plan.adwAfterMs.push_back(node.AsDword());
    } else if (node.IsString()) {
        if (node.AsString() != "never") {
            node.Fail("expected a delay in ms, a list of delays, \"never\" or an object");
        }
    } else if (node.Json().is_array()) {
        node.ForEachItem([&](const CJsonNode& delay) { plan.adwAfterMs.push_back(delay.AsDword()); });
    } else {
        node.ExpectObject({"after", "result"});
        node.Child("after").ForEachItem(
            [&](const CJsonNode& delay) { plan.adwAfterMs.push_back(delay.AsDword()); });
        plan.dwCode = node.GetEnum("result", {"complete", "failed"}, "complete") == "failed"
                          ? wlan_notification_acm_scan_fail
                          : wlan_notification_acm_scan_complete;
    }
    return plan;
}

}  // namespace

std::map<std::string, DWORD> SimParseWlanErrors(const CJsonNode& node) {
    std::map<std::string, DWORD> mapErrors;
    node.ExpectAnyObject();
    node.ForEach([&](const std::string& strEntry, const CJsonNode& error) {
        const auto& astrNames = WLANAPI_ENTRY_POINTS;
        if (std::find(std::begin(astrNames), std::end(astrNames), strEntry) == std::end(astrNames)) {
            error.Fail("not an entry point of wlanapi");
        }
        mapErrors[strEntry] = error.AsDword();
    });
    return mapErrors;
}

CSimWlanInterface SimParseWlanInterface(const CJsonNode& node) {
    node.ExpectObject({"guid", "description", "state", "type", "connection", "channel", "statistics",
                       "scanMs", "scans", "errors", "accessPoints", "bssCount"});
    CSimWlanInterface iface;
    const CJsonNode guid = node.Child("guid");
    if (!SimParseGuid(node.GetRequiredString("guid"), &iface.guid)) {
        guid.Fail("expected a GUID such as 0c1e7a52-9b1d-4e0f-8a77-3d2c55e0a101");
    }
    iface.wstrDescription = SimUtf8ToUtf16(node.GetString("description", ""));
    static const std::vector<std::string> astrStates = {"not-ready",     "connected",     "ad-hoc",
                                                        "disconnecting", "disconnected",  "associating",
                                                        "discovering",   "authenticating"};
    const std::string strState = node.GetEnum("state", astrStates, "disconnected");
    iface.dwState =
        static_cast<DWORD>(std::find(astrStates.begin(), astrStates.end(), strState) - astrStates.begin());
    if (node.Has("type") && node.Child("type").IsNumber()) {
        iface.dwType = node.GetDword("type", 0);
    } else {
        iface.dwType = node.GetEnum("type", {"native", "emulated"}, "native") == "emulated"
                           ? wlan_interface_type_emulated_802_11
                           : wlan_interface_type_native_802_11;
    }

    const CJsonNode connection = node.Child("connection");
    connection.ExpectObject(
        {"profile", "ssid", "bssid", "bssType", "signalQuality", "rxRate", "txRate", "cipher", "dataSize"});
    iface.wstrProfile = SimUtf8ToUtf16(connection.GetString("profile", connection.GetString("ssid", "")));
    iface.strSsid = connection.GetString("ssid", "");
    ParseMac(connection, "bssid", iface.abBssid);
    iface.dwBssType = BssTypeOf(connection, dot11_BSS_type_infrastructure);
    iface.ulSignalQuality = connection.GetDword("signalQuality", 0);
    iface.ulRxRate = connection.GetDword("rxRate", 0);
    iface.ulTxRate = connection.GetDword("txRate", 0);
    iface.dwCipher = connection.GetDword("cipher", 0);
    iface.dwConnectionSize = connection.GetDword("dataSize", iface.dwConnectionSize);
    iface.ulChannel = node.GetDword("channel", 0);

    const CJsonNode statistics = node.Child("statistics");
    statistics.ExpectObject({"phys", "numberOfPhys", "dataSize"});
    statistics.Child("phys").ForEachItem([&](const CJsonNode& phy) {
        phy.ExpectObject({"failed", "retry", "multipleRetry", "rtsFailure", "ackFailure",
                          "maxRxLifetimeExceeded", "fcsError"});
        CSimWlanPhyStatistics counters;
        counters.ullFailed = phy.GetDword("failed", 0);
        counters.ullRetry = phy.GetDword("retry", 0);
        counters.ullMultipleRetry = phy.GetDword("multipleRetry", 0);
        counters.ullRtsFailure = phy.GetDword("rtsFailure", 0);
        counters.ullAckFailure = phy.GetDword("ackFailure", 0);
        counters.ullMaxRxLifetimeExceeded = phy.GetDword("maxRxLifetimeExceeded", 0);
        counters.ullFcsError = phy.GetDword("fcsError", 0);
        iface.aPhys.push_back(counters);
    });
    if (!statistics.Has("phys")) {
        iface.aPhys.resize(1);
    }
    iface.dwNumberOfPhys = GetOptionalDword(statistics, "numberOfPhys");
    iface.dwStatisticsSize = GetOptionalDword(statistics, "dataSize");

    iface.defaultScan.adwAfterMs = {node.GetDword("scanMs", 2000)};
    node.Child("scans").ForEachItem(
        [&](const CJsonNode& scan) { iface.aScans.push_back(ParseScanPlan(scan)); });
    iface.mapErrors = SimParseWlanErrors(node.Child("errors"));
    node.Child("accessPoints").ForEachItem([&](const CJsonNode& ap) {
        iface.aAccessPoints.push_back(ParseAccessPoint(ap));
    });
    iface.dwBssCount = GetOptionalDword(node, "bssCount");
    return iface;
}
