#include "report/post_page.h"

#include "app/page_ids.h"
#include "app/tolvane_sheet.h"
#include "app/vendor_texts.h"

CPostPage::CPostPage() : CWizardPage(IDD_POST, IDS_PAGE_CAPTION, IDS_POST_TITLE, IDS_POST_SUBTITLE) {}

BOOL CPostPage::OnInitDialog() {
    FillVendorTexts(Controls(), IDD_POST);
    return TRUE;
}

void CPostPage::UpdateData(BOOL bSaveAndValidate) {
    ICheckBox* pPost = Controls().CheckBox(IDC_POST_CHECK);
    if (pPost == nullptr) {
        return;
    }
    if (bSaveAndValidate) {
        m_bPost = pPost->GetCheck() == BST_CHECKED;
    } else {
        pPost->SetCheck(m_bPost ? BST_CHECKED : BST_UNCHECKED);
    }
}

BOOL CPostPage::OnSetActive() {
    // The results table, the Windows version and the first-visit tick arrive with the report
    // upload; until then nothing is posted.
    UpdateData(FALSE);
    m_bFirstVisit = FALSE;
    return CWizardPage::OnSetActive();
}

LONG CPostPage::OnWizardNext() {
    CWizardPage::OnWizardNext();
    UpdateData(TRUE);
    return IDD_THANK_YOU;
}
