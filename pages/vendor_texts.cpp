#include "pages/vendor_texts.h"

#include <string>

#include "pages/vendor.h"
#include "res/resource_ids.h"
#include "resources/resource_script.h"

namespace {
struct CVendorText {
    UINT nTemplateId;
    int nControlId;
    const char* pszValue;
};

constexpr CVendorText VENDOR_TEXTS[] = {
    {IDD_WELCOME, IDC_WELCOME_WEB, VENDOR_URL},
    {IDD_NONE_FOUND, IDC_NONEFOUND_EMAIL, SUPPORT_EMAIL},
    {IDD_THANK_YOU, IDC_THANKYOU_EMAIL, SUPPORT_EMAIL},
    {IDD_THANK_YOU, IDC_WEB_SITE, VENDOR_HOST},
    {IDD_POST, IDC_POST_CHECK, VENDOR_HOST},
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
