#include "report/supported_pages.h"

#include "adapter_page/adapter_page.h"
#include "pages/tolvane_sheet.h"
#include "res/resource_ids.h"

CSupportedPage::CSupportedPage()
    : CWizardPage(IDD_SUPPORTED, IDS_PAGE_CAPTION, IDS_SUPPORTED_TITLE, IDS_SUPPORTED_SUBTITLE) {}

BOOL CSupportedPage::OnSetActive() {
    if (!Sheet().m_bWentBack) {
        IListBox* pList = Controls().ListBox(IDC_SUPPORTED_LIST);
        while (pList->GetCount() != 0) {
            pList->DeleteString(0);
        }
        for (const CAdapterResult& result : TolvaneSheetOf(Sheet()).m_pAdapterPage->m_results) {
            if (result.m_bSupported) {
                pList->AddString(result.m_strName);
            }
        }
    }
    return CWizardPage::OnSetActive();
}

LONG CSupportedPage::OnWizardNext() {
    CWizardPage::OnWizardNext();
    return IDD_POST;
}

CSelectOnePage::CSelectOnePage()
    : CWizardPage(IDD_SELECT_ONE, IDS_PAGE_CAPTION, IDS_SELECT_ONE_TITLE, IDS_SELECT_ONE_SUBTITLE) {}

LONG CSelectOnePage::OnWizardNext() {
    CWizardPage::OnWizardNext();
    return IDD_NONE_SUPPORTED;
}
