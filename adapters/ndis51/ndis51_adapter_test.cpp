#include "adapters/ndis51/ndis51_adapter.h"

#include <gtest/gtest.h>

#include <climits>

#include <algorithm>

#include "adapters/supported_cache.h"
#include "adapters/wzc_service.h"
#include "platform/sim/sim_machine.h"

namespace {

constexpr DWORD CODE_QUERY_OID_RW = 0x0012C804;
constexpr DWORD CODE_QUERY_OID_0 = 0x00120804;
constexpr DWORD CODE_BIND_WAIT_RW = 0x0012C810;
constexpr DWORD CODE_BIND_WAIT_0 = 0x00120810;
constexpr DWORD CODE_QUERY_BINDING_0 = 0x0012080C;
constexpr DWORD CODE_OPEN_DEVICE_RW = 0x0012C800;
constexpr DWORD CODE_SET_OID_RW = 0x0012C814;

const char WIRELESS[] = "\\DEVICE\\{5A1B}";
const BYTE ASSOC_MAC[6] = {0x00, 0x0F, 0x66, 0xAA, 0xBB, 0x01};

class Ndis51AdapterTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProcessState(); }
    void TearDown() override {
        m_pAdapter.reset();
        m_pOs.reset();
        m_pMachine.reset();
        ResetProcessState();
    }
    static void ResetProcessState() {
        g_dwNdisuioAccess = NDISUIO_ACCESS_READ_WRITE;
        g_bWzcStopped = 0;
        ClearSupportedCache();
    }

    // A Windows XP machine with WZCSVC (stops in 1 s) and the given "ndisuio" section.
    void Boot(const std::string& strNdisuio, const std::string& strWzc = R"("state": "running")") {
        m_pAdapter.reset();
        m_pOs.reset();
        m_pMachine.reset();
        const std::string strText =
            R"({"windows": {"major": 5, "minor": 1}, "services": {"WZCSVC": {"waitHint": 0, "stopMs": 1000, )"
            R"("checkpointMs": 0, )" +
            strWzc + "}}, \"ndisuio\": " + strNdisuio + "}";
        std::string strError;
        m_pMachine = CSimMachine::FromText(strText, "test", &strError);
        ASSERT_NE(m_pMachine, nullptr) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
        m_pAdapter = std::make_unique<CNdis51Adapter>();
    }
    // One wireless binding with the given extra members, associated to ASSOC_MAC on channel 6.
    void BootWireless(const std::string& strMembers) {
        Boot(R"({"bindings": [{"name": "\\DEVICE\\{5A1B}", "description": "Test Wireless",
                 "association": {"bssid": "00:0F:66:AA:BB:01", "ssid": "Office", "rssi": -48,
                                 "dsConfig": 2437000})" +
             (strMembers.empty() ? "" : ", " + strMembers) + "}]}");
        ASSERT_EQ(m_pAdapter->OpenByName(WIRELESS, FALSE), OPEN_USABLE);
        Driver().ClearCalls();
    }

    CSimNdisuio& Driver() { return m_pMachine->Ndisuio(); }
    CSimNdisBinding& Binding(CSimNdisuioConfig& config) { return config.aBindings.at(0); }
    std::vector<DWORD> Codes() {
        std::vector<DWORD> adw;
        for (const CSimNdisCall& call : Driver().Calls()) {
            adw.push_back(call.dwCode);
        }
        return adw;
    }
    int CallsFor(DWORD dwOid) {
        const auto aCalls = Driver().Calls();
        return static_cast<int>(std::count_if(aCalls.begin(), aCalls.end(),
                                              [&](const CSimNdisCall& c) { return c.dwOid == dwOid; }));
    }
    int GetList(CScanResultSet* pSet, const BYTE* pbMatch = nullptr, short nMatchChannel = -1,
                short* pnMatchSignal = nullptr) {
        return m_pAdapter->GetBssList(pbMatch, nMatchChannel, pnMatchSignal, pSet);
    }

    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    std::unique_ptr<CNdis51Adapter> m_pAdapter;
};

std::string Ap(const std::string& strSsid, const std::string& strMac, DWORD dwKhz, int nRssi,
               const std::string& strMore = "") {
    return R"({"ssid": ")" + strSsid + R"(", "bssid": ")" + strMac + R"(", "dsConfig": )" +
           std::to_string(dwKhz) + R"(, "rssi": )" + std::to_string(nRssi) +
           (strMore.empty() ? "" : ", " + strMore) + "}";
}

}  // namespace

