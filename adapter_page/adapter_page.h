// The adapter test page: tests the ticked adapters one per visit and shows each one's result.
#pragma once

#include <string>
#include <vector>

#include "adapter_page/adapter_result.h"
#include "adapters/wlan_adapter.h"
#include "res/resource_ids.h"
#include "ui/controls.h"
#include "wizard/wizard_page.h"

// Fields of an access point row ("|"-separated). The SSID is last and may itself hold "|": it is
// always read from AP_FIELD_SSID to the end of the row.
constexpr int AP_FIELD_BSSID = 0;
constexpr int AP_FIELD_CHANNEL = 1;
constexpr int AP_FIELD_SIGNAL = 2;
constexpr int AP_FIELD_ASSOC = 3;
constexpr int AP_FIELD_SECURITY = 4;
constexpr int AP_FIELD_MODE = 5;
constexpr int AP_FIELD_APNAME = 6;
constexpr int AP_FIELD_SSID = 7;

class CAdapterPage : public CWizardPage {
public:
    CAdapterPage();

    // Grid lines, full-row selection and the eight columns of the access point list.
    BOOL OnInitDialog() override;
    // Tests the current adapter on its first visit, then shows its result.
    BOOL OnSetActive() override;
    // This page again for the next ticked adapter; after the last one the supported page, or the
    // troubleshooting page when nothing was supported.
    LONG OnWizardNext() override;
    // The previous adapter's stored result; from the first adapter, discards all results.
    LONG OnWizardBack() override;
    // The verdict is white on green, whatever it says.
    BOOL OnCtlColor(int nControlId, CCtlColors* pColors) override;

    // Appends one row per access point of a scan result set. The associated BSS (abAssocBssid on
    // nAssocChannel) is marked "Yes". Stops at the end of the shortest of the five lists.
    static void FormatApRows(const BYTE abAssocBssid[BSSID_LENGTH], short nAssocChannel,
                             const CAccessPointList& accessPoints, const CBssKeyList& keys,
                             const CDwordArray& adwSecurity, const CDwordArray& adwModes,
                             const CApNameArray& astrApNames, std::vector<std::string>* pastrRows);
    // Replaces the list's items with the rows, sizes the columns, sorts and numbers them. Each
    // item's data points at its row, so the rows must stay unchanged while the list shows them.
    void FillApList(const std::vector<std::string>& astrRows);
    // The list's sort order (LVM_SORTITEMS): AP name and SSID, then MAC, then channel as text,
    // ignoring the case of ASCII letters. lParamA and lParamB point at the rows; lParamSort unused.
    static int NIMBREL_CALLBACK CompareApRows(LPARAM lParamA, LPARAM lParamB, LPARAM lParamSort);

    std::vector<CAdapterResult> m_results;
    int m_nCurrent = 0;
    std::string m_strNameText;
    std::string m_strSupportedText;
    std::string m_strRateText;

protected:
    // Tests one adapter and fills *pResult; failures show only in the result.
    virtual void TestAdapter(std::string strId, std::string strName, std::string strDescription,
                             CAdapterResult* pResult);

private:
    // The name, verdict and scan rate texts to their controls (UpdateData(FALSE); the edits are
    // read-only, so nothing comes back).
    void UpdateData();
};
