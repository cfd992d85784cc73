// The full-screen front end driven as a user drives it, on the default machine in virtual time: keys
// and clicks from a scripted terminal, checks of what the screen shows and what the pages' controls
// hold in between.
#include "ui/term/term_host.h"

#include <gtest/gtest.h>

#include "adapter_page/adapter_page.h"
#include "adapter_page/location_notice.h"
#include "adapters/wzc_service.h"
#include "app/wizard_app.h"
#include "platform/sim/sim_machine.h"
#include "report/post_page.h"
#include "res/resource_ids.h"
#include "ui/term/term_progress.h"
#include "ui/term/term_test_util.h"
#include "wizard/main_window.h"

namespace {

// The terminal host with a record of the message boxes it showed.
class CRecordingTermHost : public CTermHost {
public:
    using CTermHost::CTermHost;
    int MessageBox(const std::string& strText, UINT nType) override {
        m_astrMessages.push_back(strText);
        m_anMessageTypes.push_back(nType);
        return CTermHost::MessageBox(strText, nType);
    }
    const std::vector<std::string>& MessageBoxes() const { return m_astrMessages; }
    const std::vector<UINT>& MessageBoxTypes() const { return m_anMessageTypes; }

private:
    std::vector<std::string> m_astrMessages;
    std::vector<UINT> m_anMessageTypes;
};

class TermHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_bWzcStopped = FALSE;
        g_bLocationNoticeShown = FALSE;
        std::string strError;
        m_pMachine = CSimMachine::Default(&strError);
        ASSERT_TRUE(m_pMachine) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
    }
    void TearDown() override {
        AfxSetMainWnd(nullptr);
        g_bWzcStopped = FALSE;
        g_bLocationNoticeShown = FALSE;
    }
    // Replaces the default machine with one of e2e/machines.
    void UseMachineFile(const std::string& strName) {
        m_pOs.reset();
        std::string strError;
        m_pMachine = CSimMachine::FromFile(std::string(NIMBREL_E2E_DIR) + "/machines/" + strName, &strError);
        ASSERT_TRUE(m_pMachine) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
    }

    void Run() {
        CWizardApp app;
        app.InitInstance(m_host);
        EXPECT_EQ(app.GetExitCode(), 0);
        EXPECT_TRUE(m_host.IsClosed());
        EXPECT_TRUE(m_device.IsDone()) << "the wizard closed before the script ended:\n" << Screen();
    }
    std::string Screen() const { return m_host.Screen().Text(); }
    ICheckListBox& Likely() { return *m_host.TermPage(IDD_LIST)->CheckListBox(IDC_LIKELY_LIST); }
    const CTermCell& CellOf(const std::string& strText) const {
        const CTermCanvas& screen = m_host.Screen();
        for (int r = 0; r < screen.Rows(); ++r) {
            const std::size_t nAt = screen.RowText(r).find(strText);
            if (nAt != std::string::npos) {
                // Line-drawing characters take several bytes: count the characters before the text.
                const std::string strBefore = screen.RowText(r).substr(0, nAt);
                int nCol = 0;
                for (unsigned char ch : strBefore) {
                    nCol += (ch & 0xC0) != 0x80 ? 1 : 0;
                }
                return screen.At(r, nCol);
            }
        }
        ADD_FAILURE() << "not on the screen: " << strText << "\n" << Screen();
        static CTermCell none;
        return none;
    }

    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    CScriptedDevice m_device;
    CRecordingTermHost m_host{m_device};
};

