#include "adapters/wlan_api/wifi_api_adapter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "adapters/scan_sync.h"
#include "adapters/supported_cache.h"
#include "platform/sim/sim_wlan_test_util.h"

namespace {

const std::string ASSOCIATED_AP =
    R"({"ssid": "Assoc", "bssid": "00:00:00:00:00:01", "frequency": 2437000, "rssi": -40, "security": "wpa2"})";

struct CBssResult {
    int nReported = 0;
    short nMatchSignal = 0;
    CScanResultSet set;
};

CBssResult ReadBssList(CWiFiApiAdapter& adapter, const BYTE* pbMatch = nullptr, short nMatchChannel = -1) {
    CBssResult result;
    result.nReported = adapter.GetBssList(pbMatch, nMatchChannel, &result.nMatchSignal, &result.set);
    EXPECT_TRUE(result.set.HasEqualLengths());
    return result;
}

std::string Ap(const std::string& strSsid, const std::string& strBssid, const std::string& strMore) {
    return R"({"ssid": ")" + strSsid + R"(", "bssid": ")" + strBssid + R"(")" + strMore + "}";
}

TEST(WiFiApiAdapter, DiscoveryWalksTheInterfacesOfVista) {
    std::string strError;
    auto pMachine = CSimMachine::FromFile(NIMBREL_RES_DIR "/../platform/sim/machines/vista.json", &strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    CScopedOs os(*pMachine);
    ClearSupportedCache();
    {
        CWiFiApiAdapter adapter;
        EXPECT_EQ(adapter.GetName(), "WiFiAPI");
        std::string strName = "stale";
        std::string strDescription = "stale";
        EXPECT_EQ(adapter.OpenByIndex(0, TRUE, &strName, &strDescription), OPEN_USABLE);
        EXPECT_EQ(strName, SIM_WLAN_GUID_A);
        EXPECT_EQ(adapter.m_strDevice, SIM_WLAN_GUID_A);
        EXPECT_EQ(strDescription, "Intel(R) Wireless WiFi Link 4965AGN");
        EXPECT_TRUE(IsCachedSupported(SIM_WLAN_GUID_A));
        const HANDLE hClient = adapter.m_hDevice;
        EXPECT_EQ(adapter.OpenByIndex(1, TRUE, &strName, nullptr), OPEN_USABLE);
        EXPECT_EQ(adapter.m_hDevice, hClient);  // the client handle is reused
        EXPECT_EQ(strName, SIM_WLAN_GUID_B);
        EXPECT_EQ(adapter.OpenByIndex(2, TRUE, &strName, &strDescription), OPEN_NONE);
        EXPECT_EQ(strName, "");
        EXPECT_EQ(strDescription, "");
        EXPECT_EQ(pMachine->Rpc().OutstandingStrings(), 0u);

        // A cached "false" is believed without a new check.
        StoreSupported(SIM_WLAN_GUID_A, FALSE);
        EXPECT_EQ(adapter.OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_NOT_SUPPORTED);
        DWORD dwMedium = 99;
        EXPECT_EQ(adapter.GetPhysicalMedium(&dwMedium), QUERY_OK);
        EXPECT_EQ(dwMedium, PHYSICAL_MEDIUM_NATIVE_802_11);
        EXPECT_EQ(pMachine->Libraries().LoadCount(), 1);
    }
    EXPECT_EQ(pMachine->Libraries().LoadCount(), 0);
    EXPECT_EQ(pMachine->Wlan().OpenHandles(), 0u);
    EXPECT_EQ(pMachine->Wlan().OutstandingAllocations(), 0u);
    ClearSupportedCache();
}

TEST(WiFiApiAdapter, OpenByNameParsesTheGuidAndNeverReturnsANegativeResult) {
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(ASSOCIATED_AP));
    CWiFiApiAdapter adapter;
    EXPECT_EQ(adapter.OpenByName("not a guid", FALSE), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(adapter.m_strDevice, "not a guid");
    EXPECT_EQ(adapter.OpenByName("3F5C2A10-8E4B-4D7A-9C21-6B0E1F4A7D01", TRUE), OPEN_USABLE);
    EXPECT_EQ(adapter.StartScan(), QUERY_OK);
}

TEST(WiFiApiAdapter, ServiceOfferingOnlyVersionOneCannotBeOpened) {
    CSimWlanMachine old(R"({"negotiatedVersion": 1, "interfaces": []})");
    CWiFiApiAdapter v1;
    EXPECT_EQ(v1.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(v1.OpenByIndex(0, FALSE, nullptr, nullptr), OPEN_NONE);
}

TEST(WiFiApiAdapter, AssociationQueriesReadTheCurrentConnection) {
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(
        "", R"(, "channel": 11, "connection": {"ssid": "Office", "bssid": "00:1b:2f:10:20:30",
                "signalQuality": 100, "rxRate": 0, "txRate": 54000, "cipher": 256})"));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);

    short nQuality = 0;
    short nSignal = 0;
    short nNoise = 0;
    EXPECT_EQ(adapter.GetSignal(&nQuality, &nSignal, &nNoise), QUERY_OK);
    EXPECT_EQ(nSignal, -50);
    EXPECT_EQ(nQuality, 50);
    EXPECT_EQ(nNoise, -100);
    struct {
        ULONG ulQuality;
        short nSignal;
        short nQuality;
        int nStatus;
    } const cases[] = {{0, -100, 0, QUERY_OK}, {1, -99, 1, QUERY_OK}, {101, 101, 0, QUERY_OUT_OF_RANGE}};
    for (const auto& c : cases) {
        machine.InterfaceA().ulSignalQuality = c.ulQuality;
        EXPECT_EQ(adapter.GetSignal(&nQuality, &nSignal, &nNoise), c.nStatus) << c.ulQuality;
        EXPECT_EQ(nSignal, c.nSignal) << c.ulQuality;
        EXPECT_EQ(nQuality, c.nQuality) << c.ulQuality;
    }

    short nRate = 0;
    EXPECT_EQ(adapter.GetRate(&nRate), QUERY_OK);
    EXPECT_EQ(nRate, 54);  // no receive rate: the transmit rate
    machine.InterfaceA().ulRxRate = 5500;
    EXPECT_EQ(adapter.GetRate(&nRate), QUERY_OK);
    EXPECT_EQ(nRate, 6);

    DWORD dwCode = 0;
    EXPECT_EQ(adapter.GetSecurity(&dwCode), QUERY_OK);
    EXPECT_EQ(dwCode, SECURITY_WPA);
    for (auto [dwCipher, dwExpected] : {std::pair<DWORD, DWORD>{0, SECURITY_CLEAR},
                                        {0x05, SECURITY_WEP},
                                        {0x101, SECURITY_WEP},
                                        {0x02, SECURITY_WPA},
                                        {0x04, SECURITY_WPA2},
                                        {0x03, SECURITY_UNKNOWN}}) {
        machine.InterfaceA().dwCipher = dwCipher;
        EXPECT_EQ(adapter.GetSecurity(&dwCode), QUERY_OK);
        EXPECT_EQ(dwCode, dwExpected) << dwCipher;
    }

    BYTE abBssid[BSSID_LENGTH] = {};
    EXPECT_EQ(adapter.GetBssid(abBssid), QUERY_OK);
    EXPECT_EQ(abBssid[5], 0x30);
    std::string strSsid;
    EXPECT_EQ(adapter.GetSsid(&strSsid), QUERY_OK);
    EXPECT_EQ(strSsid, "Office");
    short nChannel = 0;
    EXPECT_EQ(adapter.GetChannel(&nChannel), QUERY_OK);
    EXPECT_EQ(nChannel, 11);
    machine.InterfaceA().ulChannel = 1001;
    EXPECT_EQ(adapter.GetChannel(&nChannel), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(nChannel, 1001);

    DWORD dwMode = 0;
    EXPECT_EQ(adapter.GetInfrastructureMode(&dwMode), QUERY_OK);
    EXPECT_EQ(dwMode, MODE_INFRASTRUCTURE);
    machine.InterfaceA().dwBssType = 51;
    EXPECT_EQ(adapter.GetInfrastructureMode(&dwMode), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(dwMode, VALUE_NOT_READ);

    machine.InterfaceA().dwConnectionSize = 600;
    EXPECT_EQ(adapter.GetBssid(abBssid), QUERY_BAD_SIZE);
    EXPECT_EQ(abBssid[5], 0);
    EXPECT_EQ(adapter.GetFailureMask(adapter.m_hDevice), FAILURE_BSSID | FAILURE_SIGNAL);
    EXPECT_EQ(machine.Wlan().OutstandingAllocations(), 0u);
}

TEST(WiFiApiAdapter, DisconnectedInterfaceAnswersStatusOneAndStaysUsable) {
    CSimWlanMachine machine(CSimWlanMachine::OneInterface("", "", "disconnected"));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    short nQuality = 7;
    short nSignal = 7;
    short nNoise = 7;
    EXPECT_EQ(adapter.GetSignal(&nQuality, &nSignal, &nNoise), QUERY_FAILED);
    EXPECT_EQ(nSignal, -100);
    short nChannel = 7;
    EXPECT_EQ(adapter.GetChannel(&nChannel), QUERY_FAILED);
    EXPECT_EQ(nChannel, -1);
    EXPECT_EQ(adapter.GetFailureMask(adapter.m_hDevice), 0);

    machine.InterfaceA().mapErrors["WlanQueryInterface"] = ERROR_ACCESS_DENIED;
    EXPECT_EQ(adapter.GetChannel(&nChannel), QUERY_NOT_SUPPORTED);
    adapter.CloseDevice();
    EXPECT_EQ(adapter.GetFailureMask(adapter.m_hDevice), FAILURE_MASK_CLOSED);
    EXPECT_EQ(machine.Wlan().OpenHandles(), 0u);
}

TEST(WiFiApiAdapter, BssListKeepsEachBssOnceWithItsSecurityNameAndRate) {
    const std::string strAps =
        ASSOCIATED_AP + "," +
        Ap("Home|Net", "00:1b:2f:10:20:30", R"(, "frequency": 2437000, "rssi": -48, "security": "wpa2",
            "apName": "Upstairs")") +
        "," + Ap("Dup", "00:1b:2f:10:20:30", R"(, "frequency": 2437000, "rssi": -50)") + "," +
        Ap("OtherChannel", "00:1b:2f:10:20:30", R"(, "frequency": 2484000, "rssi": -52, "security": "wpa")") +
        "," + Ap("Positive", "00:0a:0b:0c:0d:0e", R"(, "frequency": 2412000, "rssi": 0)") + "," +
        Ap("Cell", "02:00:00:00:00:07", R"(, "frequency": 5180000, "rssi": -60, "bssType": "independent",
            "security": "wep", "rates": [])") +
        "," +
        Ap("Far", "00:00:00:00:00:08", R"(, "frequency": 4920000, "rssi": -90, "security": "wpa-wpa2")");
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(strAps));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);

    const BYTE abAssociated[BSSID_LENGTH] = {0, 0, 0, 0, 0, 1};
    CBssResult result = ReadBssList(adapter, abAssociated, 6);
    EXPECT_EQ(result.nReported, 7);
    EXPECT_EQ(result.nMatchSignal, -40);  // the associated BSS gives only its signal
    ASSERT_EQ(result.set.GetCount(), 4);
    const CAccessPointList& aps = result.set.m_apAccessPoints;
    EXPECT_EQ(aps[0]->m_strSsid, "Home|Net");
    EXPECT_EQ(aps[0]->m_nChannel, 6);
    EXPECT_EQ(aps[0]->m_nSignal, -48);
    EXPECT_EQ(aps[0]->m_nRate, 54);
    EXPECT_EQ(aps[0]->m_nQuality, -1);
    EXPECT_EQ(aps[0]->m_nNoise, -100);
    EXPECT_EQ(result.set.m_adwSecurity[0], SECURITY_WPA2);
    EXPECT_EQ(result.set.m_astrApNames[0], "Upstairs");
    EXPECT_EQ(result.set.m_adwModes[0], MODE_INFRASTRUCTURE);

    EXPECT_EQ(aps[1]->m_strSsid, "OtherChannel");  // same BSSID, channel 14: another BSS
    EXPECT_EQ(aps[1]->m_nChannel, 14);
    EXPECT_EQ(result.set.m_adwSecurity[1], SECURITY_WPA);
    EXPECT_EQ(result.set.m_astrApNames[1], "");

    EXPECT_EQ(aps[2]->m_strSsid, "Cell");
    EXPECT_EQ(aps[2]->m_nChannel, 36);
    EXPECT_EQ(aps[2]->m_nRate, 0);  // empty rate set
    EXPECT_EQ(result.set.m_adwModes[2], MODE_AD_HOC);
    EXPECT_EQ(result.set.m_adwSecurity[2], SECURITY_WEP);

    EXPECT_EQ(aps[3]->m_nChannel, 4920);
    EXPECT_EQ(result.set.m_adwSecurity[3], SECURITY_WPA2);  // TKIP and CCMP listed: CCMP wins
    EXPECT_EQ(machine.Wlan().OutstandingAllocations(), 0u);

    // Every entry a duplicate of one already held: nothing added, the count still reported.
    CBssResult again = ReadBssList(adapter, abAssociated, 6);
    const int nReported = adapter.GetBssList(nullptr, -1, nullptr, &again.set);
    EXPECT_EQ(nReported, 7);
    EXPECT_EQ(again.set.GetCount(), 5);  // only the associated BSS joins, no longer matched
}

TEST(WiFiApiAdapter, DuplicatesFarApartInALongListKeepOnlyTheFirst) {
    // 300 BSSs, then the same 300 again (weaker), then the first 300 BSSIDs on another channel.
    std::string strAps;
    auto add = [&strAps](int i, int nRssi, int nFrequency) {
        char szMac[32];
        std::snprintf(szMac, sizeof szMac, "00:0f:66:00:%02x:%02x", i >> 8, i & 0xff);
        strAps += (strAps.empty() ? "" : ",") + Ap("Net" + std::to_string(i), szMac,
                                                   ", \"frequency\": " + std::to_string(nFrequency) +
                                                       ", \"rssi\": " + std::to_string(nRssi));
    };
    for (int i = 0; i < 300; ++i) {
        add(i, -50, 2412000);
    }
    for (int i = 0; i < 300; ++i) {
        add(i, -70, 2412000);
    }
    for (int i = 0; i < 300; ++i) {
        add(i, -80, 2462000);
    }
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(strAps));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    CBssResult result = ReadBssList(adapter);
    EXPECT_EQ(result.nReported, 900);
    ASSERT_EQ(result.set.GetCount(), 600);
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(result.set.m_apAccessPoints[i]->m_nSignal, -50) << "the first of each BSS is kept";
        EXPECT_EQ(result.set.m_aKeys[300 + i].channel, 11);
        EXPECT_EQ(result.set.m_aKeys[300 + i].bssid[5], result.set.m_aKeys[i].bssid[5]);
    }
}

