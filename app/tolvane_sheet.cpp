#include "app/tolvane_sheet.h"

#include "app/help.h"
#include "app/info_pages.h"
#include "app/list_page.h"
#include "app/supported_pages.h"
#include "report/post_page.h"
#include "res/resource_ids.h"
#include "test/adapter_page.h"

CTolvaneSheet::CTolvaneSheet(const CDibImage& watermark, const CDibImage& header, ISheetWindow& window,
                             std::unique_ptr<CListPage> pListPage, std::unique_ptr<CAdapterPage> pAdapterPage)
    : CPropertySheetEx(IDS_SHEET_CAPTION, window), m_watermark(watermark), m_header(header) {
    if (!pListPage) {
        pListPage = std::make_unique<CListPage>();
    }
    if (!pAdapterPage) {
        pAdapterPage = std::make_unique<CAdapterPage>();
    }
    m_pListPage = pListPage.get();
    m_pAdapterPage = pAdapterPage.get();

    AddPage(std::make_unique<CWelcomePage>());
    AddPage(std::make_unique<CIntroPage>());
    AddPage(std::move(pListPage));
    AddPage(std::make_unique<CSelectOnePage>());
    AddPage(std::move(pAdapterPage));
    AddPage(std::make_unique<CSupportedPage>());
    AddPage(std::make_unique<CPostPage>());
    AddPage(std::make_unique<CNoneSupportedPage>());
    AddPage(std::make_unique<CNoneFoundPage>());
    AddPage(std::make_unique<CThankYouPage>());

    // Wizard97 look with both bitmaps stretched to their areas.
    m_dwHeaderFlags |= 0x42000;
}

BOOL CTolvaneSheet::OnHelpInfo() {
    ShowHelpTopic(HELP_TOPIC_DEFAULT);
    return FALSE;
}

LONG CTolvaneSheet::PopHistory() {
    if (m_history.empty()) {
        return 0;
    }
    CWizardPage* pTop = m_history.back();
    m_history.pop_back();
    m_bWentBack = TRUE;
    return static_cast<LONG>(pTop->m_nTemplateId);
}
