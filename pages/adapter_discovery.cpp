// Discovery of the list page: the ORiNOCO probe, then the adapters of the back end that suits the
// Windows version.
#include <algorithm>
#include <cctype>

#include "adapters/adapter_descriptors.h"
#include "adapters/lucent/lucent_adapter.h"
#include "adapters/ndis51/ndis51_adapter.h"
#include "adapters/wlan_api/wifi_api_adapter.h"
#include "pages/list_page.h"
#include "platform/os.h"
#include "ui/sheet_window.h"

namespace {
// The card's own NDIS entry, which the ORiNOCO probe has listed already.
bool IsOrinocoEntry(std::string strDescription) {
    std::transform(strDescription.begin(), strDescription.end(), strDescription.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
    return strDescription.find("ORINOCO WIRELESS LAN PC CARD (5 VOLT)") != std::string::npos ||
           strDescription.find("ORINOCO PC CARD (5 VOLT)") != std::string::npos;
}

bool IsWirelessMedium(CWlanAdapter& adapter) {
    DWORD dwMedium = 0;
    return adapter.GetPhysicalMedium(&dwMedium) == QUERY_OK &&
           (dwMedium == PHYSICAL_MEDIUM_WIRELESS_LAN || dwMedium == PHYSICAL_MEDIUM_NATIVE_802_11);
}
}  // namespace

void CListPage::EnumerateAdapters() {
    CLucentAdapter lucent;
    CNdis51Adapter ndis;
    CWiFiApiAdapter wifi;
    std::string strName;
    std::string strDescription;

    const bool bOrinoco = lucent.OpenByIndex(0, TRUE, &strName, &strDescription) == OPEN_USABLE;
    if (bOrinoco) {
        Append(LUCENT_ADAPTER_ID, GetDisplayName(strDescription, "ORiNOCO"), strDescription, 1);
    }

    COsVersionInfo version;
    Os().System().GetVersionEx(&version);
    const bool bNdis = version.dwMajorVersion < 6;
    CWlanAdapter& backEnd = bNdis ? static_cast<CWlanAdapter&>(ndis) : wifi;

    for (int i = 0;; ++i) {
        const int nResult = backEnd.OpenByIndex(i, TRUE, &strName, &strDescription);
        if (nResult == OPEN_ACCESS_DENIED) {
            SheetWindow().MessageBox(
                "You must have Administrator privileges to access some wireless adapters.  Sign on with "
                "Administration privileges to possibly see other adapters.",
                MB_OK);
            break;
        }
        if (nResult < 0) {
            break;
        }
        if (!(bOrinoco && IsOrinocoEntry(strDescription))) {
            const DWORD dwLikely = !bNdis || IsWirelessMedium(backEnd) ? 1 : 0;
            Append(strName, GetDisplayName(strDescription, strName), strDescription, dwLikely);
        }
        backEnd.CloseDevice();
    }
}
