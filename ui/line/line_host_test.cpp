// The line-mode front end: pages printed with their texts and buttons, commands read line by line.
#include "ui/line/line_host.h"

#include <gtest/gtest.h>

#include <sstream>

#include "adapter_page/location_notice.h"
#include "app/tolvane_pages.h"
#include "app/wizard_app.h"
#include "e2e/wizard_test_util.h"
#include "platform/sim/sim_machine.h"
#include "wizard/main_window.h"
#include "wizard/progress_popup.h"

namespace {
// Runs the program's start-up on the default machine with the given typed lines.
std::string RunWizard(const std::string& strInput, int* pnExitCode = nullptr,
                      ETermCharset eCharset = ETermCharset::Utf8) {
    std::string strError;
    auto pMachine = CSimMachine::Default(&strError);
    EXPECT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    std::istringstream input(strInput);
    std::ostringstream output;
    CLineHost host(input, output, eCharset);
    CWizardApp app;
    app.InitInstance(host);
    if (pnExitCode != nullptr) {
        *pnExitCode = app.GetExitCode();
    }
    return output.str();
}

// Runs the sheet on the XP machine with the adapters the test lists and the given typed lines.
std::string RunScripted(const std::vector<CFakeAdapter>& adapters, const std::string& strInput,
                        ETermCharset eCharset = ETermCharset::Utf8) {
    std::string strError;
    auto pMachine = CSimMachine::FromText(XP_MACHINE, "test machine", &strError);
    EXPECT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    std::istringstream input(strInput);
    std::ostringstream output;
    CLineHost host(input, output, eCharset);
    auto pList = std::make_unique<CScriptedListPage>();
    pList->m_adapters = adapters;
    auto pTest = std::make_unique<CScriptedAdapterPage>(*pList);
    CDibImage image;
    CTolvaneSheet sheet(image, image, host);
    AddTolvanePages(sheet, std::move(pList), std::move(pTest));
    host.RunModal(sheet);
    return output.str();
}
}  // namespace

TEST(LineHost, HelpShowsTheTopicsPageAsText) {
    std::string strError;
    auto pMachine = CSimMachine::Default(&strError);
    ASSERT_TRUE(pMachine) << strError;
    CScopedOs os(*pMachine);
    std::istringstream input("n\nh\n");
    std::ostringstream output;
    CLineHost host(input, output);
    pMachine->Shell().SetHelpViewer([&host](const std::string& strPage) { host.ShowHelpPage(strPage); });
    CWizardApp().InitInstance(host);
    // The instructions page opens the troubleshooting topic.
    EXPECT_NE(output.str().find("  Troubleshooting\n"), std::string::npos) << output.str();
    EXPECT_NE(output.str().find("- Close any wireless tools or utilities"), std::string::npos);
}

TEST(LineHost, ShowsTheWelcomePageAndCancelsAtEndOfInput) {
    int nExit = -1;
    const std::string strScreen = RunWizard("", &nExit);
    EXPECT_NE(strScreen.find("Welcome to Brellix's Nimbrel Program."), std::string::npos);
    EXPECT_NE(strScreen.find("[n] Next >"), std::string::npos);
    EXPECT_EQ(strScreen.find("< Back"), std::string::npos) << "Back is disabled on the welcome page";
    EXPECT_EQ(nExit, 0);
}

TEST(LineHost, WalksToTheThankYouPageAndExits) {
    // Welcome, instructions, the adapter list (an unknown command there), the two ticked adapters,
    // the supported page, the results page (posting unticked), thank you.
    const std::string strScreen = RunWizard("n\nn\nx\nn\nn\nn\nn\npost\nn\nf\n");
    EXPECT_NE(strScreen.find("Before Checking for Supported Adapters"), std::string::npos);
    EXPECT_NE(strScreen.find("1. [x] ORiNOCO"), std::string::npos);
    EXPECT_NE(strScreen.find("3. [ ] Fast Ethernet Controller"), std::string::npos);
    EXPECT_NE(strScreen.find("Progress [100%]  Wireless 802.11b/g Mini PCI Adapter / Scan #3..."),
              std::string::npos);
    EXPECT_NE(strScreen.find("Yes       | ORiNOCO                             | 4.0"), std::string::npos)
        << strScreen;
    EXPECT_NE(strScreen.find("[f] Exit"), std::string::npos);
    // An unknown command repeats the choices without moving.
    EXPECT_NE(strScreen.find("[b] < Back  [n] Next >  [c] Cancel"), std::string::npos);
}

TEST(LineHost, PrintsTheProgressPopupAsItChangesWithoutWaitingForInput) {
    std::string strError;
    auto pMachine = CSimMachine::FromText("{}", "test machine", &strError);
    ASSERT_NE(pMachine, nullptr) << strError;
    CScopedOs os(*pMachine);
    std::istringstream input("c\n");
    std::ostringstream output;
    CLineHost host(input, output);
    AfxSetMainWnd(&host);
    {
        CProgressPopup popup;
        ASSERT_TRUE(popup.Create(&host, "Wireless Scan", TRUE));
        ASSERT_TRUE(popup.BeginModal("Progress", FALSE));
        popup.SetProgressRange(0, 4, 1);
        popup.StepProgress();
        popup.SetMessage("%s", "Adapter X\nScan #1...");
        popup.PumpMessages(TRUE);
        popup.SetMessage("%s", "Adapter X\nScan #1...");
        popup.StepProgress();
        popup.PumpMessages(TRUE);
        EXPECT_FALSE(popup.IsCancelRequested());
    }
    AfxSetMainWnd(nullptr);
    EXPECT_EQ(output.str(),
              "  Wireless Scan\n"
              "  Progress [25%]\n"
              "  Progress [25%]  Adapter X / Scan #1...\n"
              "  Progress [50%]  Adapter X / Scan #1...\n");
    EXPECT_EQ(input.tellg(), 0) << "no input read";
}

