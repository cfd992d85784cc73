// The results page: the table of results, the Windows version, the reporter's optional fields and
// the check box that sends the report.
#pragma once

#include <string>
#include <vector>

#include "adapter_page/adapter_result.h"
#include "report/upload.h"
#include "res/resource_ids.h"
#include "wizard/wizard_page.h"

// The text of both optional edits until the user types over it; sent as an empty value.
inline constexpr char OPTIONAL_TEXT[] = "<Optional>";

// A signal in dBm as "%d", or "" when it is nNone (INT_MIN for the maximum, INT_MAX for the minimum:
// no access point was seen).
std::string FormatDbm(int nDbm, int nNone);

class CPostPage : public CWizardPage {
public:
    CPostPage();
    // Grid lines, full-row selection and the five result columns; the check box names the server.
    BOOL OnInitDialog() override;
    // Reached by Next: the table and the Windows version are rebuilt (the check box ticked on the
    // first visit). Reached by Back: the page shows what it showed when it was left.
    BOOL OnSetActive() override;
    // Thank-you page unless posting was asked for and failed.
    LONG OnWizardNext() override;
    // Keeps what the user typed and ticked for the page's next visit.
    LONG OnWizardBack() override;

    // The Windows version: "major.minor.build", followed by " (service pack)" when there is one.
    static std::string FormatOsVersion();
    // Fills the results table, one row per result, and sizes its columns.
    void FillResults(const std::vector<CAdapterResult>& results);
    // Sends the report; TRUE when the server took it. On failure the check box is cleared and the
    // user is told.
    BOOL UploadResults(const std::vector<CAdapterResult>& results);

    BOOL m_bFirstVisit = TRUE;
    std::string m_strReportedBy = OPTIONAL_TEXT;
    std::string m_strEmail = OPTIONAL_TEXT;
    BOOL m_bPost = FALSE;
    std::string m_strOsVersion;
    CReportServer m_server;

private:
    // Fields ↔ controls (UpdateData).
    void UpdateData(BOOL bSaveAndValidate);
};
