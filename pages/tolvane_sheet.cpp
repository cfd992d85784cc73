#include "pages/tolvane_sheet.h"

#include "res/resource_ids.h"

CTolvaneSheet::CTolvaneSheet(const CDibImage& watermark, const CDibImage& header, ISheetWindow& window)
    : CWizardSheet(IDS_SHEET_CAPTION, watermark, header, window) {
    // Wizard97 look with both bitmaps stretched to their areas.
    m_dwHeaderFlags |= 0x42000;
}
