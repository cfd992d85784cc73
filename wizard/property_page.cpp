#include "wizard/property_page.h"

#include "wizard/property_sheet.h"

CPropertyPageEx::CPropertyPageEx(UINT nTemplateId, UINT nCaptionId, UINT nHeaderTitleId,
                                 UINT nHeaderSubTitleId)
    : m_nIDTemplate(nTemplateId),
      m_nCaptionId(nCaptionId),
      m_nHeaderTitleId(nHeaderTitleId),
      m_nHeaderSubTitleId(nHeaderSubTitleId) {}

ISheetWindow& CPropertyPageEx::SheetWindow() const {
    return m_pSheet->Window();
}
