// The wizard sheet with its ten pages and the state every page shares: the page history, whether
// the current page was reached by Back, and the two pages that own data.
#pragma once

#include <memory>
#include <vector>

#include "adapter_page/adapter_page.h"
#include "pages/list_page.h"
#include "wizard/property_sheet.h"

class CWizardPage;
class CDibImage;

class CTolvaneSheet : public CPropertySheetEx {
public:
    // pListPage and pAdapterPage, when given, take the place of the default pages (tests supply
    // pages that discover or test without drivers); the sheet owns them.
    CTolvaneSheet(const CDibImage& watermark, const CDibImage& header, ISheetWindow& window,
                  std::unique_ptr<CListPage> pListPage = nullptr,
                  std::unique_ptr<CAdapterPage> pAdapterPage = nullptr);

    // F1 in the sheet opens the default topic; the message is reported as not handled.
    BOOL OnHelpInfo() override;

    // Back through the history, shared by CWizardPage and the thank-you page: 0 when the history is
    // empty, else the number of the page popped (and m_bWentBack set).
    LONG PopHistory();

    const CDibImage& Watermark() const { return m_watermark; }
    const CDibImage& Header() const { return m_header; }

    std::vector<CWizardPage*> m_history;
    BOOL m_bWentBack = FALSE;
    CListPage* m_pListPage = nullptr;
    CAdapterPage* m_pAdapterPage = nullptr;

private:
    const CDibImage& m_watermark;
    const CDibImage& m_header;
};
