#include "app/tolvane_pages.h"

#include "pages/info_pages.h"
#include "report/post_page.h"
#include "report/supported_pages.h"

void AddTolvanePages(CTolvaneSheet& sheet, std::unique_ptr<CListPage> pListPage,
                     std::unique_ptr<CAdapterPage> pAdapterPage) {
    if (!pListPage) {
        pListPage = std::make_unique<CListPage>();
    }
    if (!pAdapterPage) {
        pAdapterPage = std::make_unique<CAdapterPage>();
    }
    sheet.m_pListPage = pListPage.get();
    sheet.m_pAdapterPage = pAdapterPage.get();

    sheet.AddPage(std::make_unique<CWelcomePage>());
    sheet.AddPage(std::make_unique<CIntroPage>());
    sheet.AddPage(std::move(pListPage));
    sheet.AddPage(std::make_unique<CSelectOnePage>());
    sheet.AddPage(std::move(pAdapterPage));
    sheet.AddPage(std::make_unique<CSupportedPage>());
    sheet.AddPage(std::make_unique<CPostPage>());
    sheet.AddPage(std::make_unique<CNoneSupportedPage>());
    sheet.AddPage(std::make_unique<CNoneFoundPage>());
    sheet.AddPage(std::make_unique<CThankYouPage>());
}
