// Where Next and Back lead, which buttons each page enables, and the page history.
#include "e2e/wizard_test_util.h"
#include "res/resource_ids.h"

using NavigationTest = CWizardFixture;

TEST_F(NavigationTest, WelcomeThroughNoAdaptersToExit) {
    Open();
    EXPECT_EQ(m_host.CurrentPage(), IDD_WELCOME);
    EXPECT_EQ(m_host.Buttons(), PSWIZB_NEXT);
    EXPECT_FALSE(m_host.Back());

    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_INTRO);
    EXPECT_EQ(m_host.Buttons(), PSWIZB_BACK | PSWIZB_NEXT);
    EXPECT_TRUE(History().empty()) << "the welcome page does not record itself";

    // Back on the instructions page finds an empty history and shows the welcome page by order.
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_WELCOME);

    ASSERT_TRUE(m_host.Next());
    const int nWaitShows = m_host.WaitCursorShows();
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_NONE_FOUND) << "no adapters found";
    EXPECT_GT(m_host.WaitCursorShows(), nWaitShows) << "discovery shows the wait cursor";
    EXPECT_FALSE(m_host.IsWaitCursorShown());
    EXPECT_EQ(History(), (std::vector<UINT>{IDD_INTRO}));

    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
    EXPECT_EQ(m_host.Buttons(), PSWIZB_BACK | PSWIZB_FINISH);
    EXPECT_EQ(m_host.FinishText(), "Exit");
    EXPECT_FALSE(m_host.Next());

    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_NONE_FOUND);
    EXPECT_TRUE(m_pSheet->m_bWentBack);
    ASSERT_TRUE(m_host.Next());
    EXPECT_FALSE(m_pSheet->m_bWentBack);
    ASSERT_TRUE(m_host.Finish());
    EXPECT_TRUE(m_host.IsClosed());
}

TEST_F(NavigationTest, BackFromListAndNextAgainRediscovers) {
    m_adapters = {{"{A}", "Adapter A", 1}, {"{B}", "Wired B", 0}};
    Open();
    GoToList();
    EXPECT_EQ(LikelyList().GetCount(), 1);
    EXPECT_EQ(LikelyList().GetCheck(0), BST_CHECKED);
    EXPECT_EQ(UnlikelyList().GetText(0), "Wired B");
    EXPECT_EQ(UnlikelyList().GetCheck(0), BST_UNCHECKED);

    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_INTRO);
    m_pList->m_adapters.push_back({"{C}", "Plugged-in C", 1});
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_pList->m_nDiscoveries, 2);
    EXPECT_EQ(m_host.CurrentPage(), IDD_LIST);
    ASSERT_EQ(LikelyList().GetCount(), 2) << "the lists are rebuilt, not appended to";
    EXPECT_EQ(LikelyList().GetText(1), "Plugged-in C");
    EXPECT_EQ(UnlikelyList().GetCount(), 1);
}

TEST_F(NavigationTest, ThreeAdaptersThenBackThroughTheirResults) {
    m_adapters = {
        {"{A}", "Adapter A", 1, FALSE}, {"{B}", "Adapter B", 1, TRUE}, {"{C}", "Adapter C", 1, TRUE}};
    Open();
    GoToList();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
        EXPECT_EQ(m_pTest->m_nCurrent, i);
        EXPECT_EQ(m_pTest->m_strNameText, m_adapters[i].strName);
    }
    EXPECT_EQ(m_pTest->m_strSupportedText, " Yes ");
    ASSERT_TRUE(m_host.Next());
    ASSERT_EQ(m_host.CurrentPage(), IDD_SUPPORTED);
    IListBox& supported = *m_host.Page(IDD_SUPPORTED)->ListBox(IDC_SUPPORTED_LIST);
    ASSERT_EQ(supported.GetCount(), 2);
    EXPECT_EQ(supported.GetText(0), "Adapter B");
    ASSERT_TRUE(m_host.Next());
    ASSERT_EQ(m_host.CurrentPage(), IDD_POST);

    // Back twice from the post page: the supported page, then the third adapter's stored result.
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_SUPPORTED);
    EXPECT_TRUE(m_pSheet->m_bWentBack);
    EXPECT_EQ(supported.GetCount(), 2);
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
    EXPECT_EQ(m_pTest->m_nCurrent, 2);
    EXPECT_EQ(m_pTest->m_strNameText, "Adapter C");
    EXPECT_EQ(m_pTest->m_nTests, 3) << "a stored result is shown without a new test";

    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_pTest->m_strNameText, "Adapter B");
    EXPECT_EQ(m_pTest->m_strSupportedText, " Yes ");
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_pTest->m_strNameText, "Adapter A");
    EXPECT_EQ(m_pTest->m_strSupportedText, " No ");

    // Back from the first adapter discards the results; the list keeps the user's ticks.
    LikelyList().SetCheck(0, BST_UNCHECKED);
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_LIST);
    EXPECT_TRUE(m_pTest->m_results.empty());
    EXPECT_EQ(m_pList->GetCheckedCount(), 2);
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_pTest->m_strNameText, "Adapter B") << "the first ticked adapter is tested again";
    EXPECT_EQ(m_pTest->m_nTests, 4);
}