TEST_F(Ndis51AdapterTest, CodeFormSwitchesOnAFailedCallAndStaysForLaterObjects) {
    Boot(R"({"codeForm": "access0", "bindings": [{"name": "\\DEVICE\\{5A1B}", "medium": 1}]})");
    std::string strName;
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, FALSE, &strName, nullptr), OPEN_USABLE);
    EXPECT_EQ(strName, WIRELESS);
    const std::vector<DWORD> adwCodes = Codes();
    ASSERT_GE(adwCodes.size(), 4u);
    EXPECT_EQ(adwCodes[0], CODE_BIND_WAIT_RW);  // refused: ERROR_NOT_SUPPORTED
    EXPECT_EQ(adwCodes[1], CODE_BIND_WAIT_0);
    EXPECT_EQ(adwCodes[2], CODE_QUERY_BINDING_0);
    EXPECT_EQ(g_dwNdisuioAccess, 0u);

    // A new object starts with the form that last worked.
    m_pAdapter = std::make_unique<CNdis51Adapter>();
    Driver().ClearCalls();
    EXPECT_EQ(m_pAdapter->OpenByName(WIRELESS, FALSE), OPEN_USABLE);
    EXPECT_EQ(Codes().front(), CODE_BIND_WAIT_0);
    EXPECT_EQ(Driver().Calls().front().dwError, ERROR_SUCCESS);

    // The driver changes its mind: the next failure switches back, and that form stays.
    Driver().Update([](CSimNdisuioConfig& config) { config.strCodeForm = "readWrite"; });
    Driver().ClearCalls();
    DWORD dwMedium = 0;
    EXPECT_EQ(m_pAdapter->GetPhysicalMedium(&dwMedium), QUERY_OK);
    EXPECT_EQ(dwMedium, 1u);
    EXPECT_EQ(Codes(), (std::vector<DWORD>{CODE_QUERY_OID_0, CODE_QUERY_OID_RW}));
    EXPECT_EQ(g_dwNdisuioAccess, NDISUIO_ACCESS_READ_WRITE);
    Driver().ClearCalls();
    EXPECT_EQ(m_pAdapter->GetPhysicalMedium(&dwMedium), QUERY_OK);
    EXPECT_EQ(Codes(), std::vector<DWORD>{CODE_QUERY_OID_RW});
}

TEST_F(Ndis51AdapterTest, UnsupportedOidIsStatus4OnlyWhenBothFormsSaySo) {
    BootWireless(R"("unsupportedOids": ["0x0D010206"])");
    short nQuality = 7, nSignal = 7, nNoise = 7;
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(nSignal, 0);
    EXPECT_EQ(Driver().Calls().size(), 2u);  // one retry in the other form
    // A driver that knows only one form answers the other with "not supported": the second error wins.
    Driver().Update([&](CSimNdisuioConfig& config) {
        config.strCodeForm = g_dwNdisuioAccess == 0 ? "readWrite" : "access0";
        Binding(config).aOidErrors = {{OID_802_11_RSSI, ERROR_GEN_FAILURE}};
    });
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_FAILED);
}

