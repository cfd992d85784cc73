// The whole wizard on simulated machines, from welcome to Exit, with the real back ends, discovery,
// adapter tests and pages; every machine is a file under e2e/machines.
#include <gtest/gtest.h>

#include "adapter_page/adapter_page.h"
#include "adapters/supported_cache.h"
#include "adapters/wzc_service.h"
#include "e2e/walk_expectations.h"
#include "e2e/wizard_test_util.h"
#include "pages/list_page.h"
#include "pages/tolvane_sheet.h"
#include "platform/sim/sim_machine.h"
#include "report/post_page.h"
#include "report/supported_pages.h"
#include "res/resource_ids.h"
#include "ui/headless/headless_host.h"
#include "ui/headless/headless_progress.h"
#include "wizard/banner.h"
#include "wizard/main_window.h"

namespace {
using Rows = std::vector<std::vector<std::string>>;

class WizardWalkTest : public CRealWizardFixture {
protected:
    void Open(const std::string& strMachine) {
        std::string strError;
        auto pMachine =
            CSimMachine::FromFile(std::string(NIMBREL_E2E_DIR) + "/machines/" + strMachine, &strError);
        ASSERT_TRUE(pMachine) << strError;
        OpenWizard(std::move(pMachine));
    }

    void Next(UINT nExpected) {
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), nExpected);
    }

    std::vector<std::string> ListItems(int nId) {
        ICheckListBox* pList = m_host.Page(IDD_LIST)->CheckListBox(nId);
        std::vector<std::string> astrItems;
        for (int i = 0; i < pList->GetCount(); ++i) {
            astrItems.push_back((pList->GetCheck(i) ? "[x] " : "[ ] ") + pList->GetText(i));
        }
        return astrItems;
    }

    // The access point list as shown: each row's columns.
    Rows AccessPoints() {
        IListView* pList = m_host.Page(IDD_ADAPTER)->ListView(IDC_AP_LIST);
        Rows rows;
        for (int i = 0; i < pList->GetItemCount(); ++i) {
            rows.emplace_back();
            for (int nColumn = 0; nColumn < 8; ++nColumn) {
                rows.back().push_back(pList->GetItemText(i, nColumn));
            }
        }
        return rows;
    }

    std::string Text(UINT nPage, int nId) { return m_host.Page(nPage)->GetDlgItem(nId)->GetWindowText(); }
    CServiceStatus Wzc() { return m_pMachine->ServiceManager().Status("WZCSVC"); }
    int WzcStarts() { return m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls; }
};
}  // namespace

TEST_F(WizardWalkTest, XpWithTheServiceHoldingAnAdapterAndAnOrinocoCard) {
    Open("xp_wzc_orinoco.json");
    Next(IDD_INTRO);
    Next(IDD_LIST);
    // The card's own NDIS entry is not listed a second time.
    EXPECT_EQ(ListItems(IDC_LIKELY_LIST),
              (std::vector<std::string>{"[x] ORiNOCO",
                                        "[x] Wireless 802.11b/g Mini PCI Adapter - Packet Scheduler "
                                        "Miniport"}));
    EXPECT_TRUE(ListItems(IDC_UNLIKELY_LIST).empty());
    // Opening the held adapter stopped the configuration service.
    EXPECT_EQ(Wzc().dwCurrentState, SERVICE_STOPPED);
    EXPECT_TRUE(g_bWzcStopped);

    Next(IDD_ADAPTER);
    EXPECT_EQ(Text(IDD_ADAPTER, IDC_ADAPTER_NAME), "ORiNOCO");
    EXPECT_EQ(Text(IDD_ADAPTER, IDC_SUPPORTED_TEXT), " Yes ");
    EXPECT_EQ(Text(IDD_ADAPTER, IDC_SCAN_RATE), "4.0");
    EXPECT_EQ(AccessPoints(), XP_ORINOCO_AP_ROWS);

    Next(IDD_ADAPTER);
    EXPECT_EQ(Text(IDD_ADAPTER, IDC_ADAPTER_NAME), "Wireless 802.11b/g Mini PCI Adapter") << "suffix removed";
    EXPECT_EQ(AccessPoints(), XP_MINI_PCI_AP_ROWS);
    EXPECT_EQ(WzcStarts(), 0) << "still stopped while adapters remain";

    // After the last adapter the service runs again.
    Next(IDD_SUPPORTED);
    EXPECT_EQ(WzcStarts(), 1);
    EXPECT_EQ(Wzc().dwCurrentState, SERVICE_RUNNING);
    EXPECT_FALSE(g_bWzcStopped);
    Next(IDD_POST);
    EXPECT_EQ(Text(IDD_POST, IDC_OS_VERSION), "5.1.2600 (Service Pack 3)");
    m_host.Page(IDD_POST)->CheckBox(IDC_POST_CHECK)->SetCheck(BST_UNCHECKED);
    Next(IDD_THANK_YOU);
    ASSERT_TRUE(m_host.Finish());
    EXPECT_EQ(WzcStarts(), 1) << "Finish finds nothing to restart";
    EXPECT_TRUE(m_host.MessageBoxes().empty());
}

TEST_F(WizardWalkTest, CancelDuringTheTestsStartsTheServiceAgain) {
    Open("xp_wzc_orinoco.json");
    Next(IDD_INTRO);
    Next(IDD_LIST);
    Next(IDD_ADAPTER);
    EXPECT_EQ(Wzc().dwCurrentState, SERVICE_STOPPED);
    ASSERT_TRUE(m_host.Cancel());
    EXPECT_EQ(WzcStarts(), 1);
    EXPECT_EQ(Wzc().dwCurrentState, SERVICE_RUNNING);
}

