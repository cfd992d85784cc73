#include "wizard/wizard_page.h"

#include "adapters/wzc_service.h"
#include "wizard/help.h"
#include "wizard/wizard_sheet.h"

CWizardPage::CWizardPage(UINT nTemplateId, UINT nCaptionId, UINT nHeaderTitleId, UINT nHeaderSubTitleId)
    : CPropertyPageEx(nTemplateId, nCaptionId, nHeaderTitleId, nHeaderSubTitleId),
      m_nTemplateId(nTemplateId) {
    m_dwFlags |= PSP_USEHEADERTITLE | PSP_USEHEADERSUBTITLE;
}

CWizardSheet& CWizardPage::Sheet() const {
    return static_cast<CWizardSheet&>(*GetParentSheet());
}

BOOL CWizardPage::OnSetActive() {
    SheetWindow().PostSetWizButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPageEx::OnSetActive();
}

LONG CWizardPage::OnWizardNext() {
    Sheet().m_history.push_back(this);
    Sheet().m_bWentBack = FALSE;
    return 0;
}

LONG CWizardPage::OnWizardBack() {
    return Sheet().PopHistory();
}

void CWizardPage::OnCancel() {
    if (g_bWzcStopped) {
        // Starting the service can take seconds: the user sees the wait, as for every service wait.
        CWaitCursor wait(SheetWindow());
        ControlWzcService(TRUE);
    }
}

void CWizardPage::OnHelp() {
    ShowHelpTopic(HelpTopic());
}

const char* CWizardPage::HelpTopic() const {
    return HELP_TOPIC_DEFAULT;
}