TEST_F(TermHostTest, WelcomeShowsTheSidebarAndTheButtonRow) {
    m_device.Then([&] {
        const std::string strScreen = Screen();
        EXPECT_NE(strScreen.find("Welcome to Brellix's Nimbrel Program."), std::string::npos) << strScreen;
        EXPECT_NE(strScreen.find("Version 3.0.3"), std::string::npos);
        EXPECT_NE(strScreen.find("[ < Back ][ Next > ]  [ Cancel ] [  Help  ]"), std::string::npos);
        EXPECT_EQ(CellOf("< Back").eStyle, ETermStyle::Disabled);
        EXPECT_EQ(CellOf("[ Next >").eStyle, ETermStyle::ButtonFocus) << "the focus starts on Next";
        // The sidebar: the watermark's colours down the left of the page, no header title.
        const CTermRect sheet = m_host.SheetRect();
        const CTermCell& top = m_host.Screen().At(sheet.nRow + 1, sheet.nCol + 1);
        EXPECT_EQ(top.eStyle, ETermStyle::Banner);
        EXPECT_NE(top.nBg, TERM_NO_COLOUR);
        EXPECT_EQ(strScreen.find("Before Checking"), std::string::npos);
    });
    m_device.Key(TK_ENTER);
    m_device.Then([&] {
        EXPECT_EQ(m_host.CurrentPage(), IDD_INTRO);
        EXPECT_NE(Screen().find("Before Checking for Supported Adapters"), std::string::npos);
        EXPECT_NE(Screen().find("Perform these steps before continuing"), std::string::npos);
        // The third text needs three rows where its template gives two: it runs on below.
        EXPECT_NE(Screen().find("document."), std::string::npos) << Screen();
    });
    m_device.Alt('b');
    m_device.Then([&] { EXPECT_EQ(m_host.CurrentPage(), IDD_WELCOME); });
    m_device.Key(TK_ESCAPE);
    Run();
}

TEST_F(TermHostTest, ListPageTicksWithSpaceAndClicksThenEscCancelsTheScans) {
    m_device.Key(TK_ENTER, 2);
    m_device.Then([&] {
        ASSERT_EQ(m_host.CurrentPage(), IDD_LIST);
        ASSERT_EQ(Likely().GetCount(), 2);
        EXPECT_NE(Screen().find("[x] ORiNOCO"), std::string::npos) << Screen();
        EXPECT_NE(Screen().find("[ ] Fast Ethernet Controller"), std::string::npos);
        EXPECT_TRUE(m_host.IsWaitCursorShown() == false);
    });
    // Tab reaches the first list; Down and Space untick its second item.
    m_device.Key(TK_TAB);
    m_device.Key(TK_DOWN);
    m_device.Key(' ');
    m_device.Then([&] {
        EXPECT_EQ(Likely().GetCheck(0), BST_CHECKED);
        EXPECT_EQ(Likely().GetCheck(1), BST_UNCHECKED);
        EXPECT_NE(Screen().find("[ ] Wireless 802.11b/g Mini PCI Adapter"), std::string::npos) << Screen();
        EXPECT_EQ(CellOf("[ ] Wireless").eStyle, ETermStyle::Selection);
    });
    // A click on the mark of the unlikely list's item ticks it, and Shift+Tab walks back.
    m_device.Then([&] {
        const CTermRect sheet = m_host.SheetRect();
        // The unlikely list stands at dialog row 9 (74 units), column 3 (14 units); its first item
        // inside the border.
        m_device.Click(sheet.nRow + 5 + 9 + 1, sheet.nCol + 3 + 3 + 2);
        m_device.Then([&] {
            EXPECT_EQ(m_host.TermPage(IDD_LIST)->CheckListBox(IDC_UNLIKELY_LIST)->GetCheck(0), BST_CHECKED);
            m_host.TermPage(IDD_LIST)->CheckListBox(IDC_UNLIKELY_LIST)->SetCheck(0, BST_UNCHECKED);
        });
        m_device.Key(TK_ENTER);
        // Esc while the first scan runs: the adapter test stops after it.
        m_device.KeyAhead(TK_ESCAPE);
        m_device.Then([&] {
            EXPECT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
            EXPECT_TRUE(m_device.AnyFrameHas("Progress [25%]"));
            EXPECT_TRUE(m_device.AnyFrameHas("ORiNOCO\n") || m_device.AnyFrameHas("ORiNOCO "));
            EXPECT_FALSE(m_device.AnyFrameHas("Scan #2...")) << "Esc cancelled before the second scan";
            EXPECT_NE(Screen().find("Discovered Access Points"), std::string::npos);
            EXPECT_NE(Screen().find("Signal"), std::string::npos) << "the header row";
            EXPECT_NE(Screen().find(" Yes "), std::string::npos);
            EXPECT_EQ(CellOf(" Yes ").eStyle, ETermStyle::Verdict);
        });
        m_device.Key(TK_ESCAPE);
    });
    Run();
}

