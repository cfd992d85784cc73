#include "ui/headless/headless_controls.h"

#include "ui/resource_script.h"

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

int CHeadlessListBox::AddString(const std::string& strItem) {
    auto it = m_items.end();
    if (m_bSorted) {
        it = std::upper_bound(
            m_items.begin(), m_items.end(), strItem,
            [](const std::string& s, const CItem& item) { return LessNoCase(s, item.strText); });
    }
    it = m_items.insert(it, CItem{strItem});
    return static_cast<int>(it - m_items.begin());
}

int CHeadlessListBox::DeleteString(int nIndex) {
    if (!IsValid(nIndex)) {
        return LB_ERR;
    }
    m_items.erase(m_items.begin() + nIndex);
    return GetCount();
}

std::string CHeadlessListBox::GetText(int nIndex) const {
    return IsValid(nIndex) ? m_items[nIndex].strText : "";
}

void CHeadlessCheckListBox::SetCheck(int nIndex, int nCheck) {
    if (IsValid(nIndex)) {
        m_items[nIndex].nCheck = nCheck;
    }
}

CHeadlessPage::CHeadlessPage(UINT nTemplateId) {
    const CDialogTemplate* pTemplate = Resources().FindDialog(nTemplateId);
    if (pTemplate == nullptr) {
        return;
    }
    for (const CDialogControl& control : pTemplate->m_controls) {
        std::unique_ptr<IControl> pControl;
        switch (control.m_eKind) {
            case EControlKind::ListBox:
                pControl = std::make_unique<CHeadlessListBox>(control.IsSorted());
                break;
            case EControlKind::CheckListBox:
                pControl = std::make_unique<CHeadlessCheckListBox>();
                break;
            case EControlKind::CheckBox:
                pControl = std::make_unique<CHeadlessCheckBox>(control.m_strText);
                break;
            default:
                pControl = std::make_unique<CHeadlessControl>(control.m_strText);
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

IControl* CHeadlessPage::GetDlgItem(int nId) {
    auto it = m_controls.find(nId);
    return it == m_controls.end() ? nullptr : it->second.get();
}