TEST(LineHost, PrintsAListViewAsATable) {
    // Welcome, instructions, the adapter list, the adapter's result, the supported page, the results.
    const std::string strScreen = RunScripted({{"{A}", "Adapter A", 1, TRUE}}, "n\nn\nn\nn\nn\n");
    EXPECT_NE(strScreen.find("    # | SSID | MAC | Ch | Signal | Assoc | Security | Mode\n"),
              std::string::npos)
        << strScreen;
    EXPECT_NE(strScreen.find("    Supported | Name      | Scan Rate | Max dBm | Min dBm\n"
                             "    Yes       | Adapter A |           |         |\n"),
              std::string::npos)
        << strScreen;
}

TEST(LineHost, UnknownCommandsAreNamedInOneLineWithTheCommands) {
    const std::string strScreen = RunWizard("x\nzap 3\n");
    const std::string strUnknown =
        "  Unknown command \"zap\". Commands: n (Next), b (Back), f (Finish), c (Cancel), "
        "h (Help), t N (tick item N), press ID (push button ID), post (tick or untick "
        "posting)\n> ";
    EXPECT_NE(strScreen.find(strUnknown), std::string::npos) << strScreen;
    EXPECT_NE(strScreen.find("Unknown command \"x\"."), std::string::npos);
    // The page is not printed again for a command that did nothing.
    const std::size_t nWelcome = strScreen.find("Welcome to Brellix's Nimbrel Program.");
    EXPECT_EQ(strScreen.find("Welcome to Brellix's Nimbrel Program.", nWelcome + 1), std::string::npos);
}

TEST(LineHost, ByAndEmailFillThePostPagesEditsAndRefuseWhatWindows1252Lacks) {
    // Welcome, instructions, the list with both wireless adapters ticked, their two results, the
    // supported page; then the post page.
    const std::string strScreen = RunWizard(
        "n\nn\nn\nn\nn\nn\nby   Zo\xC3\xAB  Lee\nemail \xE2\x98\x83@example.com\nemail "
        "zoe@example.com\nsing\n");
    EXPECT_NE(strScreen.find("Reported by*: [Zo\xC3\xAB  Lee]  (command: by TEXT)"), std::string::npos)
        << strScreen;
    EXPECT_NE(strScreen.find("Email*: [zoe@example.com]  (command: email TEXT)"), std::string::npos);
    EXPECT_NE(strScreen.find("\a  \"\xE2\x98\x83\" cannot be typed: it is not a Windows-1252 character."),
              std::string::npos);
    EXPECT_EQ(strScreen.find("Email*: [\xE2\x98\x83"), std::string::npos);
    // A read-only edit shows its text beside its label, without a command.
    EXPECT_NE(strScreen.find("  OS Version: 5.1.2600 (Service Pack 2)\n"), std::string::npos);
    // On this page the commands name its edits too.
    EXPECT_NE(strScreen.find("post (tick or untick posting), by TEXT, email TEXT\n"), std::string::npos);
}

TEST(LineHost, OutsideUtf8LocalesTextIsAscii) {
    const std::string strScreen =
        RunScripted({{"{A}", "Carte r\xE9seau \x96 Intel\xAE", 1, TRUE}}, "n\nn\nn\n", ETermCharset::Ascii);
    EXPECT_NE(strScreen.find("1. [x] Carte r?seau ? Intel?\n"), std::string::npos) << strScreen;
    for (char ch : strScreen) {
        ASSERT_LT(static_cast<unsigned char>(ch), 0x80);
    }
}

TEST(LineHost, YesNoBoxIsAPromptAnsweredYOrN) {
    // Welcome, instructions, list, then the test whose refused scan asks: an answer that is neither
    // is asked again, an empty line is No.
    auto run = [](const std::string& strAnswers, std::vector<std::string>* pastrLaunched) {
        g_bLocationNoticeShown = FALSE;
        std::string strError;
        auto pMachine =
            CSimMachine::FromFile(std::string(NIMBREL_E2E_DIR) + "/machines/location_denied.json", &strError);
        EXPECT_TRUE(pMachine) << strError;
        CScopedOs os(*pMachine);
        std::istringstream input("n\nn\nn\n" + strAnswers + "c\n");
        std::ostringstream output;
        CLineHost host(input, output);
        CWizardApp app;
        app.InitInstance(host);
        *pastrLaunched = pMachine->Shell().ExecutedFiles();
        g_bLocationNoticeShown = FALSE;
        return output.str();
    };
    std::vector<std::string> astrLaunched;
    const std::string strNo = run("maybe\n\n", &astrLaunched);
    EXPECT_NE(strNo.find("  [?] Windows did not allow Nimbrel to scan for wireless networks."),
              std::string::npos)
        << strNo;
    EXPECT_NE(strNo.find("(y = Yes, n = No; Enter = No)"), std::string::npos);
    EXPECT_NE(strNo.find("Answer y or n."), std::string::npos);
    EXPECT_TRUE(astrLaunched.empty());
    EXPECT_EQ(strNo.find("[?]"), strNo.rfind("[?]")) << "asked once per run";

    run(" Y \n", &astrLaunched);
    EXPECT_EQ(astrLaunched, std::vector<std::string>{LOCATION_SETTINGS_URI});
}
