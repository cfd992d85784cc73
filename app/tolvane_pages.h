// The ten pages of the wizard, added to its sheet in the order the sheet shows them.
#pragma once

#include <memory>

#include "adapter_page/adapter_page.h"
#include "pages/list_page.h"
#include "pages/tolvane_sheet.h"

// pListPage and pAdapterPage, when given, take the place of the default pages (tests supply pages
// that discover or test without drivers); the sheet owns them.
void AddTolvanePages(CTolvaneSheet& sheet, std::unique_ptr<CListPage> pListPage = nullptr,
                     std::unique_ptr<CAdapterPage> pAdapterPage = nullptr);
