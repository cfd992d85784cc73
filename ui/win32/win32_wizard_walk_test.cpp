// The whole wizard through the Win32 host: the application starts on a simulated machine (virtual
// clock) with the real banners decoded, runs comctl32's PropertySheetA over the program's templates,
// and a script drives it from inside the sheet's own loop (a thread timer): PSM_PRESSBUTTON for Next,
// Back, Finish and Cancel, real clicks and keys on the controls, and every page read back through
// Win32 messages. The same walks as on the headless host (e2e/wizard_walk_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adapter_page/adapter_page.h"
#include "adapter_page/ap_list.h"
#include "adapters/supported_cache.h"
#include "adapters/wzc_service.h"
#include "app/wizard_app.h"
#include "e2e/walk_expectations.h"
#include "pages/list_page.h"
#include "platform/sim/sim_machine.h"
#include "report/post_page.h"
#include "report/supported_pages.h"
#include "res/resource_ids.h"
#include "ui/win32/win32_host.h"
#include "ui/win32/win32_sheet_test_util.h"
#include "ui/win32/win32_test_util.h"
#include "wizard/main_window.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Items = std::vector<std::string>;

// The property sheet's current page.
constexpr UINT PSM_GETCURRENTPAGEHWND = 0x0476;
// Messages sent to controls.
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr win32::Wparam VK_SPACE = 0x20;
constexpr int COLOR_WINDOWTEXT = 8;

constexpr char POPUP_CLASS[] = "NimbrelProgressPopup";
constexpr unsigned TICK_MS = 20;
// A walk that has not ended after this many ticks is stuck.
constexpr int MAX_TICKS = 1500;

win32::Lparam MakeLparam(long x, long y) {
    return static_cast<win32::Lparam>((static_cast<unsigned long>(y) << 16) |
                                      (static_cast<unsigned long>(x) & 0xFFFF));
}

class Win32WizardWalkTest : public ::testing::Test {
protected:
    void TearDown() override {
        AfxSetMainWnd(nullptr);
        g_bWzcStopped = FALSE;
        ClearSupportedCache();
    }

    // Starts the application on the machine file and runs the steps from inside the sheet's loop,
    // one per timer tick once the sheet is idle (enabled, no popup, no message box), until the sheet
    // closes. The last step ends the wizard; a step that fails fatally cancels it.
    void Walk(const std::string& strMachine, const std::vector<std::function<void()>>& steps) {
        std::string strError;
        m_pMachine =
            CSimMachine::FromFile(std::string(NIMBREL_E2E_DIR) + "/machines/" + strMachine, &strError);
        ASSERT_NE(m_pMachine, nullptr) << strError;
        CScopedOs os(*m_pMachine);
        CWin32Host host(win32::test::ThisModule());
        m_pHost = &host;
        bool bAborted = false;
        std::vector<win32::test::CSheetScript::CStep> script;
        for (const auto& fnStep : steps) {
            script.push_back([this, fnStep, &bAborted] {
                if (bAborted) {
                    return true;
                }
                if (!IsIdle()) {
                    return false;
                }
                fnStep();
                if (::testing::Test::HasFatalFailure()) {
                    bAborted = true;
                    ADD_FAILURE() << "walk stopped on page " << Page();
                    Press(win32::test::PSBTN_CANCEL);
                }
                return true;
            });
        }
        win32::test::CSheetScript runner(std::move(script), TICK_MS, MAX_TICKS);
        host.SetSheetCreatedHandler([&](win32::Hwnd hSheet) {
            m_hSheet = hSheet;
            runner.Start(hSheet);
        });
        CWizardApp app;
        app.InitInstance(host);
        m_pHost = nullptr;
        m_hSheet = nullptr;
        EXPECT_EQ(app.GetExitCode(), 0);
        EXPECT_TRUE(runner.Completed()) << "the sheet closed before step " << runner.Failed() << " ran";
    }

    bool IsIdle() const {
        return win32::IsEnabled(m_hSheet) && win32::test::FindTopWindow(POPUP_CLASS) == nullptr;
    }

