#include "ui/model/model_controls.h"

#include "resources/resource_script.h"

#include <algorithm>
#include <cctype>

namespace {
// LBS_SORT compares without regard to letter case, as the platform's list box does.
bool LessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}
}  // namespace

int CModelListBox::AddString(const std::string& strItem) {
    auto it = m_items.end();
    if (m_bSorted) {
        it = std::upper_bound(
            m_items.begin(), m_items.end(), strItem,
            [](const std::string& s, const CItem& item) { return LessNoCase(s, item.strText); });
    }
    it = m_items.insert(it, CItem{strItem});
    return static_cast<int>(it - m_items.begin());
}

int CModelListBox::DeleteString(int nIndex) {
    if (!IsValid(nIndex)) {
        return LB_ERR;
    }
    m_items.erase(m_items.begin() + nIndex);
    return GetCount();
}

std::string CModelListBox::GetText(int nIndex) const {
    return IsValid(nIndex) ? m_items[nIndex].strText : "";
}

void CModelCheckListBox::SetCheck(int nIndex, int nCheck) {
    if (IsValid(nIndex)) {
        m_items[nIndex].nCheck = nCheck;
    }
}

int CModelListView::ClientWidthFromTemplate(int nWidthDlu, bool bBorder) {
    const int nWindowWidth = nWidthDlu * MODEL_DLU_PIXELS_X2 / 2;
    return std::max(0, nWindowWidth - (bBorder ? 2 : 0));
}

int CModelListView::InsertColumn(int nCol, const std::string& strHeading, int nFormat) {
    if (nCol < 0) {
        return -1;
    }
    nCol = std::min(nCol, GetColumnCount());
    m_columns.insert(m_columns.begin() + nCol, CColumn{strHeading, nFormat, 0});
    for (CItem& item : m_items) {
        if (static_cast<int>(item.astrTexts.size()) > nCol) {
            item.astrTexts.insert(item.astrTexts.begin() + nCol, std::string());
        }
    }
    return nCol;
}

BOOL CModelListView::SetColumnWidth(int nCol, int cx) {
    if (nCol < 0 || nCol >= GetColumnCount()) {
        return FALSE;
    }
    m_columns[nCol].nWidth = std::max(0, cx);
    return TRUE;
}

int CModelListView::GetColumnWidth(int nCol) const {
    return nCol >= 0 && nCol < GetColumnCount() ? m_columns[nCol].nWidth : 0;
}

int CModelListView::GetStringWidth(std::string_view strText) const {
    return static_cast<int>(strText.size()) * MODEL_CHAR_WIDTH;
}

int CModelListView::InsertItem(int nItem, std::string_view strText, LPARAM lParam) {
    if (nItem < 0) {
        return -1;
    }
    nItem = std::min(nItem, GetItemCount());
    CItem item;
    // Room for a cell per column at once, so that filling the row's cells does not regrow it.
    item.astrTexts.reserve(std::max(1, GetColumnCount()));
    item.astrTexts.emplace_back(strText);
    item.lParam = lParam;
    m_items.insert(m_items.begin() + nItem, std::move(item));
    return nItem;
}

BOOL CModelListView::SetItemText(int nItem, int nSubItem, std::string_view strText) {
    // The platform refuses a column that does not exist (the item's own text always does).
    if (!IsValidItem(nItem) || nSubItem < 0 || (nSubItem > 0 && nSubItem >= GetColumnCount())) {
        return FALSE;
    }
    std::vector<std::string>& astrTexts = m_items[nItem].astrTexts;
    if (static_cast<int>(astrTexts.size()) <= nSubItem) {
        astrTexts.resize(nSubItem + 1);
    }
    astrTexts[nSubItem] = strText;
    return TRUE;
}

std::string CModelListView::GetItemText(int nItem, int nSubItem) const {
    if (!IsValidItem(nItem) || nSubItem < 0 ||
        nSubItem >= static_cast<int>(m_items[nItem].astrTexts.size())) {
        return "";
    }
    return m_items[nItem].astrTexts[nSubItem];
}

LPARAM CModelListView::GetItemData(int nItem) const {
    return IsValidItem(nItem) ? m_items[nItem].lParam : 0;
}

BOOL CModelListView::DeleteAllItems() {
    m_items.clear();
    return TRUE;
}

BOOL CModelListView::SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParamSort) {
    if (pfnCompare == nullptr) {
        return FALSE;
    }
    std::stable_sort(m_items.begin(), m_items.end(), [&](const CItem& a, const CItem& b) {
        return pfnCompare(a.lParam, b.lParam, lParamSort) < 0;
    });
    return TRUE;
}

void CModelListView::SetItemDetails(int nItem, const CItemDetails& details) {
    if (IsValidItem(nItem)) {
        m_items[nItem].details = details;
    }
}

CItemDetails CModelListView::GetItemDetails(int nItem) const {
    return IsValidItem(nItem) ? m_items[nItem].details : CItemDetails{};
}

std::string CModelListView::GetColumnHeading(int nCol) const {
    return nCol >= 0 && nCol < GetColumnCount() ? m_columns[nCol].strHeading : "";
}

std::vector<std::string> CModelListView::GetColumnTexts(int nCol) const {
    std::vector<std::string> astrTexts;
    for (int i = 0; i < GetItemCount(); ++i) {
        astrTexts.push_back(GetItemText(i, nCol));
    }
    return astrTexts;
}

CModelPage::CModelPage(UINT nTemplateId) {
    const CDialogTemplate* pTemplate = Resources().FindDialog(nTemplateId);
    if (pTemplate == nullptr) {
        return;
    }
    for (const CDialogControl& control : pTemplate->m_controls) {
        std::unique_ptr<IControl> pControl;
        switch (control.m_eKind) {
            case EControlKind::ListBox:
                pControl = std::make_unique<CModelListBox>(control.IsSorted());
                break;
            case EControlKind::CheckListBox:
                pControl = std::make_unique<CModelCheckListBox>();
                break;
            case EControlKind::CheckBox:
                pControl = std::make_unique<CModelCheckBox>(control.m_strText);
                break;
            case EControlKind::ListView:
                pControl = std::make_unique<CModelListView>(
                    CModelListView::ClientWidthFromTemplate(control.m_nWidth, control.HasBorder()));
                break;
            default:
                pControl = std::make_unique<CModelControl>(control.m_strText);
                break;
        }
        if (control.m_nId == -1) {
            if (control.m_eKind == EControlKind::Static && control.IsVisible()) {
                m_astrStatics.push_back(control.m_strText);
            }
            continue;
        }
        m_anIds.push_back(control.m_nId);
        m_controls[control.m_nId] = std::move(pControl);
    }
}

IControl* CModelPage::GetDlgItem(int nId) {
    auto it = m_controls.find(nId);
    return it == m_controls.end() ? nullptr : it->second.get();
}
