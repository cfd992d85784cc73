#include "adapters/lucent/lucent_adapter.h"

#include <gtest/gtest.h>

#include <cstring>

#include "adapters/scan_sync.h"
#include "adapters/supported_cache.h"
#include "platform/sim/sim_machine.h"

namespace {

constexpr char CARD_SERVICE[] = "{D7C1A94E-5B3F-4C28-9E61-0F2A8B4D3C57}";
constexpr char CARD_DEVICE[] = "\\\\.\\{D7C1A94E-5B3F-4C28-9E61-0F2A8B4D3C57}";

// NetworkCards: one key without "ServiceName", an Ethernet card whose device does not answer, the card.
constexpr char USUAL_CARDS[] = R"({
    "1": { "values": { "Description": "1394 Net Adapter" } },
    "2": { "values": { "ServiceName": "{3B8F2A61-9C4D-4E17-A2B5-6D0E1F7C8A42}" } },
    "9": { "values": { "ServiceName": "{D7C1A94E-5B3F-4C28-9E61-0F2A8B4D3C57}" } }
})";

// A card associated with 00:02:2D:4A:10:01 hearing three access points, one of them twice.
constexpr char USUAL_CARD[] = R"({
    "serviceName": "{D7C1A94E-5B3F-4C28-9E61-0F2A8B4D3C57}",
    "association": { "bssid": "00:02:2D:4A:10:01", "ssid": "Plenwick-Lab", "channel": 6,
                     "quality": 38, "signalLevel": 100, "noiseLevel": 50, "rate": 11 },
    "accessPoints": [
        { "ssid": "Plenwick-Lab", "bssid": "00:02:2D:4A:10:01", "channel": 6, "signalLevel": 100, "privacy": true },
        { "ssid": "Cafe Guest", "bssid": "00:0F:66:21:3C:9A", "channel": 0, "signalLevel": 78 },
        { "ssid": "Cafe Guest", "bssid": "00:0F:66:21:3C:9A", "channel": 0, "signalLevel": 77 },
        { "ssid": "adhoc", "bssid": "02:1A:4B:77:01:02", "channel": 3, "signalLevel": 70, "infrastructure": false }
    ],
    "oids": { "0x00010202": 1, "0x00020103": 7, "0x00FD0203": "ORiNOCO 8.42" }
})";

std::string MachineText(const std::string& strCards, const std::string& strCard) {
    std::string strText = R"({"registry": {"HKEY_LOCAL_MACHINE": {
        "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards": {"keys": )" +
                          strCards + "}}}";
    if (!strCard.empty()) {
        strText += ", \"orinoco\": " + strCard;
    }
    return strText + "}";
}

// The card's machine text with one more top-level member of the "orinoco" section.
std::string CardWith(const std::string& strMember) {
    std::string strCard = USUAL_CARD;
    strCard.insert(strCard.rfind('}'), ", " + strMember);
    return strCard;
}

class LucentAdapterTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSupportedCache(); }
    void TearDown() override {
        Unload();
        ClearSupportedCache();
    }
    void Unload() {
        m_pAdapter.reset();
        m_pOs.reset();
        m_pMachine.reset();
    }

    void Load(const std::string& strCards, const std::string& strCard) {
        Unload();
        std::string strError;
        m_pMachine = CSimMachine::FromText(MachineText(strCards, strCard), "machine.json", &strError);
        ASSERT_NE(m_pMachine, nullptr) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
        m_pAdapter = std::make_unique<CLucentAdapter>();
    }
    // The usual registry and card, with one more member of the card's section.
    void LoadCard(const std::string& strMember = std::string()) {
        Load(USUAL_CARDS, strMember.empty() ? std::string(USUAL_CARD) : CardWith(strMember));
    }
    void Open() { ASSERT_EQ(m_pAdapter->OpenByIndex(0, FALSE, nullptr, nullptr), OPEN_USABLE); }

    CSimOrinocoLog Log() { return m_pMachine->Orinoco().Log(0); }
    std::uint64_t Elapsed() { return m_pMachine->VirtualClock()->Elapsed(); }

    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    std::unique_ptr<CLucentAdapter> m_pAdapter;
};