TEST_F(Ndis51AdapterTest, DiscoveryWalksTheBindingsUntilThereAreNoMore) {
    Boot(R"({"bindings": [
        {"name": "\\DEVICE\\{A}", "description": "Caf\u00e9 Wireless", "medium": 1},
        {"name": "\\DEVICE\\{B}", "description": "Wired", "wireless": false, "medium": 14},
        {"name": "\\DEVICE\\{C}", "description": "", "medium": 1, "replyBytes": {"0x0D010101": 8},
         "association": {"bssid": "00:0F:66:AA:BB:01"}}]})");
    std::string strName = "x", strDescription = "x";
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, &strName, &strDescription), OPEN_USABLE);
    EXPECT_EQ(strName, "\\DEVICE\\{A}");
    EXPECT_EQ(strDescription, "Caf\xE9 Wireless");  // UTF-16 → the ANSI code page
    EXPECT_EQ(m_pAdapter->m_strDevice, "\\DEVICE\\{A}");
    m_pAdapter->CloseDevice();

    DWORD dwMedium = 0;
    EXPECT_EQ(m_pAdapter->OpenByIndex(1, TRUE, &strName, &strDescription), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(strDescription, "Wired");
    EXPECT_EQ(m_pAdapter->GetPhysicalMedium(&dwMedium), QUERY_OK);
    EXPECT_EQ(dwMedium, 14u);
    m_pAdapter->CloseDevice();

    // Answers the mode query but its BSSID answer has the wrong size: capabilities fail.
    EXPECT_EQ(m_pAdapter->OpenByIndex(2, TRUE, &strName, &strDescription), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), FAILURE_BSSID);
    m_pAdapter->CloseDevice();

    EXPECT_EQ(m_pAdapter->OpenByIndex(3, TRUE, &strName, &strDescription), OPEN_NONE);
    EXPECT_EQ(strName, "");
    EXPECT_EQ(strDescription, "");

    std::string strValue;
    ASSERT_TRUE(LookupSupported("\\DEVICE\\{A}", &strValue));
    EXPECT_EQ(strValue, "true");
    ASSERT_TRUE(LookupSupported("\\DEVICE\\{B}", &strValue));
    EXPECT_EQ(strValue, "false");
    ASSERT_TRUE(LookupSupported("\\DEVICE\\{C}", &strValue));
    EXPECT_EQ(strValue, "false");

    // A second walk answers from the cache: no mode query is sent again.
    m_pAdapter->CloseDevice();
    Driver().ClearCalls();
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_USABLE);
    m_pAdapter->CloseDevice();
    EXPECT_EQ(m_pAdapter->OpenByIndex(1, TRUE, nullptr, nullptr), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(CallsFor(OID_802_11_INFRASTRUCTURE_MODE), 0);
}

TEST_F(Ndis51AdapterTest, MissingOrDeniedDriver) {
    Boot(R"({"present": false})");
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_NONE);
    Boot(R"({"createError": 5, "bindings": [{"name": "\\DEVICE\\{5A1B}"}]})");
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_ACCESS_DENIED);
    EXPECT_EQ(m_pAdapter->OpenByName(WIRELESS, FALSE), OPEN_NONE);  // by name: just unreachable
    Boot(R"({"bindWaitError": 31, "bindings": [{"name": "\\DEVICE\\{5A1B}"}]})");
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_NONE);
    EXPECT_EQ(m_pAdapter->m_hDevice, INVALID_HANDLE_VALUE);
    EXPECT_EQ(m_pMachine->DeviceIo().OpenHandleCount(), 0u);
}

TEST_F(Ndis51AdapterTest, BusyAdapterStopsTheConfigurationServiceThenOpens) {
    Boot(R"({"bindings": [{"name": "\\DEVICE\\{5A1B}", "heldBy": "WZCSVC"}]})");
    EXPECT_EQ(m_pAdapter->OpenByName(WIRELESS, FALSE), OPEN_USABLE);
    EXPECT_EQ(m_pMachine->ServiceManager().Status("WZCSVC").dwCurrentState,
              static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(g_bWzcStopped, 1);
    std::vector<DWORD> adwOpenErrors;
    for (const CSimNdisCall& call : Driver().Calls()) {
        if (call.dwCode == CODE_OPEN_DEVICE_RW) {
            adwOpenErrors.push_back(call.dwError);
        }
    }
    EXPECT_EQ(adwOpenErrors, (std::vector<DWORD>{ERROR_BUSY, ERROR_SUCCESS}));

    // Another handle cannot take the adapter while this one holds it.
    CNdis51Adapter second;
    EXPECT_EQ(second.OpenByName(WIRELESS, FALSE), OPEN_NOT_SUPPORTED);
    m_pAdapter->CloseDevice();
    EXPECT_EQ(second.OpenByName(WIRELESS, FALSE), OPEN_USABLE);
}

TEST_F(Ndis51AdapterTest, ServiceThatCannotBeStoppedGivesResult2AndMinus2) {
    Boot(R"({"bindings": [{"name": "\\DEVICE\\{5A1B}", "heldBy": "WZCSVC"}]})",
         R"("state": "running", "access": "query")");
    EXPECT_EQ(m_pAdapter->OpenByName(WIRELESS, FALSE), OPEN_ACCESS_DENIED);
    EXPECT_EQ(m_pAdapter->OpenDevice(), DEVICE_BUSY);
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_ACCESS_DENIED);

    CNdis51Adapter closed;
    EXPECT_EQ(closed.OpenDevice(), DEVICE_OPEN_FAILED);
}

