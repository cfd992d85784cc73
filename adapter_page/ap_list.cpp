// The access point list of the adapter test page: rows made from a scan, the list control filled,
// sized and sorted from them.
#include "adapter_page/ap_list.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <numeric>
#include <string_view>
#include <utility>

#include "adapter_page/adapter_page.h"
#include "util/delimited_string.h"
#include "util/value_tables.h"

namespace {

const std::vector<std::string> AP_LIST_HEADINGS = {"#",      "SSID",  "MAC",      "Ch",
                                                   "Signal", "Assoc", "Security", "Mode"};
constexpr int AP_COLUMN_SSID = 1;

// A row's length with an SSID and an AP name of their full sizes; longer only with an unusual
// security text, when the row grows as any string does.
constexpr std::size_t AP_ROW_RESERVE =
    17 + 6 + 11 + 3 + 7 + 6 + CApName::MAX_LENGTH + CSsidText::MAX_LENGTH + 7;

// "%2.2x" of each byte, ':' between them; by a digit table, since every row of a scan makes one.
void AppendBssid(std::string* pstrRow, const BYTE abBssid[BSSID_LENGTH]) {
    constexpr char HEX_DIGITS[] = "0123456789abcdef";
    for (std::size_t i = 0; i < BSSID_LENGTH; ++i) {
        if (i > 0) {
            *pstrRow += ':';
        }
        *pstrRow += HEX_DIGITS[abBssid[i] >> 4];
        *pstrRow += HEX_DIGITS[abBssid[i] & 0x0F];
    }
}

void AppendNumber(std::string* pstrRow, long nValue) {
    char achDigits[24];
    const std::to_chars_result end = std::to_chars(std::begin(achDigits), std::end(achDigits), nValue);
    pstrRow->append(achDigits, end.ptr);
}

// Case-insensitive like _mbsicmp: ASCII letters fold to lower case, then bytes compare as unsigned
// values. Other bytes (the code page's accented letters) are compared as they are, unfolded.
int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t cch = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < cch; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<unsigned char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<unsigned char>(y - 'A' + 'a');
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

const std::string& RowOf(LPARAM lParam) {
    return *reinterpret_cast<const std::string*>(lParam);
}

}  // namespace

void SetUpReportList(IListView& list, const std::vector<std::string>& astrHeadings) {
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < astrHeadings.size(); ++i) {
        list.InsertColumn(static_cast<int>(i), astrHeadings[i], LVCFMT_LEFT);
    }
}

std::vector<int> StartRefill(IListView& list, const std::vector<std::string>& astrHeadings) {
    std::vector<int> anWidths;
    for (const std::string& strHeading : astrHeadings) {
        anWidths.push_back(list.GetStringWidth(strHeading));
    }
    list.DeleteAllItems();
    return anWidths;
}

void WidenToText(const IListView& list, int* pnWidth, std::string_view strText) {
    *pnWidth = std::max(*pnWidth, list.GetStringWidth(strText));
}

void FitColumnWidths(IListView& list, std::vector<int> anWidths, int nStretch,
                     const std::string& strStretchHeading) {
    for (int& nWidth : anWidths) {
        nWidth += LIST_COLUMN_MARGIN;
    }
    const int nTotal = std::accumulate(anWidths.begin(), anWidths.end(), 0);
    if (nTotal > list.GetClientWidth()) {
        anWidths[nStretch] = list.GetClientWidth() - (nTotal - anWidths[nStretch]);
    }
    anWidths[nStretch] =
        std::max(anWidths[nStretch], list.GetStringWidth(strStretchHeading) + LIST_COLUMN_MARGIN);
    for (std::size_t i = 0; i < anWidths.size(); ++i) {
        list.SetColumnWidth(static_cast<int>(i), anWidths[i]);
    }
}

BOOL CAdapterPage::OnInitDialog() {
    if (IListView* pList = Controls().ListView(IDC_AP_LIST)) {
        SetUpReportList(*pList, AP_LIST_HEADINGS);
    }
    return TRUE;
}

