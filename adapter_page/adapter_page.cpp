#include "adapter_page/adapter_page.h"

#include "adapters/wzc_service.h"
#include "pages/list_page.h"
#include "pages/tolvane_sheet.h"
#include "res/resource_ids.h"

CAdapterPage::CAdapterPage()
    : CWizardPage(IDD_ADAPTER, IDS_PAGE_CAPTION, IDS_ADAPTER_TITLE, IDS_ADAPTER_SUBTITLE) {}

BOOL CAdapterPage::OnSetActive() {
    if (m_nCurrent >= static_cast<int>(m_results.size())) {
        CAdapterResult result;
        std::string strId, strName, strDescription;
        TolvaneSheetOf(Sheet()).m_pListPage->GetCheckedAdapter(m_nCurrent, &strId, &strName, &strDescription);
        TestAdapter(strId, strName, strDescription, &result);
        m_results.push_back(std::move(result));
    }
    const CAdapterResult& shown = m_results[m_nCurrent];
    m_strNameText = shown.m_strName;
    m_strSupportedText = shown.m_bSupported ? " Yes " : " No ";
    m_strRateText = shown.m_strScanRate;
    FillApList(*shown.m_pApRows);
    UpdateData();
    return CWizardPage::OnSetActive();
}

void CAdapterPage::UpdateData() {
    const std::pair<int, const std::string*> texts[] = {{IDC_ADAPTER_NAME, &m_strNameText},
                                                        {IDC_SUPPORTED_TEXT, &m_strSupportedText},
                                                        {IDC_SCAN_RATE, &m_strRateText}};
    for (const auto& [nId, pstrText] : texts) {
        if (IControl* pControl = Controls().GetDlgItem(nId)) {
            pControl->SetWindowText(*pstrText);
        }
    }
}

LONG CAdapterPage::OnWizardNext() {
    CWizardPage::OnWizardNext();
    if (m_nCurrent < TolvaneSheetOf(Sheet()).m_pListPage->GetCheckedCount() - 1) {
        ++m_nCurrent;
        return IDD_ADAPTER;
    }
    {
        CWaitCursor wait(SheetWindow());
        if (g_bWzcStopped) {
            ControlWzcService(TRUE);
        }
    }
    for (const CAdapterResult& result : m_results) {
        if (result.m_bSupported) {
            return IDD_SUPPORTED;
        }
    }
    return IDD_NONE_SUPPORTED;
}

LONG CAdapterPage::OnWizardBack() {
    if (m_nCurrent > 0) {
        --m_nCurrent;
    } else {
        m_results.clear();
    }
    return CWizardPage::OnWizardBack();
}

BOOL CAdapterPage::OnCtlColor(int nControlId, CCtlColors* pColors) {
    if (nControlId != IDC_SUPPORTED_TEXT) {
        return FALSE;
    }
    pColors->crText = RGB(255, 255, 255);
    pColors->crTextBack = RGB(0, 192, 0);
    return TRUE;
}