TEST_F(Ndis51AdapterTest, ChannelFromDsConfigInBothPlaces) {
    BootWireless(R"("accessPoints": [)" + Ap("Near", "00:0F:66:00:00:09", 2437000, -60) + "]");
    struct {
        DWORD dwKhz;
        short nGetChannel;
        int nStatus;
        short nBssChannel;
    } const aCases[] = {
        {2437000, 6, QUERY_OK, 6},   {5180000, 36, QUERY_OK, 36},
        {2484000, 14, QUERY_OK, 14}, {4940000, 506, QUERY_OUT_OF_RANGE, 4940},
        {900000, 0, QUERY_OK, 900},
    };
    for (const auto& c : aCases) {
        Driver().Update([&](CSimNdisuioConfig& config) {
            Binding(config).dwAssocDsConfig = c.dwKhz;
            Binding(config).aAccessPoints[0].dwDsConfig = c.dwKhz;
        });
        short nChannel = -5;
        EXPECT_EQ(m_pAdapter->GetChannel(&nChannel), c.nStatus) << c.dwKhz;
        EXPECT_EQ(nChannel, c.nGetChannel) << c.dwKhz;
        CScanResultSet set;
        EXPECT_EQ(GetList(&set), 1);
        ASSERT_EQ(set.GetCount(), 1);
        EXPECT_EQ(set.m_apAccessPoints[0]->m_nChannel, c.nBssChannel) << c.dwKhz;
        EXPECT_EQ(set.m_aKeys[0].channel, c.nBssChannel) << c.dwKhz;
    }
}

TEST_F(Ndis51AdapterTest, BssListSecurityAndApNamesFromTheElements) {
    BootWireless(
        R"("accessPoints": [)" +  //
        Ap("Wpa2", "00:0F:66:00:00:01", 2412000, -40, R"("privacy": true, "rsn": ["ccmp", "tkip"])") + "," +
        Ap("Wpa", "00:0F:66:00:00:02", 2437000, -50, R"("privacy": true, "wpa": true)") + "," +
        Ap("Wep", "00:0F:66:00:00:03", 2462000, -60, R"("privacy": true)") + "," +
        Ap("Open", "00:0F:66:00:00:04", 2462000, -70, R"("apName": "CORRIDOR")") + "," +
        Ap("NoPrivacy", "00:0F:66:00:00:05", 2412000, -71, R"("rsn": ["ccmp"])") + "," +
        Ap("Short", "00:0F:66:00:00:06", 2412000, -72,
           R"("privacy": true, "elements": "300A0100000FAC040100000F DD070050F202000100")") +
        "," + Ap("Party", "02:0F:66:00:00:07", 2437000, -80, R"("mode": "adhoc", "rates": [1, 2, 5.5, 11])") +
        "]");
    CScanResultSet set;
    EXPECT_EQ(GetList(&set), 7);
    ASSERT_EQ(set.GetCount(), 7);
    EXPECT_TRUE(set.HasEqualLengths());
    EXPECT_EQ(set.m_adwSecurity, (CDwordArray{SECURITY_WPA2, SECURITY_WPA, SECURITY_WEP, SECURITY_CLEAR,
                                              SECURITY_CLEAR, SECURITY_WPA2, SECURITY_CLEAR}));
    EXPECT_EQ(set.m_astrApNames, (CApNameArray{"", "", "", "CORRIDOR", "", "", ""}));
    EXPECT_EQ(set.m_adwModes[6], MODE_AD_HOC);
    EXPECT_EQ(set.m_adwModes[0], MODE_INFRASTRUCTURE);
    const CAccessPoint& party = *set.m_apAccessPoints[6];
    EXPECT_EQ(party.m_strSsid, "Party");
    EXPECT_EQ(party.m_nSignal, -80);
    EXPECT_EQ(party.m_nRate, 11);
    EXPECT_EQ(party.m_nQuality, -1);
    EXPECT_EQ(party.m_nNoise, -100);
    EXPECT_EQ(set.m_apAccessPoints[0]->m_nRate, 54);
}