    void Press(int nButton) { win32::test::PressButton(m_hSheet, nButton); }
    // The template number of the page the sheet shows (PSM_GETCURRENTPAGEHWND), 0 when none is.
    UINT Page() const {
        const win32::Hwnd hPage = PageWindow();
        for (UINT nId = IDD_WELCOME; nId <= IDD_SELECT_ONE; ++nId) {
            if (hPage != nullptr && m_pHost->PageHandle(nId) == hPage) {
                return nId;
            }
        }
        return 0;
    }
    win32::Hwnd PageWindow() const {
        return reinterpret_cast<win32::Hwnd>(win32::Send(m_hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    win32::Hwnd Control(int nId) const { return win32::Child(PageWindow(), nId); }
    std::string Text(int nId) const { return win32::GetText(Control(nId)); }

    // A check list's items as "[x] name" / "[ ] name".
    Items CheckList(int nId) const {
        Items astrItems;
        const win32::Hwnd hList = Control(nId);
        for (int i = 0; i < win32::ListCount(hList); ++i) {
            astrItems.push_back((win32::ListItemData(hList, i) == 1 ? "[x] " : "[ ] ") +
                                win32::ListText(hList, i));
        }
        return astrItems;
    }
    Items ListBox(int nId) const {
        Items astrItems;
        const win32::Hwnd hList = Control(nId);
        for (int i = 0; i < win32::ListCount(hList); ++i) {
            astrItems.push_back(win32::ListText(hList, i));
        }
        return astrItems;
    }
    Rows ListView(int nId) const {
        Rows rows;
        const win32::Hwnd hList = Control(nId);
        const int nColumns = win32::ListViewColumnCount(hList);
        for (int i = 0; i < win32::ListViewItemCount(hList); ++i) {
            rows.emplace_back();
            for (int c = 0; c < nColumns; ++c) {
                rows.back().push_back(win32::ListViewItemText(hList, i, c));
            }
        }
        return rows;
    }
    // Each column but the stretched one is as wide as its widest text (heading or cell, measured by
    // the list view itself) plus the margin; the stretched one at least its heading's.
    void ExpectColumnsFitTheirTexts(int nId, int nStretch) const {
        const win32::Hwnd hList = Control(nId);
        const Rows rows = ListView(nId);
        for (int c = 0; c < win32::ListViewColumnCount(hList); ++c) {
            int nWidest = win32::ListViewStringWidth(hList, win32::test::ListViewHeading(hList, c));
            const int nHeading = nWidest;
            for (const auto& row : rows) {
                nWidest = std::max(nWidest, win32::ListViewStringWidth(hList, row[static_cast<size_t>(c)]));
            }
            if (c == nStretch) {
                EXPECT_GE(win32::ListViewColumnWidth(hList, c), nHeading + LIST_COLUMN_MARGIN)
                    << "column " << c;
            } else {
                EXPECT_EQ(win32::ListViewColumnWidth(hList, c), nWidest + LIST_COLUMN_MARGIN)
                    << "column " << c;
            }
        }
    }

    // The wizard's buttons: "B" Back, "N" Next, "F" Finish for each one shown and enabled.
    std::string Buttons() const {
        std::string strButtons;
        for (const auto& [nId, pszName] :
             {std::pair{win32::test::IDC_SHEET_BACK, "B"}, std::pair{win32::test::IDC_SHEET_NEXT, "N"},
              std::pair{win32::test::IDC_SHEET_FINISH, "F"}}) {
            const win32::Hwnd hButton = win32::Child(m_hSheet, nId);
            if (win32::IsVisible(hButton) && win32::IsEnabled(hButton)) {
                strButtons += pszName;
            }
        }
        return strButtons;
    }

    // The colours the page gives one of its statics (WM_CTLCOLORSTATIC).
    struct CColours {
        std::uint32_t crText = 0;
        std::uint32_t crBack = 0;
    };
    CColours Colours(int nId) const {
        CColours colours;
        EXPECT_TRUE(win32::test::StaticColors(PageWindow(), Control(nId), &colours.crText, &colours.crBack));
        return colours;
    }

    // A click on the check box of a check list's item.
    void ClickBox(int nId, int nItem) {
        const win32::Hwnd hList = Control(nId);
        const win32::CBox box = win32::test::ListItemBox(hList, nItem);
        const win32::Lparam lPoint = MakeLparam(box.left + 3, (box.top + box.bottom) / 2);
        win32::Send(hList, WM_LBUTTONDOWN, 1, lPoint);
        win32::Send(hList, WM_LBUTTONUP, 0, lPoint);
    }
    // The space bar on a check list's item.
    void SpaceOn(int nId, int nItem) {
        const win32::Hwnd hList = Control(nId);
        win32::Send(hList, LB_SETCURSEL, static_cast<win32::Wparam>(nItem), 0);
        win32::Send(hList, WM_KEYDOWN, VK_SPACE, 0);
    }

    // With NIMBREL_SCREENSHOT_DIR set, the sheet as shown, as "<template>-<name>.png".
    void Shot(const std::string& strName) const { ShotOf(m_hSheet, std::to_string(Page()) + "-" + strName); }
    static void ShotOf(win32::Hwnd hWnd, const std::string& strName) {
        const char* pszDir = std::getenv("NIMBREL_SCREENSHOT_DIR");
        if (pszDir != nullptr && *pszDir != '\0') {
            const std::string strPath = std::string(pszDir) + "/" + strName + ".png";
            EXPECT_TRUE(win32::test::SaveWindowPng(hWnd, strPath)) << strPath;
        }
    }

    CServiceStatus Wzc() { return m_pMachine->ServiceManager().Status("WZCSVC"); }
    int WzcStarts() { return m_pMachine->ServiceManager().Record("WZCSVC").nStartCalls; }

    std::unique_ptr<CSimMachine> m_pMachine;
    CWin32Host* m_pHost = nullptr;
    win32::Hwnd m_hSheet = nullptr;
    win32::test::CMessageBoxWatcher m_boxes;
    win32::test::CPopupWatcher m_popup{POPUP_CLASS, IDC_PROGRESS_TEXT};
};

}  // namespace

TEST_F(Win32WizardWalkTest, XpWithTheServiceHoldingAnAdapterAndAnOrinocoCard) {
    m_popup.SetCaptionHandler([](win32::Hwnd hPopup, const std::string& strCaption) {
        if (strCaption == "Progress [75%]") {
            ShotOf(hPopup, "progress-window");
        }
    });
    Walk("xp_wzc_orinoco.json",
         {[&] {
              EXPECT_EQ(Page(), IDD_WELCOME);
              EXPECT_EQ(Buttons(), "N");
              Shot("welcome");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_INTRO);
              EXPECT_EQ(Buttons(), "BN");
              Shot("intro");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_LIST);
              EXPECT_EQ(Buttons(), "BN");
              // The card's own NDIS entry is not listed a second time.
              EXPECT_EQ(CheckList(IDC_LIKELY_LIST),
                        (Items{"[x] ORiNOCO",
                               "[x] Wireless 802.11b/g Mini PCI Adapter - Packet Scheduler Miniport"}));
              EXPECT_TRUE(CheckList(IDC_UNLIKELY_LIST).empty());
              EXPECT_EQ(Wzc().dwCurrentState, SERVICE_STOPPED)
                  << "opening the held adapter stopped the service";
              EXPECT_TRUE(g_bWzcStopped);
              Shot("list");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_ADAPTER);
              // The test ran behind the modal popup, the sheet disabled, the caption counting up.
              const win32::test::CPopupSeen& popup = m_popup.Seen();
              EXPECT_EQ(popup.nCreated, 1);
              EXPECT_EQ(popup.astrCaptions,
                        (Items{"Progress [25%]", "Progress [50%]", "Progress [75%]", "Progress [100%]"}));
              EXPECT_EQ(popup.abOwnerEnabled, (std::vector<bool>{false, false, false, false}));
              EXPECT_FALSE(popup.astrTexts.empty());
              EXPECT_TRUE(win32::IsEnabled(m_hSheet));

              EXPECT_EQ(Text(IDC_ADAPTER_NAME), "ORiNOCO");
              EXPECT_EQ(Text(IDC_SUPPORTED_TEXT), " Yes ");
              EXPECT_EQ(Text(IDC_SCAN_RATE), "4.0");
              EXPECT_EQ(ListView(IDC_AP_LIST), XP_ORINOCO_AP_ROWS);
              ExpectColumnsFitTheirTexts(IDC_AP_LIST, 1);
              // The verdict white on green; the name keeps the platform's colours.
              const CColours verdict = Colours(IDC_SUPPORTED_TEXT);
              EXPECT_EQ(verdict.crText, 0xFFFFFFu);
              EXPECT_EQ(verdict.crBack, 0x00C000u);
              const CColours name = Colours(IDC_ADAPTER_NAME);
              EXPECT_EQ(name.crText, win32::test::SysColor(COLOR_WINDOWTEXT));
              EXPECT_NE(name.crBack, 0x00C000u);
              EXPECT_EQ(Buttons(), "BN");
              Shot("adapter");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_ADAPTER);
              EXPECT_EQ(m_popup.Seen().nCreated, 2);
              EXPECT_EQ(Text(IDC_ADAPTER_NAME), "Wireless 802.11b/g Mini PCI Adapter") << "suffix removed";
              EXPECT_EQ(ListView(IDC_AP_LIST), XP_MINI_PCI_AP_ROWS);
              EXPECT_EQ(WzcStarts(), 0) << "still stopped while adapters remain";
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_SUPPORTED);
              EXPECT_EQ(WzcStarts(), 1) << "after the last adapter the service runs again";
              EXPECT_EQ(Wzc().dwCurrentState, SERVICE_RUNNING);
              EXPECT_FALSE(g_bWzcStopped);
              EXPECT_EQ(ListBox(IDC_SUPPORTED_LIST),
                        (Items{"ORiNOCO", "Wireless 802.11b/g Mini PCI Adapter"}));
              Shot("supported");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_POST);
              EXPECT_EQ(Text(IDC_OS_VERSION), "5.1.2600 (Service Pack 3)");
              const Rows results = ListView(IDC_RESULTS_LIST);
              ASSERT_EQ(results.size(), 2u);
              ExpectColumnsFitTheirTexts(IDC_RESULTS_LIST, 1);
              EXPECT_EQ(win32::ButtonCheck(Control(IDC_POST_CHECK)), 1);
              Shot("post");
              win32::Send(Control(IDC_POST_CHECK), BM_CLICK, 0, 0);
              EXPECT_EQ(win32::ButtonCheck(Control(IDC_POST_CHECK)), 0);
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_THANK_YOU);
              EXPECT_EQ(win32::GetText(win32::Child(m_hSheet, win32::test::IDC_SHEET_FINISH)), "Exit");
              EXPECT_NE(Buttons().find('F'), std::string::npos);
              EXPECT_EQ(Buttons().find('N'), std::string::npos);
              Shot("thank-you");
              Press(win32::test::PSBTN_FINISH);
          }});
    EXPECT_EQ(WzcStarts(), 1) << "Finish finds nothing to restart";
    EXPECT_TRUE(m_boxes.Seen().empty());
}