TEST(WiFiApiAdapter, ShortElementBlobGivesWepAndNoName) {
    // 12 bytes of elements (an RSN element among them) are too few to be walked.
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(
        Ap("Short", "00:00:00:00:00:09",
           R"(, "privacy": true, "ies": "30 0a 01 00 00 0f ac 04 01 00 00 0f")") +
        "," +
        Ap("Clear", "00:00:00:00:00:0a",
           R"(, "privacy": false, "ies": "30 0a 01 00 00 0f ac 04 01 00 00 0f 00")")));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    CBssResult result = ReadBssList(adapter);
    ASSERT_EQ(result.set.GetCount(), 2);
    EXPECT_EQ(result.set.m_adwSecurity[0], SECURITY_WEP);
    EXPECT_EQ(result.set.m_astrApNames[0], "");
    EXPECT_EQ(result.set.m_adwSecurity[1], SECURITY_CLEAR);  // no privacy bit: elements not asked
}

TEST(WiFiApiAdapter, StatisticsSumTheLowWordsOfEveryPhy) {
    CSimWlanMachine machine(CSimWlanMachine::OneInterface("", R"(, "statistics": {"phys": [
              {"failed": 3, "retry": 40, "multipleRetry": 7, "rtsFailure": 1, "ackFailure": 5,
               "maxRxLifetimeExceeded": 2, "fcsError": 12},
              {"failed": 1, "retry": 2, "multipleRetry": 1, "ackFailure": 1}]})"));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    DWORD dwCount = 0;
    EXPECT_EQ(adapter.GetRcvErrors(&dwCount), QUERY_OK);
    EXPECT_EQ(dwCount, 0u);  // nothing read yet
    EXPECT_EQ(adapter.GetXmitErrors(&dwCount), QUERY_OK);
    EXPECT_EQ(dwCount, 4u);
    EXPECT_EQ(adapter.GetRcvErrors(&dwCount), QUERY_OK);
    EXPECT_EQ(dwCount, 21u);
    EXPECT_EQ(adapter.GetXmitOneCollision(&dwCount), QUERY_OK);
    EXPECT_EQ(dwCount, 42u);
    EXPECT_EQ(adapter.GetXmitMoreCollisions(&dwCount), QUERY_OK);
    EXPECT_EQ(dwCount, 8u);
    EXPECT_EQ(adapter.GetRcvAlignmentErrors(&dwCount), QUERY_OK);
    EXPECT_EQ(dwCount, 0u);

    // 224 + 144 x 2 bytes are expected; one byte less is the wrong size and clears the figures.
    machine.InterfaceA().dwStatisticsSize = 224 + 144 * 2 - 1;
    EXPECT_EQ(adapter.GetXmitErrors(&dwCount), QUERY_BAD_SIZE);
    EXPECT_EQ(dwCount, 0u);
    EXPECT_EQ(adapter.GetRcvErrors(&dwCount), QUERY_OK);
    EXPECT_EQ(dwCount, 0u);
    EXPECT_EQ(machine.Wlan().OutstandingAllocations(), 0u);
}