TEST_F(Ndis51AdapterTest, AssociatedBssOnlyGivesItsSignalAndDuplicatesAreDropped) {
    BootWireless(R"("accessPoints": [)" +                                 //
                 Ap("Office", "00:0F:66:AA:BB:01", 2437000, -47) + "," +  // the association
                 Ap("Office", "00:0F:66:AA:BB:01", 2462000, -66) + "," +  // same BSSID, other channel
                 Ap("Hall", "00:0F:66:00:00:02", 2412000, -55) + "," +
                 Ap("Hall", "00:0F:66:00:00:02", 2412000, -57) + "," +  // duplicate
                 Ap("Ghost", "00:0F:66:00:00:03", 2412000, 0) +         // no real signal
                 "]");
    CScanResultSet set;
    short nMatchSignal = 0;
    EXPECT_EQ(GetList(&set, ASSOC_MAC, 6, &nMatchSignal), 5);
    EXPECT_EQ(nMatchSignal, -47);
    ASSERT_EQ(set.GetCount(), 2);
    EXPECT_TRUE(set.HasEqualLengths());
    EXPECT_EQ(set.m_aKeys[0], CBssKey(ASSOC_MAC, 11));
    EXPECT_EQ(set.m_apAccessPoints[1]->m_strSsid, "Hall");
    EXPECT_EQ(set.m_apAccessPoints[1]->m_nSignal, -55);

    // Without a match everything distinct is kept, and the count stays the driver's even when
    // every entry is a duplicate of what the lists already hold.
    EXPECT_EQ(GetList(&set), 5);
    EXPECT_EQ(set.GetCount(), 3);
    EXPECT_EQ(GetList(&set), 5);
    EXPECT_EQ(set.GetCount(), 3);
}

TEST_F(Ndis51AdapterTest, ListBufferDoublesUntilTheAnswerFits) {
    std::string strAps;
    for (int i = 0; i < 40; ++i) {
        char szMac[32];
        std::snprintf(szMac, sizeof(szMac), "00:0F:66:01:00:%02X", i);
        strAps += (i ? "," : "") + Ap("Net" + std::to_string(i), szMac, 2412000, -40 - i);
    }
    BootWireless(R"("accessPoints": [)" + strAps + "]");
    CScanResultSet set;
    EXPECT_EQ(GetList(&set), 40);
    EXPECT_EQ(set.GetCount(), 40);
    DWORD cbLargest = 0;
    for (const CSimNdisCall& call : Driver().Calls()) {
        cbLargest = std::max(cbLargest, call.cbOut);
    }
    EXPECT_EQ(cbLargest, 8192u);  // 40 entries of about 160 bytes
}

TEST_F(Ndis51AdapterTest, ListThatNeverFitsFailsAtTheCeiling) {
    BootWireless(R"("bssidList": {"alwaysInsufficient": true})");
    CScanResultSet set;
    EXPECT_EQ(GetList(&set), BSS_LIST_FAILED);
    const auto aCalls = Driver().Calls();
    ASSERT_FALSE(aCalls.empty());
    DWORD cbLargest = 0;
    for (const CSimNdisCall& call : aCalls) {
        cbLargest = std::max(cbLargest, call.cbOut);
    }
    EXPECT_EQ(cbLargest, NDIS_BSSID_LIST_MAX_BYTES);
    EXPECT_EQ(aCalls.size(), 22u);  // 4 KiB … 4 MiB, each tried in both forms
}

TEST_F(Ndis51AdapterTest, ListErrorsMapToTheirResults) {
    BootWireless(R"("unsupportedOids": ["0x0D010217"])");
    CScanResultSet set;
    EXPECT_EQ(GetList(&set), BSS_LIST_NOT_SUPPORTED);
    Driver().Update([&](CSimNdisuioConfig& config) {
        Binding(config).aOidErrors = {{OID_802_11_BSSID_LIST, 31}};
    });
    EXPECT_EQ(GetList(&set), BSS_LIST_FAILED);
    EXPECT_EQ(set.GetCount(), 0);
}

