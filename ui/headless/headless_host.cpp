#include "ui/headless/headless_host.h"

#include <algorithm>

#include "pages/tolvane_sheet.h"
#include "wizard/property_sheet.h"

int CHeadlessHost::MessageBox(const std::string& strText, UINT nType) {
    m_astrMessages.push_back(strText);
    m_anMessageTypes.push_back(nType);
    m_abWaitAtMessage.push_back(m_nWaitDepth > 0);
    return (nType & MB_YESNO) == MB_YESNO ? m_nYesNoAnswer : IDOK;
}

void CHeadlessHost::BeginWaitCursor() {
    if (m_nWaitDepth++ == 0) {
        ++m_nWaitShows;
    }
}

IPageControls& CHeadlessHost::CreatePageWindow(UINT nTemplateId) {
    auto& pPage = m_pages[nTemplateId];
    pPage = std::make_unique<CHeadlessPage>(nTemplateId);
    return *pPage;
}

std::unique_ptr<IProgressWindow> CHeadlessHost::CreateProgressWindow() {
    return std::make_unique<CHeadlessProgressWindow>(*this);
}

void CHeadlessHost::RemoveProgressWindow(CHeadlessProgressWindow* pWindow) {
    m_apProgress.erase(std::remove(m_apProgress.begin(), m_apProgress.end(), pWindow), m_apProgress.end());
}

void CHeadlessHost::Open(CPropertySheetEx& sheet) {
    m_pSheet = &sheet;
    sheet.Start();
}

BOOL CHeadlessHost::RunModal(CTolvaneSheet& sheet) {
    Open(sheet);
    if (m_fnScript) {
        m_fnScript(*this);
    }
    Detach();
    return TRUE;
}

bool CHeadlessHost::Next() {
    if (IsClosed() || !(m_dwButtons & PSWIZB_NEXT)) {
        return false;
    }
    m_pSheet->PressNext();
    return true;
}

bool CHeadlessHost::Back() {
    if (IsClosed() || !(m_dwButtons & PSWIZB_BACK)) {
        return false;
    }
    m_pSheet->PressBack();
    return true;
}

bool CHeadlessHost::Finish() {
    if (IsClosed() || !(m_dwButtons & PSWIZB_FINISH)) {
        return false;
    }
    m_pSheet->PressFinish();
    return true;
}

bool CHeadlessHost::Cancel() {
    if (IsClosed()) {
        return false;
    }
    m_pSheet->PressCancel();
    return true;
}

bool CHeadlessHost::Help() {
    if (IsClosed()) {
        return false;
    }
    m_pSheet->PressHelp();
    return true;
}

void CHeadlessHost::F1() {
    if (!IsClosed()) {
        m_pSheet->OnHelpInfo();
    }
}

void CHeadlessHost::Click(int nControlId) {
    if (!IsClosed()) {
        m_pSheet->PressPageButton(nControlId);
    }
}

UINT CHeadlessHost::CurrentPage() const {
    const CPropertyPageEx* pPage = m_pSheet ? m_pSheet->GetActivePage() : nullptr;
    return pPage ? pPage->GetTemplateId() : 0;
}

bool CHeadlessHost::IsClosed() const {
    return m_pSheet == nullptr || m_pSheet->IsClosed();
}

CHeadlessPage* CHeadlessHost::Page(UINT nTemplateId) {
    auto it = m_pages.find(nTemplateId);
    return it == m_pages.end() ? nullptr : it->second.get();
}

bool CHeadlessHost::CtlColors(UINT nTemplateId, int nId, CCtlColors* pColors) const {
    return m_pSheet != nullptr && m_pSheet->GetCtlColors(nTemplateId, nId, pColors);
}