void CAdapterPage::FormatApRows(const BYTE abAssocBssid[BSSID_LENGTH], short nAssocChannel,
                                const CAccessPointList& accessPoints, const CBssKeyList& keys,
                                const CDwordArray& adwSecurity, const CDwordArray& adwModes,
                                const CApNameArray& astrApNames, std::vector<std::string>* pastrRows) {
    // The five lists run in parallel; a shorter one ends the walk rather than being read past.
    const std::size_t nCount =
        std::min({accessPoints.size(), keys.size(), adwSecurity.size(), adwModes.size(), astrApNames.size()});
    for (std::size_t i = 0; i < nCount; ++i) {
        const CAccessPoint& ap = *accessPoints[i];
        const CBssKey& key = keys[i];
        const bool bAssociated = std::memcmp(key.bssid, abAssocBssid, BSSID_LENGTH) == 0 &&
                                 key.channel == static_cast<LONG>(nAssocChannel);
        // Written field by field into the row itself: a scan makes a row per access point, and
        // temporaries per field cost more than the row.
        std::string strRow;
        strRow.reserve(AP_ROW_RESERVE);
        AppendBssid(&strRow, key.bssid);
        strRow += '|';
        AppendNumber(&strRow, key.channel);
        strRow += '|';
        AppendNumber(&strRow, ap.m_nSignal);
        strRow += bAssociated ? "|Yes|" : "||";
        strRow += GetSecurityName(static_cast<int>(adwSecurity[i]));
        strRow += adwModes[i] != 0 ? "|Infra|" : "|Ad hoc|";
        // A "|" in the AP name becomes "!", so that the name stays one field.
        for (const char ch : astrApNames[i].View()) {
            strRow += ch == '|' ? '!' : ch;
        }
        strRow += '|';
        strRow += ap.m_strSsid.View();
        pastrRows->push_back(std::move(strRow));
    }
}

void CAdapterPage::FillApList(const std::vector<std::string>& astrRows) {
    IListView* pList = Controls().ListView(IDC_AP_LIST);
    if (pList == nullptr) {
        return;
    }
    IListView& list = *pList;
    std::vector<int> anWidths = StartRefill(list, AP_LIST_HEADINGS);
    for (std::size_t i = 0; i < astrRows.size(); ++i) {
        const std::string& strRow = astrRows[i];
        const int nItem = static_cast<int>(i);
        const std::string strNumber = std::to_string(i + 1);
        list.InsertItem(nItem, strNumber, reinterpret_cast<LPARAM>(&strRow));
        WidenToText(list, &anWidths[0], strNumber);
        // The fields are read as views in one pass over the row; only the texts the list keeps are
        // copied. Fields 0 to 5 go to columns 2 to 7.
        std::string_view strRest = strRow;
        for (int nField = AP_FIELD_BSSID; nField <= AP_FIELD_MODE; ++nField) {
            const int nColumn = nField + 2;
            const std::size_t nEnd = strRest.find(g_chFieldDelim);
            const std::string_view strCell = strRest.substr(0, nEnd);
            strRest = nEnd == std::string_view::npos ? std::string_view() : strRest.substr(nEnd + 1);
            list.SetItemText(nItem, nColumn, strCell);
            WidenToText(list, &anWidths[nColumn], strCell);
        }
        // What is left is the AP name, then the SSID, which may itself hold a "|".
        const std::size_t nNameEnd = strRest.find(g_chFieldDelim);
        list.SetItemText(
            nItem, AP_COLUMN_SSID,
            nNameEnd == std::string_view::npos ? std::string_view() : strRest.substr(nNameEnd + 1));
        // The access point's own name has no column; a host that shows a row whole shows it too.
        list.SetItemDetails(nItem, {{"AP Name", std::string(strRest.substr(0, nNameEnd))}});
        // The SSID column is measured with the AP name before the SSID, a longer text than it shows.
        WidenToText(list, &anWidths[AP_COLUMN_SSID], strRest);
    }
    FitColumnWidths(list, anWidths, AP_COLUMN_SSID, AP_LIST_HEADINGS[AP_COLUMN_SSID]);
    list.SortItems(&CAdapterPage::CompareApRows, 0);
    for (int j = 0; j < list.GetItemCount(); ++j) {
        list.SetItemText(j, 0, std::to_string(j + 1));
    }
}

int NIMBREL_CALLBACK CAdapterPage::CompareApRows(LPARAM lParamA, LPARAM lParamB, LPARAM /*lParamSort*/) {
    // The keys are read in place: a sort makes about n log n comparisons, too many to copy six
    // fields for each.
    const std::string_view strA = RowOf(lParamA);
    const std::string_view strB = RowOf(lParamB);
    int r =
        CompareNoCase(GetFieldsToEndView(strA, AP_FIELD_APNAME), GetFieldsToEndView(strB, AP_FIELD_APNAME));
    if (r == 0) {
        r = CompareNoCase(GetFieldView(strA, AP_FIELD_BSSID), GetFieldView(strB, AP_FIELD_BSSID));
    }
    if (r == 0) {
        r = CompareNoCase(GetFieldView(strA, AP_FIELD_CHANNEL), GetFieldView(strB, AP_FIELD_CHANNEL));
    }
    return r;
}
