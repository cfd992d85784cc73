// The Win32 host over the real comctl32 property sheet, the program's own templates and strings, and
// the simulated machine as the OS: the sheet's buttons and notifications reach the portable pages
// (activation and posted button states, Next and Back, Help, F1, Finish, Cancel), message boxes are
// owned by the sheet, and the owner-drawn check lists toggle on a click on the box and on Space.
#include "ui/win32/win32_host.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/wizard_app.h"
#include "platform/sim/sim_machine.h"
#include "res/resource_ids.h"
#include "ui/win32/win32_api.h"
#include "ui/win32/win32_sheet_run.h"
#include "ui/win32/win32_sheet_test_util.h"
#include "ui/win32/win32_test_util.h"

namespace {

using win32::Hwnd;
namespace wt = win32::test;

constexpr UINT WM_HELP = 0x0053;
constexpr unsigned VK_F1 = 0x70;
constexpr int SM_CXMENUCHECK = 71;
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
        PressWhen(
            [&] { return Shows(IDD_WELCOME) && !Enabled(wt::IDC_SHEET_BACK) && Enabled(wt::IDC_SHEET_NEXT); },
            wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(IDD_INTRO) && Enabled(wt::IDC_SHEET_BACK); }, wt::PSBTN_HELP),
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
        PressWhen([&] { return Shows(IDD_NONE_FOUND) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen(
            [&] {
                const Hwnd hFinish = SheetButton(wt::IDC_SHEET_FINISH);
                return Shows(IDD_THANK_YOU) && win32::IsVisible(hFinish) && win32::GetText(hFinish) == "Exit";
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
                if (!Shows(IDD_WELCOME) || !Enabled(wt::IDC_SHEET_NEXT)) {
                    return false;
                }
                win32::Send(Sheet(), WM_HELP, 0, 0);
                return true;
            },
            wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(IDD_INTRO) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        [&] {
            if (!Shows(IDD_LIST)) {
                return false;
            }
            hList = win32::Child(m_host.PageHandle(IDD_LIST), IDC_LIKELY_LIST);
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
        PressWhen([&] { return Shows(IDD_INTRO); }, wt::PSBTN_CANCEL),
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
        PressWhen([&] { return Shows(IDD_WELCOME) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(IDD_INTRO) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(IDD_LIST) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen(
            [&] {
                const Hwnd hPage = m_host.PageHandle(IDD_ADAPTER);
                if (!Shows(IDD_ADAPTER) || !Enabled(wt::IDC_SHEET_NEXT)) {
                    return false;
                }
                strVerdict = win32::GetText(win32::Child(hPage, IDC_SUPPORTED_TEXT));
                bVerdictColoured =
                    wt::StaticColors(hPage, win32::Child(hPage, IDC_SUPPORTED_TEXT), &crText, &crBack);
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

// F1 pressed on the keyboard over the welcome page opens the default topic, the Help button of the
// instructions page its own; both help windows are given the sheet as their caller.
TEST_F(Win32HostTest, F1KeyAndHelpButtonOpenTopicsOwnedByTheSheet) {
    std::string strError;
    Load(CSimMachine::FromText(NoAdapterMachine("available"), "no-adapter machine", &strError), strError);
    Hwnd hSheet = nullptr;
    const auto fnHelpCalls = [this] { return m_pMachine->Shell().HelpPaths().size(); };
    wt::CSheetScript script({
        [&] {
            if (!Shows(IDD_WELCOME) || !Enabled(wt::IDC_SHEET_NEXT)) {
                return false;
            }
            hSheet = Sheet();
            wt::PressKeyOn(hSheet, VK_F1);
            return true;
        },
        PressWhen([&] { return fnHelpCalls() == 1; }, wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(IDD_INTRO) && Enabled(wt::IDC_SHEET_BACK); }, wt::PSBTN_HELP),
        PressWhen([&] { return fnHelpCalls() == 2; }, wt::PSBTN_CANCEL),
    });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(script.Completed()) << "stuck at step " << script.Failed();
    EXPECT_EQ(
        m_pMachine->Shell().HelpPaths(),
        (std::vector<std::string>{"C:\\Program Files\\Brellix Nimbrel\\Tolvane.chm::/default.htm",
                                  "C:\\Program Files\\Brellix Nimbrel\\Tolvane.chm::/Troubleshoot.htm"}));
    ASSERT_NE(hSheet, nullptr);
    const HWND hwndSheet = reinterpret_cast<HWND>(hSheet);
    EXPECT_EQ(m_pMachine->Shell().HelpCallers(), (std::vector<HWND>{hwndSheet, hwndSheet}));
    EXPECT_TRUE(m_host.MessageBoxes().empty());
}

// The check box of the owner-drawn check list is as large as the system's check mark at the screen's
// DPI (run_win_tests.sh runs this again at 144 DPI): a click near the far side of the box ticks, and
// the item is tall enough for the box.
TEST_F(Win32HostTest, CheckBoxFollowsTheScreenDpi) {
    if (const char* pszDpi = std::getenv("NIMBREL_EXPECT_DPI")) {
        ASSERT_EQ(wt::ScreenDpi(), std::atoi(pszDpi)) << "Wine did not take the DPI the runner set";
    }
    std::string strError;
    Load(CSimMachine::FromFile(std::string(NIMBREL_E2E_DIR) + "/machines/xp_wzc_orinoco.json", &strError),
         strError);
    const int nBox = win32::SystemMetric(SM_CXMENUCHECK);
    std::vector<int> anTicks;  // item 0's tick: at first, after one click, after a second
    long nItemHeight = 0;
    wt::CSheetScript script({
        PressWhen([&] { return Shows(IDD_WELCOME) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        PressWhen([&] { return Shows(IDD_INTRO) && Enabled(wt::IDC_SHEET_NEXT); }, wt::PSBTN_NEXT),
        [&] {
            const Hwnd hList =
                Shows(IDD_LIST) ? win32::Child(m_host.PageHandle(IDD_LIST), IDC_LIKELY_LIST) : nullptr;
            if (hList == nullptr || win32::ListCount(hList) == 0) {
                return false;
            }
            const win32::CBox box = wt::ListItemBox(hList, 0);
            nItemHeight = box.bottom - box.top;
            // The box starts a pixel in from the item's left edge; two pixels short of its right edge.
            const int nX = static_cast<int>(box.left) + 1 + nBox - 2;
            const int nY = static_cast<int>((box.top + box.bottom) / 2);
            anTicks.push_back(static_cast<int>(win32::ListItemData(hList, 0)));
            wt::Click(hList, nX, nY);
            anTicks.push_back(static_cast<int>(win32::ListItemData(hList, 0)));
            wt::Click(hList, nX, nY);
            anTicks.push_back(static_cast<int>(win32::ListItemData(hList, 0)));
            wt::PressButton(Sheet(), wt::PSBTN_CANCEL);
            return true;
        },
    });
    EXPECT_EQ(Run(script), 0);
    EXPECT_TRUE(script.Completed()) << "stuck at step " << script.Failed();
    EXPECT_EQ(win32::CheckBoxSize(), nBox);
    EXPECT_EQ(anTicks, (std::vector<int>{1, 0, 1})) << "check box of " << nBox << " pixels";
    EXPECT_GE(nItemHeight, nBox + 2);
}

// The sheet as handed to the system: Wizard97 in its 0x2000 value with stretched bitmaps, the two
// bitmaps as handles, a callback and Help; each page's flags as the roster gives them, with the Help
// button and the caption the runner adds.
TEST_F(Win32HostTest, SheetAndPageFlagsGivenToTheSystem) {
    std::string strError;
    Load(CSimMachine::FromText(NoAdapterMachine("missing"), "no-adapter machine", &strError), strError);
    win32::CSheetRunProbe probe;
    win32::SetSheetRunProbe(&probe);
    wt::CSheetScript script({PressWhen([&] { return Shows(IDD_WELCOME); }, wt::PSBTN_CANCEL)});
    const int nExit = Run(script);
    win32::SetSheetRunProbe(nullptr);
    EXPECT_EQ(nExit, 0);
    EXPECT_TRUE(script.Completed()) << "stuck at step " << script.Failed();
    // PSH_WIZARD97 (old value) | PSH_STRETCHWATERMARK | PSH_WATERMARK | PSH_USEHBMWATERMARK | PSH_HEADER
    // | PSH_USEHBMHEADER | PSH_USECALLBACK | PSH_HASHELP.
    EXPECT_EQ(probe.dwHeaderFlags,
              0x2000u | 0x40000u | 0x8000u | 0x10000u | 0x80000u | 0x100000u | 0x100u | 0x200u);
    EXPECT_TRUE(probe.bHeaderBitmaps);
    // PSP_HIDEHEADER on the welcome page; PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE on the eight
    // CWizardPage pages; PSP_USEHEADERTITLE on the thank-you page; PSP_HASHELP (0x20) on all and
    // PSP_USETITLE (8) where a caption string is given.
    const std::vector<std::uint32_t> adwExpected{0x820,  0x3028, 0x3028, 0x3028, 0x3028,
                                                 0x3028, 0x3028, 0x3028, 0x3028, 0x1028};
    EXPECT_EQ(probe.adwPageFlags, adwExpected);
}

// Any device context, bitmap, page or the sheet itself that the system refuses: no sheet shows, every
// device context and bitmap made is gone, and the program ends with 1 as for an undecodable banner.
TEST_F(Win32HostTest, SheetThatCannotBeShownEndsWithStatusOne) {
    using win32::ESheetCall;
    std::string strError;
    Load(CSimMachine::FromText(NoAdapterMachine("missing"), "no-adapter machine", &strError), strError);
    for (const ESheetCall eCall :
         {ESheetCall::GET_DC, ESheetCall::CREATE_DC, ESheetCall::CREATE_BITMAP, ESheetCall::STRETCH_DIBITS,
          ESheetCall::CREATE_PAGE, ESheetCall::PROPERTY_SHEET}) {
        SCOPED_TRACE("refused call " + std::to_string(static_cast<int>(eCall)));
        win32::CSheetRunProbe probe;
        probe.eFail = eCall;
        bool bSheetMade = false;
        wt::CSheetScript script({PressWhen([] { return true; }, wt::PSBTN_CANCEL)});
        m_host.SetSheetCreatedHandler([&](Hwnd hSheet) {
            bSheetMade = true;
            script.Start(hSheet);
        });
        win32::SetSheetRunProbe(&probe);
        CWizardApp app;
        app.InitInstance(m_host);
        win32::SetSheetRunProbe(nullptr);
        EXPECT_EQ(app.GetExitCode(), 1);
        EXPECT_FALSE(bSheetMade);
        EXPECT_EQ(probe.bPropertySheetCalled, eCall == ESheetCall::PROPERTY_SHEET);
        for (void* hObject : probe.ahGdiObjects) {
            EXPECT_FALSE(wt::GdiObjectExists(hObject)) << "GDI object " << hObject << " left behind";
        }
    }
}

}  // namespace