TEST_F(Win32WizardWalkTest, VistaWithTwoInterfacesAndBackThroughTheResults) {
    std::uint32_t nScans = 0;
    Walk("vista_two_interfaces.json",
         {[&] { Press(win32::test::PSBTN_NEXT); }, [&] { Press(win32::test::PSBTN_NEXT); },
          [&] {
              ASSERT_EQ(Page(), IDD_LIST);
              EXPECT_EQ(CheckList(IDC_LIKELY_LIST), (Items{"[x] Intel(R) Wireless WiFi Link 4965AGN",
                                                           "[x] Dell Wireless 1390 WLAN Mini-Card"}));
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_ADAPTER);
              EXPECT_EQ(Text(IDC_SUPPORTED_TEXT), " Yes ");
              // Named access points first (by name), then by SSID; the SSID with "|" shows whole.
              EXPECT_EQ(ListView(IDC_AP_LIST), VISTA_FIRST_AP_ROWS);
              ExpectColumnsFitTheirTexts(IDC_AP_LIST, 1);
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_ADAPTER);
              EXPECT_EQ(Text(IDC_SUPPORTED_TEXT), " No ");
              // White on green whatever the verdict says.
              const CColours verdict = Colours(IDC_SUPPORTED_TEXT);
              EXPECT_EQ(verdict.crText, 0xFFFFFFu);
              EXPECT_EQ(verdict.crBack, 0x00C000u);
              EXPECT_TRUE(ListView(IDC_AP_LIST).empty());
              nScans =
                  m_pMachine->Wlan().FindInterface("3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01")->nScanRequests;
              Press(win32::test::PSBTN_BACK);
          },
          [&] {
              // Back shows the first adapter's stored result without scanning again.
              ASSERT_EQ(Page(), IDD_ADAPTER);
              EXPECT_EQ(Text(IDC_ADAPTER_NAME), "Intel(R) Wireless WiFi Link 4965AGN");
              EXPECT_EQ(ListView(IDC_AP_LIST).size(), 6u);
              EXPECT_EQ(
                  m_pMachine->Wlan().FindInterface("3f5c2a10-8e4b-4d7a-9c21-6b0e1f4a7d01")->nScanRequests,
                  nScans);
              EXPECT_EQ(m_popup.Seen().nCreated, 2);
              EXPECT_EQ(m_pMachine->Wlan().OutstandingAllocations(), 0u) << "every WLAN buffer released";
              Press(win32::test::PSBTN_BACK);
          },
          [&] {
              EXPECT_EQ(Page(), IDD_LIST);
              Press(win32::test::PSBTN_CANCEL);
          }});
}

