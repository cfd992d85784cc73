// The results page and the report upload, through the whole wizard: the table, the Windows version,
// the optional fields and the tick, and the report as a real HTTP server on this machine receives it.
#include "report/post_page.h"

#include <climits>

#include "e2e/http_server_test_util.h"
#include "e2e/wizard_test_util.h"
#include "report/report_test_util.h"
#include "res/resource_ids.h"
#include "ui/model/model_controls.h"

namespace {

// XP SP3 with the given Internet Settings of the current user.
std::string MachineWithProxy(int nEnable, const std::string& strServer) {
    return R"({ "windows": { "major": 5, "minor": 1, "build": 2600, "servicePack": "Service Pack 3" },
      "registry": { "HKEY_CURRENT_USER": {
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings": {
          "values": { "ProxyEnable": )" +
           std::to_string(nEnable) + R"(, "ProxyServer": ")" + strServer + R"(" } } } } })";
}

const char OS_ESCAPED[] = "5.1.2600%20%28Service%20Pack%203%29";

class CPostPageTest : public CWizardFixture {
protected:
    // Walks to the results page with these results; the report goes to strServer.
    void GoToPostPage(std::vector<CAdapterResult> results, const std::string& strServer,
                      const char* pszMachine = XP_MACHINE) {
        m_adapters = {{"{A}", "Adapter A", 1, TRUE}};
        Open(pszMachine);
        GoToList();
        ASSERT_TRUE(m_host.Next());
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), IDD_SUPPORTED);
        m_pTest->m_results = std::move(results);
        Post().m_server.strHost = strServer;
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), IDD_POST);
    }
    // Posts no results with this proxy setting to a server of the test's; the request line it got.
    std::string PostWithProxySetting(int nEnable, const std::string& strProxyServer) {
        CTestHttpServer server(200);
        const std::string strMachine = MachineWithProxy(nEnable, strProxyServer);
        GoToPostPage({}, server.HostPort(), strMachine.c_str());
        EXPECT_TRUE(m_host.Next());
        EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
        return server.RequestLine();
    }
    void GoToPostPage(std::vector<CAdapterResult> results) {
        GoToPostPage(std::move(results), "127.0.0.1:" + std::to_string(CTestHttpServer::UnusedPort()));
    }

    CPostPage& Post() { return dynamic_cast<CPostPage&>(*m_pSheet->FindPage(IDD_POST)); }
    CModelListView& Table() {
        return dynamic_cast<CModelListView&>(*m_host.Page(IDD_POST)->ListView(IDC_RESULTS_LIST));
    }
    IControl& Control(int nId) { return *m_host.Page(IDD_POST)->GetDlgItem(nId); }
    ICheckBox& PostCheck() { return *m_host.Page(IDD_POST)->CheckBox(IDC_POST_CHECK); }
    int Width(const std::string& strText) { return Table().GetStringWidth(strText); }
};

std::vector<CAdapterResult> TwoResults() {
    std::vector<CAdapterResult> results;
    results.push_back(MakeResult("Intel(R) Wireless|Pro", TRUE, "2.1", -38, -85));
    results.push_back(MakeResult("Old Card", FALSE, "", INT_MIN, INT_MAX));
    return results;
}

}  // namespace