TEST_F(LucentAdapterTest, RegistryStepsSkipCardsWithoutServiceNameAndCloseEveryKey) {
    LoadCard();
    std::string strDevice = "untouched";
    int nIndex = 0;
    EXPECT_EQ(m_pAdapter->GetNetworkCardDevice(&strDevice, &nIndex), 0);
    EXPECT_EQ(strDevice, "untouched");
    nIndex = 1;
    EXPECT_EQ(m_pAdapter->GetNetworkCardDevice(&strDevice, &nIndex), 1);
    EXPECT_EQ(strDevice, "\\\\.\\{3B8F2A61-9C4D-4E17-A2B5-6D0E1F7C8A42}");
    nIndex = 2;
    EXPECT_EQ(m_pAdapter->GetNetworkCardDevice(&strDevice, &nIndex), 1);
    EXPECT_EQ(strDevice, CARD_DEVICE);
    nIndex = 3;
    EXPECT_EQ(m_pAdapter->GetNetworkCardDevice(&strDevice, &nIndex), -1);
    EXPECT_EQ(nIndex, 3);
    EXPECT_EQ(m_pMachine->Registry().OpenHandleCount(), 0u);

    // A card key that cannot be opened is skipped; a missing NetworkCards key ends the walk.
    m_pMachine->Registry().SetAccess(HKEY_LOCAL_MACHINE,
                                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\9",
                                     ESimKeyAccess::NONE);
    nIndex = 2;
    EXPECT_EQ(m_pAdapter->GetNetworkCardDevice(&strDevice, &nIndex), 0);
    m_pMachine->Registry().SetAccess(HKEY_LOCAL_MACHINE,
                                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
                                     ESimKeyAccess::NONE);
    nIndex = 0;
    EXPECT_EQ(m_pAdapter->GetNetworkCardDevice(&strDevice, &nIndex), -1);
    EXPECT_EQ(m_pMachine->Registry().OpenHandleCount(), 0u);
}

// Some installers write "ServiceName" as REG_EXPAND_SZ; it is the same name, read as it stands.
TEST_F(LucentAdapterTest, ServiceNameOfTypeExpandStringNamesTheDevice) {
    LoadCard();
    HKEY hCard = 0;
    ASSERT_EQ(Os().Registry().RegOpenKeyEx(HKEY_LOCAL_MACHINE,
                                           "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\9",
                                           KEY_READ | KEY_SET_VALUE, &hCard),
              static_cast<LONG>(ERROR_SUCCESS));
    ASSERT_EQ(Os().Registry().RegSetValueEx(hCard, "ServiceName", REG_EXPAND_SZ,
                                            reinterpret_cast<const BYTE*>(CARD_SERVICE), sizeof CARD_SERVICE),
              static_cast<LONG>(ERROR_SUCCESS));
    Os().Registry().RegCloseKey(hCard);
    std::string strDevice;
    int nIndex = 2;
    EXPECT_EQ(m_pAdapter->GetNetworkCardDevice(&strDevice, &nIndex), 1);
    EXPECT_EQ(strDevice, CARD_DEVICE);
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_USABLE);
}

TEST_F(LucentAdapterTest, EmptyNetworkCardsFindsNothingButNamesTheCard) {
    Load("{}", USUAL_CARD);
    std::string strName = "old";
    std::string strDescription = "old";
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, &strName, &strDescription), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(strName, "ORiNOCO");
    EXPECT_EQ(strDescription, "");
    EXPECT_EQ(m_pAdapter->m_hDevice, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Log().nOpenRequests, 0);
}

TEST_F(LucentAdapterTest, WalkTakesTheCardThatAnswersAndLeavesItOpen) {
    LoadCard();
    std::string strName;
    std::string strDescription = "old";
    EXPECT_EQ(m_pAdapter->OpenByIndex(5, TRUE, &strName, &strDescription), OPEN_USABLE);
    EXPECT_EQ(strName, "ORiNOCO");
    EXPECT_EQ(strDescription, "");
    EXPECT_EQ(m_pAdapter->m_strDevice, CARD_DEVICE);
    EXPECT_NE(m_pAdapter->m_hDevice, INVALID_HANDLE_VALUE);
    EXPECT_EQ(m_pAdapter->m_dwPort, 0x00010001u);
    EXPECT_EQ(m_pMachine->DeviceIo().OpenHandleCount(), 1u);
    std::string strValue;
    EXPECT_TRUE(LookupSupported("ORiNOCO", &strValue));
    EXPECT_EQ(strValue, "true");

    m_pAdapter.reset();  // the destructor closes the port and the device
    EXPECT_EQ(Log().nCloseRequests, 1);
    EXPECT_EQ(m_pMachine->DeviceIo().OpenHandleCount(), 0u);
}

