// The adapter test's failure paths on a simulated Windows XP machine with the real NDIS 5.1 back
// end: the list page lists the adapter the test names, the test page is the real one.
#include <gtest/gtest.h>

#include <climits>

#include "adapters/fixed_scan_wait.h"
#include "e2e/wizard_test_util.h"
#include "platform/sim/sim_ndisuio.h"
#include "res/resource_ids.h"

namespace {

constexpr char DEVICE[] = "\\DEVICE\\{8E9B3F21-6C4D-4E8A-9B1F-2A7C5D0E4B13}";
constexpr DWORD OID_802_11_BSSID_LIST = 0x0D010217;
constexpr DWORD ERROR_GEN_FAILURE_CODE = 31;

// Windows XP; the configuration service and the NDIS binding are given by the test.
std::string XpMachine(const std::string& strService, const std::string& strBinding) {
    std::string strText = R"({ "windows": { "major": 5, "minor": 1, "build": 2600 },
        "services": { "WZCSVC": )" +
                          strService + " }";
    if (!strBinding.empty()) {
        strText +=
            R"(, "ndisuio": { "bindings": [ { "name": "\\DEVICE\\{8E9B3F21-6C4D-4E8A-9B1F-2A7C5D0E4B13}",
            "medium": 1, )" +
            strBinding + " } ] }";
    }
    return strText + " }";
}

const char RUNNING[] = R"({ "state": "running", "stopMs": 1000 })";
const char TWO_APS[] = R"("accessPoints": [
    { "ssid": "Near", "bssid": "00:0F:66:3A:10:01", "dsConfig": 2437000, "rssi": -52 },
    { "ssid": "Far", "bssid": "00:0F:66:3A:20:01", "dsConfig": 2412000, "rssi": -63 } ])";

class AdapterTestFailures : public CRealWizardFixture {
protected:
    // Opens the wizard on the machine and goes to the adapter page, which tests the one adapter.
    void TestTheAdapter(const std::string& strMachine, const std::function<void()>& fnAt5s = nullptr) {
        std::string strError;
        auto pMachine = CSimMachine::FromText(strMachine, "machine.json", &strError);
        ASSERT_TRUE(pMachine) << strError;
        auto pList = std::make_unique<CScriptedListPage>();
        pList->m_adapters = {CFakeAdapter{DEVICE, "Mini PCI Adapter"}};
        OpenWizard(std::move(pMachine), std::move(pList));
        ASSERT_TRUE(m_host.Next());
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), IDD_LIST);
        if (fnAt5s) {
            // The first scan is read 4 s after its request; this falls inside the second one's wait.
            m_pMachine->VirtualClock()->ScheduleAfter(5000, fnAt5s);
        }
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
        ASSERT_EQ(m_pSheet->m_pAdapterPage->m_results.size(), 1u);
    }

    const CAdapterResult& Result() { return m_pSheet->m_pAdapterPage->m_results[0]; }
    std::string Text(int nId) { return m_host.Page(IDD_ADAPTER)->GetDlgItem(nId)->GetWindowText(); }
    int ListedAccessPoints() { return m_host.Page(IDD_ADAPTER)->ListView(IDC_AP_LIST)->GetItemCount(); }

    void ExpectNotSupportedWithoutScanRate() {
        EXPECT_FALSE(Result().m_bSupported);
        EXPECT_EQ(Result().m_nApCount, -1);
        EXPECT_EQ(Result().m_strScanRate, "");
        EXPECT_EQ(Text(IDC_SUPPORTED_TEXT), " No ");
        EXPECT_EQ(Text(IDC_SCAN_RATE), "");
        EXPECT_EQ(ListedAccessPoints(), 0);
    }
};

}  // namespace

TEST_F(AdapterTestFailures, ServiceThatCannotBeStoppedShowsTheNoPermissionMessage) {
    // The service holds the adapter and this user may only query it: the open answers -2.
    TestTheAdapter(XpMachine(R"({ "state": "running", "access": "query" })",
                             std::string(R"("heldBy": "WZCSVC", )") + TWO_APS));
    EXPECT_EQ(m_host.MessageBoxes(),
              std::vector<std::string>{
                  "Stopping Wireless Zero Configuration (WZC) service failed.  No permission."});
    ExpectNotSupportedWithoutScanRate();
    EXPECT_EQ(Result().m_strName, "Mini PCI Adapter");
    EXPECT_EQ(Result().m_nMaxSignal, INT_MIN);
    EXPECT_EQ(Result().m_nMinSignal, INT_MAX);
    EXPECT_EQ(m_pMachine->ServiceManager().Status("WZCSVC").dwCurrentState, SERVICE_RUNNING);
}