TEST_F(NavigationTest, ThankYouBackReturnsToThePostPage) {
    m_adapters = {{"{A}", "Adapter A", 1, TRUE}};
    Open();
    GoToList();
    for (UINT nExpected : {IDD_ADAPTER, IDD_SUPPORTED, IDD_POST, IDD_THANK_YOU}) {
        if (m_host.CurrentPage() == IDD_POST) {
            UntickPost();
        }
        ASSERT_TRUE(m_host.Next());
        ASSERT_EQ(m_host.CurrentPage(), nExpected);
    }
    EXPECT_EQ(History(), (std::vector<UINT>{IDD_INTRO, IDD_LIST, IDD_ADAPTER, IDD_SUPPORTED, IDD_POST}));
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_POST);
    EXPECT_TRUE(m_pSheet->m_bWentBack);
    EXPECT_EQ(m_host.Buttons(), PSWIZB_BACK | PSWIZB_NEXT) << "Finish belongs to the thank-you page only";
}

TEST_F(NavigationTest, NothingTickedLeadsToTipsAndThankYou) {
    m_adapters = {{"{A}", "Adapter A", 1}};
    Open();
    GoToList();
    LikelyList().SetCheck(0, BST_UNCHECKED);
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_SELECT_ONE);
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_host.CurrentPage(), IDD_LIST);
    EXPECT_EQ(LikelyList().GetCheck(0), BST_UNCHECKED) << "Back keeps the user's (empty) ticks";
    ASSERT_TRUE(m_host.Next());
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_NONE_SUPPORTED);
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU) << "nothing ticked: no results to post";
}

TEST_F(NavigationTest, NothingSupportedLeadsToTipsThenResults) {
    m_adapters = {{"{A}", "Adapter A", 1, FALSE}, {"{B}", "Adapter B", 0, FALSE}};
    Open();
    GoToList();
    UnlikelyList().SetCheck(0, BST_CHECKED);
    ASSERT_TRUE(m_host.Next());
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_pTest->m_strNameText, "Adapter B") << "unlikely ticked adapters follow the likely ones";
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_NONE_SUPPORTED);
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_host.CurrentPage(), IDD_POST);
}

TEST_F(NavigationTest, CheckedAdaptersCountLikelyFirst) {
    m_adapters = {{"{A}", "A", 1}, {"{C}", "C", 0}, {"{B}", "B", 1}};
    Open();
    GoToList();
    LikelyList().SetCheck(0, BST_UNCHECKED);
    UnlikelyList().SetCheck(0, BST_CHECKED);
    EXPECT_EQ(m_pList->GetCheckedCount(), 2);
    std::string strId, strName, strDescription;
    m_pList->GetCheckedAdapter(0, &strId, &strName, &strDescription);
    EXPECT_EQ(strId, "{B}");
    m_pList->GetCheckedAdapter(1, &strId, &strName, &strDescription);
    EXPECT_EQ(strId, "{C}");
}

TEST_F(NavigationTest, OnlyTheThankYouPageOffersFinish) {
    m_adapters = {{"{A}", "Adapter A", 1, FALSE}};
    Open();
    std::vector<UINT> anSeen;
    while (m_host.CurrentPage() != IDD_THANK_YOU) {
        anSeen.push_back(m_host.CurrentPage());
        EXPECT_FALSE(m_host.Buttons() & PSWIZB_FINISH) << "page " << m_host.CurrentPage();
        if (m_host.CurrentPage() == IDD_POST) {
            UntickPost();
        }
        ASSERT_TRUE(m_host.Next());
    }
    EXPECT_EQ(anSeen, (std::vector<UINT>{IDD_WELCOME, IDD_INTRO, IDD_LIST, IDD_ADAPTER, IDD_NONE_SUPPORTED,
                                         IDD_POST}));
    EXPECT_EQ(m_host.FinishText(), "Exit");
}