TEST_F(CPostPageTest, FirstVisitShowsVersionTableAndTick) {
    GoToPostPage(TwoResults());
    EXPECT_EQ(PostCheck().GetCheck(), BST_CHECKED);
    EXPECT_EQ(PostCheck().GetWindowText(), std::string("Post results to ") + VENDOR_HOST);
    EXPECT_EQ(Control(IDC_REPORTED_BY).GetWindowText(), "<Optional>");
    EXPECT_EQ(Control(IDC_EMAIL).GetWindowText(), "<Optional>");
    EXPECT_EQ(Control(IDC_OS_VERSION).GetWindowText(), "5.1.2600 (Service Pack 3)");

    CModelListView& table = Table();
    EXPECT_EQ(table.GetExtendedStyle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    std::vector<std::string> astrHeadings;
    for (int c = 0; c < table.GetColumnCount(); ++c) {
        astrHeadings.push_back(table.GetColumnHeading(c));
    }
    EXPECT_EQ(astrHeadings,
              (std::vector<std::string>{"Supported", "Name", "Scan Rate", "Max dBm", "Min dBm"}));
    ASSERT_EQ(table.GetItemCount(), 2);
    EXPECT_EQ(table.GetColumnTexts(0), (std::vector<std::string>{"Yes", "No"}));
    EXPECT_EQ(table.GetColumnTexts(1), (std::vector<std::string>{"Intel(R) Wireless|Pro", "Old Card"}));
    EXPECT_EQ(table.GetColumnTexts(2), (std::vector<std::string>{"2.1", ""}));
    EXPECT_EQ(table.GetColumnTexts(3), (std::vector<std::string>{"-38", ""}));
    EXPECT_EQ(table.GetColumnTexts(4), (std::vector<std::string>{"-85", ""}));
    // Everything fits: each column is its widest text plus the margin.
    EXPECT_EQ(table.GetColumnWidth(0), Width("Supported") + 12);
    EXPECT_EQ(table.GetColumnWidth(1), Width("Intel(R) Wireless|Pro") + 12);
    EXPECT_EQ(table.GetColumnWidth(2), Width("Scan Rate") + 12);
    EXPECT_EQ(table.GetColumnWidth(4), Width("Min dBm") + 12);
}

TEST_F(CPostPageTest, ALongNameGetsTheRoomTheOtherColumnsLeave) {
    std::vector<CAdapterResult> results;
    results.push_back(MakeResult(std::string(90, 'N'), TRUE, "4.0", -40, -90));
    GoToPostPage(std::move(results));
    CModelListView& table = Table();
    const int nOthers =
        table.GetColumnWidth(0) + table.GetColumnWidth(2) + table.GetColumnWidth(3) + table.GetColumnWidth(4);
    EXPECT_EQ(table.GetColumnWidth(1), table.GetClientWidth() - nOthers);

    // Other columns that leave less than the heading needs: the heading's width plus the margin.
    m_pSheet->m_bWentBack = FALSE;
    std::vector<CAdapterResult> wide;
    wide.push_back(MakeResult(std::string(90, 'N'), TRUE, std::string(70, '9'), -40, -90));
    Post().FillResults(wide);
    EXPECT_EQ(table.GetColumnWidth(1), Width("Name") + 12);
}

TEST_F(CPostPageTest, BackFromThankYouShowsThePageAsLeft) {
    GoToPostPage(TwoResults());
    Control(IDC_REPORTED_BY).SetWindowText("Ann Lee");
    Control(IDC_EMAIL).SetWindowText("ann@example.com");
    PostCheck().SetCheck(BST_UNCHECKED);
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU) << "not posting goes straight on";
    EXPECT_TRUE(m_host.MessageBoxes().empty()) << "nothing was sent to the closed port";

    m_pTest->m_results.clear();  // would empty the table if it were rebuilt
    ASSERT_TRUE(m_host.Back());
    ASSERT_EQ(m_host.CurrentPage(), IDD_POST);
    EXPECT_EQ(Control(IDC_REPORTED_BY).GetWindowText(), "Ann Lee");
    EXPECT_EQ(Control(IDC_EMAIL).GetWindowText(), "ann@example.com");
    EXPECT_EQ(PostCheck().GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Table().GetItemCount(), 2);
}

TEST_F(CPostPageTest, LaterVisitByNextRebuildsTheTableAndKeepsTheUsersChoices) {
    GoToPostPage(TwoResults());
    Control(IDC_REPORTED_BY).SetWindowText("Ann");
    PostCheck().SetCheck(BST_UNCHECKED);
    ASSERT_TRUE(m_host.Back());
    ASSERT_EQ(m_host.CurrentPage(), IDD_SUPPORTED);
    m_pTest->m_results.pop_back();
    ASSERT_TRUE(m_host.Next());
    ASSERT_EQ(m_host.CurrentPage(), IDD_POST);
    EXPECT_EQ(Table().GetItemCount(), 1);
    EXPECT_EQ(PostCheck().GetCheck(), BST_UNCHECKED) << "ticked only on the first visit";
    EXPECT_EQ(Control(IDC_REPORTED_BY).GetWindowText(), "Ann");
}

TEST_F(CPostPageTest, SendsTheReportAsBuilt) {
    CTestHttpServer server(200);
    GoToPostPage(TwoResults(), server.HostPort());
    const int nWaitShows = m_host.WaitCursorShows();
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    EXPECT_GT(m_host.WaitCursorShows(), nWaitShows);
    EXPECT_FALSE(m_host.IsWaitCursorShown());
    // Placeholders are sent empty; a "|" in a name is sent as an escaped blank; no signals, no values.
    EXPECT_EQ(server.RequestLine(), std::string("GET /nimbrel3.php?os=") + OS_ESCAPED +
                                        "&by=&e=&a=Y|Intel%28R%29%20Wireless%20Pro|2.1|-38|-85"
                                        "&a=N|Old%20Card||| HTTP/1.1");
}

TEST_F(CPostPageTest, SendsTheReportersFieldsEscapedAndNoResults) {
    CTestHttpServer server(204);
    GoToPostPage({}, server.HostPort());
    Control(IDC_REPORTED_BY).SetWindowText("Ann & Lee");
    Control(IDC_EMAIL).SetWindowText("ann@example.com");
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU) << "any status below 400 is a report taken";
    EXPECT_EQ(server.RequestLine(), std::string("GET /nimbrel3.php?os=") + OS_ESCAPED +
                                        "&by=Ann%20%26%20Lee&e=ann%40example.com HTTP/1.1");
}

