#include "wizard/wizard_sheet.h"

#include "res/resource_ids.h"
#include "wizard/help.h"
#include "wizard/wizard_page.h"

CWizardSheet::CWizardSheet(UINT nCaptionId, const CDibImage& watermark, const CDibImage& header,
                           ISheetWindow& window)
    : CPropertySheetEx(nCaptionId, window), m_watermark(watermark), m_header(header) {}

BOOL CWizardSheet::OnHelpInfo() {
    ShowHelpTopic(HELP_TOPIC_DEFAULT);
    return FALSE;
}

LONG CWizardSheet::PopHistory() {
    if (m_history.empty()) {
        return 0;
    }
    CWizardPage* pTop = m_history.back();
    m_history.pop_back();
    m_bWentBack = TRUE;
    return static_cast<LONG>(pTop->m_nTemplateId);
}
