// Base of every page except the welcome and thank-you pages: keeps the page history in the sheet so
// that Back returns to the page that led here, whatever path was taken.
#pragma once

#include "wizard/property_page.h"

class CWizardSheet;

class CWizardPage : public CPropertyPageEx {
public:
    CWizardPage(UINT nTemplateId, UINT nCaptionId, UINT nHeaderTitleId, UINT nHeaderSubTitleId);

    // Enables Back and Next.
    BOOL OnSetActive() override;
    // Pushes this page on the history and clears m_bWentBack; returns 0.
    LONG OnWizardNext() override;
    // Pops the history: 0 (previous page in order) when it is empty, else the popped page's number.
    LONG OnWizardBack() override;
    // Starts the configuration service again when this program stopped it.
    void OnCancel() override;
    // The sheet's Help button: the page's topic.
    void OnHelp() override;

    UINT m_nTemplateId;

protected:
    CWizardSheet& Sheet() const;
    // The help topic of the sheet's Help button on this page.
    virtual const char* HelpTopic() const;
};
