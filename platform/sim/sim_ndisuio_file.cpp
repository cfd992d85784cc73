#include "platform/sim/sim_ndisuio_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// The rates field of NDIS_WLAN_BSSID_EX holds at most 16.
constexpr std::size_t MAX_RATES = 16;
// What an access point sends without "rates": 1, 2, 5.5 and 11 Mbps basic, then the OFDM rates.
const std::vector<BYTE> DEFAULT_RATES = {0x82, 0x84, 0x8B, 0x96, 12, 18, 24, 36, 48, 72, 96, 108};

LONG GetLong(const CJsonNode& node, const char* pszKey, LONG nDefault) {
    if (!node.Has(pszKey)) {
        return nDefault;
    }
    const CJsonNode child = node.Child(pszKey);
    if (!child.Json().is_number_integer() || child.Json().get<std::int64_t>() < INT32_MIN ||
        child.Json().get<std::int64_t>() > INT32_MAX) {
        child.Fail("expected a signed 32-bit integer");
    }
    return static_cast<LONG>(child.Json().get<std::int64_t>());
}

std::optional<DWORD> GetOptionalDword(const CJsonNode& node, const char* pszKey) {
    return node.Has(pszKey) ? std::optional<DWORD>(node.GetDword(pszKey, 0)) : std::nullopt;
}

DWORD ParseOid(const CJsonNode& where, const std::string& strOid) {
    std::size_t nUsed = 0;
    unsigned long ul = 0;
    try {
        ul = std::stoul(strOid, &nUsed, 0);
    } catch (const std::exception&) {
        nUsed = 0;
    }
    if (nUsed == 0 || nUsed != strOid.size() || ul > 0xFFFFFFFFul) {
        where.Fail("expected an OID such as \"0x0D010206\", found \"" + strOid + "\"");
    }
    return static_cast<DWORD>(ul);
}

DWORD ParseOidNode(const CJsonNode& node) {
    return node.IsString() ? ParseOid(node, node.AsString()) : node.AsDword();
}

std::vector<std::pair<DWORD, DWORD>> ParseOidMap(const CJsonNode& node) {
    std::vector<std::pair<DWORD, DWORD>> aMap;
    node.ForEach([&](const std::string& strKey, const CJsonNode& value) {
        aMap.emplace_back(ParseOid(value, strKey), value.AsDword());
    });
    return aMap;
}

std::vector<BYTE> ParseHex(const CJsonNode& node) {
    std::vector<BYTE> ab;
    std::string strDigits;
    for (char ch : node.AsString()) {
        if (ch == ' ' || ch == ':' || ch == '-') {
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(ch))) {
            node.Fail("expected hexadecimal bytes such as \"30 14 01 00\"");
        }
        strDigits += ch;
    }
    if (strDigits.size() % 2 != 0) {
        node.Fail("expected whole bytes (an even number of hexadecimal digits)");
    }
    for (std::size_t i = 0; i < strDigits.size(); i += 2) {
        ab.push_back(static_cast<BYTE>(std::stoul(strDigits.substr(i, 2), nullptr, 16)));
    }
    return ab;
}

void ParseMac(const CJsonNode& node, BYTE abMac[6]) {
    const std::vector<BYTE> ab = ParseHex(node);
    if (ab.size() != 6) {
        node.Fail("expected a MAC address such as \"00:0F:66:12:34:56\"");
    }
    std::copy(ab.begin(), ab.end(), abMac);
}

DWORD ParseMode(const CJsonNode& node, const char* pszKey, DWORD dwDefault) {
    const std::string strMode = node.GetEnum(pszKey, {"adhoc", "infrastructure", "automatic"}, "");
    return strMode.empty() ? dwDefault : strMode == "adhoc" ? 0 : strMode == "infrastructure" ? 1 : 2;
}

BYTE ParseCipher(const CJsonNode& node) {
    const std::string str = node.AsString();
    if (str == "wep40") {
        return 1;
    }
    if (str == "tkip") {
        return 2;
    }
    if (str == "ccmp") {
        return 4;
    }
    if (str == "wep104") {
        return 5;
    }
    node.Fail("expected one of wep40, tkip, ccmp, wep104");
}

std::vector<BYTE> ParseRates(const CJsonNode& node) {
    std::vector<BYTE> ab;
    node.ForEachItem([&](const CJsonNode& item) {
        if (!item.IsNumber() || item.Json().get<double>() <= 0 || item.Json().get<double>() > 63.5) {
            item.Fail("expected a rate in Mbps from 0.5 to 63.5");
        }
        ab.push_back(static_cast<BYTE>(item.Json().get<double>() * 2 + 0.5));
    });
    if (ab.size() > MAX_RATES) {
        node.Fail("at most 16 rates");
    }
    return ab;
}