TEST_F(LucentAdapterTest, WithoutTheCheckTheFirstAnsweringCardIsTakenAsItIs) {
    // The signal record answers with the wrong size: the capability check would refuse the card.
    LoadCard(R"("faults": { "0xFD43": { "dataBytes": 4 } })");
    EXPECT_EQ(m_pAdapter->OpenByName("ORiNOCO", FALSE), OPEN_USABLE);
    EXPECT_EQ(Log().anRecordReads.count(0xFD43), 0u);
    EXPECT_FALSE(LookupSupported("ORiNOCO", nullptr));
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), FAILURE_SIGNAL);
}

TEST_F(LucentAdapterTest, CardFailingTheCheckIsClosedBeforeTheWalkMovesOn) {
    LoadCard(R"("faults": { "0xFD43": { "dataBytes": 4 } })");
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_NOT_SUPPORTED);
    std::string strValue;
    EXPECT_TRUE(LookupSupported("ORiNOCO", &strValue));
    EXPECT_EQ(strValue, "false");
    EXPECT_EQ(Log().nCloseRequests, 1);
    EXPECT_EQ(m_pMachine->DeviceIo().OpenHandleCount(), 0u);
    EXPECT_EQ(m_pAdapter->m_hDevice, INVALID_HANDLE_VALUE);
}

TEST_F(LucentAdapterTest, CachedVerdictDecidesForEveryLaterWalkWhicheverCardItCameFrom) {
    // A second card, listed first, that fails the check.
    LoadCard();
    CSimOrinocoConfig bad = m_pMachine->Orinoco().Config(0);
    bad.strServiceName = "WLLUC48";
    bad.faults[0xFD42].nDataBytes = 2;
    const std::size_t nBad = m_pMachine->Orinoco().AddCard(bad);
    m_pMachine->Registry().SetString(HKEY_LOCAL_MACHINE,
                                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\0",
                                     "ServiceName", "WLLUC48");
    // Key "0" was made after the others, so it is enumerated last: move the good card behind it.
    m_pMachine->Registry().SetString(HKEY_LOCAL_MACHINE,
                                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\9",
                                     "ServiceName", "WLLUC48");
    m_pMachine->Registry().SetString(HKEY_LOCAL_MACHINE,
                                     "Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\0",
                                     "ServiceName", CARD_SERVICE);

    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_NOT_SUPPORTED);
    EXPECT_TRUE(LookupSupported("ORiNOCO", nullptr));
    // The good card was opened but never checked: the bad card's verdict stood for it.
    EXPECT_EQ(m_pMachine->Orinoco().Log(nBad).anRecordReads.count(0xFD42), 1u);
    EXPECT_EQ(Log().nOpenRequests, 1);
    EXPECT_EQ(Log().anRecordReads.count(0xFD42), 0u);
    EXPECT_EQ(m_pMachine->DeviceIo().OpenHandleCount(), 0u);

    // A cached "true" lets even the bad card through without a check.
    StoreSupported("ORiNOCO", TRUE);
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_USABLE);
    EXPECT_EQ(m_pAdapter->m_strDevice, "\\\\.\\WLLUC48");
    EXPECT_EQ(m_pMachine->Orinoco().Log(nBad).anRecordReads[0xFD42], 1);
}

TEST_F(LucentAdapterTest, OpenByNameKnowsOnlyTheCardName) {
    LoadCard();
    EXPECT_EQ(m_pAdapter->OpenByName("WLLUC461", TRUE), OPEN_NONE);
    EXPECT_EQ(m_pAdapter->OpenByName("orinoco", TRUE), OPEN_NONE);
    EXPECT_EQ(Log().nOpenRequests, 0);
    EXPECT_EQ(m_pAdapter->OpenByName("ORiNOCO", TRUE), OPEN_USABLE);
}

TEST_F(LucentAdapterTest, BusyCardIsAskedThreeTimes200MsApart) {
    LoadCard(R"("busyAnswers": 2)");
    Open();
    EXPECT_EQ(Log().nOpenRequests, 3);
    EXPECT_EQ(Elapsed(), 400u);

    LoadCard(R"("busyAnswers": 3)");
    EXPECT_EQ(m_pAdapter->OpenByName("ORiNOCO", FALSE), OPEN_NOT_SUPPORTED);
    EXPECT_EQ(Log().nOpenRequests, 3);
    EXPECT_EQ(Elapsed(), 400u);
    EXPECT_EQ(m_pMachine->DeviceIo().OpenHandleCount(), 0u);
}

