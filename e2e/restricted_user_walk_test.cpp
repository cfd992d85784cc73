// The whole wizard as users whom Windows restricts meet it: a standard user who may only read the
// program's settings key, and a user who has not allowed desktop programs the location (the WLAN
// service refuses scans). Machines are files under e2e/machines.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "adapter_page/location_notice.h"
#include "app/wizard_app.h"
#include "e2e/wizard_test_util.h"
#include "platform/sim/sim_test_util.h"
#include "res/resource_ids.h"
#include "ui/headless/headless_progress.h"

namespace {
const std::string MACHINES = std::string(NIMBREL_E2E_DIR) + "/machines/";

class LocationConsentWalk : public CRealWizardFixture {
protected:
    // Opens location_denied.json and goes to the list, keeping the ticks of the adapters named.
    void ToList(bool bFirst, bool bSecond) {
        std::string strError;
        auto pMachine = CSimMachine::FromFile(MACHINES + "location_denied.json", &strError);
        ASSERT_TRUE(pMachine) << strError;
        OpenWizard(std::move(pMachine));
        ASSERT_TRUE(m_host.Next());
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), IDD_LIST);
        ICheckListBox* pList = m_host.Page(IDD_LIST)->CheckListBox(IDC_LIKELY_LIST);
        ASSERT_EQ(pList->GetCount(), 2);
        pList->SetCheck(0, bFirst ? 1 : 0);
        pList->SetCheck(1, bSecond ? 1 : 0);
    }

    std::string Text(int nId) { return m_host.Page(IDD_ADAPTER)->GetDlgItem(nId)->GetWindowText(); }

    // The adapter was judged as any failed scan sequence is.
    void ExpectFailedSequence(std::size_t nResult) {
        const CAdapterResult& result = m_pSheet->m_pAdapterPage->m_results.at(nResult);
        EXPECT_FALSE(result.m_bSupported);
        EXPECT_EQ(result.m_nApCount, -1);
        EXPECT_EQ(result.m_strScanRate, "");
        EXPECT_TRUE(result.m_pApRows->empty());
        EXPECT_EQ(Text(IDC_SUPPORTED_TEXT), " No ");
        EXPECT_EQ(Text(IDC_SCAN_RATE), "");
        EXPECT_EQ(m_host.Page(IDD_ADAPTER)->ListView(IDC_AP_LIST)->GetItemCount(), 0);
    }
};
}  // namespace

TEST_F(LocationConsentWalk, RefusedScanAsksOncePerRunAndNoOpensNothing) {
    ToList(true, true);
    ASSERT_TRUE(m_host.Next());
    ASSERT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
    ExpectFailedSequence(0);
    EXPECT_EQ(m_host.MessageBoxes(), std::vector<std::string>{LOCATION_DENIED_TEXT});
    EXPECT_EQ(m_host.MessageBoxTypes(), std::vector<UINT>{MB_YESNO});
    EXPECT_TRUE(m_host.IsEnabled()) << "the box is shown once the progress window has gone";
    EXPECT_EQ(m_host.WaitCursorAtMessageBoxes(), std::vector<bool>{false}) << "the box waits for the user";

    // The second adapter's scan request fails otherwise (1167): judged the same, without a word.
    ASSERT_TRUE(m_host.Next());
    ExpectFailedSequence(1);
    // Back to the list and Next test both again: the box is not shown a second time.
    ASSERT_TRUE(m_host.Back());
    ASSERT_TRUE(m_host.Back());
    ASSERT_EQ(m_host.CurrentPage(), IDD_LIST);
    ASSERT_TRUE(m_host.Next());
    ASSERT_TRUE(m_host.Next());
    ExpectFailedSequence(1);
    EXPECT_EQ(m_host.MessageBoxes().size(), 1u);
    EXPECT_TRUE(m_pMachine->Shell().ExecutedFiles().empty());
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_NONE_SUPPORTED);
    EXPECT_EQ(m_pMachine->Wlan().OutstandingAllocations(), 0u);
}

