// Every machine file of the repository walked in the full-screen front end at 80 x 24 and at 120 x 40
// as a new user walks it, in virtual time: every adapter listed is ticked and tested, and on every page
// reached each SSID and adapter name must read whole on the screen (in its cell, in the detail box
// that Enter opens on its row, or by scrolling), every text of the page must show whole, names that
// are not ASCII must show the characters the machine file writes, and a resize while the scans run
// must leave nothing of the progress window behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "adapter_page/adapter_page.h"
#include "adapter_page/location_notice.h"
#include "adapters/wzc_service.h"
#include "app/wizard_app.h"
#include "pages/list_page.h"
#include "platform/sim/sim_machine.h"
#include "report/post_page.h"
#include "report/supported_pages.h"
#include "res/resource_ids.h"
#include "resources/resource_script.h"
#include "ui/term/term_host.h"
#include "ui/term/term_screen_read.h"
#include "ui/term/term_test_util.h"
#include "wizard/main_window.h"
#include "wizard/property_sheet.h"

namespace {

struct CWalkCase {
    std::string strPath;
    int nRows = 0;
    int nCols = 0;
};

void PrintTo(const CWalkCase& walkCase, std::ostream* pOut) {
    *pOut << walkCase.strPath << " at " << walkCase.nCols << "x" << walkCase.nRows;
}

// Every machine file in the folders that hold them, each at both sizes.
std::vector<CWalkCase> WalkCases() {
    const std::filesystem::path e2e(NIMBREL_E2E_DIR);
    std::vector<std::string> astrFiles;
    for (const std::filesystem::path& folder :
         {e2e.parent_path() / "platform" / "sim" / "machines", e2e / "machines", e2e / "term", e2e}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().extension() == ".json") {
                astrFiles.push_back(entry.path().string());
            }
        }
    }
    std::sort(astrFiles.begin(), astrFiles.end());
    std::vector<CWalkCase> cases;
    for (const std::string& strFile : astrFiles) {
        cases.push_back(CWalkCase{strFile, 24, 80});
        cases.push_back(CWalkCase{strFile, 40, 120});
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<CWalkCase>& info) {
    std::string strName = std::filesystem::path(info.param.strPath).stem().string();
    std::replace_if(
        strName.begin(), strName.end(), [](unsigned char ch) { return !std::isalnum(ch); }, '_');
    return strName + "_" + std::to_string(info.param.nCols) + "x" + std::to_string(info.param.nRows);
}

