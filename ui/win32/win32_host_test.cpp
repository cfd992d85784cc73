// The Win32 host over the real comctl32 property sheet, the program's own templates and strings, and
// the simulated machine as the OS: the sheet's buttons and notifications reach the portable pages
// (activation and posted button states, Next and Back, Help, F1, Finish, Cancel), message boxes are
// owned by the sheet, and the owner-drawn check lists toggle on a click on the box and on Space.
#include "ui/win32/win32_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/wizard_app.h"
#include "platform/sim/sim_machine.h"
#include "ui/win32/win32_api.h"
#include "ui/win32/win32_sheet_test_support.h"

namespace {

using win32::Hwnd;
namespace wt = win32::test;

constexpr UINT WM_HELP = 0x0053;
constexpr int IDC_LIKELY_LIST = 1010;
constexpr int IDC_ADAPTER_NAME = 1014;
constexpr int IDC_SUPPORTED = 1015;
constexpr std::uint32_t WHITE = 0xFFFFFF;
constexpr std::uint32_t VERDICT_GREEN = 0x00C000;
constexpr char HELP_FAILED[] = "Loading online help failed.  You may need to re-install the product.";

// Windows XP with the program installed and no network adapter; help as the test says.
std::string NoAdapterMachine(const std::string& strHelp) {
    return R"({
  "windows": { "major": 5, "minor": 1, "build": 2600, "servicePack": "Service Pack 3" },
  "folders": { "C:\\Program Files\\Brellix Nimbrel": "${res}" },
  "registry": { "HKEY_LOCAL_MACHINE": {
    "Software\\Plenwick Technologies, Inc.\\Brellix Nimbrel": {
      "values": { "InstallDir": "C:\\Program Files\\Brellix Nimbrel" } } } },
  "services": { "WZCSVC": { "state": "running" } },
  "ndisuio": { "bindings": [] },
  "shell": { "help": ")" +
           strHelp + R"(", "browser": true }
})";
}

class Win32HostTest : public ::testing::Test {
protected:
    void Load(std::unique_ptr<CSimMachine> pMachine, const std::string& strError) {
        ASSERT_NE(pMachine, nullptr) << strError;
        m_pMachine = std::move(pMachine);
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
    }

    // Runs the program's wizard on the real sheet with the script driving it; the exit code.
    int Run(wt::CSheetScript& script) {
        m_host.SetSheetCreatedHandler([&script](Hwnd hSheet) { script.Start(hSheet); });
        CWizardApp app;
        app.InitInstance(m_host);
        return app.GetExitCode();
    }

    Hwnd Sheet() const { return m_host.SheetHandle(); }
    Hwnd SheetButton(int nId) const { return win32::Child(Sheet(), nId); }
    // The page with template nTemplateId is the one shown.
    bool Shows(UINT nTemplateId) const {
        const Hwnd hPage = m_host.PageHandle(nTemplateId);
        return hPage != nullptr && win32::IsVisible(hPage);
    }
    bool NoMessageBox() const { return wt::FindOwnedMessageBox(Sheet(), nullptr) == nullptr; }
    bool Enabled(int nButtonId) const { return win32::IsEnabled(SheetButton(nButtonId)); }
    // A step that presses a sheet button once fnReady holds (the buttons are posted: they hold once
    // the activation has finished).
    wt::CSheetScript::CStep PressWhen(std::function<bool()> fnReady, int nButton) {
        return [this, fnReady, nButton] {
            if (!fnReady()) {
                return false;
            }
            wt::PressButton(Sheet(), nButton);
            return true;
        };
    }

    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    CWin32Host m_host{wt::ThisModule()};
};

// Welcome → instructions (its Help: no help file, a message box owned by the sheet) → discovery finds
// nothing → no adapters → thank you (Finish reads "Exit") → Finish ends the program with 0.
TEST_F(Win32HostTest, WalksToTheThankYouPageWithoutAdapters) {
    std::string strError;
    Load(CSimMachine::FromText(NoAdapterMachine("missing"), "no-adapter machine", &strError), strError);
    std::string strBox;
    bool bBoxOwned = false;
    wt::CSheetScript script({
        PressWhen([&] { return Shows(104) && !Enabled(wt::IDC_SHEET_BACK) && Enabled(wt::IDC_SHEET_NEXT); },
                  wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(105) && Enabled(wt::IDC_SHEET_BACK); }, wt::PSBTN_HELP),
        [&] {
            const Hwnd hBox = wt::FindOwnedMessageBox(Sheet(), &strBox);
            if (hBox == nullptr) {
                return false;
            }
            bBoxOwned = !win32::IsEnabled(Sheet());  // the box is modal over the sheet
            wt::PressOk(hBox);
            return true;
        },
        PressWhen([&] { return NoMessageBox() && win32::IsEnabled(Sheet()); }, wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(113) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen(
            [&] {
                const Hwnd hFinish = SheetButton(wt::IDC_SHEET_FINISH);
                return Shows(112) && win32::IsVisible(hFinish) && win32::GetText(hFinish) == "Exit";
            },
            wt::PSBTN_FINISH),
    });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(script.Completed()) << "stuck at step " << script.Failed();
    EXPECT_EQ(strBox, HELP_FAILED);
    EXPECT_TRUE(bBoxOwned);
    ASSERT_EQ(m_host.MessageBoxes().size(), 1u);
    const auto astrHelp = m_pMachine->Shell().HelpPaths();
    ASSERT_EQ(astrHelp.size(), 1u);
    EXPECT_EQ(astrHelp[0], "C:\\Program Files\\Brellix Nimbrel\\Tolvane.chm::/Troubleshoot.htm");
    EXPECT_EQ(m_host.SheetHandle(), nullptr);
}

