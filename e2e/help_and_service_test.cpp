// Help topics of every page, the browser launch, and the configuration service started again on
// Cancel, Finish and after the last adapter.
#include "e2e/wizard_test_util.h"
#include "pages/vendor.h"
#include "res/resource_ids.h"

namespace {
const std::string HELP_FILE = "C:\\Program Files\\Brellix Nimbrel\\Tolvane.chm::/";

// The XP machine with the configuration service stopped, as this program leaves it.
std::string StoppedServiceMachine() {
    std::string strMachine = XP_MACHINE;
    strMachine.replace(strMachine.find("\"running\""), 9, "\"stopped\"");
    return strMachine;
}
}  // namespace

using HelpTest = CWizardFixture;

TEST_F(HelpTest, EachPageOpensItsTopic) {
    m_adapters = {{"{A}", "Adapter A", 1, FALSE}};
    Open();
    m_host.Help();  // welcome
    m_host.Next();
    m_host.Help();  // instructions: the sheet's button and the page's own
    m_host.Click(IDC_INTRO_HELP);
    m_host.Next();
    m_host.Help();  // adapter list
    m_host.F1();
    m_host.Next();
    m_host.Next();  // none supported (114)
    ASSERT_EQ(m_host.CurrentPage(), IDD_NONE_SUPPORTED);
    m_host.Help();
    m_host.Click(IDC_TIPS_HELP);
    m_host.Next();
    UntickPost();
    m_host.Next();  // thank you
    m_host.Help();
    EXPECT_EQ(m_pMachine->Shell().HelpPaths(),
              (std::vector<std::string>{HELP_FILE + "default.htm", HELP_FILE + "Troubleshoot.htm",
                                        HELP_FILE + "Troubleshoot.htm", HELP_FILE + "default.htm",
                                        HELP_FILE + "default.htm", HELP_FILE + "Troubleshoot.htm",
                                        HELP_FILE + "Troubleshoot.htm", HELP_FILE + "default.htm"}));
    EXPECT_TRUE(m_host.MessageBoxes().empty());
}

TEST_F(HelpTest, MissingHelpFileShowsTheMessage) {
    Open();
    m_pMachine->Shell().SetHelpMode("missing");
    m_host.Help();
    EXPECT_EQ(
        m_host.MessageBoxes(),
        (std::vector<std::string>{"Loading online help failed.  You may need to re-install the product."}));
}

TEST_F(HelpTest, UnknownInstallFolderOpensNothing) {
    Open(R"({ "windows": { "major": 5, "minor": 1 }, "shell": { "help": "available" } })");
    m_host.Help();
    EXPECT_TRUE(m_pMachine->Shell().HelpPaths().empty());
    EXPECT_TRUE(m_host.MessageBoxes().empty());
}

TEST_F(HelpTest, TrailingBackslashIsKept) {
    Open(
        R"({ "registry": { "HKEY_LOCAL_MACHINE": { "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {
              "values": { "InstallDir": "D:\\Tools\\" } } } }, "shell": { "help": "available" } })");
    m_host.Help();
    EXPECT_EQ(m_pMachine->Shell().HelpPaths(),
              (std::vector<std::string>{"D:\\Tools\\\\Tolvane.chm::/default.htm"}));
}

TEST_F(HelpTest, WebSiteButtonOpensTheBrowserOrSaysWhy) {
    Open();
    m_host.Next();
    m_host.Next();
    m_host.Next();
    ASSERT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
    EXPECT_EQ(m_host.Page(IDD_THANK_YOU)->GetDlgItem(IDC_WEB_SITE)->GetWindowText(), VENDOR_HOST);
    const int nWaitShows = m_host.WaitCursorShows();
    m_host.Click(IDC_WEB_SITE);
    EXPECT_EQ(m_pMachine->Shell().ExecutedFiles(), (std::vector<std::string>{VENDOR_URL}));
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    EXPECT_EQ(m_host.WaitCursorShows(), nWaitShows + 1);

    m_pMachine->Shell().SetBrowserAvailable(false);
    m_host.Click(IDC_WEB_SITE);
    EXPECT_EQ(
        m_host.MessageBoxes(),
        (std::vector<std::string>{std::string("Could not launch your default browser.  Please load your "
                                              "browser and go to ") +
                                  VENDOR_HOST + "."}));
    EXPECT_FALSE(m_host.IsWaitCursorShown());
}

using ServiceRestartTest = CWizardFixture;

TEST_F(ServiceRestartTest, CancelOnAWizardPageStartsTheServiceAgain) {
    const std::string strMachine = StoppedServiceMachine();
    Open(strMachine.c_str());
    g_bWzcStopped = TRUE;
    m_host.Next();
    const int nWaitShows = m_host.WaitCursorShows();
    ASSERT_TRUE(m_host.Cancel());
    EXPECT_TRUE(m_host.IsClosed());
    EXPECT_EQ(m_host.WaitCursorShows(), nWaitShows + 1) << "the restart's wait is shown";
    EXPECT_FALSE(m_host.IsWaitCursorShown());
    EXPECT_EQ(m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls, 1);
    EXPECT_EQ(m_pMachine->ServiceManager().Status("WZCSVC").dwCurrentState, SERVICE_RUNNING);
    EXPECT_FALSE(g_bWzcStopped);
}

TEST_F(ServiceRestartTest, CancelOnTheWelcomePageClosesDirectly) {
    const std::string strMachine = StoppedServiceMachine();
    Open(strMachine.c_str());
    g_bWzcStopped = TRUE;
    ASSERT_TRUE(m_host.Cancel());
    EXPECT_EQ(m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls, 0);
    EXPECT_TRUE(g_bWzcStopped);
}

TEST_F(ServiceRestartTest, FinishStartsTheServiceAgainOnce) {
    const std::string strMachine = StoppedServiceMachine();
    Open(strMachine.c_str());
    m_host.Next();
    m_host.Next();
    m_host.Next();
    g_bWzcStopped = TRUE;
    const int nWaitShows = m_host.WaitCursorShows();
    ASSERT_TRUE(m_host.Finish());
    EXPECT_EQ(m_host.WaitCursorShows(), nWaitShows + 1) << "the restart's wait is shown";
    EXPECT_EQ(m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls, 1);
    EXPECT_FALSE(g_bWzcStopped);
}

TEST_F(ServiceRestartTest, LeavingTheLastAdapterStartsTheServiceBehindTheWaitCursor) {
    m_adapters = {{"{A}", "Adapter A", 1, TRUE}, {"{B}", "Adapter B", 1, FALSE}};
    const std::string strMachine = StoppedServiceMachine();
    Open(strMachine.c_str());
    GoToList();
    g_bWzcStopped = TRUE;
    m_host.Next();
    m_host.Next();
    EXPECT_EQ(m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls, 0) << "adapters remain";
    const int nWaitShows = m_host.WaitCursorShows();
    m_host.Next();
    EXPECT_EQ(m_host.CurrentPage(), IDD_SUPPORTED);
    EXPECT_EQ(m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls, 1);
    EXPECT_GT(m_host.WaitCursorShows(), nWaitShows);
    // Cancel later finds nothing to restart.
    m_host.Cancel();
    EXPECT_EQ(m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls, 1);
}