TEST_F(LocationConsentWalk, YesOpensTheLocationSettingsAndAFailedLaunchSaysNothing) {
    ToList(true, false);
    m_host.AnswerYesNo(IDYES);
    m_pMachine->Shell().SetBrowserAvailable(false);
    ASSERT_TRUE(m_host.Next());
    ExpectFailedSequence(0);
    EXPECT_EQ(m_pMachine->Shell().ExecutedFiles(), std::vector<std::string>{"ms-settings:privacy-location"});
    EXPECT_EQ(m_host.MessageBoxes(), std::vector<std::string>{LOCATION_DENIED_TEXT});
}

TEST_F(LocationConsentWalk, OtherScanFailuresStaySilent) {
    ToList(false, true);
    ASSERT_TRUE(m_host.Next());
    ExpectFailedSequence(0);
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    EXPECT_FALSE(g_bLocationNoticeShown) << "a later refusal in this run still asks";
}

namespace {
// One run of the whole program on standard_user.json, the profile kept in a file.
struct CStandardUserRun {
    bool bOpened = false;
    std::vector<std::string> astrHelpPaths;
    std::vector<std::string> astrMessages;
    RECT rcPopup{};  // where the progress window stood during the first scan
    bool bKeyCreated = false;
};

CStandardUserRun RunStandardUser(const std::string& strProfile, bool bMovePopup) {
    CStandardUserRun run;
    std::string strError;
    CSimMachineOptions options;
    options.strProfilePath = strProfile;
    auto pMachine = CSimMachine::FromFile(MACHINES + "standard_user.json", &strError, options);
    EXPECT_TRUE(pMachine) << strError;
    if (!pMachine) {
        return run;
    }
    CScopedOs os(*pMachine);
    CHeadlessHost host;
    host.SetScript([&](CHeadlessHost& running) {
        run.bOpened = true;
        running.Help();
        running.Next();
        running.Next();
        // During the first scan the user drags the popup (or only looks where it is).
        pMachine->VirtualClock()->ScheduleAfter(500, [&] {
            if (CHeadlessProgressWindow* pWindow = running.Progress()) {
                if (bMovePopup) {
                    pWindow->SetWindowPos(40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                }
                run.rcPopup = pWindow->GetWindowRect();
            }
        });
        running.Next();
        EXPECT_EQ(running.CurrentPage(), IDD_ADAPTER);
        EXPECT_EQ(running.Page(IDD_ADAPTER)->GetDlgItem(IDC_SUPPORTED_TEXT)->GetWindowText(), " Yes ");
        running.Help();
        running.Cancel();
    });
    CWizardApp().InitInstance(host);
    run.astrHelpPaths = pMachine->Shell().HelpPaths();
    run.astrMessages = host.MessageBoxes();
    return run;
}
}  // namespace

TEST(StandardUserWalk, StartsFromTheRecordedFolderOpensHelpAndKeepsThePopupWhereItWasLeft) {
    g_bWzcStopped = FALSE;
    CTempDir dir;
    const std::string strProfile = (dir.Path() / "Nimbrel.ini").string();
    const CStandardUserRun first = RunStandardUser(strProfile, true);
    // The banners came from the recorded folder: the default one is not mapped on this machine.
    EXPECT_TRUE(first.bOpened);
    const std::string strHelp = "D:\\Tools\\Brellix Nimbrel\\Tolvane.chm::/default.htm";
    EXPECT_EQ(first.astrHelpPaths, (std::vector<std::string>{strHelp, strHelp}));
    EXPECT_TRUE(first.astrMessages.empty());
    EXPECT_EQ(first.rcPopup.left, 40);

    std::ifstream file(strProfile);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("ProgWndX=40"), std::string::npos) << text.str();

    const CStandardUserRun second = RunStandardUser(strProfile, false);
    EXPECT_TRUE(second.bOpened);
    EXPECT_EQ(second.rcPopup.left, 40) << "the next run opens the popup where the last one left it";
    EXPECT_EQ(second.rcPopup.top, 60);
    ClearSupportedCache();
}