TEST_F(CPostPageTest, AServerErrorKeepsThePageAndClearsTheTick) {
    CTestHttpServer server(500);
    GoToPostPage(TwoResults(), server.HostPort());
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_POST);
    EXPECT_EQ(m_host.MessageBoxes(), (std::vector<std::string>{"Accessing Nimbrel web server failed"}));
    EXPECT_EQ(PostCheck().GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(server.RequestLine().empty()) << "the report did reach the server";
    EXPECT_FALSE(m_host.IsWaitCursorShown());

    // The next Next goes on without sending again.
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
    EXPECT_EQ(m_host.MessageBoxes().size(), 1u);
}

TEST_F(CPostPageTest, AClosedPortFails) {
    GoToPostPage(TwoResults());
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_POST);
    EXPECT_EQ(m_host.MessageBoxes(), (std::vector<std::string>{"Accessing Nimbrel web server failed"}));
    EXPECT_EQ(PostCheck().GetCheck(), BST_UNCHECKED);
}

TEST_F(CPostPageTest, AServerThatNeverAnswersFailsWhenTimeRunsOut) {
    CTestHttpServer server(CTestHttpServer::SILENT);
    GoToPostPage(TwoResults(), server.HostPort());
    Post().m_server.nConnectTimeoutMs = 300;
    Post().m_server.nTransferTimeoutMs = 300;
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_POST);
    EXPECT_EQ(m_host.MessageBoxes(), (std::vector<std::string>{"Accessing Nimbrel web server failed"}));
    EXPECT_FALSE(server.RequestLine().empty());
}

TEST_F(CPostPageTest, GoesThroughTheUsersProxy) {
    CTestHttpServer proxy(200);
    const std::string strMachine = MachineWithProxy(1, proxy.HostPort());
    GoToPostPage(TwoResults(), VENDOR_HOST, strMachine.c_str());
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
    EXPECT_EQ(proxy.RequestLine(), std::string("GET http://") + VENDOR_HOST +
                                       "/nimbrel3.php?os=" + OS_ESCAPED +
                                       "&by=&e=&a=Y|Intel%28R%29%20Wireless%20Pro|2.1|-38|-85"
                                       "&a=N|Old%20Card||| HTTP/1.1");
}

// The per-protocol form of the setting: the "http=" entry names the proxy for the report.
TEST_F(CPostPageTest, APerProtocolProxySettingUsesItsHttpEntry) {
    CTestHttpServer proxy(200);
    const std::string strMachine =
        MachineWithProxy(1, "ftp=ftp.example:21; HTTP=" + proxy.HostPort() + ";https=secure.example:8443");
    GoToPostPage({}, VENDOR_HOST, strMachine.c_str());
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
    EXPECT_EQ(proxy.RequestLine(), std::string("GET http://") + VENDOR_HOST +
                                       "/nimbrel3.php?os=" + OS_ESCAPED + "&by=&e= HTTP/1.1");
}

// Settings that name no proxy for HTTP: the report goes straight to the server.
TEST_F(CPostPageTest, AProxySwitchedOffIsNotUsed) {
    EXPECT_EQ(PostWithProxySetting(0, "127.0.0.1:" + std::to_string(CTestHttpServer::UnusedPort())),
              std::string("GET /nimbrel3.php?os=") + OS_ESCAPED + "&by=&e= HTTP/1.1");
}

TEST_F(CPostPageTest, APerProtocolProxySettingWithoutAnHttpEntryGoesDirect) {
    EXPECT_EQ(PostWithProxySetting(1, "https=127.0.0.1:" + std::to_string(CTestHttpServer::UnusedPort())),
              std::string("GET /nimbrel3.php?os=") + OS_ESCAPED + "&by=&e= HTTP/1.1");
}

TEST(ReadRegString, DropsOneTerminatingZeroAndReportsFailure) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(MachineWithProxy(1, "proxy.example:8080"), "test", &strError);
    ASSERT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    HKEY hKey = 0;
    ASSERT_EQ(Os().Registry().RegOpenKeyEx(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, KEY_READ, &hKey),
              static_cast<LONG>(ERROR_SUCCESS));
    BOOL bFailed = TRUE;
    EXPECT_EQ(ReadRegString(hKey, "ProxyServer", &bFailed), "proxy.example:8080");
    EXPECT_FALSE(bFailed);
    EXPECT_EQ(ReadRegString(hKey, "NoSuchValue", &bFailed), "");
    EXPECT_TRUE(bFailed);
    EXPECT_EQ(ReadRegString(hKey, "ProxyServer"), "proxy.example:8080");
    Os().Registry().RegCloseKey(hKey);
}
