// The wizard's sheet as every page sees it: the page history that Back walks, whether the current
// page was reached by Back, the two banners, and F1's help topic. It knows no page.
#pragma once

#include <vector>

#include "wizard/property_sheet.h"

class CWizardPage;
class CDibImage;

class CWizardSheet : public CPropertySheetEx {
public:
    CWizardSheet(UINT nCaptionId, const CDibImage& watermark, const CDibImage& header, ISheetWindow& window);

    // F1 in the sheet opens the default topic; the message is reported as not handled.
    BOOL OnHelpInfo() override;

    // Back through the history, shared by CWizardPage and the thank-you page: 0 when the history is
    // empty, else the number of the page popped (and m_bWentBack set).
    LONG PopHistory();

    const CDibImage& Watermark() const { return m_watermark; }
    const CDibImage& Header() const { return m_header; }

    std::vector<CWizardPage*> m_history;
    BOOL m_bWentBack = FALSE;

private:
    const CDibImage& m_watermark;
    const CDibImage& m_header;
};
