#include "app/wizard_app.h"

#include <utility>

#include "app/tolvane_pages.h"
#include "wizard/banner.h"
#include "wizard/install_folder.h"
#include "wizard/main_window.h"

BOOL CWizardApp::InitInstance(IWizardHost& host) {
    const std::string strFolder = GetInstallFolder();
    CDibImage sidebar;
    CDibImage header;
    // A banner that cannot be decoded ends the program before the wizard opens, without a message.
    m_strStartError.clear();
    for (auto [pImage, pszFile] :
         {std::pair{&sidebar, "\\BXSidebar.png"}, std::pair{&header, "\\BXTopbar.png"}}) {
        if (!pImage->LoadPngFile(strFolder + pszFile)) {
            m_strStartError = strFolder + pszFile + ": " + pImage->Error();
            m_nExitCode = 1;
            return FALSE;
        }
    }
    CTolvaneSheet sheet(sidebar, header, host.Window());
    AddTolvanePages(sheet);
    AfxSetMainWnd(&host.Window());
    const BOOL bShown = host.RunModal(sheet);
    AfxSetMainWnd(nullptr);
    if (!bShown) {
        // Nothing was shown: the program ends as when a banner cannot be decoded.
        m_strStartError = "the wizard sheet could not be shown";
        m_nExitCode = 1;
    }
    return FALSE;
}
