#include "report/post_page.h"

#include <climits>

#include "adapter_page/adapter_page.h"
#include "adapter_page/ap_list.h"
#include "pages/tolvane_sheet.h"
#include "pages/vendor_texts.h"
#include "platform/os.h"
#include "res/resource_ids.h"

namespace {
const std::vector<std::string> RESULT_HEADINGS = {"Supported", "Name", "Scan Rate", "Max dBm", "Min dBm"};
constexpr int RESULT_COLUMN_NAME = 1;

// Field ↔ edit text.
void ExchangeText(IPageControls& controls, int nId, std::string* pstrField, BOOL bSaveAndValidate) {
    IControl* pEdit = controls.GetDlgItem(nId);
    if (pEdit == nullptr) {
        return;
    }
    if (bSaveAndValidate) {
        *pstrField = pEdit->GetWindowText();
    } else {
        pEdit->SetWindowText(*pstrField);
    }
}
}  // namespace

std::string FormatDbm(int nDbm, int nNone) {
    return nDbm == nNone ? "" : std::to_string(nDbm);
}

CPostPage::CPostPage() : CWizardPage(IDD_POST, IDS_PAGE_CAPTION, IDS_POST_TITLE, IDS_POST_SUBTITLE) {}

BOOL CPostPage::OnInitDialog() {
    if (IListView* pList = Controls().ListView(IDC_RESULTS_LIST)) {
        SetUpReportList(*pList, RESULT_HEADINGS);
    }
    FillVendorTexts(Controls(), IDD_POST);
    return TRUE;
}

void CPostPage::UpdateData(BOOL bSaveAndValidate) {
    ExchangeText(Controls(), IDC_REPORTED_BY, &m_strReportedBy, bSaveAndValidate);
    ExchangeText(Controls(), IDC_EMAIL, &m_strEmail, bSaveAndValidate);
    ExchangeText(Controls(), IDC_OS_VERSION, &m_strOsVersion, bSaveAndValidate);
    if (ICheckBox* pPost = Controls().CheckBox(IDC_POST_CHECK)) {
        if (bSaveAndValidate) {
            m_bPost = pPost->GetCheck() == BST_CHECKED;
        } else {
            pPost->SetCheck(m_bPost ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

BOOL CPostPage::OnSetActive() {
    if (!Sheet().m_bWentBack) {
        m_strOsVersion = FormatOsVersion();
        FillResults(TolvaneSheetOf(Sheet()).m_pAdapterPage->m_results);
        if (m_bFirstVisit) {
            m_bPost = TRUE;
        }
    }
    UpdateData(FALSE);
    m_bFirstVisit = FALSE;
    return CWizardPage::OnSetActive();
}

LONG CPostPage::OnWizardNext() {
    CWizardPage::OnWizardNext();
    UpdateData(TRUE);
    if (!m_bPost || UploadResults(TolvaneSheetOf(Sheet()).m_pAdapterPage->m_results)) {
        return IDD_THANK_YOU;
    }
    return IDD_POST;
}

LONG CPostPage::OnWizardBack() {
    // What the platform's page does when it is left: the controls are read into the fields, so
    // that the next activation writes back what the user left (a cleared tick included).
    UpdateData(TRUE);
    return CWizardPage::OnWizardBack();
}

std::string CPostPage::FormatOsVersion() {
    COsVersionInfo info;
    Os().System().GetVersionEx(&info);
    std::string strText = std::to_string(static_cast<int>(info.dwMajorVersion)) + "." +
                          std::to_string(static_cast<int>(info.dwMinorVersion)) + "." +
                          std::to_string(static_cast<int>(info.dwBuildNumber));
    if (!info.strCSDVersion.empty()) {
        strText += " (" + info.strCSDVersion + ")";
    }
    return strText;
}

void CPostPage::FillResults(const std::vector<CAdapterResult>& results) {
    IListView* pList = Controls().ListView(IDC_RESULTS_LIST);
    if (pList == nullptr) {
        return;
    }
    IListView& list = *pList;
    std::vector<int> anWidths = StartRefill(list, RESULT_HEADINGS);
    for (std::size_t i = 0; i < results.size(); ++i) {
        const CAdapterResult& result = results[i];
        const int nItem = static_cast<int>(i);
        const std::string astrCells[] = {result.m_bSupported ? "Yes" : "No", result.m_strName,
                                         result.m_strScanRate, FormatDbm(result.m_nMaxSignal, INT_MIN),
                                         FormatDbm(result.m_nMinSignal, INT_MAX)};
        list.InsertItem(nItem, astrCells[0], 0);
        for (std::size_t c = 0; c < std::size(astrCells); ++c) {
            if (c > 0) {
                list.SetItemText(nItem, static_cast<int>(c), astrCells[c]);
            }
            WidenToText(list, &anWidths[c], astrCells[c]);
        }
    }
    FitColumnWidths(list, anWidths, RESULT_COLUMN_NAME, RESULT_HEADINGS[RESULT_COLUMN_NAME]);
}