TEST_F(LucentAdapterTest, CardThatRefusesThePortOrTheDeviceIsNotOpened) {
    for (const char* pszFault :
         {R"("faults": { "0x0000": { "error": 50 } })", R"("faults": { "0x0000": { "status": 1 } })",
          R"("openError": 5)", R"("present": false)"}) {
        LoadCard(pszFault);
        EXPECT_EQ(m_pAdapter->OpenDevice(), DEVICE_OPEN_FAILED) << pszFault;
        m_pAdapter->m_strDevice = CARD_DEVICE;
        EXPECT_EQ(m_pAdapter->OpenDevice(), DEVICE_OPEN_FAILED) << pszFault;
        EXPECT_EQ(m_pAdapter->m_hDevice, INVALID_HANDLE_VALUE);
        EXPECT_EQ(m_pMachine->DeviceIo().OpenHandleCount(), 0u) << pszFault;
    }
}

TEST_F(LucentAdapterTest, SignalAndNoiseAreCardLevelsLess149) {
    LoadCard();
    Open();
    short nQuality = 1;
    short nSignal = 1;
    short nNoise = 1;
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_OK);
    EXPECT_EQ(nQuality, 38);
    EXPECT_EQ(nSignal, -49);
    EXPECT_EQ(nNoise, -99);

    CSimOrinocoConfig config = m_pMachine->Orinoco().Config(0);
    config.wNoiseLevel = 650;  // 501 dBm: kept, but out of range
    m_pMachine->Orinoco().SetConfig(0, config);
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(nNoise, 501);
    config.wNoiseLevel = 649;
    m_pMachine->Orinoco().SetConfig(0, config);
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_OK);
}

// The records' answers are 12 header bytes plus their data; the output offered must hold them.
// (2 x length + 2 bytes would give 14 for the 18-byte signal answer.)
TEST_F(LucentAdapterTest, ShortRecordsComeBackWhole) {
    LoadCard();
    Open();
    short nValue = 0;
    short nSignal = 0;
    short nNoise = 0;
    BYTE abBssid[6] = {};
    std::string strSsid;
    EXPECT_EQ(m_pAdapter->GetSignal(&nValue, &nSignal, &nNoise), QUERY_OK);
    EXPECT_EQ(m_pAdapter->GetChannel(&nValue), QUERY_OK);
    EXPECT_EQ(nValue, 6);
    EXPECT_EQ(m_pAdapter->GetBssid(abBssid), QUERY_OK);
    const BYTE abExpected[6] = {0x00, 0x02, 0x2D, 0x4A, 0x10, 0x01};
    EXPECT_EQ(std::memcmp(abBssid, abExpected, 6), 0);
    EXPECT_EQ(m_pAdapter->GetRate(&nValue), QUERY_OK);
    EXPECT_EQ(nValue, 11);
    EXPECT_EQ(m_pAdapter->GetSsid(&strSsid), QUERY_OK);
    EXPECT_EQ(strSsid, "Plenwick-Lab");
    const CSimOrinocoLog log = Log();
    EXPECT_GE(log.adwOfferedBytes.at(0xFD43), 18u);
    EXPECT_GE(log.adwOfferedBytes.at(0xFDC1), 14u);
    EXPECT_GE(log.adwOfferedBytes.at(0xFD42), 18u);
    EXPECT_GE(log.adwOfferedBytes.at(0xFD44), 14u);
    EXPECT_EQ(log.adwOfferedBytes.at(0xFD41), 70u);  // 2 x 34 + 2 already holds 46
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), 0);
}

