// The adapter list page: the adapters found, sorted into possible (ticked) and unlikely (not
// ticked) candidates, and the user's choice of adapters to test.
#pragma once

#include <string>
#include <vector>

#include "adapters/adapter_descriptors.h"
#include "res/resource_ids.h"
#include "wizard/wizard_page.h"

// The four parallel lists of the adapters found (m_astrIds, m_astrNames, m_astrDescriptions,
// m_adwLikely) come from CAdapterDescriptors.
class CListPage : public CWizardPage, public CAdapterDescriptors {
public:
    CListPage();

    // Clears the four lists, runs EnumerateAdapters with the wait cursor, returns the number found.
    int DiscoverAdapters();
    // Ticked items of both lists.
    int GetCheckedCount() const;
    // The n-th ticked adapter (0 <= n < GetCheckedCount): possible candidates first, top to bottom.
    void GetCheckedAdapter(int n, std::string* pstrId, std::string* pstrName,
                           std::string* pstrDescription) const;

    // Refills the lists with their default ticks unless the page was reached by Back.
    BOOL OnSetActive() override;
    // Adapter test when anything is ticked, else the no-selection page.
    LONG OnWizardNext() override;

protected:
    // The discovery pass over the back ends; appends to the four lists.
    virtual void EnumerateAdapters();

private:
    ICheckListBox* Likely() const;
    ICheckListBox* Unlikely() const;
};
