#include "wizard/help.h"

#include "platform/os.h"
#include "res/resource_ids.h"
#include "wizard/install_folder.h"
#include "wizard/main_window.h"

void ShowHelpTopic(const std::string& strTopic) {
    const std::string strName = strTopic.empty() ? HELP_TOPIC_DEFAULT : strTopic;
    std::string strFolder;
    if (!ReadInstallDir(&strFolder)) {
        return;
    }
    // The folder is used as recorded: a trailing backslash gives a doubled one, as Windows accepts.
    const std::string strPath = strFolder + "\\Tolvane.chm::/" + strName + ".htm";
    ISheetWindow* pWindow = AfxGetMainWnd();
    // The help window belongs to the main window (the sheet), whichever window is active.
    if (!Os().Shell().HtmlHelp(pWindow != nullptr ? pWindow->GetSafeHwnd() : 0, strPath, HH_DISPLAY_TOPIC)) {
        if (pWindow != nullptr) {
            pWindow->MessageBox("Loading online help failed.  You may need to re-install the product.",
                                MB_OK);
        }
    }
}