TEST_F(WizardWalkTest, VistaWithTwoInterfaces) {
    Open("vista_two_interfaces.json");
    Next(IDD_INTRO);
    Next(IDD_LIST);
    EXPECT_EQ(ListItems(IDC_LIKELY_LIST),
              (std::vector<std::string>{"[x] Intel(R) Wireless WiFi Link 4965AGN",
                                        "[x] Dell Wireless 1390 WLAN Mini-Card"}));
    Next(IDD_ADAPTER);
    EXPECT_EQ(Text(IDD_ADAPTER, IDC_SUPPORTED_TEXT), " Yes ");
    // Named access points first (by name), then by SSID; the SSID with "|" shows whole.
    EXPECT_EQ(AccessPoints(), VISTA_FIRST_AP_ROWS);
    const CAdapterResult& first = m_pSheet->m_pAdapterPage->m_results[0];
    EXPECT_EQ(first.m_nApCount, 6);
    EXPECT_EQ(first.m_nMaxSignal, -48);
    EXPECT_EQ(first.m_nMinSignal, -83);

    Next(IDD_ADAPTER);
    EXPECT_EQ(Text(IDD_ADAPTER, IDC_SUPPORTED_TEXT), " No ");
    // The verdict is white on green whatever it says; the page's other texts keep the platform's.
    CCtlColors colors{};
    ASSERT_TRUE(m_host.CtlColors(IDD_ADAPTER, IDC_SUPPORTED_TEXT, &colors));
    EXPECT_EQ(colors.crText, 0xFFFFFFu);
    EXPECT_EQ(colors.crTextBack, 0x00C000u);
    EXPECT_FALSE(m_host.CtlColors(IDD_ADAPTER, IDC_ADAPTER_NAME, &colors));
    EXPECT_FALSE(m_host.CtlColors(IDD_LIST, IDC_SUPPORTED_TEXT, &colors)) << "only the adapter page's";
    EXPECT_TRUE(AccessPoints().empty());

    // Back from the second adapter shows the first one's stored result without scanning again.
    const auto nScans =
        m_pMachine->Wlan().FindInterface("3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01")->nScanRequests;
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(Text(IDD_ADAPTER, IDC_ADAPTER_NAME), "Intel(R) Wireless WiFi Link 4965AGN");
    EXPECT_EQ(AccessPoints().size(), 6u);
    EXPECT_EQ(m_pMachine->Wlan().FindInterface("3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01")->nScanRequests,
              nScans);
    EXPECT_EQ(m_pMachine->Wlan().OutstandingAllocations(), 0u) << "every WLAN buffer released";
    // Back from the first discards the results.
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_LIST);
    EXPECT_TRUE(m_pSheet->m_pAdapterPage->m_results.empty());
}

TEST_F(WizardWalkTest, NoAdapters) {
    Open("no_adapters.json");
    Next(IDD_INTRO);
    Next(IDD_NONE_FOUND);
    Next(IDD_THANK_YOU);
}

TEST_F(WizardWalkTest, AccessDeniedDuringDiscoveryKeepsWhatWasFound) {
    Open("access_denied.json");
    Next(IDD_INTRO);
    Next(IDD_LIST);
    EXPECT_EQ(
        m_host.MessageBoxes(),
        (std::vector<std::string>{"You must have Administrator privileges to access some wireless adapters.  "
                                  "Sign on with Administration privileges to possibly see other adapters."}));
    EXPECT_EQ(ListItems(IDC_LIKELY_LIST), (std::vector<std::string>{"[x] USB Wireless LAN Stick"}));
}

TEST_F(WizardWalkTest, NothingTicked) {
    Open("xp_wzc_orinoco.json");
    Next(IDD_INTRO);
    Next(IDD_LIST);
    ICheckListBox* pLikely = m_host.Page(IDD_LIST)->CheckListBox(IDC_LIKELY_LIST);
    pLikely->SetCheck(0, BST_UNCHECKED);
    pLikely->SetCheck(1, BST_UNCHECKED);
    Next(IDD_SELECT_ONE);
    Next(IDD_NONE_SUPPORTED);
    Next(IDD_THANK_YOU);
    EXPECT_EQ(WzcStarts(), 0) << "the service was stopped by discovery and is started at Finish";
    ASSERT_TRUE(m_host.Finish());
    EXPECT_EQ(WzcStarts(), 1);
}

TEST_F(WizardWalkTest, CancellingTheProgressWindowAfterTheFirstScan) {
    Open("xp_wzc_orinoco.json");
    Next(IDD_INTRO);
    Next(IDD_LIST);
    // Esc waits in the queue; the popup sees it when it first pumps, and the test stops after the
    // scan in progress, which counts.
    m_host.MessageQueue().push_back(MSG{WM_CHAR, VK_ESCAPE, 0, {0, 0}});
    Next(IDD_ADAPTER);
    const CAdapterResult& result = m_pSheet->m_pAdapterPage->m_results[0];
    EXPECT_EQ(result.m_strScanRate, "4.0");
    EXPECT_EQ(result.m_nApCount, 2);
    EXPECT_TRUE(result.m_bSupported);
    EXPECT_EQ(m_pMachine->Orinoco().Log(0).nScanRequests, 1) << "no scan after the cancel";
    EXPECT_TRUE(m_host.IsEnabled()) << "the main window is enabled again";
}