class TermMachineWalk : public ::testing::TestWithParam<CWalkCase> {
protected:
    void SetUp() override {
        g_bWzcStopped = FALSE;
        g_bLocationNoticeShown = FALSE;
        std::ifstream file(GetParam().strPath, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        m_json = nlohmann::json::parse(text.str(), nullptr, false);
        ASSERT_FALSE(m_json.is_discarded()) << GetParam().strPath;
        std::string strError;
        m_pMachine = CSimMachine::FromFile(GetParam().strPath, &strError);
        ASSERT_TRUE(m_pMachine) << strError;
        m_pOs = std::make_unique<CScopedOs>(*m_pMachine);
        m_device.m_nRows = GetParam().nRows;
        m_device.m_nCols = GetParam().nCols;
        CollectMachineTexts();
    }
    void TearDown() override {
        AfxSetMainWnd(nullptr);
        g_bWzcStopped = FALSE;
        g_bLocationNoticeShown = FALSE;
    }

    // What the back ends will hand over of the machine file: SSIDs as their bytes (at most 32, or
    // the length a faulty entry states), adapter descriptions and NDIS names converted to Windows-1252.
    void CollectMachineTexts() {
        auto addSsids = [&](const nlohmann::json& aps) {
            for (const auto& ap : aps) {
                std::string strSsid = ap.value("ssid", "");
                const std::size_t nLength = std::min<std::size_t>(ap.value("ssidLength", strSsid.size()), 32);
                m_setSsids.insert(strSsid.substr(0, std::min(nLength, strSsid.size())));
            }
        };
        const nlohmann::json none = nlohmann::json::array();
        if (m_json.contains("orinoco")) {
            addSsids(m_json["orinoco"].value("accessPoints", none));
        }
        if (m_json.contains("ndisuio")) {
            for (const auto& binding : m_json["ndisuio"].value("bindings", none)) {
                m_setNames.insert(AnsiOf(binding.value("description", "")));
                m_setNames.insert(AnsiOf(binding.value("name", "")));
                addSsids(binding.value("accessPoints", none));
            }
        }
        if (m_json.contains("wlan")) {
            for (const auto& wlanInterface : m_json["wlan"].value("interfaces", none)) {
                m_setNames.insert(AnsiOf(wlanInterface.value("description", "")));
                addSsids(wlanInterface.value("accessPoints", none));
            }
        }
    }

    std::string Screen() const { return m_host.Screen().Text(); }
    CTermPage& Page() const { return *m_host.TermPage(m_host.CurrentPage()); }
    template <class T>
    T& Control(int nId) const {
        T* pControl = dynamic_cast<T*>(Page().Widget(nId));
        EXPECT_NE(pControl, nullptr) << nId;
        return *pControl;
    }
    // A control's rectangle on the screen.
    CTermRect OnScreen(int nId) const {
        CTermRect rect = Page().Widget(nId)->Rect();
        rect.nRow += m_host.DialogRow();
        rect.nCol += m_host.DialogCol();
        return rect;
    }
    std::string Where() const {
        return "page " + std::to_string(m_host.CurrentPage()) + " at " + std::to_string(m_device.m_nCols) +
               "x" + std::to_string(m_device.m_nRows);
    }
    void Next(std::function<void()> fnStep) { m_device.Then(std::move(fnStep)); }
    void ExpectFocus(int nId) {
        ASSERT_NE(m_host.FocusWidget(), nullptr) << Where();
        EXPECT_EQ(m_host.FocusWidget()->Id(), nId) << Where();
    }

    // One step of the walk, decided from what the screen shows.
    void Step() {
        if (m_host.IsClosed()) {
            return;
        }
        if (++m_nSteps > 100) {
            ADD_FAILURE() << "the walk does not end:\n" << Screen();
            return;
        }
        if (Screen().find("[   OK   ]") != std::string::npos) {
            m_device.Key(TK_ENTER);  // a message box
            Next([this] { Step(); });
            return;
        }
        if (Screen().find("[  Yes   ]") != std::string::npos) {
            ++m_nYesNoBoxes;
            m_device.Key('n');  // the location box: the settings are not opened
            Next([this] { Step(); });
            return;
        }
        m_anPages.push_back(m_host.CurrentPage());
        ExpectPageWhole();
        switch (m_host.CurrentPage()) {
            case IDD_LIST:
                WalkListPage();
                return;
            case IDD_ADAPTER:
                WalkAdapterPage();
                return;
            case IDD_SUPPORTED:
                m_device.Key(TK_TAB);
                Next([this] {
                    ExpectFocus(IDC_SUPPORTED_LIST);
                    WalkListBox(IDC_SUPPORTED_LIST, false, 0, [this] {
                        m_device.Key(TK_ENTER);
                        Next([this] { Step(); });
                    });
                });
                return;
            case IDD_POST:
                WalkPostPage();
                return;
            default:
                // Finish ends the walk; any other page goes on with Next.
                const bool bFinish = m_host.ButtonLabel(CTermHost::BUTTON_NEXT) != "Next >";
                m_device.Key(TK_ENTER);
                if (!bFinish) {
                    Next([this] { Step(); });
                }
                return;
        }
    }

    // Every text of the page whole, and its header's title and subtitle.
    void ExpectPageWhole() {
        ExpectTextsWhole(m_host.Screen(), Page(), m_host.DialogRow(), m_host.DialogCol(), Where());
        const CPropertyPageEx* pPage = m_host.Sheet()->GetActivePage();
        for (const UINT nId : {pPage->GetHeaderTitleId(), pPage->GetHeaderSubTitleId()}) {
            if (nId != 0 && (pPage->GetFlags() & PSP_HIDEHEADER) == 0) {
                EXPECT_NE(Screen().find(AsUtf8(Resources().GetString(nId))), std::string::npos)
                    << Where() << "\n"
                    << Screen();
            }
        }
    }

    // The adapter names the page lists come from the machine file, converted as Windows converts
    // them (the ORiNOCO card is listed under its own name).
    void ExpectMachineName(const std::string& strName) {
        const bool bKnown =
            m_setNames.count(strName) > 0 || (strName == "ORiNOCO" && m_json.contains("orinoco"));
        EXPECT_TRUE(bKnown) << "\"" << AsUtf8(strName) << "\" is no adapter of the machine file, " << Where();
    }

    // The list page: each name read (scrolling sideways where it is longer than the list), every
    // adapter ticked, then Next with a resize of the terminal typed ahead for the scans.
    void WalkListPage() {
        for (const int nId : {IDC_LIKELY_LIST, IDC_UNLIKELY_LIST}) {
            const auto& list = Control<CTermCheckListBox>(nId);
            for (int i = 0; i < list.GetCount(); ++i) {
                ExpectMachineName(list.GetText(i));
                m_astrListed.push_back(list.GetText(i));
            }
        }
        m_device.Key(TK_TAB);
        Next([this] {
            ExpectFocus(IDC_LIKELY_LIST);
            WalkListBox(IDC_LIKELY_LIST, true, 0, [this] {
                m_device.Key(TK_TAB);
                Next([this] {
                    ExpectFocus(IDC_UNLIKELY_LIST);
                    WalkListBox(IDC_UNLIKELY_LIST, true, 0, [this] {
                        m_device.Alt('n');
                        TypeResizeAhead();
                        Next([this] { Step(); });
                    });
                });
            });
        });
    }

    // Reads item nItem (and those after it) of a focused list box, from the top: its row as the user
    // sees it at every sideways scroll, put together, must hold the item's text whole; bTick ticks it.
    void WalkListBox(int nId, bool bTick, int nItem, std::function<void()> fnAfter) {
        if (nItem == 0) {
            m_device.Key(TK_HOME);
        }
        Next([this, nId, bTick, nItem, fnAfter] { ReadListItem(nId, bTick, nItem, fnAfter); });
    }

    void ReadListItem(int nId, bool bTick, int nItem, std::function<void()> fnAfter, CScrollRead read = {},
                      bool bFirst = true) {
        const auto& list = Control<IListBox>(nId);
        if (nItem >= list.GetCount()) {
            fnAfter();
            return;
        }
        const CTermRect rect = OnScreen(nId);
        const int nRow = SelectedRow(m_host.Screen(), rect);
        ASSERT_GE(nRow, 0) << "no selected row, " << Where() << "\n" << Screen();
        const bool bMoved = read.Take(Cells(m_host.Screen(), nRow, rect.nCol + 1, rect.nCols - 2), bFirst);
        if ((bFirst || bMoved) && read.nScrolled < 300) {
            m_device.Key(TK_RIGHT);
            Next([=, this] { ReadListItem(nId, bTick, nItem, fnAfter, read, false); });
            return;
        }
        // Scrolled as far as it goes: the item's text follows its mark (" [x] ") or margin.
        const std::size_t nMark = dynamic_cast<const ICheckListBox*>(&list) != nullptr ? 5 : 1;
        const std::u32string strRead = TrimRight(read.strSeen);
        const std::string strText = list.GetText(nItem);
        EXPECT_EQ(Utf8(strRead.size() > nMark ? strRead.substr(nMark) : U""), Utf8(TrimRight(Chars(strText))))
            << "item " << nItem << " cannot be read by scrolling, " << Where();
        m_device.Key(TK_LEFT, static_cast<int>(read.nScrolled));
        if (bTick && Control<ICheckListBox>(nId).GetCheck(nItem) == BST_UNCHECKED) {
            m_device.Key(' ');
        }
        m_device.Key(TK_DOWN);
        Next([=, this] { ReadListItem(nId, bTick, nItem + 1, fnAfter); });
    }

    // Resizes to the other size and back while the scans run, seen by the progress window's pump.
    void TypeResizeAhead() {
        if (m_bResizeChecked) {
            return;
        }
        const int nRows = m_device.m_nRows;
        const int nCols = m_device.m_nCols;
        m_nResizesBefore = static_cast<int>(m_device.m_anResizeFrames.size());
        m_nInvalidatedBefore = m_device.m_nInvalidated;
        m_device.ResizeAhead(nRows == 24 ? 40 : 24, nCols == 80 ? 120 : 80);
        m_device.ResizeAhead(nRows, nCols);
    }

    // After the scans: if the resizes came while the progress window was up, the frames then showed
    // it again whole, and the screen now holds nothing of it.
    void CheckResizeDuringScans() {
        if (m_bResizeChecked || static_cast<int>(m_device.m_anResizeFrames.size()) < m_nResizesBefore + 2) {
            return;
        }
        const int nFirst = m_device.m_anResizeFrames[m_nResizesBefore];
        const int nSecond = m_device.m_anResizeFrames[m_nResizesBefore + 1];
        if (nSecond >= static_cast<int>(m_device.m_astrFrames.size()) ||
            m_device.m_astrFrames[nFirst].find("Progress [") == std::string::npos) {
            return;  // the window had gone (no scan ran): the next adapter's test tries again
        }
        m_bResizeChecked = true;
        EXPECT_GE(m_device.m_nInvalidated - m_nInvalidatedBefore, 2) << "each resize rewrites every cell";
        // The adapter's name heads the window's text: whole, or cut with an ellipsis at its edge.
        const std::string strName = AsUtf8(Control<CTermEdit>(IDC_ADAPTER_NAME).GetWindowText());
        for (const int nFrame : {nFirst, nSecond}) {
            const std::string& strFrame = m_device.m_astrFrames[nFrame];
            EXPECT_NE(strFrame.find("Progress ["), std::string::npos)
                << "the window redrawn at the new size:\n"
                << strFrame;
            bool bShown = strFrame.find(strName + " ") != std::string::npos;
            for (std::size_t n = strName.size(); n >= std::min<std::size_t>(strName.size(), 20) && !bShown;
                 --n) {
                bShown = strFrame.find(strName.substr(0, n) + "\u2026") != std::string::npos;
            }
            EXPECT_TRUE(bShown) << "the name \"" << strName << "\" neither whole nor cut with an ellipsis:\n"
                                << strFrame;
        }
        for (const char* pszRemains : {"Progress [", "Wireless Scan", "Scan #", "\u2588", "\u2591"}) {
            EXPECT_EQ(Screen().find(pszRemains), std::string::npos)
                << "the progress window's \"" << pszRemains << "\" remains, " << Where() << "\n"
                << Screen();
        }
    }

    // The adapter page: the name by scrolling its read-only edit, every access point's SSID in its
    // cell or its detail box; Alt+N goes on (Enter would open the row).
    void WalkAdapterPage() {
        CheckResizeDuringScans();
        const std::string strName = Control<CTermEdit>(IDC_ADAPTER_NAME).GetWindowText();
        EXPECT_TRUE(
            std::any_of(m_astrListed.begin(), m_astrListed.end(),
                        [&](const std::string& strListed) { return strListed.rfind(strName, 0) == 0; }))
            << "\"" << AsUtf8(strName) << "\" is no adapter of the list, " << Where();
        // The name edit is the page's first tab stop; the focus may still be in the list of the
        // adapter shown before.
        TabTo(IDC_ADAPTER_NAME, [this, strName] {
            m_device.Key(TK_HOME);
            Next([this, strName] {
                ReadEdit(IDC_ADAPTER_NAME, strName, [this] {
                    TabTo(IDC_AP_LIST, [this] {
                        WalkListView(IDC_AP_LIST, 1, U"SSID", 0, [this] {
                            m_device.Alt('n');
                            TypeResizeAhead();
                            Next([this] { Step(); });
                        });
                    });
                });
            });
        });
    }

    // Reads a focused edit with its caret at the start: moved right a character at a time, the field
    // shows the text a part at a time (scrolling on by one where the caret reaches its edge); put
    // together, the parts must hold strText whole.
    void ReadEdit(int nId, const std::string& strText, std::function<void()> fnAfter, CScrollRead read = {},
                  std::size_t nPressed = 0) {
        const CTermRect rect = OnScreen(nId);
        read.Take(Cells(m_host.Screen(), rect.nRow, rect.nCol, rect.nCols), nPressed == 0);
        if (nPressed < strText.size()) {
            m_device.Key(TK_RIGHT);
            Next([=, this] { ReadEdit(nId, strText, fnAfter, read, nPressed + 1); });
            return;
        }
        EXPECT_EQ(Utf8(TrimRight(read.strSeen)), Utf8(TrimRight(Chars(strText))))
            << "the edit " << nId << " cannot be read by scrolling, " << Where();
        fnAfter();
    }

    void TabTo(int nId, std::function<void()> fnThen, int nTabs = 0) {
        if (m_host.FocusWidget() != nullptr && m_host.FocusWidget()->Id() == nId) {
            fnThen();
            return;
        }
        ASSERT_LT(nTabs, 12) << "Tab never reaches control " << nId << ", " << Where();
        m_device.Key(TK_TAB);
        Next([this, nId, fnThen, nTabs] { TabTo(nId, fnThen, nTabs + 1); });
    }

    // Reads row nItem (and those after it) of the focused list view: column nColumn's text whole in
    // its cell, or else on the line "Heading: " of the detail box that Enter opens on the row.
    void WalkListView(int nId, int nColumn, const std::u32string& strHeading, int nItem,
                      std::function<void()> fnAfter) {
        if (nItem == 0) {
            m_device.Key(TK_HOME);
            Next([=, this] { ReadListRow(nId, nColumn, strHeading, 0, fnAfter); });
        } else {
            ReadListRow(nId, nColumn, strHeading, nItem, fnAfter);
        }
    }

    void ReadListRow(int nId, int nColumn, const std::u32string& strHeading, int nItem,
                     std::function<void()> fnAfter) {
        const auto& list = Control<CTermListView>(nId);
        if (nItem >= list.GetItemCount()) {
            fnAfter();
            return;
        }
        const std::string strText = list.GetItemText(nItem, nColumn);
        if (nId == IDC_AP_LIST) {
            EXPECT_EQ(m_setSsids.count(strText), 1u)
                << "the SSID \"" << AsUtf8(strText) << "\" is not the machine file's, " << Where();
        } else {
            EXPECT_TRUE(
                std::any_of(m_astrListed.begin(), m_astrListed.end(),
                            [&](const std::string& strListed) { return strListed.rfind(strText, 0) == 0; }))
                << "\"" << AsUtf8(strText) << "\" is no adapter of the list, " << Where();
        }
        const CTermRect rect = OnScreen(nId);
        const int nRow = SelectedRow(m_host.Screen(), rect);
        ASSERT_GE(nRow, 0) << "no selected row, " << Where() << "\n" << Screen();
        const std::vector<std::u32string> astrCells =
            GridCells(Cells(m_host.Screen(), nRow, rect.nCol + 1, rect.nCols - 2));
        ASSERT_GT(astrCells.size(), static_cast<std::size_t>(nColumn)) << Screen();
        EXPECT_EQ(Utf8(astrCells[0]), AsUtf8(list.GetItemText(nItem, 0)))
            << "the selected row is item " << nItem;
        auto fnDown = [this, nId, nColumn, strHeading, nItem, fnAfter] {
            m_device.Key(TK_DOWN);
            Next([=, this] { WalkListView(nId, nColumn, strHeading, nItem + 1, fnAfter); });
        };
        if (astrCells[nColumn] == TrimRight(Chars(strText))) {
            fnDown();
            return;
        }
        m_device.Key(TK_ENTER);
        Next([this, strText, strHeading, nItem, fnDown] {
            bool bWrapped = false;
            const std::string strBox = Utf8(BoxText(m_host.Screen(), strHeading, &bWrapped));
            const std::string strWant = Utf8(TrimRight(Chars(strText)));
            EXPECT_EQ(bWrapped ? Words(strBox) : strBox, bWrapped ? Words(strWant) : strWant)
                << "item " << nItem << " is cut in its cell and in its detail box, " << Where() << "\n"
                << Screen();
            m_device.Key(TK_ESCAPE);
            Next(fnDown);
        });
    }

    // The post page: every result's name in its cell or its detail box; the post box unticked, so
    // that Next sends nothing, and on.
    void WalkPostPage() {
        TabTo(IDC_RESULTS_LIST, [this] {
            WalkListView(IDC_RESULTS_LIST, 1, U"Name", 0, [this] {
                TabTo(IDC_POST_CHECK, [this] {
                    if (Control<CTermCheckBox>(IDC_POST_CHECK).GetCheck() == BST_CHECKED) {
                        m_device.Key(' ');
                    }
                    m_device.Alt('n');
                    Next([this] { Step(); });
                });
            });
        });
    }

    nlohmann::json m_json;
    std::set<std::string> m_setSsids;
    std::set<std::string> m_setNames;
    std::vector<std::string> m_astrListed;
    std::vector<UINT> m_anPages;
    int m_nSteps = 0;
    int m_nYesNoBoxes = 0;
    bool m_bResizeChecked = false;
    int m_nResizesBefore = 0;
    int m_nInvalidatedBefore = 0;
    std::unique_ptr<CSimMachine> m_pMachine;
    std::unique_ptr<CScopedOs> m_pOs;
    CScriptedDevice m_device;
    CTermHost m_host{m_device};
};

TEST_P(TermMachineWalk, EveryNameAndTextReadsWhole) {
    CWizardApp app;
    if (!m_json.contains("folders")) {
        // A machine with no folder holding the program's files (written for start-up failures or for
        // the Windows substitute library) cannot open the wizard: its banners cannot be read.
        app.InitInstance(m_host);
        EXPECT_NE(app.GetExitCode(), 0);
        GTEST_SKIP() << "the wizard does not open on this machine: " << app.GetStartError();
    }
    m_device.Then([this] { Step(); });
    app.InitInstance(m_host);
    EXPECT_EQ(app.GetExitCode(), 0) << app.GetStartError();
    EXPECT_TRUE(m_host.IsClosed());
    EXPECT_TRUE(m_device.IsDone()) << "the wizard closed before the walk ended:\n" << Screen();
    const bool bThanked = std::find(m_anPages.begin(), m_anPages.end(), IDD_THANK_YOU) != m_anPages.end();
    const bool bNoneFound = std::find(m_anPages.begin(), m_anPages.end(), IDD_NONE_FOUND) != m_anPages.end();
    EXPECT_TRUE(bThanked || bNoneFound) << "the walk ended early:\n" << Screen();
    // A machine that refuses scans for want of the location asks once, however many adapters fail.
    const bool bLocationDenied = m_json.contains("wlan") && !m_json["wlan"].value("locationConsent", true);
    EXPECT_EQ(m_nYesNoBoxes, bLocationDenied ? 1 : 0);
    if (std::find(m_anPages.begin(), m_anPages.end(), IDD_ADAPTER) != m_anPages.end() &&
        m_device.AnyFrameHas("Scan #1...")) {
        EXPECT_TRUE(m_bResizeChecked) << "no resize came while the progress window was up";
    }
}

INSTANTIATE_TEST_SUITE_P(MachineFiles, TermMachineWalk, ::testing::ValuesIn(WalkCases()), CaseName);

}  // namespace
