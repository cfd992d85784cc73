// The results page: the table of results, the Windows version, the reporter's optional fields and
// the check box that sends the report.
#pragma once

#include <string>

#include "app/wizard_page.h"

constexpr int IDC_POST_CHECK = 1009;

class CPostPage : public CWizardPage {
public:
    CPostPage();
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // Thank-you page unless posting was asked for and failed.
    LONG OnWizardNext() override;

    BOOL m_bFirstVisit = TRUE;
    std::string m_strReportedBy = "<Optional>";
    std::string m_strEmail = "<Optional>";
    BOOL m_bPost = FALSE;
    std::string m_strOsVersion;

private:
    // Fields ↔ controls (UpdateData).
    void UpdateData(BOOL bSaveAndValidate);
};
