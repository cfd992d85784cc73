#include "ui/model/model_host.h"

#include <algorithm>

#include "wizard/property_sheet.h"

IPageControls& CModelHost::CreatePageWindow(UINT nTemplateId) {
    auto& pPage = m_pages[nTemplateId];
    pPage = std::make_unique<CModelPage>(nTemplateId);
    return *pPage;
}

void CModelHost::RemoveProgressWindow(CModelProgressWindow* pWindow) {
    m_apProgress.erase(std::remove(m_apProgress.begin(), m_apProgress.end(), pWindow), m_apProgress.end());
}

void CModelHost::Open(CPropertySheetEx& sheet) {
    m_pSheet = &sheet;
    sheet.Start();
}

bool CModelHost::Next() {
    if (IsClosed() || !(m_dwButtons & PSWIZB_NEXT)) {
        return false;
    }
    m_pSheet->PressNext();
    return true;
}

bool CModelHost::Back() {
    if (IsClosed() || !(m_dwButtons & PSWIZB_BACK)) {
        return false;
    }
    m_pSheet->PressBack();
    return true;
}

bool CModelHost::Finish() {
    if (IsClosed() || !(m_dwButtons & PSWIZB_FINISH)) {
        return false;
    }
    m_pSheet->PressFinish();
    return true;
}

bool CModelHost::Cancel() {
    if (IsClosed()) {
        return false;
    }
    m_pSheet->PressCancel();
    return true;
}

bool CModelHost::Help() {
    if (IsClosed()) {
        return false;
    }
    m_pSheet->PressHelp();
    return true;
}

void CModelHost::F1() {
    if (!IsClosed()) {
        m_pSheet->OnHelpInfo();
    }
}

void CModelHost::Click(int nControlId) {
    if (!IsClosed()) {
        m_pSheet->PressPageButton(nControlId);
    }
}

UINT CModelHost::CurrentPage() const {
    const CPropertyPageEx* pPage = m_pSheet ? m_pSheet->GetActivePage() : nullptr;
    return pPage ? pPage->GetTemplateId() : 0;
}

bool CModelHost::IsClosed() const {
    return m_pSheet == nullptr || m_pSheet->IsClosed();
}

CModelPage* CModelHost::Page(UINT nTemplateId) {
    auto it = m_pages.find(nTemplateId);
    return it == m_pages.end() ? nullptr : it->second.get();
}

bool CModelHost::CtlColors(UINT nTemplateId, int nId, CCtlColors* pColors) const {
    return m_pSheet != nullptr && m_pSheet->GetCtlColors(nTemplateId, nId, pColors);
}