CSimAccessPoint ParseAccessPoint(const CJsonNode& node) {
    node.ExpectObject({"ssid", "bssid", "dsConfig", "rssi", "privacy", "rsn", "wpa", "apName", "mode",
                       "rates", "elements", "length", "ssidLength", "ieLength", "oldLayout"});
    CSimAccessPoint ap;
    ap.strSsid = node.GetString("ssid", "");
    if (!node.Has("bssid")) {
        node.Child("bssid").Fail("missing required field");
    }
    ParseMac(node.Child("bssid"), ap.abBssid);
    ap.dwDsConfig = node.GetDword("dsConfig", ap.dwDsConfig);
    ap.nRssi = GetLong(node, "rssi", ap.nRssi);
    ap.bPrivacy = node.GetBool("privacy", false);
    node.Child("rsn").ForEachItem(
        [&](const CJsonNode& item) { ap.abRsnCiphers.push_back(ParseCipher(item)); });
    ap.bWpa = node.GetBool("wpa", false);
    ap.strApName = node.GetString("apName", "");
    ap.dwMode = ParseMode(node, "mode", ap.dwMode);
    ap.abRates = node.Has("rates") ? ParseRates(node.Child("rates")) : DEFAULT_RATES;
    if (node.Has("elements")) {
        ap.abRawElements = ParseHex(node.Child("elements"));
    }
    ap.dwLength = GetOptionalDword(node, "length");
    ap.dwSsidLength = GetOptionalDword(node, "ssidLength");
    ap.dwIeLength = GetOptionalDword(node, "ieLength");
    ap.bOldLayout = node.GetBool("oldLayout", false);
    return ap;
}

}  // namespace

CSimNdisBinding SimParseNdisBinding(const CJsonNode& node) {
    node.ExpectObject({"name", "description", "heldBy", "openError", "wireless", "medium",
                       "infrastructureMode", "wepStatus", "linkSpeed", "counters", "association",
                       "accessPoints", "unsupportedOids", "oidErrors", "replyBytes", "bssidList", "record"});
    CSimNdisBinding binding;
    binding.strName = node.GetRequiredString("name");
    binding.strDescription = node.GetString("description", "");
    binding.strHeldBy = node.GetString("heldBy", "");
    binding.dwOpenError = node.GetDword("openError", 0);
    binding.bWireless = node.GetBool("wireless", true);
    binding.dwMedium = GetOptionalDword(node, "medium");
    binding.dwInfrastructureMode = node.GetDword("infrastructureMode", binding.dwInfrastructureMode);
    binding.dwWepStatus = node.GetDword("wepStatus", binding.dwWepStatus);
    binding.dwLinkSpeed = node.GetDword("linkSpeed", binding.dwLinkSpeed);
    binding.aCounters = ParseOidMap(node.Child("counters"));

    const CJsonNode association = node.Child("association");
    association.ExpectObject({"bssid", "ssid", "ssidLength", "rssi", "dsConfig"});
    if (association.IsPresent()) {
        binding.bAssociated = true;
        ParseMac(association.Child("bssid"), binding.abAssocBssid);
        binding.strAssocSsid = association.GetString("ssid", "");
        binding.dwAssocSsidLength = GetOptionalDword(association, "ssidLength");
        binding.nAssocRssi = GetLong(association, "rssi", binding.nAssocRssi);
        binding.dwAssocDsConfig = association.GetDword("dsConfig", binding.dwAssocDsConfig);
    }
    node.Child("accessPoints").ForEachItem([&](const CJsonNode& item) {
        binding.aAccessPoints.push_back(ParseAccessPoint(item));
    });

    node.Child("unsupportedOids").ForEachItem([&](const CJsonNode& item) {
        binding.aOidErrors.emplace_back(ParseOidNode(item), ERROR_NOT_SUPPORTED);
    });
    for (const auto& item : ParseOidMap(node.Child("oidErrors"))) {
        binding.aOidErrors.push_back(item);
    }
    binding.aReplyBytes = ParseOidMap(node.Child("replyBytes"));

    const CJsonNode list = node.Child("bssidList");
    list.ExpectObject({"alwaysInsufficient", "raw", "numberOfItems"});
    binding.bListAlwaysInsufficient = list.GetBool("alwaysInsufficient", false);
    if (list.Has("raw")) {
        binding.abRawList = ParseHex(list.Child("raw"));
    }
    binding.dwNumberOfItems = GetOptionalDword(list, "numberOfItems");

    const CJsonNode record = node.Child("record");
    record.ExpectObject({"nameOffset", "nameLength", "descriptionOffset", "descriptionLength"});
    binding.dwNameOffset = GetOptionalDword(record, "nameOffset");
    binding.dwNameLength = GetOptionalDword(record, "nameLength");
    binding.dwDescrOffset = GetOptionalDword(record, "descriptionOffset");
    binding.dwDescrLength = GetOptionalDword(record, "descriptionLength");
    return binding;
}
