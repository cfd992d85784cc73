// The access point list: rows made from a scan, and the list filled, sized, sorted and numbered.
#include <gtest/gtest.h>

#include "adapter_page/adapter_page.h"
#include "adapter_page/ap_list.h"
#include "e2e/wizard_test_util.h"
#include "res/resource_ids.h"
#include "ui/model/model_controls.h"
#include "util/delimited_string.h"

namespace {

struct CScanEntry {
    BYTE abBssid[BSSID_LENGTH];
    LONG nChannel;
    int nSignal;
    DWORD dwSecurity;
    DWORD dwMode;
    std::string strApName;
    std::string strSsid;
};

CScanResultSet MakeScan(const std::vector<CScanEntry>& entries) {
    CScanResultSet scan;
    for (const CScanEntry& entry : entries) {
        auto pAp = std::make_unique<CAccessPoint>();
        pAp->m_nSignal = entry.nSignal;
        pAp->m_strSsid = entry.strSsid;
        scan.Append(CBssKey(entry.abBssid, entry.nChannel), entry.dwSecurity, entry.dwMode, std::move(pAp),
                    entry.strApName);
    }
    return scan;
}

std::vector<std::string> FormatRows(const CScanResultSet& scan, const BYTE abAssoc[BSSID_LENGTH],
                                    short nAssocChannel) {
    std::vector<std::string> astrRows;
    CAdapterPage::FormatApRows(abAssoc, nAssocChannel, scan.m_apAccessPoints, scan.m_aKeys,
                               scan.m_adwSecurity, scan.m_adwModes, scan.m_astrApNames, &astrRows);
    return astrRows;
}

const BYTE BSSID_A[BSSID_LENGTH] = {0x00, 0x1a, 0x2B, 0x3c, 0x4D, 0xef};
const BYTE BSSID_B[BSSID_LENGTH] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x01};
const BYTE NO_BSSID[BSSID_LENGTH] = {};

// An adapter page whose window is a headless copy of its template.
class CApListTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_page.SetControls(&m_window);
        m_page.OnInitDialog();
    }
    CModelListView& List() { return dynamic_cast<CModelListView&>(*m_window.ListView(IDC_AP_LIST)); }
    int Width(const std::string& strText) { return List().GetStringWidth(strText); }

    CModelPage m_window{IDD_ADAPTER};
    CAdapterPage m_page;
};

}  // namespace

TEST(FormatApRows, BuildsEightFieldsPerAccessPoint) {
    const CScanResultSet scan = MakeScan({
        {{0x00, 0x1a, 0x2B, 0x3c, 0x4D, 0xef}, 6, -67, 3, 1, "Lobby|East", "Guest|Net"},
        {{0x00, 0x1a, 0x2B, 0x3c, 0x4D, 0xef}, 11, -80, 0, 0, "", "Same BSSID"},
        {{0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x01}, 6, -40, 1, 2, "", "Other"},
    });
    const std::vector<std::string> astrRows = FormatRows(scan, BSSID_A, 6);
    ASSERT_EQ(astrRows.size(), 3u);
    EXPECT_EQ(astrRows[0], "00:1a:2b:3c:4d:ef|6|-67|Yes|WPA2|Infra|Lobby!East|Guest|Net");
    // The same BSSID on another channel is another BSS, and not the associated one.
    EXPECT_EQ(astrRows[1], "00:1a:2b:3c:4d:ef|11|-80||Clear|Ad hoc||Same BSSID");
    EXPECT_EQ(astrRows[2], "00:1a:2b:3c:4d:01|6|-40||WEP|Infra||Other");
    // An SSID holding "|" leaves the other fields where they are.
    EXPECT_EQ(GetFields(astrRows[0], AP_FIELD_SSID, -1), "Guest|Net");
    EXPECT_EQ(GetField(astrRows[0], AP_FIELD_SIGNAL), "-67");
    EXPECT_EQ(GetField(astrRows[0], AP_FIELD_APNAME), "Lobby!East");
}

