// The adapter test page: tests the ticked adapters one per visit and shows each one's result.
#pragma once

#include <string>
#include <vector>

#include "app/wizard_page.h"
#include "test/adapter_result.h"

class CAdapterPage : public CWizardPage {
public:
    CAdapterPage();

    // Tests the current adapter on its first visit, then shows its result.
    BOOL OnSetActive() override;
    // This page again for the next ticked adapter; after the last one the supported page, or the
    // troubleshooting page when nothing was supported.
    LONG OnWizardNext() override;
    // The previous adapter's stored result; from the first adapter, discards all results.
    LONG OnWizardBack() override;

    std::vector<CAdapterResult> m_results;
    int m_nCurrent = 0;
    std::string m_strNameText;
    std::string m_strSupportedText;
    std::string m_strRateText;

protected:
    // Tests one adapter and fills *pResult; failures show only in the result.
    virtual void TestAdapter(std::string strId, std::string strName, std::string strDescription,
                             CAdapterResult* pResult);
};
