// The supported-adapters page and the page shown when no adapter was ticked.
#pragma once

#include "res/resource_ids.h"
#include "wizard/wizard_page.h"

class CSupportedPage : public CWizardPage {
public:
    CSupportedPage();
    // Lists the supported adapters' names unless the page was reached by Back.
    BOOL OnSetActive() override;
    LONG OnWizardNext() override;
};

class CSelectOnePage : public CWizardPage {
public:
    CSelectOnePage();
    LONG OnWizardNext() override;
};