TEST_F(LucentAdapterTest, QueryStatusesFollowTheCardsAnswers) {
    LoadCard(R"("faults": { "0xFD42": { "dataBytes": 4 }, "0xFD43": { "error": 50 },
                            "0xFDC1": { "error": 31 }, "0xFD44": { "status": 68 } },
                "association": { "ssid": "0123456789abcdefghijklmnopqrstuvwxyz", "ssidLength": 40,
                                 "channel": 101, "signalLevel": 100, "noiseLevel": 50 })");
    Open();
    BYTE abBssid[6] = {1, 2, 3, 4, 5, 6};
    short nQuality = 1;
    short nSignal = 1;
    short nNoise = 1;
    short nValue = 1;
    EXPECT_EQ(m_pAdapter->GetBssid(abBssid), QUERY_BAD_SIZE);
    EXPECT_EQ(abBssid[0] | abBssid[5], 0);
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(nQuality | nSignal | nNoise, 0);
    EXPECT_EQ(m_pAdapter->GetChannel(&nValue), QUERY_FAILED);
    EXPECT_EQ(m_pAdapter->GetRate(&nValue), QUERY_FAILED);  // busy is a failure outside the open
    EXPECT_EQ(nValue, 0);
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), FAILURE_BSSID | FAILURE_SIGNAL);

    std::string strSsid;
    EXPECT_EQ(m_pAdapter->GetSsid(&strSsid), QUERY_OK);
    EXPECT_EQ(strSsid, "0123456789abcdefghijklmnopqrstuv");

    CSimOrinocoConfig config = m_pMachine->Orinoco().Config(0);
    config.faults.clear();
    m_pMachine->Orinoco().SetConfig(0, config);
    EXPECT_EQ(m_pAdapter->GetChannel(&nValue), QUERY_OUT_OF_RANGE);
    EXPECT_EQ(nValue, 101);

    DWORD dwValue = 0;
    EXPECT_EQ(m_pAdapter->GetSecurity(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, VALUE_NOT_READ);
    EXPECT_EQ(m_pAdapter->GetInfrastructureMode(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, VALUE_NOT_READ);
}

// A driver that reports fewer bytes than the 12-byte header, with the status word left at 0: the
// request itself succeeded, so the record is of the wrong size (status 2), which the supported check
// counts. Taken as a failed request (status 1), such a card would pass the check.
TEST_F(LucentAdapterTest, AnswerShorterThanTheHeaderIsTheWrongSizeNotAFailedRequest) {
    LoadCard(R"("faults": { "0xFD42": { "claimBytes": 8 }, "0xFD43": { "claimBytes": 0 },
                            "0x0820": { "claimBytes": 11 } })");
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_NOT_SUPPORTED);
    Open();
    BYTE abBssid[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(m_pAdapter->GetBssid(abBssid), QUERY_BAD_SIZE);
    EXPECT_EQ(abBssid[0] | abBssid[5], 0);
    short nQuality = 1;
    short nSignal = 1;
    short nNoise = 1;
    EXPECT_EQ(m_pAdapter->GetSignal(&nQuality, &nSignal, &nNoise), QUERY_BAD_SIZE);
    EXPECT_EQ(m_pAdapter->CheckCapabilities(), FAILURE_BSSID | FAILURE_SIGNAL);
    // A scan record without a whole header holds no entries, and reading it did not fail.
    CScanResultSet set;
    EXPECT_EQ(m_pAdapter->GetBssList(nullptr, -1, nullptr, &set), 0);
    EXPECT_EQ(set.GetCount(), 0);
}

TEST_F(LucentAdapterTest, UnassociatedCardFailsItsAssociationQueriesAndIsStillUsable) {
    LoadCard(R"("association": { "associated": false })");
    EXPECT_EQ(m_pAdapter->OpenByIndex(0, TRUE, nullptr, nullptr), OPEN_USABLE);
    BYTE abBssid[6] = {};
    EXPECT_EQ(m_pAdapter->GetBssid(abBssid), QUERY_FAILED);
}

TEST_F(LucentAdapterTest, ClosedAdapterSendsNothing) {
    LoadCard();
    EXPECT_EQ(m_pAdapter->GetFailureMask(m_pAdapter->m_hDevice), FAILURE_MASK_CLOSED);
    short nValue = 0;
    EXPECT_EQ(m_pAdapter->GetChannel(&nValue), QUERY_FAILED);
    EXPECT_EQ(m_pAdapter->CloseDevice(), 0);
    EXPECT_TRUE(Log().anRecordReads.empty());
    EXPECT_EQ(Log().nCloseRequests, 0);
}

