#include "pages/info_pages.h"

#include "adapters/wzc_service.h"
#include "pages/list_page.h"
#include "pages/tolvane_sheet.h"
#include "pages/vendor.h"
#include "pages/vendor_texts.h"
#include "platform/os.h"
#include "res/resource_ids.h"
#include "wizard/help.h"

CWelcomePage::CWelcomePage() : CPropertyPageEx(IDD_WELCOME) {
    m_dwFlags |= PSP_HIDEHEADER;
}

BOOL CWelcomePage::OnInitDialog() {
    FillVendorTexts(Controls(), IDD_WELCOME);
    return TRUE;
}

BOOL CWelcomePage::OnSetActive() {
    SheetWindow().PostSetWizButtons(PSWIZB_NEXT);
    return TRUE;
}

void CWelcomePage::OnHelp() {
    ShowHelpTopic(HELP_TOPIC_DEFAULT);
}

CIntroPage::CIntroPage() : CWizardPage(IDD_INTRO, IDS_PAGE_CAPTION, IDS_INTRO_TITLE, IDS_INTRO_SUBTITLE) {}

LONG CIntroPage::OnWizardNext() {
    const int nCount = TolvaneSheetOf(Sheet()).m_pListPage->DiscoverAdapters();
    CWizardPage::OnWizardNext();
    return nCount <= 0 ? IDD_NONE_FOUND : IDD_LIST;
}

void CIntroPage::OnCommand(int nControlId) {
    if (nControlId == IDC_INTRO_HELP) {
        ShowHelpTopic(HELP_TOPIC_TROUBLESHOOT);
    }
}

const char* CIntroPage::HelpTopic() const {
    return HELP_TOPIC_TROUBLESHOOT;
}

CNoneFoundPage::CNoneFoundPage()
    : CWizardPage(IDD_NONE_FOUND, IDS_PAGE_CAPTION, IDS_NONE_FOUND_TITLE, IDS_NONE_FOUND_SUBTITLE) {}

BOOL CNoneFoundPage::OnInitDialog() {
    FillVendorTexts(Controls(), IDD_NONE_FOUND);
    return TRUE;
}

LONG CNoneFoundPage::OnWizardNext() {
    CWizardPage::OnWizardNext();
    return IDD_THANK_YOU;
}

CNoneSupportedPage::CNoneSupportedPage()
    : CWizardPage(IDD_NONE_SUPPORTED, IDS_PAGE_CAPTION, IDS_NONE_SUPPORTED_TITLE,
                  IDS_NONE_SUPPORTED_SUBTITLE) {}

LONG CNoneSupportedPage::OnWizardNext() {
    CWizardPage::OnWizardNext();
    return TolvaneSheetOf(Sheet()).m_pListPage->GetCheckedCount() <= 0 ? IDD_THANK_YOU : IDD_POST;
}

void CNoneSupportedPage::OnCommand(int nControlId) {
    if (nControlId == IDC_TIPS_HELP) {
        ShowHelpTopic(HELP_TOPIC_TROUBLESHOOT);
    }
}

const char* CNoneSupportedPage::HelpTopic() const {
    return HELP_TOPIC_TROUBLESHOOT;
}

CThankYouPage::CThankYouPage()
    : CPropertyPageEx(IDD_THANK_YOU, IDS_PAGE_CAPTION, IDS_THANK_YOU_TITLE, IDS_THANK_YOU_SUBTITLE) {
    m_dwFlags |= PSP_USEHEADERTITLE;
}

CWizardSheet& CThankYouPage::Sheet() const {
    return static_cast<CWizardSheet&>(*GetParentSheet());
}

BOOL CThankYouPage::OnInitDialog() {
    FillVendorTexts(Controls(), IDD_THANK_YOU);
    return TRUE;
}

BOOL CThankYouPage::OnSetActive() {
    SheetWindow().PostSetWizButtons(PSWIZB_BACK | PSWIZB_FINISH);
    SheetWindow().SetFinishText("Exit");
    return TRUE;
}

LONG CThankYouPage::OnWizardBack() {
    return Sheet().PopHistory();
}

BOOL CThankYouPage::OnWizardFinish() {
    if (g_bWzcStopped) {
        CWaitCursor wait(SheetWindow());
        ControlWzcService(TRUE);
    }
    return TRUE;
}

void CThankYouPage::OnHelp() {
    ShowHelpTopic(HELP_TOPIC_DEFAULT);
}

void CThankYouPage::OnCommand(int nControlId) {
    if (nControlId != IDC_WEB_SITE) {
        return;
    }
    CWaitCursor wait(SheetWindow());
    if (Os().Shell().ShellExecute(VENDOR_URL, SW_SHOWNORMAL) <= 32) {
        SheetWindow().MessageBox(
            std::string("Could not launch your default browser.  Please load your browser and go to ") +
                VENDOR_HOST + ".",
            MB_OK);
    }
}
