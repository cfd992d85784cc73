// Classes: CWelcomePage, CIntroPage, CNoneFoundPage, CNoneSupportedPage, CThankYouPage.
// The pages that only inform and route: welcome, instructions, no adapters found, troubleshooting
// tips and thank you.
#pragma once

#include "wizard/property_page.h"
#include "wizard/wizard_page.h"

class CWizardSheet;

class CWelcomePage : public CPropertyPageEx {
public:
    CWelcomePage();
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void OnHelp() override;
};

class CIntroPage : public CWizardPage {
public:
    CIntroPage();
    // Discovers the adapters; none → no-adapters page, else the adapter list.
    LONG OnWizardNext() override;
    void OnCommand(int nControlId) override;

protected:
    const char* HelpTopic() const override;
};

class CNoneFoundPage : public CWizardPage {
public:
    CNoneFoundPage();
    BOOL OnInitDialog() override;
    LONG OnWizardNext() override;
};

class CNoneSupportedPage : public CWizardPage {
public:
    CNoneSupportedPage();
    // Thank-you page when nothing was ticked, else the results page.
    LONG OnWizardNext() override;
    void OnCommand(int nControlId) override;

protected:
    const char* HelpTopic() const override;
};

class CThankYouPage : public CPropertyPageEx {
public:
    CThankYouPage();
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // The history Back: returns to the page from which this page was reached.
    LONG OnWizardBack() override;
    // Starts the configuration service again when this program stopped it.
    BOOL OnWizardFinish() override;
    void OnHelp() override;
    void OnCommand(int nControlId) override;

private:
    CWizardSheet& Sheet() const;
};