TEST_F(Win32WizardWalkTest, CancelOnTheProgressPopupStopsAfterTheScanInProgress) {
    m_popup.SetCaptionHandler([](win32::Hwnd hPopup, const std::string& strCaption) {
        if (strCaption == "Progress [25%]") {
            // The user releases the mouse button over Cancel.
            const win32::CBox button = win32::WindowBox(win32::Child(hPopup, IDC_PROGRESS_CANCEL));
            win32::test::SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
            win32::Post(win32::Child(hPopup, IDC_PROGRESS_CANCEL), WM_LBUTTONUP, 0, 0);
        }
    });
    Walk("xp_wzc_orinoco.json",
         {[&] { Press(win32::test::PSBTN_NEXT); }, [&] { Press(win32::test::PSBTN_NEXT); },
          [&] {
              ASSERT_EQ(Page(), IDD_LIST);
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_ADAPTER);
              EXPECT_EQ(m_popup.Seen().astrCaptions, (Items{"Progress [25%]"}));
              EXPECT_EQ(m_pMachine->Orinoco().Log(0).nScanRequests, 1) << "no scan after the cancel";
              EXPECT_EQ(Text(IDC_SCAN_RATE), "4.0");
              EXPECT_EQ(Text(IDC_SUPPORTED_TEXT), " Yes ");
              EXPECT_EQ(ListView(IDC_AP_LIST).size(), 2u);
              EXPECT_TRUE(win32::IsEnabled(m_hSheet)) << "the sheet is enabled again";
              Press(win32::test::PSBTN_CANCEL);
          }});
    EXPECT_EQ(WzcStarts(), 1) << "Cancel starts the service again";
}