TEST_F(Ndis51AdapterTest, MalformedEntriesFromTheDriverStayInsideTheAnswer) {
    BootWireless(R"("accessPoints": [)" +                                                           //
                 Ap("LongSsid", "00:0F:66:00:00:01", 2412000, -40, R"("ssidLength": 255)") + "," +  //
                 Ap("BigIe", "00:0F:66:00:00:02", 2412000, -41,
                    R"("privacy": true, "rsn": ["tkip"], "ieLength": 100000)") +
                 "," + Ap("Zero", "00:0F:66:00:00:03", 2412000, -42, R"("length": 0)") + "," +  //
                 Ap("Never", "00:0F:66:00:00:04", 2412000, -43) + "]");
    CScanResultSet set;
    EXPECT_EQ(GetList(&set), 4);
    ASSERT_EQ(set.GetCount(), 2);
    EXPECT_EQ(set.m_apAccessPoints[0]->m_strSsid, "LongSsid");  // cut to 32 bytes, then taken as text
    EXPECT_EQ(set.m_adwSecurity[1], SECURITY_WPA);

    // A count far beyond the entries present.
    Driver().Update([&](CSimNdisuioConfig& config) {
        Binding(config).aAccessPoints.resize(1);
        Binding(config).dwNumberOfItems = 0x7FFFFFF0;
    });
    set.Clear();
    EXPECT_EQ(GetList(&set), 0x7FFFFFF0);
    EXPECT_EQ(set.GetCount(), 1);
}

TEST_F(Ndis51AdapterTest, BindingOffsetsPastTheRecordAreNotFollowed) {
    Boot(R"({"bindings": [
        {"name": "\\DEVICE\\{A}", "description": "Broken", "record": {"nameOffset": 4000, "descriptionLength": 9000}},
        {"name": "\\DEVICE\\{B}", "description": "Fine"}]})");
    std::string strName = "x", strDescription;
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, FALSE, &strName, &strDescription), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(strName, "");
    EXPECT_EQ(strDescription, "Broken");
    m_pAdapter->CloseDevice();
    EXPECT_EQ(m_pAdapter->OpenByIndex(1, FALSE, &strName, &strDescription), OPEN_USABLE);
    EXPECT_EQ(strDescription, "Fine");
}