// On the list page of the XP machine with its adapters: a click on an item's box toggles its tick, a
// click on its text does not, Space toggles the selected item; F1 on the sheet opens the default
// topic; Back returns to the instructions page; Cancel ends the program with 0.
TEST_F(Win32HostTest, CheckListTicksFollowClicksAndSpace) {
    std::string strError;
    Load(CSimMachine::FromFile(std::string(NIMBREL_E2E_DIR) + "/machines/xp_wzc_orinoco.json", &strError),
         strError);
    int nTicked = -1;
    std::vector<int> anTicks;  // item 0's tick after each action
    Hwnd hList = nullptr;
    wt::CSheetScript script({
        PressWhen(
            [&] {
                if (!Shows(104) || !Enabled(wt::IDC_SHEET_NEXT)) {
                    return false;
                }
                win32::Send(Sheet(), WM_HELP, 0, 0);
                return true;
            },
            wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(105) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        [&] {
            if (!Shows(108)) {
                return false;
            }
            hList = win32::Child(m_host.PageHandle(108), IDC_LIKELY_LIST);
            if (hList == nullptr || win32::ListCount(hList) == 0) {
                return false;
            }
            nTicked = static_cast<int>(win32::ListItemData(hList, 0));
            const win32::CBox box = wt::ListItemBox(hList, 0);
            const int nMiddle = static_cast<int>((box.top + box.bottom) / 2);
            wt::Click(hList, static_cast<int>(box.left) + 4, nMiddle);  // on the box
            anTicks.push_back(static_cast<int>(win32::ListItemData(hList, 0)));
            wt::Click(hList, static_cast<int>(box.left) + 60, nMiddle);  // on the text
            anTicks.push_back(static_cast<int>(win32::ListItemData(hList, 0)));
            wt::SetListSel(hList, 0);
            wt::Key(hList, 0x20 /* VK_SPACE */, ' ');
            anTicks.push_back(static_cast<int>(win32::ListItemData(hList, 0)));
            wt::PressButton(Sheet(), wt::PSBTN_BACK);
            return true;
        },
        PressWhen([&] { return Shows(105); }, wt::PSBTN_CANCEL),
    });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(script.Completed()) << "stuck at step " << script.Failed();
    ASSERT_EQ(nTicked, 1) << "a possible candidate shows ticked";
    EXPECT_EQ(anTicks, (std::vector<int>{0, 0, 1}));
    const auto astrHelp = m_pMachine->Shell().HelpPaths();
    ASSERT_FALSE(astrHelp.empty());
    EXPECT_EQ(astrHelp[0], "C:\\Program Files\\Brellix Nimbrel\\Tolvane.chm::/default.htm");
    EXPECT_TRUE(NoMessageBox());
}

// The adapter test page's verdict static is painted white on green through WM_CTLCOLORSTATIC, as the
// page says; its other statics keep the platform's colours.
TEST_F(Win32HostTest, VerdictIsWhiteOnGreen) {
    std::string strError;
    Load(CSimMachine::FromFile(std::string(NIMBREL_E2E_DIR) + "/machines/xp_wzc_orinoco.json", &strError),
         strError);
    std::string strVerdict;
    bool bVerdictColoured = false;
    bool bNameColoured = true;
    std::uint32_t crText = 0;
    std::uint32_t crBack = 0;
    std::uint32_t crNameText = 0;
    wt::CSheetScript script({
        PressWhen([&] { return Shows(104) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(105) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(108) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen(
            [&] {
                const Hwnd hPage = m_host.PageHandle(109);
                if (!Shows(109) || !Enabled(wt::IDC_SHEET_NEXT)) {
                    return false;
                }
                strVerdict = win32::GetText(win32::Child(hPage, IDC_SUPPORTED));
                bVerdictColoured =
                    wt::StaticColors(hPage, win32::Child(hPage, IDC_SUPPORTED), &crText, &crBack);
                std::uint32_t crNameBack = 0;
                wt::StaticColors(hPage, win32::Child(hPage, IDC_ADAPTER_NAME), &crNameText, &crNameBack);
                bNameColoured = crNameText == WHITE;
                return true;
            },
            wt::PSBTN_CANCEL),
    });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(script.Completed()) << "stuck at step " << script.Failed();
    // The machine's first adapter, the card, is supported (as on the headless walk of this machine).
    EXPECT_EQ(strVerdict, " Yes ");
    EXPECT_TRUE(bVerdictColoured);
    EXPECT_EQ(crText, WHITE);
    EXPECT_EQ(crBack, VERDICT_GREEN);
    EXPECT_FALSE(bNameColoured) << "the adapter's name is drawn in " << crNameText;
}

}  // namespace
