// The wizard sheet of this program: the framework's sheet with the two pages that own data, which
// the other pages read (the adapters ticked on the list page, the results of the adapter page).
// app/tolvane_pages.h adds its ten pages.
#pragma once

#include "wizard/wizard_sheet.h"

class CListPage;
class CAdapterPage;

class CTolvaneSheet : public CWizardSheet {
public:
    CTolvaneSheet(const CDibImage& watermark, const CDibImage& header, ISheetWindow& window);

    CListPage* m_pListPage = nullptr;
    CAdapterPage* m_pAdapterPage = nullptr;
};

// A page's sheet (CWizardPage::Sheet()) as this wizard's: where a page finds the pages that own data.
inline CTolvaneSheet& TolvaneSheetOf(CWizardSheet& sheet) {
    return static_cast<CTolvaneSheet&>(sheet);
}
