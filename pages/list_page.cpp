#include "pages/list_page.h"

#include "pages/tolvane_sheet.h"
#include "res/resource_ids.h"

CListPage::CListPage() : CWizardPage(IDD_LIST, IDS_PAGE_CAPTION, IDS_LIST_TITLE, IDS_LIST_SUBTITLE) {}

ICheckListBox* CListPage::Likely() const {
    return HasWindow() ? Controls().CheckListBox(IDC_LIKELY_LIST) : nullptr;
}

ICheckListBox* CListPage::Unlikely() const {
    return HasWindow() ? Controls().CheckListBox(IDC_UNLIKELY_LIST) : nullptr;
}

int CListPage::DiscoverAdapters() {
    CWaitCursor wait(SheetWindow());
    Clear();
    EnumerateAdapters();
    return static_cast<int>(m_astrNames.size());
}

int CListPage::GetCheckedCount() const {
    int nCount = 0;
    for (const ICheckListBox* pList : {Likely(), Unlikely()}) {
        for (int i = 0; pList != nullptr && i < pList->GetCount(); ++i) {
            nCount += pList->GetCheck(i) ? 1 : 0;
        }
    }
    return nCount;
}

void CListPage::GetCheckedAdapter(int n, std::string* pstrId, std::string* pstrName,
                                  std::string* pstrDescription) const {
    const size_t nAdapters = m_astrNames.size();
    // Likely adapters first, then unlikely ones; item k of a list is the k-th adapter of its kind.
    for (DWORD dwLikely : {DWORD{1}, DWORD{0}}) {
        const ICheckListBox* pList = dwLikely ? Likely() : Unlikely();
        int nItem = 0;
        for (size_t i = 0; i < nAdapters && pList != nullptr; ++i) {
            if (m_adwLikely[i] != dwLikely) {
                continue;
            }
            const bool bTicked = nItem < pList->GetCount() && pList->GetCheck(nItem);
            ++nItem;
            if (bTicked && --n < 0) {
                *pstrId = m_astrIds[i];
                *pstrName = m_astrNames[i];
                *pstrDescription = m_astrDescriptions[i];
                return;
            }
        }
    }
}

BOOL CListPage::OnSetActive() {
    if (!Sheet().m_bWentBack) {
        CWaitCursor wait(SheetWindow());
        ICheckListBox* pLikely = Likely();
        ICheckListBox* pUnlikely = Unlikely();
        for (ICheckListBox* pList : {pLikely, pUnlikely}) {
            while (pList->GetCount() != 0) {
                pList->DeleteString(0);
            }
        }
        for (size_t i = 0; i < m_astrNames.size(); ++i) {
            if (m_adwLikely[i] == 1) {
                pLikely->SetCheck(pLikely->AddString(m_astrNames[i]), BST_CHECKED);
            } else {
                pUnlikely->AddString(m_astrNames[i]);
            }
        }
    }
    return CWizardPage::OnSetActive();
}

LONG CListPage::OnWizardNext() {
    const int nTicked = GetCheckedCount();
    CWizardPage::OnWizardNext();
    return nTicked > 0 ? IDD_ADAPTER : IDD_SELECT_ONE;
}
