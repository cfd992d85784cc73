#include "app/vendor_texts.h"

#include <string>

#include "app/vendor.h"
#include "resources/resource_script.h"

namespace {
struct CVendorText {
    UINT nTemplateId;
    int nControlId;
    const char* pszValue;
};

constexpr CVendorText VENDOR_TEXTS[] = {
    {104, 1021, VENDOR_URL},  {113, 1022, SUPPORT_EMAIL}, {112, 1023, SUPPORT_EMAIL},
    {112, 1002, VENDOR_HOST}, {111, 1009, VENDOR_HOST},
};
}  // namespace

void FillVendorTexts(IPageControls& controls, UINT nTemplateId) {
    const CDialogTemplate* pTemplate = Resources().FindDialog(nTemplateId);
    if (pTemplate == nullptr) {
        return;
    }
    for (const CVendorText& entry : VENDOR_TEXTS) {
        const CDialogControl* pControl = pTemplate->FindControl(entry.nControlId);
        IControl* pWindow = controls.GetDlgItem(entry.nControlId);
        if (entry.nTemplateId != nTemplateId || pControl == nullptr || pWindow == nullptr) {
            continue;
        }
        std::string strText = pControl->m_strText;
        const auto nAt = strText.find("%s");
        if (nAt != std::string::npos) {
            strText.replace(nAt, 2, entry.pszValue);
        }
        pWindow->SetWindowText(strText);
    }
}
