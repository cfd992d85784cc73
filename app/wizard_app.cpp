#include "app/wizard_app.h"

#include "app/banner.h"
#include "app/install_folder.h"
#include "app/main_window.h"
#include "app/tolvane_sheet.h"

BOOL CWizardApp::InitInstance(IWizardHost& host) {
    const std::string strFolder = GetInstallFolder();
    CDibImage sidebar;
    CDibImage header;
    // A banner that cannot be decoded ends the program before the wizard opens, without a message.
    if (!sidebar.LoadPngFile(strFolder + "\\BXSidebar.png") ||
        !header.LoadPngFile(strFolder + "\\BXTopbar.png")) {
        m_nExitCode = 1;
        return FALSE;
    }
    CTolvaneSheet sheet(sidebar, header, host.Window());
    AfxSetMainWnd(&host.Window());
    host.RunModal(sheet);
    AfxSetMainWnd(nullptr);
    return FALSE;
}
