#include "wizard/property_sheet.h"

CPropertySheetEx::CPropertySheetEx(UINT nCaptionId, ISheetWindow& window)
    : m_nCaptionId(nCaptionId), m_window(window) {}

void CPropertySheetEx::AddPage(std::unique_ptr<CPropertyPageEx> pPage) {
    pPage->Attach(this);
    m_pages.push_back(std::move(pPage));
}

CPropertyPageEx* CPropertySheetEx::FindPage(UINT nTemplateId) const {
    for (const auto& pPage : m_pages) {
        if (pPage->GetTemplateId() == nTemplateId) {
            return pPage.get();
        }
    }
    return nullptr;
}

void CPropertySheetEx::Start(int nStartPage) {
    m_bClosed = false;
    Activate(nStartPage);
}

int CPropertySheetEx::ResolveTarget(LONG nResult, int nStep) const {
    if (nResult == -1) {
        return -1;
    }
    if (nResult == 0) {
        const int nIndex = m_nActive + nStep;
        return nIndex >= 0 && nIndex < GetPageCount() ? nIndex : -1;
    }
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[i]->GetTemplateId() == static_cast<UINT>(nResult)) {
            return i;
        }
    }
    return -1;  // an unknown template number keeps the current page, as the platform does
}

bool CPropertySheetEx::Activate(int nIndex) {
    CPropertyPageEx* pPage = GetPage(nIndex);
    if (!pPage->HasWindow()) {
        pPage->SetControls(&m_window.CreatePageWindow(pPage->GetTemplateId()));
        pPage->OnInitDialog();
    }
    const int nPrevious = m_nActive;
    m_nActive = nIndex;
    if (!pPage->OnSetActive()) {
        m_nActive = nPrevious;
        return false;
    }
    return true;
}

void CPropertySheetEx::PressNext() {
    Navigate(+1);
}

void CPropertySheetEx::PressBack() {
    Navigate(-1);
}

LONG CPropertySheetEx::AskStep(int nStep) {
    CPropertyPageEx* pPage = GetActivePage();
    if (m_bClosed || pPage == nullptr) {
        return -1;
    }
    return nStep > 0 ? pPage->OnWizardNext() : pPage->OnWizardBack();
}

BOOL CPropertySheetEx::GetCtlColors(UINT nTemplateId, int nControlId, CCtlColors* pColors) const {
    CPropertyPageEx* pPage = FindPage(nTemplateId);
    return pPage != nullptr && pPage->OnCtlColor(nControlId, pColors);
}

void CPropertySheetEx::Navigate(int nStep) {
    if (m_bClosed || GetActivePage() == nullptr) {
        return;
    }
    const LONG nResult = AskStep(nStep);
    const int nTarget = ResolveTarget(nResult, nStep);
    if (nTarget >= 0) {
        Activate(nTarget);
    }
}

void CPropertySheetEx::PressFinish() {
    CPropertyPageEx* pPage = GetActivePage();
    if (m_bClosed || pPage == nullptr) {
        return;
    }
    if (pPage->OnWizardFinish()) {
        m_bClosed = true;
    }
}

void CPropertySheetEx::PressCancel() {
    CPropertyPageEx* pPage = GetActivePage();
    if (m_bClosed || pPage == nullptr) {
        return;
    }
    pPage->OnCancel();
    m_bClosed = true;
}

void CPropertySheetEx::PressHelp() {
    if (!m_bClosed && GetActivePage() != nullptr) {
        GetActivePage()->OnHelp();
    }
}

void CPropertySheetEx::PressPageButton(int nControlId) {
    if (!m_bClosed && GetActivePage() != nullptr) {
        GetActivePage()->OnCommand(nControlId);
    }
}