TEST(FormatApRows, SecurityNamesAndModes) {
    std::vector<CScanEntry> entries;
    for (DWORD dwCode : {0u, 1u, 2u, 3u, 99u, 7u}) {
        entries.push_back({{0, 0, 0, 0, 0, static_cast<BYTE>(dwCode)}, 1, -50, dwCode, dwCode % 3, "", "x"});
    }
    const std::vector<std::string> astrRows = FormatRows(MakeScan(entries), NO_BSSID, -1);
    std::vector<std::string> astrSecurity, astrModes, astrAssoc;
    for (const std::string& strRow : astrRows) {
        astrSecurity.push_back(GetField(strRow, AP_FIELD_SECURITY));
        astrModes.push_back(GetField(strRow, AP_FIELD_MODE));
        astrAssoc.push_back(GetField(strRow, AP_FIELD_ASSOC));
    }
    EXPECT_EQ(astrSecurity, (std::vector<std::string>{"Clear", "WEP", "WPA", "WPA2", "Unknown", "Clear"}));
    // Modes 0, 1, 2, 0, 0, 1.
    EXPECT_EQ(astrModes, (std::vector<std::string>{"Ad hoc", "Infra", "Infra", "Ad hoc", "Ad hoc", "Infra"}));
    EXPECT_EQ(astrAssoc, std::vector<std::string>(6, "")) << "channel -1: no association";
}

TEST(FormatApRows, AppendsAndStopsAtTheShortestList) {
    CScanResultSet scan = MakeScan({{{1}, 1, -50, 0, 1, "", "a"}, {{2}, 2, -60, 0, 1, "", "b"}});
    std::vector<std::string> astrRows = {"earlier row"};
    CAdapterPage::FormatApRows(NO_BSSID, -1, scan.m_apAccessPoints, scan.m_aKeys, scan.m_adwSecurity,
                               scan.m_adwModes, scan.m_astrApNames, &astrRows);
    EXPECT_EQ(astrRows.size(), 3u);
    EXPECT_EQ(astrRows[0], "earlier row");

    // A back end that left one list short is not read past its end.
    scan.m_adwModes.pop_back();
    astrRows.clear();
    CAdapterPage::FormatApRows(NO_BSSID, -1, scan.m_apAccessPoints, scan.m_aKeys, scan.m_adwSecurity,
                               scan.m_adwModes, scan.m_astrApNames, &astrRows);
    EXPECT_EQ(astrRows.size(), 1u);
    EXPECT_TRUE(FormatRows(CScanResultSet(), NO_BSSID, -1).empty());
}

TEST(CompareApRows, FoldsAsciiLettersToLowerCaseOnly) {
    auto compare = [](const std::string& a, const std::string& b) {
        return CAdapterPage::CompareApRows(reinterpret_cast<LPARAM>(&a), reinterpret_cast<LPARAM>(&b), 0);
    };
    const std::string strPlain = "00:00:00:00:00:01|1|-50||Clear|Infra||Net";
    const std::string strUpper = "00:00:00:00:00:01|1|-50||Clear|Infra||NET";
    EXPECT_EQ(compare(strPlain, strUpper), 0);
    // Folding goes to lower case: "_" (0x5F) sorts before "a", as it would not after upper-casing.
    EXPECT_LT(compare("0|1|||||_x|", "0|1|||||A|"), 0);
    // A named access point sorts before every unnamed one ("|" is 0x7C).
    EXPECT_LT(compare("0|1|||||zz|b", "0|1||||||a"), 0);
    // Accented letters are not folded: 0xC4 and 0xE4 compare by their byte values.
    EXPECT_LT(compare("0|1||||||\xC4", "0|1||||||\xE4"), 0);
    EXPECT_GT(compare("0|1||||||ab", "0|1||||||a"), 0);
}

// The order as it was first written: each key copied out of the row, ASCII letters folded to lower
// case, then unsigned bytes, a shorter text first.
int CompareByCopiedKeys(const std::string& a, const std::string& b) {
    auto fold = [](std::string s) {
        for (char& ch : s) {
            ch = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
        }
        return std::vector<unsigned char>(s.begin(), s.end());
    };
    auto compare = [&](const std::string& x, const std::string& y) {
        const auto ax = fold(x), ay = fold(y);
        return ax < ay ? -1 : (ay < ax ? 1 : 0);
    };
    int r = compare(GetFields(a, AP_FIELD_APNAME, -1), GetFields(b, AP_FIELD_APNAME, -1));
    if (r == 0) {
        r = compare(GetField(a, AP_FIELD_BSSID), GetField(b, AP_FIELD_BSSID));
    }
    return r != 0 ? r : compare(GetField(a, AP_FIELD_CHANNEL), GetField(b, AP_FIELD_CHANNEL));
}