TEST_F(Ndis51AdapterTest, AssociationQueries) {
    BootWireless(R"("linkSpeed": 540000, "wepStatus": 6, "infrastructureMode": 1,
                   "counters": {"0x00020103": 17, "0x01020103": 3})");
    short nQuality = 0, nSignal = 0, nNoise = 0;
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_OK);
    EXPECT_EQ(nQuality, 52);
    EXPECT_EQ(nSignal, -48);
    EXPECT_EQ(nNoise, -100);
    BYTE abBssid[6] = {};
    EXPECT_EQ(m_pAdapter->GetBssid(abBssid), QUERY_OK);
    EXPECT_TRUE(std::equal(abBssid, abBssid + 6, ASSOC_MAC));
    std::string strSsid;
    EXPECT_EQ(m_pAdapter->GetSsid(&strSsid), QUERY_OK);
    EXPECT_EQ(strSsid, "Office");
    short nRate = 0;
    EXPECT_EQ(m_pAdapter->GetRate(&nRate), QUERY_OK);
    EXPECT_EQ(nRate, 54);
    DWORD dwValue = 0;
    EXPECT_EQ(m_pAdapter->GetSecurity(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, SECURITY_WPA2);
    EXPECT_EQ(m_pAdapter->GetInfrastructureMode(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, MODE_INFRASTRUCTURE);
    EXPECT_EQ(m_pAdapter->GetXmitErrors(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, 17u);
    EXPECT_EQ(m_pAdapter->GetXmitMoreCollisions(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, 3u);
    EXPECT_EQ(m_pAdapter->GetRcvErrors(&dwValue), QUERY_OK);
    EXPECT_EQ(m_pAdapter->GetRcvAlignmentErrors(&dwValue), QUERY_OK);
    EXPECT_EQ(m_pAdapter->GetXmitOneCollision(&dwValue), QUERY_OK);
    EXPECT_EQ(m_pAdapter->GetPhysicalMedium(&dwValue), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), 0);
    EXPECT_TRUE(m_pAdapter->QueryOidDword(OID_GEN_LINK_SPEED, &dwValue));
    EXPECT_EQ(dwValue, 540000u);
    std::string strValue;
    EXPECT_TRUE(m_pAdapter->QueryOidString(OID_802_11_SSID, &strValue));
    EXPECT_EQ(strValue, std::string("\x06", 1));  // the SsidLength word, cut at its first zero byte
    EXPECT_FALSE(m_pAdapter->QueryOidString(0x0D0102FF, &strValue));
    EXPECT_EQ(m_pAdapter->SetScanCallback(nullptr, nullptr), 0);
    EXPECT_EQ(m_pAdapter->GetName(), "NDIS51");
}

TEST_F(Ndis51AdapterTest, ImplausibleValuesAndWrongSizes) {
    BootWireless(R"("linkSpeed": 11000000, "wepStatus": 51, "infrastructureMode": 60,
                   "replyBytes": {"0x0D010101": 8, "0x0D010211": 40})");
    Driver().Update([&](CSimNdisuioConfig& config) { Binding(config).nAssocRssi = -600; });
    short nQuality = 0, nSignal = 0, nNoise = 0;
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(nSignal, -600);  // stored anyway
    EXPECT_EQ(nQuality, 0);    // raised to 0
    Driver().Update([&](CSimNdisuioConfig& config) { Binding(config).nAssocRssi = 0x7FFFFFFF; });
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(nQuality, SHRT_MAX);  // RSSI + 100 without overflow, kept within 16 bits
    short nRate = 0;
    EXPECT_EQ(m_pAdapter->GetRate(&nRate), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(nRate, 1100);
    DWORD dwValue = 0;
    EXPECT_EQ(m_pAdapter->GetSecurity(&dwValue), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(dwValue, VALUE_NOT_READ);
    EXPECT_EQ(m_pAdapter->GetInfrastructureMode(&dwValue), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(dwValue, VALUE_NOT_READ);
    BYTE abBssid[6] = {1, 1, 1, 1, 1, 1};
    EXPECT_EQ(m_pAdapter->GetBssid(abBssid), QUERY_BAD_SIZE);
    EXPECT_EQ(abBssid[0], 0);
    short nChannel = 9;
    EXPECT_EQ(m_pAdapter->GetChannel(&nChannel), QUERY_BAD_SIZE);
    EXPECT_EQ(nChannel, 0);
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), FAILURE_BSSID | FAILURE_SIGNAL);

    // Below channel 1 the association's channel wraps and is out of range, not a small number.
    Driver().Update([&](CSimNdisuioConfig& config) {
        Binding(config).aReplyBytes.clear();
        Binding(config).dwAssocDsConfig = 2300000;
    });
    EXPECT_EQ(m_pAdapter->GetChannel(&nChannel), QUERY_OUT_OF_RANGE);
}

TEST_F(Ndis51AdapterTest, WepStatusMapping) {
    BootWireless("");
    const std::pair<DWORD, DWORD> aMap[] = {{0, SECURITY_WEP},     {1, SECURITY_CLEAR}, {2, SECURITY_UNKNOWN},
                                            {3, SECURITY_CLEAR},   {4, SECURITY_WPA},   {5, SECURITY_WPA},
                                            {6, SECURITY_WPA2},    {7, SECURITY_WPA2},  {8, SECURITY_UNKNOWN},
                                            {50, SECURITY_UNKNOWN}};
    for (const auto& [dwStatus, dwCode] : aMap) {
        Driver().Update([&](CSimNdisuioConfig& config) { Binding(config).dwWepStatus = dwStatus; });
        DWORD dwValue = 0;
        EXPECT_EQ(m_pAdapter->GetSecurity(&dwValue), QUERY_OK) << dwStatus;
        EXPECT_EQ(dwValue, dwCode) << dwStatus;
    }
}

TEST_F(Ndis51AdapterTest, SsidLengthFromTheDriverIsCutTo32) {
    BootWireless("");
    Driver().Update([&](CSimNdisuioConfig& config) {
        Binding(config).strAssocSsid = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
        Binding(config).dwAssocSsidLength = 0xFFFFFFFC;  // + 8 would wrap to 4
    });
    std::string strSsid;
    EXPECT_EQ(m_pAdapter->GetSsid(&strSsid), QUERY_OK);
    EXPECT_EQ(strSsid, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345");
    Driver().Update([&](CSimNdisuioConfig& config) {
        Binding(config).dwAssocSsidLength.reset();
        Binding(config).aReplyBytes = {{OID_802_11_SSID, 20}};
    });
    EXPECT_EQ(m_pAdapter->GetSsid(&strSsid), QUERY_BAD_SIZE);
    EXPECT_EQ(strSsid, "");
}

TEST_F(Ndis51AdapterTest, NotAssociatedAdapterIsStillUsable) {
    Boot(R"({"bindings": [{"name": "\\DEVICE\\{5A1B}"}]})");
    EXPECT_EQ(m_pAdapter->GetFailureMask(m_pAdapter->m_hDevice), FAILURE_MASK_CLOSED);
    EXPECT_TRUE(Driver().Calls().empty());
    EXPECT_EQ(m_pAdapter->OpenByName(WIRELESS, TRUE), OPEN_USABLE);
    BYTE abBssid[6];
    EXPECT_EQ(m_pAdapter->GetBssid(abBssid), QUERY_FAILED);
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), 0);
}

TEST_F(Ndis51AdapterTest, StartScanSetsTheScanOid) {
    BootWireless("");
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    ASSERT_EQ(Driver().Calls().size(), 1u);
    EXPECT_EQ(Driver().Calls()[0].dwCode, CODE_SET_OID_RW);
    EXPECT_EQ(Driver().Calls()[0].dwOid, OID_802_11_BSSID_LIST_SCAN);
    EXPECT_EQ(m_pAdapter->m_bScanPending, TRUE);

    Driver().Update([&](CSimNdisuioConfig& config) {
        Binding(config).aOidErrors = {{OID_802_11_BSSID_LIST_SCAN, ERROR_NOT_SUPPORTED}};
    });
    m_pMachine->Clock().Sleep(750);
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_FAILED);  // NDIS reports every failure as 1
}

TEST_F(Ndis51AdapterTest, DefaultMachineHasAHeldWirelessAdapterAWiredOneAndTheOrinocoFace) {
    std::string strError;
    m_pMachine = CSimMachine::Default(&strError);
    ASSERT_NE(m_pMachine, nullptr) << strError;
    m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
    CNdis51Adapter adapter;
    std::string strName, strDescription;
    std::vector<std::string> astrDescriptions;
    std::vector<int> anResults;
    std::vector<DWORD> adwMedia;
    for (int i = 0;; ++i) {
        const int nResult = adapter.OpenByIndex(i, TRUE, &strName, &strDescription);
        if (nResult < 0) {
            break;
        }
        DWORD dwMedium = 0;
        adapter.GetPhysicalMedium(&dwMedium);
        anResults.push_back(nResult);
        astrDescriptions.push_back(strDescription);
        adwMedia.push_back(dwMedium);
        if (i == 0) {
            CScanResultSet set;
            EXPECT_GE(adapter.GetBssList(nullptr, -1, nullptr, &set), 6);
            for (DWORD dwCode : {SECURITY_WPA2, SECURITY_WPA, SECURITY_WEP, SECURITY_CLEAR}) {
                EXPECT_NE(std::find(set.m_adwSecurity.begin(), set.m_adwSecurity.end(), dwCode),
                          set.m_adwSecurity.end());
            }
            EXPECT_NE(std::find(set.m_adwModes.begin(), set.m_adwModes.end(), MODE_AD_HOC),
                      set.m_adwModes.end());
            EXPECT_NE(std::count(set.m_astrApNames.begin(), set.m_astrApNames.end(), ""),
                      static_cast<long>(set.m_astrApNames.size()));
        }
        adapter.CloseDevice();
    }
    ASSERT_EQ(anResults.size(), 3u);
    EXPECT_EQ(anResults[0], OPEN_USABLE);
    EXPECT_EQ(g_bWzcStopped, 1);  // the wireless adapter was held
    EXPECT_EQ(adwMedia[0], PHYSICAL_MEDIUM_WIRELESS_LAN);
    EXPECT_EQ(anResults[1], OPEN_NOT_SUPPORTED);
    EXPECT_NE(adwMedia[1], PHYSICAL_MEDIUM_WIRELESS_LAN);
    EXPECT_NE(astrDescriptions[2].find("ORiNOCO PC Card (5 volt)"), std::string::npos);
}

TEST_F(Ndis51AdapterTest, NameLongerThanTheDeviceFieldIsCutAndStaysTerminated) {
    Boot(R"({"bindings": [{"name": "\\DEVICE\\{5A1B}"}]})");
    const std::string strLong(300, 'N');
    EXPECT_EQ(m_pAdapter->OpenByName(strLong, FALSE), OPEN_NOT_SUPPORTED);  // no such binding
    EXPECT_EQ(m_pAdapter->m_strDevice, strLong);
    EXPECT_EQ(m_pAdapter->m_wszDevice[NDIS_DEVICE_NAME_UNITS - 2], u'N');
    EXPECT_EQ(m_pAdapter->m_wszDevice[NDIS_DEVICE_NAME_UNITS - 1], u'\0');
}