TEST_F(LucentAdapterTest, BssListKeepsEachBssOnceWithConvertedValues) {
    LoadCard();
    Open();
    CScanResultSet set;
    EXPECT_EQ(m_pAdapter->GetBssList(nullptr, -1, nullptr, &set),
              4);  // the driver's count, the duplicate included
    ASSERT_EQ(set.GetCount(), 3);
    EXPECT_TRUE(set.HasEqualLengths());
    const CAccessPoint& lab = *set.m_apAccessPoints[0];
    EXPECT_EQ(lab.m_strSsid, "Plenwick-Lab");
    EXPECT_EQ(lab.m_nSignal, -49);
    EXPECT_EQ(lab.m_nChannel, 6);
    EXPECT_EQ(lab.m_nNoise, -100);
    EXPECT_EQ(lab.m_nQuality, -1);
    EXPECT_EQ(lab.m_nRate, 0);
    EXPECT_EQ(set.m_adwSecurity[0], SECURITY_WEP);
    EXPECT_EQ(set.m_adwModes[0], MODE_INFRASTRUCTURE);
    EXPECT_EQ(set.m_aKeys[0].channel, 6);
    // Channel 0 is unknown.
    EXPECT_EQ(set.m_apAccessPoints[1]->m_nChannel, -1);
    EXPECT_EQ(set.m_aKeys[1].channel, -1);
    EXPECT_EQ(set.m_apAccessPoints[1]->m_nSignal, -71);
    EXPECT_EQ(set.m_adwSecurity[1], SECURITY_CLEAR);
    EXPECT_EQ(set.m_adwModes[2], MODE_AD_HOC);
    EXPECT_EQ(set.m_astrApNames, (CApNameArray{"", "", ""}));
    // The scan record is asked with its full length, in a buffer of 2 x 9605 + 2 bytes.
    EXPECT_EQ(Log().adwOfferedBytes.at(0x0820), 19212u);
}

TEST_F(LucentAdapterTest, AssociatedBssGivesOnlyItsSignal) {
    LoadCard();
    Open();
    const BYTE abBssid[6] = {0x00, 0x02, 0x2D, 0x4A, 0x10, 0x01};
    short nMatchSignal = 0;
    CScanResultSet set;
    EXPECT_EQ(m_pAdapter->GetBssList(abBssid, 6, &nMatchSignal, &set), 4);
    EXPECT_EQ(nMatchSignal, -49);
    EXPECT_EQ(set.GetCount(), 2);
    // Another channel is another BSS.
    set.Clear();
    nMatchSignal = 0;
    m_pAdapter->GetBssList(abBssid, 11, &nMatchSignal, &set);
    EXPECT_EQ(nMatchSignal, 0);
    EXPECT_EQ(set.GetCount(), 3);
}

TEST_F(LucentAdapterTest, BadScanAnswers) {
    struct {
        const char* pszFault;
        int nResult;
        int nKept;
    } const aCases[] = {
        {R"({ "recordType": 61698 })", 0, 0},  // 0xF102: not a scan record
        {R"({ "error": 50 })", BSS_LIST_NOT_SUPPORTED, 0},
        {R"({ "error": 31 })", BSS_LIST_FAILED, 0},
        {R"({ "status": 1 })", BSS_LIST_FAILED, 0},
        {R"({ "claimBytes": 5 })", 0, 0},        // the request worked; no whole record, so no entries
        {R"({ "extraBytes": 30 })", 4, 3},       // a partial entry is not walked
        {R"({ "claimBytes": 60000 })", 384, 4},  // never past the buffer: (19212 - 12) / 50 entries
    };
    for (const auto& c : aCases) {
        LoadCard(std::string(R"("faults": { "0x0820": )") + c.pszFault + " }");
        Open();
        CScanResultSet set;
        EXPECT_EQ(m_pAdapter->GetBssList(nullptr, -1, nullptr, &set), c.nResult) << c.pszFault;
        EXPECT_EQ(set.GetCount(), c.nKept) << c.pszFault;  // the zero bytes after the data are one BSS
    }
}

TEST_F(LucentAdapterTest, ScanEntrySsidLengthIsCut) {
    LoadCard(R"("faults": {})");
    CSimOrinocoConfig config = m_pMachine->Orinoco().Config(0);
    config.aAccessPoints.resize(1);
    config.aAccessPoints[0].strSsid = "Short";
    config.aAccessPoints[0].nSsidLength = 255;
    m_pMachine->Orinoco().SetConfig(0, config);
    Open();
    CScanResultSet set;
    EXPECT_EQ(m_pAdapter->GetBssList(nullptr, -1, nullptr, &set), 1);
    ASSERT_EQ(set.GetCount(), 1);
    EXPECT_EQ(set.m_apAccessPoints[0]->m_strSsid, "Short");  // cut to 32 bytes, then taken as text
}