TEST(CompareApRows, OrdersEveryPairAsTheCopiedKeysDo) {
    // Rows that tie on some keys and not others, differ only in case or in an accented byte, hold
    // "|" in the SSID, or lack fields (a short row reads its missing keys as empty).
    std::vector<std::string> astrRows = {
        "",          "|",         "00:00:00:00:00:01", "00:00:00:00:00:01|6", "x|1|||||",
        "x|1||||||", "x|1|||||_", "X|1|||||a|",        "x|1|||||A||"};
    for (const char* pszName : {"", "Zeta", "zeta", "ZETA!x", "_a"}) {
        for (const char* pszSsid : {"", "Net", "NET", "Guest|Net", "\xC4", "\xE4"}) {
            for (const char* pszMac : {"00:00:00:00:00:01", "00:00:00:00:00:0A", "00:00:00:00:00:0a"}) {
                for (const char* pszChannel : {"6", "11", ""}) {
                    astrRows.push_back(std::string(pszMac) + "|" + pszChannel + "|-50||WPA2|Infra|" +
                                       pszName + "|" + pszSsid);
                }
            }
        }
    }
    int nTies = 0;
    for (const std::string& a : astrRows) {
        for (const std::string& b : astrRows) {
            const int nExpected = CompareByCopiedKeys(a, b);
            const int nActual =
                CAdapterPage::CompareApRows(reinterpret_cast<LPARAM>(&a), reinterpret_cast<LPARAM>(&b), 0);
            ASSERT_EQ(nActual, nExpected) << '"' << a << "\" against \"" << b << '"';
            nTies += nExpected == 0 && a != b ? 1 : 0;
        }
    }
    EXPECT_GT(nTies, 0) << "the set holds distinct rows that compare equal";
}

TEST_F(CApListTest, InitDialogAddsGridLinesAndTheEightColumns) {
    CModelPage window(IDD_ADAPTER);
    window.ListView(IDC_AP_LIST)->SetExtendedStyle(0x4000);
    CAdapterPage page;
    page.SetControls(&window);
    EXPECT_TRUE(page.OnInitDialog());
    auto& list = dynamic_cast<CModelListView&>(*window.ListView(IDC_AP_LIST));
    EXPECT_EQ(list.GetExtendedStyle(), 0x4021u);
    std::vector<std::string> astrHeadings;
    for (int c = 0; c < list.GetColumnCount(); ++c) {
        astrHeadings.push_back(list.GetColumnHeading(c));
    }
    EXPECT_EQ(astrHeadings,
              (std::vector<std::string>{"#", "SSID", "MAC", "Ch", "Signal", "Assoc", "Security", "Mode"}));
}

TEST_F(CApListTest, SortsByNameAndSsidThenMacThenChannelAndRenumbers) {
    const std::vector<std::string> astrRows = {
        "00:00:00:00:00:05|6|-50||Clear|Infra||Office", "00:00:00:00:00:02|6|-50||Clear|Infra||office",
        "00:00:00:00:00:09|6|-50||Clear|Infra||",       "00:00:00:00:00:02|6|-50||WPA2|Infra|Zeta|Guest|Net",
        "00:00:00:00:00:01|6|-50||Clear|Infra||OFFICE", "00:00:00:00:00:07|6|-50||Clear|Infra||Cafe",
        "00:00:00:00:00:07|11|-50||Clear|Infra||Cafe",
    };
    m_page.FillApList(astrRows);
    CModelListView& list = List();
    ASSERT_EQ(list.GetItemCount(), 7);
    EXPECT_EQ(list.GetColumnTexts(0), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(list.GetColumnTexts(1),
              (std::vector<std::string>{"Guest|Net", "", "Cafe", "Cafe", "OFFICE", "office", "Office"}));
    EXPECT_EQ(list.GetColumnTexts(2),
              (std::vector<std::string>{"00:00:00:00:00:02", "00:00:00:00:00:09", "00:00:00:00:00:07",
                                        "00:00:00:00:00:07", "00:00:00:00:00:01", "00:00:00:00:00:02",
                                        "00:00:00:00:00:05"}));
    // Channels compare as text: 11 before 6.
    EXPECT_EQ(list.GetItemText(2, 3), "11");
    EXPECT_EQ(list.GetItemText(3, 3), "6");
    EXPECT_EQ(list.GetItemText(0, 6), "WPA2");
    EXPECT_EQ(list.GetItemText(0, 7), "Infra");
    // Each item still designates its own row.
    EXPECT_EQ(*reinterpret_cast<const std::string*>(list.GetItemData(0)), astrRows[3]);
    // The AP name, which no column shows, travels with its item as a detail.
    EXPECT_EQ(list.GetItemDetails(0), (CItemDetails{{"AP Name", "Zeta"}}));
    EXPECT_EQ(list.GetItemDetails(1), (CItemDetails{{"AP Name", ""}}));

    // Filling again replaces the items.
    m_page.FillApList({astrRows[0]});
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 0), "1");
}