// ---- Driver data that must not be trusted

TEST(WiFiApiAdapterFaults, PhyCountWhoseSizeWrapsTo32BitsIsAWrongSize) {
    // 224 + 144 x (2^28 + 1) wraps to 368, the size of one PHY: the count must not be believed.
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(
        "", R"(, "statistics": {"phys": [{"failed": 1}], "numberOfPhys": 268435457})"));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    DWORD dwCount = 99;
    EXPECT_EQ(adapter.GetXmitErrors(&dwCount), QUERY_BAD_SIZE);
    EXPECT_EQ(dwCount, 0u);
}

TEST(WiFiApiAdapterFaults, EntryCountBeyondTheReturnedBytesReadsOnlyTheEntriesPresent) {
    CSimWlanMachine machine(
        CSimWlanMachine::OneInterface(Ap("One", "00:00:00:00:00:01", R"(, "rssi": -50)") + "," +
                                          Ap("Two", "00:00:00:00:00:02", R"(, "rssi": -51)"),
                                      R"(, "bssCount": 1000)"));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    CBssResult result = ReadBssList(adapter);
    EXPECT_EQ(result.nReported, 1000);
    ASSERT_EQ(result.set.GetCount(), 2);
    EXPECT_EQ(result.set.m_apAccessPoints[1]->m_strSsid, "Two");
}