TEST_F(LucentAdapterTest, ScanIsSpacedAndCollected4000MsAfterTheRequest) {
    LoadCard();
    Open();
    const DWORD dwStart = m_pMachine->Clock().GetTickCount();
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    EXPECT_EQ(m_pAdapter->m_dwLastScanTick, dwStart);
    EXPECT_TRUE(m_pAdapter->m_bScanPending);
    m_pMachine->Clock().Sleep(749);
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_FAILED);
    EXPECT_EQ(Log().nScanRequests, 1);

    CScanSync sync;
    sync.CreateEvent();
    sync.SetAction(ACTION_SCAN);
    CScanResultSet set;
    EXPECT_TRUE(m_pAdapter->WaitAndGetBssList(&sync, nullptr, -1, nullptr, &set));
    EXPECT_EQ(m_pMachine->Clock().GetTickCount() - dwStart, 4000u);
    EXPECT_EQ(set.GetCount(), 3);
    EXPECT_FALSE(m_pAdapter->m_bScanPending);
    EXPECT_EQ(m_pAdapter->StartScan(), QUERY_OK);
    EXPECT_EQ(Log().nScanRequests, 2);
    EXPECT_EQ(m_pAdapter->SetScanCallback(nullptr, nullptr), 0);
}

TEST_F(LucentAdapterTest, ScanRequestRefusalsMapToStatuses) {
    for (const auto& [pszFault, nStatus] :
         {std::pair{R"({ "error": 50 })", QUERY_NOT_SUPPORTED}, std::pair{R"({ "error": 31 })", QUERY_FAILED},
          std::pair{R"({ "status": 68 })", QUERY_FAILED}}) {
        LoadCard(std::string(R"("faults": { "0x0006": )") + pszFault + " }");
        Open();
        EXPECT_EQ(m_pAdapter->StartScan(), nStatus) << pszFault;
        EXPECT_TRUE(m_pAdapter->m_bScanPending);
    }
}

TEST_F(LucentAdapterTest, StandardQueries) {
    LoadCard();
    Open();
    DWORD dwValue = 99;
    EXPECT_EQ(m_pAdapter->GetPhysicalMedium(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, PHYSICAL_MEDIUM_WIRELESS_LAN);
    EXPECT_EQ(m_pAdapter->GetXmitErrors(&dwValue), QUERY_OK);
    EXPECT_EQ(dwValue, 7u);
    EXPECT_EQ(m_pAdapter->GetRcvErrors(&dwValue), QUERY_NOT_SUPPORTED);
    EXPECT_EQ(dwValue, 0u);
    // A string OID is 13 bytes: no counter.
    EXPECT_EQ(m_pAdapter->GetRcvAlignmentErrors(&dwValue), QUERY_NOT_SUPPORTED);
    std::string strValue;
    EXPECT_TRUE(m_pAdapter->QueryOidString(0x00FD0203, &strValue));
    EXPECT_EQ(strValue, "ORiNOCO 8.42");
    EXPECT_FALSE(m_pAdapter->QueryOidString(0x00FD0204, &strValue));
    EXPECT_EQ(strValue, "");
    EXPECT_TRUE(m_pAdapter->QueryOidDword(OID_GEN_XMIT_ERROR, &dwValue));
    EXPECT_EQ(dwValue, 7u);
    EXPECT_FALSE(m_pAdapter->QueryOidDword(0x00FD0203, &dwValue));
    EXPECT_EQ(m_pAdapter->GetName(), "WL");
}

TEST(LucentDefaultMachine, TheCardIsFoundAndHearsItsAccessPoints) {
    ClearSupportedCache();
    std::string strError;
    auto pMachine = CSimMachine::Default(&strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    CScopedOs os(*pMachine);
    {
        CLucentAdapter adapter;
        std::string strName;
        ASSERT_EQ(adapter.OpenByIndex(0, TRUE, &strName, nullptr), OPEN_USABLE);
        EXPECT_EQ(strName, "ORiNOCO");
        CScanResultSet set;
        EXPECT_EQ(adapter.GetBssList(nullptr, -1, nullptr, &set), 4);
        EXPECT_EQ(set.GetCount(), 4);
    }
    EXPECT_EQ(pMachine->DeviceIo().OpenHandleCount(), 0u);
    ClearSupportedCache();
}

}  // namespace