TEST_F(AdapterTestFailures, AdapterThatCannotBeReachedShowsCouldNotAccess) {
    // No NDIS user-mode I/O driver: the open answers -1.
    TestTheAdapter(XpMachine(RUNNING, ""));
    EXPECT_EQ(m_host.MessageBoxes(), std::vector<std::string>{"Could not access adapter."});
    ExpectNotSupportedWithoutScanRate();
    EXPECT_EQ(Result().m_nMaxSignal, INT_MIN);
    EXPECT_EQ(Result().m_nMinSignal, INT_MAX);
}

TEST_F(AdapterTestFailures, OpenThatFindsTheAdapterUnusableStillScansWithoutAMessage) {
    // The binding refuses to open (result 0, not negative): the test goes on, and its scan request
    // fails on the unbound handle.
    TestTheAdapter(XpMachine(RUNNING, std::string(R"("openError": 31, )") + TWO_APS));
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    ExpectNotSupportedWithoutScanRate();
    bool bScanRequested = false;
    for (const CSimNdisCall& call : m_pMachine->Ndisuio().Calls()) {
        bScanRequested = bScanRequested || call.dwOid == 0x0D01011A;
    }
    EXPECT_TRUE(bScanRequested);
}

TEST_F(AdapterTestFailures, FailureAfterAScanKeepsItsSignalRangeAndCountsNoAccessPoints) {
    TestTheAdapter(XpMachine(RUNNING, TWO_APS), [this] {
        m_pMachine->Ndisuio().Update([](CSimNdisuioConfig& config) {
            config.aBindings[0].aOidErrors.emplace_back(OID_802_11_BSSID_LIST, ERROR_GEN_FAILURE_CODE);
        });
    });
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    ExpectNotSupportedWithoutScanRate();
    EXPECT_EQ(Result().m_nMaxSignal, -52);
    EXPECT_EQ(Result().m_nMinSignal, -63);
    EXPECT_TRUE(Result().m_pApRows->empty());
}

TEST_F(AdapterTestFailures, LastScanWithoutAccessPointsIsNotSupportedThoughEarlierScansHeardSome) {
    TestTheAdapter(XpMachine(RUNNING, TWO_APS), [this] {
        m_pMachine->Ndisuio().Update(
            [](CSimNdisuioConfig& config) { config.aBindings[0].aAccessPoints.clear(); });
    });
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    EXPECT_FALSE(Result().m_bSupported);
    EXPECT_EQ(Result().m_nApCount, 0);
    EXPECT_EQ(Result().m_strScanRate, "4.0");  // the sequence completed
    EXPECT_EQ(Result().m_nMaxSignal, -52);
    EXPECT_EQ(Result().m_nMinSignal, -63);
    EXPECT_EQ(Text(IDC_SUPPORTED_TEXT), " No ");
    EXPECT_EQ(ListedAccessPoints(), 0);
    // With nothing supported, Next leads to the troubleshooting page.
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_NONE_SUPPORTED);
}

TEST_F(AdapterTestFailures, EventThatCannotBeMadeFailsTheAdapterSilentlyBeforeAnyScan) {
    std::string strMachine = XpMachine(RUNNING, TWO_APS);
    strMachine.insert(1, R"( "clock": { "eventsFail": true },)");
    TestTheAdapter(strMachine);
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    ExpectNotSupportedWithoutScanRate();
    EXPECT_EQ(Result().m_nMaxSignal, INT_MIN);
    for (const CSimNdisCall& call : m_pMachine->Ndisuio().Calls()) {
        EXPECT_NE(call.dwOid, 0x0D01011Au) << "a scan was requested";
    }
    // No scan wait ran: the virtual clock stands where the wizard's own steps left it.
    EXPECT_LT(m_pMachine->VirtualClock()->Elapsed(), FIXED_SCAN_WAIT_MS);
}