TEST(WiFiApiAdapterFaults, HugeEntryCountIsNotReadAsAFailedScan) {
    for (const char* pszCount : {"2147483648", "4294967292", "4294967295"}) {
        CSimWlanMachine machine(CSimWlanMachine::OneInterface(
            Ap("One", "00:00:00:00:00:01", R"(, "rssi": -50)"), std::string(R"(, "bssCount": )") + pszCount));
        CWiFiApiAdapter adapter;
        ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
        CBssResult result = ReadBssList(adapter);
        EXPECT_EQ(result.nReported, INT_MAX) << pszCount;
        EXPECT_EQ(result.set.GetCount(), 1) << pszCount;
    }
}

TEST(WiFiApiAdapterFaults, ElementOffsetsAndSizesPastTheBufferAreCut) {
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(
        Ap("FarOffset", "00:00:00:00:00:01",
           R"(, "security": "wpa2", "apName": "Lost", "ieOffset": 4000000000)") +
        "," +
        Ap("Wrapping", "00:00:00:00:00:02", R"(, "security": "wpa2", "ieOffset": 4294967295, "ieSize": 40)") +
        "," +
        Ap("LongSize", "00:00:00:00:00:03", R"(, "security": "wpa2", "apName": "Kept", "ieSize": 100000)")));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    CBssResult result = ReadBssList(adapter);
    ASSERT_EQ(result.set.GetCount(), 3);
    EXPECT_EQ(result.set.m_adwSecurity[0], SECURITY_WEP);  // privacy bit only: no elements present
    EXPECT_EQ(result.set.m_astrApNames[0], "");
    EXPECT_EQ(result.set.m_adwSecurity[1], SECURITY_WEP);
    // The last blob ends the buffer: cut to what is there, its elements are still read.
    EXPECT_EQ(result.set.m_adwSecurity[2], SECURITY_WPA2);
    EXPECT_EQ(result.set.m_astrApNames[2], "Kept");
}