TEST_F(CApListTest, ColumnsThatFitKeepTheirMeasuredWidths) {
    m_page.FillApList({"00:00:00:00:00:05|11|-50||WEP|Infra|H|Net"});
    CModelListView& list = List();
    // The SSID column is measured with the AP name in front of the SSID; other columns are as wide
    // as their widest text, the heading included.
    const std::vector<int> anExpected = {Width("#"),        Width("H|Net"),  Width("00:00:00:00:00:05"),
                                         Width("11"),       Width("Signal"), Width("Assoc"),
                                         Width("Security"), Width("Infra")};
    int nTotal = 0;
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(list.GetColumnWidth(c), anExpected[c] + LIST_COLUMN_MARGIN) << "column " << c;
        nTotal += list.GetColumnWidth(c);
    }
    EXPECT_LT(nTotal, list.GetClientWidth()) << "a list that fits is not stretched";
}

TEST_F(CApListTest, AWideSsidTakesWhatTheOtherColumnsLeave) {
    m_page.FillApList({"00:00:00:00:00:05|1|-50||Clear|Infra||" + std::string(60, 'W')});
    CModelListView& list = List();
    int nOthers = 0;
    for (int c = 0; c < 8; ++c) {
        nOthers += c == 1 ? 0 : list.GetColumnWidth(c);
    }
    EXPECT_EQ(list.GetColumnWidth(1), list.GetClientWidth() - nOthers);

    // When the others leave less than the heading needs, the heading's width plus the margin wins.
    m_page.FillApList({std::string(70, 'M') + "|1|-50||Clear|Infra||" + std::string(60, 'W')});
    EXPECT_EQ(list.GetColumnWidth(1), Width("SSID") + LIST_COLUMN_MARGIN);

    m_page.FillApList({});
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetColumnWidth(1), Width("SSID") + LIST_COLUMN_MARGIN);
    EXPECT_EQ(list.GetColumnWidth(4), Width("Signal") + LIST_COLUMN_MARGIN);
}

using CApListPageTest = CWizardFixture;

TEST_F(CApListPageTest, EveryActivationShowsTheShownAdaptersRows) {
    m_adapters = {{"{A}", "Adapter A", 1, TRUE}, {"{B}", "Adapter B", 1, FALSE}};
    Open();
    GoToList();
    ASSERT_TRUE(m_host.Next());
    ASSERT_EQ(m_host.CurrentPage(), IDD_ADAPTER);
    auto& list = dynamic_cast<CModelListView&>(*m_host.Page(IDD_ADAPTER)->ListView(IDC_AP_LIST));
    EXPECT_EQ(list.GetColumnCount(), 8);
    EXPECT_EQ(list.GetItemCount(), 0) << "the scripted test found no access points";

    // Rows that adapter A's result holds now are shown when the page shows A again.
    *m_pTest->m_results[0].m_pApRows = {"00:00:00:00:00:02|6|-50||Clear|Infra||Beta",
                                        "00:00:00:00:00:01|1|-40||WEP|Infra||alpha"};
    ASSERT_TRUE(m_host.Next());
    EXPECT_EQ(m_pTest->m_nCurrent, 1);
    EXPECT_EQ(list.GetItemCount(), 0) << "adapter B has no rows";
    ASSERT_TRUE(m_host.Back());
    EXPECT_EQ(m_pTest->m_nCurrent, 0);
    EXPECT_EQ(list.GetColumnTexts(1), (std::vector<std::string>{"alpha", "Beta"}));
    EXPECT_EQ(list.GetColumnTexts(0), (std::vector<std::string>{"1", "2"}));
}