TEST_F(Win32WizardWalkTest, UntickedByClickAndSpaceLeadsToTipsAndThankYou) {
    Walk("xp_wzc_orinoco.json",
         {[&] { Press(win32::test::PSBTN_NEXT); }, [&] { Press(win32::test::PSBTN_NEXT); },
          [&] {
              ASSERT_EQ(Page(), IDD_LIST);
              ClickBox(IDC_LIKELY_LIST, 0);
              SpaceOn(IDC_LIKELY_LIST, 1);
              EXPECT_EQ(CheckList(IDC_LIKELY_LIST),
                        (Items{"[ ] ORiNOCO",
                               "[ ] Wireless 802.11b/g Mini PCI Adapter - Packet Scheduler Miniport"}));
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_SELECT_ONE);
              Shot("select-one");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_NONE_SUPPORTED);
              Shot("none-supported");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_THANK_YOU);
              EXPECT_EQ(WzcStarts(), 0) << "stopped by discovery, started at Finish";
              Press(win32::test::PSBTN_FINISH);
          }});
    EXPECT_EQ(WzcStarts(), 1);
    EXPECT_EQ(m_popup.Seen().nCreated, 0);
}

TEST_F(Win32WizardWalkTest, AccessDeniedShowsTheMessageBoxOwnedByTheSheet) {
    win32::Hwnd hSheetSeen = nullptr;
    Walk("access_denied.json",
         {[&] { Press(win32::test::PSBTN_NEXT); },
          [&] {
              hSheetSeen = m_hSheet;
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_LIST);
              ASSERT_EQ(m_boxes.Seen().size(), 1u);
              EXPECT_EQ(m_boxes.Seen()[0].strText,
                        "You must have Administrator privileges to access some wireless adapters.  "
                        "Sign on with Administration privileges to possibly see other adapters.");
              EXPECT_EQ(m_boxes.Seen()[0].hOwner, m_hSheet);
              EXPECT_EQ(m_boxes.Seen()[0].strCaption, win32::GetText(m_hSheet));
              EXPECT_EQ(CheckList(IDC_LIKELY_LIST), (Items{"[x] USB Wireless LAN Stick"}));
              Press(win32::test::PSBTN_CANCEL);
          }});
    EXPECT_NE(hSheetSeen, nullptr);
}

TEST_F(Win32WizardWalkTest, NoAdaptersThroughTheThankYouPage) {
    Walk("no_adapters.json",
         {[&] { Press(win32::test::PSBTN_NEXT); }, [&] { Press(win32::test::PSBTN_NEXT); },
          [&] {
              ASSERT_EQ(Page(), IDD_NONE_FOUND);
              EXPECT_EQ(Buttons(), "BN");
              Shot("none-found");
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_THANK_YOU);
              Press(win32::test::PSBTN_BACK);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_NONE_FOUND);
              Press(win32::test::PSBTN_NEXT);
          },
          [&] {
              ASSERT_EQ(Page(), IDD_THANK_YOU);
              Press(win32::test::PSBTN_FINISH);
          }});
}