TEST(WiFiApiAdapterFaults, SsidLengthAbove32IsCutTo32) {
    const std::string strSsid(32, 'S');
    CSimWlanMachine machine(
        CSimWlanMachine::OneInterface(Ap(strSsid, "00:00:00:00:00:01", R"(, "ssidLength": 255)") + "," +
                                      Ap("Rates", "00:00:00:00:00:02", R"(, "rateSetLength": 4294967295)")));
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    CBssResult result = ReadBssList(adapter);
    ASSERT_EQ(result.set.GetCount(), 2);
    EXPECT_EQ(result.set.m_apAccessPoints[0]->m_strSsid, strSsid);
    EXPECT_EQ(result.set.m_apAccessPoints[1]->m_nRate, 54);  // only the 126 entries of the set are read
}

TEST(WiFiApiAdapterFaults, MissingLibraryFailsEveryOperationWithItsCode) {
    CSimWlanMachine machine("");  // no WLAN service at all
    CWiFiApiAdapter adapter;
    EXPECT_EQ(adapter.OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_NONE);
    EXPECT_EQ(adapter.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(adapter.StartScan(), QUERY_FAILED);
    EXPECT_EQ(ReadBssList(adapter).nReported, BSS_LIST_FAILED);
    short nChannel = 0;
    EXPECT_EQ(adapter.GetChannel(&nChannel), QUERY_NOT_SUPPORTED);
    DWORD dwValue = 0;
    EXPECT_EQ(adapter.GetXmitErrors(&dwValue), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(adapter.GetPhysicalMedium(&dwValue), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(adapter.SetScanCallback(ScanNotificationCallback, nullptr), 1);
    EXPECT_EQ(adapter.CloseDevice(), 0);
}

TEST(WiFiApiAdapterFaults, MissingEntryPointsFailOnlyTheirOperations) {
    CSimWlanMachine machine(R"({"missingEntryPoints": ["WlanScan", "WlanGetNetworkBssList",
        "WlanRegisterNotification", "WlanGetInterfaceCapability"],
        "interfaces": [{"guid": ")" +
                            std::string(SIM_WLAN_GUID_A) + R"(", "state": "connected"}]})");
    CWiFiApiAdapter adapter;
    ASSERT_EQ(adapter.OpenByIndex(0, FALSE, nullptr, nullptr), OPEN_USABLE);
    EXPECT_EQ(adapter.StartScan(), QUERY_FAILED);
    EXPECT_EQ(adapter.m_bScanPending, TRUE);
    EXPECT_EQ(ReadBssList(adapter).nReported, BSS_LIST_FAILED);
    EXPECT_EQ(adapter.SetScanCallback(ScanNotificationCallback, nullptr), 1);
    DWORD dwMedium = 5;
    EXPECT_EQ(adapter.GetPhysicalMedium(&dwMedium), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(dwMedium, 0u);
    short nChannel = 0;
    EXPECT_EQ(adapter.GetChannel(&nChannel), QUERY_OK);
}

TEST(WiFiApiAdapterFaults, WithoutWlanFreeMemoryNoBufferIsAskedFor) {
    // Without WlanFreeMemory no call that returns a buffer is made: nothing would release it.
    CSimWlanMachine noFree(R"({"missingEntryPoints": ["WlanFreeMemory"],
        "interfaces": [{"guid": ")" +
                           std::string(SIM_WLAN_GUID_A) + R"(", "state": "connected"}]})");
    CWiFiApiAdapter leaky;
    EXPECT_EQ(leaky.OpenByIndex(0, FALSE, nullptr, nullptr), OPEN_NONE);
    short nChannel = 0;
    EXPECT_EQ(leaky.GetChannel(&nChannel), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(noFree.Wlan().OutstandingAllocations(), 0u);
}

TEST(WiFiApiAdapterFaults, DestroyingOneObjectLeavesTheLibraryToAnotherThatLives) {
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(ASSOCIATED_AP));
    auto pFirst = std::make_unique<CWiFiApiAdapter>();
    CWiFiApiAdapter second;
    ASSERT_EQ(second.OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    EXPECT_EQ(machine.Machine().Libraries().LoadCount(), 1);
    pFirst.reset();
    EXPECT_EQ(machine.Machine().Libraries().LoadCount(), 1);
    EXPECT_EQ(second.StartScan(), QUERY_OK);
    EXPECT_EQ(ReadBssList(second).nReported, 1);
}

TEST(WiFiApiAdapterFaults, DestroyedObjectEndsItsRegistrationAndClosesBeforeTheLibraryGoes) {
    CSimWlanMachine machine(CSimWlanMachine::OneInterface(ASSOCIATED_AP, R"(, "scanMs": 3000)"));
    CScanSync sync;
    ASSERT_TRUE(sync.CreateEvent());
    auto pAdapter = std::make_unique<CWiFiApiAdapter>();
    ASSERT_EQ(pAdapter->OpenByName(SIM_WLAN_GUID_A, FALSE), OPEN_USABLE);
    ASSERT_EQ(pAdapter->SetScanCallback(ScanNotificationCallback, &sync), 0);
    ASSERT_EQ(pAdapter->StartScan(), QUERY_OK);  // its notification is due in 3 s
    sync.SetAction(ACTION_SCAN);
    pAdapter.reset();
    EXPECT_EQ(
        machine.Machine().Libraries().Calls(),
        (std::vector<std::string>{"LoadLibrary wlanapi", "WlanRegisterNotification 8",
                                  "WlanRegisterNotification 0", "WlanCloseHandle", "FreeLibrary wlanapi"}));
    Os().Clock().Sleep(5000);
    EXPECT_EQ(machine.Wlan().DeliveredNotifications(), 0u);
    EXPECT_EQ(sync.ReadAction(), ACTION_SCAN);
}

}  // namespace