TEST_F(TermHostTest, ResultsPageTypingReplacesTheOptionalText) {
    // Only the first candidate, so that one adapter is tested.
    m_device.Key(TK_ENTER, 2);
    m_device.Then([&] { Likely().SetCheck(1, BST_UNCHECKED); });
    m_device.Key(TK_ENTER);  // the adapter test
    m_device.Then([&] { ASSERT_EQ(m_host.CurrentPage(), IDD_ADAPTER); });
    m_device.Key(TK_ENTER);  // supported
    m_device.Then([&] { ASSERT_EQ(m_host.CurrentPage(), IDD_SUPPORTED) << Screen(); });
    m_device.Key(TK_ENTER);  // results
    m_device.Then([&] {
        ASSERT_EQ(m_host.CurrentPage(), IDD_POST);
        EXPECT_NE(Screen().find("Supported"), std::string::npos);
        EXPECT_NE(Screen().find("5.1.2600 (Service Pack 2)"), std::string::npos);
    });
    // Tab: the OS version, the results list (Enter shows a result whole, the name uncut), then
    // "Reported by", whose text is selected whole.
    m_device.Key(TK_TAB, 2);
    m_device.Key(TK_ENTER);
    m_device.Then([&] {
        EXPECT_EQ(m_host.CurrentPage(), IDD_POST);
        const std::string strName = m_host.TermPage(IDD_POST)->ListView(IDC_RESULTS_LIST)->GetItemText(0, 1);
        EXPECT_FALSE(strName.empty());
        EXPECT_NE(Screen().find("Name: " + strName + " "), std::string::npos) << Screen();
        EXPECT_NE(Screen().find("Supported: Yes"), std::string::npos);
    });
    m_device.Key(TK_ESCAPE);
    m_device.Then([&] { EXPECT_EQ(m_host.CurrentPage(), IDD_POST) << "Esc closed only the box"; });
    m_device.Key(TK_TAB);
    m_device.Then([&] {
        auto* pEdit = dynamic_cast<CTermEdit*>(m_host.FocusWidget());
        ASSERT_NE(pEdit, nullptr);
        EXPECT_EQ(pEdit->Id(), IDC_REPORTED_BY);
        EXPECT_TRUE(pEdit->IsAllSelected());
    });
    for (char ch : std::string("Ann Lee")) {
        m_device.Key(ch);
    }
    m_device.Key(TK_BACKSPACE);
    m_device.Key(TK_LEFT);
    m_device.Key('X');
    m_device.Then([&] {
        EXPECT_EQ(m_host.TermPage(IDD_POST)->GetDlgItem(IDC_REPORTED_BY)->GetWindowText(), "Ann LXe");
        EXPECT_NE(Screen().find("Ann LXe"), std::string::npos);
    });
    // Tab to Email, then the post box: Space unticks it, so Next sends nothing.
    m_device.Key(TK_TAB, 2);
    m_device.Key(' ');
    m_device.Then([&] {
        EXPECT_EQ(m_host.TermPage(IDD_POST)->CheckBox(IDC_POST_CHECK)->GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(m_host.TermPage(IDD_POST)->GetDlgItem(IDC_EMAIL)->GetWindowText(), "<Optional>");
    });
    m_device.Key(TK_ENTER);
    m_device.Then([&] {
        EXPECT_EQ(m_host.CurrentPage(), IDD_THANK_YOU);
        EXPECT_NE(Screen().find("[  Exit  ]"), std::string::npos) << Screen();
        EXPECT_NE(Screen().find("Enter=Exit"), std::string::npos);
    });
    m_device.Key(TK_ENTER);
    Run();
}

TEST_F(TermHostTest, MessageBoxWaitsForOkOverTheSheet) {
    m_pMachine->Shell().SetHelpMode("missing");
    m_device.Key(TK_F1);
    m_device.Key('x');  // ignored by the box
    m_device.Then([&] {
        EXPECT_NE(Screen().find("Loading online help failed.  You may need to re-install"), std::string::npos)
            << Screen();
        EXPECT_NE(Screen().find("the product."), std::string::npos);
        EXPECT_NE(Screen().find("[   OK   ]"), std::string::npos);
        EXPECT_EQ(m_host.CurrentPage(), IDD_WELCOME);
    });
    m_device.Key(TK_ENTER);
    m_device.Then([&] {
        EXPECT_EQ(Screen().find("Loading online help failed"), std::string::npos);
        EXPECT_EQ(m_host.MessageBoxes().size(), 1u);
        EXPECT_FALSE(m_host.IsClosed()) << "Enter closed the box, not the wizard";
    });
    m_device.Key(TK_ESCAPE);
    Run();
}

TEST_F(TermHostTest, YesNoBoxTakesItsButtonsAndNotEscape) {
    UseMachineFile("location_denied.json");
    m_device.Key(TK_ENTER);
    m_device.Key(TK_ENTER);
    m_device.Key(TK_ENTER);   // both adapters tested; the first one's refused scan asks
    m_device.Key(TK_ESCAPE);  // a Yes/No box has no Cancel
    m_device.Then([&] {
        EXPECT_NE(Screen().find("Windows did not allow Nimbrel to scan"), std::string::npos) << Screen();
        EXPECT_NE(Screen().find("[  Yes   ]"), std::string::npos);
        EXPECT_NE(Screen().find("[   No   ]"), std::string::npos);
        EXPECT_EQ(CellOf("[  Yes   ]").eStyle, ETermStyle::ButtonFocus) << "Yes has the focus first";
    });
    m_device.Key(TK_TAB);
    m_device.Then([&] { EXPECT_EQ(CellOf("[   No   ]").eStyle, ETermStyle::ButtonFocus); });
    m_device.Key(TK_ENTER);
    m_device.Then([&] {
        EXPECT_EQ(Screen().find("Windows did not allow"), std::string::npos);
        EXPECT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
        EXPECT_TRUE(m_pMachine->Shell().ExecutedFiles().empty()) << "No opens nothing";
    });
    m_device.Key(TK_ESCAPE);
    Run();
    EXPECT_EQ(m_host.MessageBoxTypes(), std::vector<UINT>{MB_YESNO});
}

TEST_F(TermHostTest, YesNoBoxAnsweredWithY) {
    UseMachineFile("location_denied.json");
    m_device.Key(TK_ENTER);
    m_device.Key(TK_ENTER);
    m_device.Key(TK_ENTER);
    m_device.Key('y');
    m_device.Then([&] {
        EXPECT_EQ(m_pMachine->Shell().ExecutedFiles(), std::vector<std::string>{LOCATION_SETTINGS_URI});
    });
    m_device.Key(TK_ESCAPE);
    Run();
}

TEST_F(TermHostTest, HelpButtonShowsTheTopicPage) {
    m_pMachine->Shell().SetHelpViewer([&](const std::string& strPage) { m_host.ShowHelpPage(strPage); });
    m_device.Key(TK_ENTER);
    // Tab to the page's own Help button (the first tab stop of the instructions page) and press it.
    m_device.Key(TK_TAB);
    m_device.Key(' ');
    m_device.Then([&] {
        ASSERT_FALSE(m_pMachine->Shell().HelpPaths().empty());
        EXPECT_NE(m_pMachine->Shell().HelpPaths().back().find("Troubleshoot.htm"), std::string::npos);
    });
    Run();
    EXPECT_TRUE(m_device.AnyFrameHas("Esc=close"));
    EXPECT_TRUE(m_device.AnyFrameHas("Troubleshooting")) << "the topic page's heading";
}

TEST_F(TermHostTest, TooSmallTerminalAsksToBeEnlarged) {
    m_device.m_nRows = 20;
    m_device.m_nCols = 60;
    m_device.Then([&] {
        EXPECT_EQ(m_host.Screen().RowText(0), "Please enlarge the terminal to at least 76x22 (it is 60x20).");
        m_device.m_nRows = 24;
        m_device.m_nCols = 80;
        m_device.Resize();
        m_device.Then([&] {
            EXPECT_NE(Screen().find("Welcome to Brellix's Nimbrel Program."), std::string::npos) << Screen();
        });
    });
    Run();
}

TEST_F(TermHostTest, TooSmallTerminalIgnoresKeysButCtrlLAndResize) {
    m_device.m_nRows = 20;
    m_device.m_nCols = 60;
    // Three blind Alt+N, a click where Next would be and Enter: none may act out of sight.
    for (int i = 0; i < 3; ++i) {
        m_device.Alt('n');
    }
    m_device.Key(TK_ENTER);
    m_device.Click(21, 40);
    m_device.Key(TK_REDRAW);
    m_device.Then([&] {
        EXPECT_EQ(m_host.CurrentPage(), IDD_WELCOME);
        EXPECT_EQ(m_device.m_nInvalidated, 1) << "Ctrl+L repaints every cell";
        EXPECT_EQ(m_host.Screen().RowText(1), "Keys are ignored until then (Ctrl+L redraws).");
        m_device.m_nRows = 24;
        m_device.m_nCols = 80;
    });
    m_device.Resize();
    m_device.Then([&] {
        EXPECT_EQ(m_device.m_nInvalidated, 2);
        EXPECT_EQ(m_host.CurrentPage(), IDD_WELCOME);
        EXPECT_NE(Screen().find("Welcome to Brellix's Nimbrel Program."), std::string::npos);
    });
    m_device.Key(TK_REDRAW);
    m_device.Then([&] { EXPECT_EQ(m_device.m_nInvalidated, 3) << "Ctrl+L also repaints a normal screen"; });
    Run();
}

TEST_F(TermHostTest, ResizeDuringTheScansRepaintsTheWholeScreen) {
    m_device.Key(TK_ENTER, 2);
    m_device.Then([&] { Likely().SetCheck(1, BST_UNCHECKED); });
    m_device.Key(TK_ENTER);
    // 80 x 24, 60 x 20 and back while the popup is up; Esc meanwhile is ignored while too small.
    m_device.ResizeAhead(20, 60);
    m_device.KeyAhead(TK_ESCAPE);
    m_device.ResizeAhead(24, 80);
    m_device.Then([&] {
        EXPECT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
        EXPECT_GE(m_device.m_nInvalidated, 2);
        EXPECT_TRUE(m_device.AnyFrameHas("Please enlarge the terminal"));
        EXPECT_TRUE(m_device.AnyFrameHas("Scan #3...")) << "the Esc typed while too small was dropped";
        EXPECT_EQ(Screen().find("Progress ["), std::string::npos) << Screen();
        EXPECT_NE(Screen().find("Discovered Access Points"), std::string::npos);
    });
    m_device.Key(TK_ESCAPE);
    Run();
}

TEST_F(TermHostTest, AccessPointRowsOpenWholeInADetailBox) {
    m_device.Key(TK_ENTER, 2);
    m_device.Then([&] { Likely().SetCheck(1, BST_UNCHECKED); });
    m_device.Key(TK_ENTER);
    // The read-only name edit takes the focus first, then the scan rate, then the list.
    m_device.Key(TK_TAB);
    m_device.Then([&] {
        ASSERT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
        ASSERT_NE(m_host.FocusWidget(), nullptr);
        EXPECT_EQ(m_host.FocusWidget()->Id(), IDC_ADAPTER_NAME);
    });
    m_device.Key(TK_TAB, 2);
    m_device.Key(TK_DOWN);
    m_device.Key(TK_ENTER);
    m_device.Then([&] {
        auto* pList = dynamic_cast<CTermListView*>(m_host.FocusWidget());
        ASSERT_NE(pList, nullptr);
        ASSERT_EQ(pList->Selected(), 1);
        EXPECT_EQ(m_host.CurrentPage(), IDD_ADAPTER) << "Enter on a row opens it instead of going on";
        const std::string strScreen = Screen();
        for (const char* pszField :
             {"SSID: ", "MAC: ", "Ch: ", "Signal: ", "Assoc: ", "Security: ", "Mode: "}) {
            EXPECT_NE(strScreen.find(pszField), std::string::npos) << pszField << "\n" << strScreen;
        }
        EXPECT_NE(strScreen.find("SSID: " + pList->GetItemText(1, 1) + " "), std::string::npos) << strScreen;
        EXPECT_NE(strScreen.find("MAC: " + pList->GetItemText(1, 2)), std::string::npos);
        EXPECT_NE(strScreen.find("AP Name:"), std::string::npos) << "the field without a column";
    });
    m_device.Key(TK_ESCAPE);
    m_device.Then([&] {
        EXPECT_EQ(Screen().find("AP Name:"), std::string::npos) << "Esc closed the box";
        EXPECT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
        // A double click on the first row opens it too; two clicks apart in time do not.
        const CTermWidget* pList = m_host.TermPage(IDD_ADAPTER)->Widget(IDC_AP_LIST);
        const CTermRect sheet = m_host.SheetRect();
        const int nRow = sheet.nRow + 5 + pList->Rect().nRow + 2;
        const int nCol = sheet.nCol + 3 + pList->Rect().nCol + 4;
        m_device.Click(nRow, nCol, 1000);
        m_device.Click(nRow, nCol, 3000);
        m_device.Then([&] { EXPECT_EQ(Screen().find("AP Name:"), std::string::npos) << Screen(); });
        m_device.Click(nRow, nCol, 3200);
        m_device.Then([&] { EXPECT_NE(Screen().find("AP Name:"), std::string::npos) << Screen(); });
        m_device.Key(TK_ESCAPE);
        m_device.Key(TK_ESCAPE);
    });
    Run();
}

}  // namespace
