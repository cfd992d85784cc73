#include "platform/sim/sim_shell.h"

#include "platform/sim/sim_opener.h"
#include "platform/sim/sim_system.h"

CSimShell::CSimShell(CSimSystem& system) : m_system(system) {}

void CSimShell::Load(const CJsonNode& section) {
    section.ExpectObject({"help", "browser"});
    m_strHelp = section.GetEnum("help", {"file", "available", "missing"}, m_strHelp);
    if (section.Has("browser")) {
        const CJsonNode browser = section.Child("browser");
        if (browser.Json().is_boolean()) {
            m_strBrowser = browser.Json().get<bool>() ? "yes" : "no";
        } else if (browser.IsString() && browser.AsString() == "desktop") {
            m_strBrowser = "desktop";
        } else {
            browser.Fail("expected true, false or \"desktop\"");
        }
    }
}

void CSimShell::SetHelpViewer(std::function<void(const std::string& strHostPath)> fnViewer) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_fnHelpViewer = std::move(fnViewer);
}

BOOL CSimShell::HtmlHelp(const std::string& strPath, UINT uCommand) {
    std::function<void(const std::string&)> fnViewer;
    std::optional<std::string> strPage;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_astrHelpPaths.push_back(strPath);
        if (uCommand != HH_DISPLAY_TOPIC || m_strHelp == "missing") {
            return FALSE;
        }
        if (m_strHelp == "available") {
            return TRUE;
        }
        // "<folder>\Tolvane.chm::/<topic>.htm" → "<folder>\help\<topic>.htm".
        const std::size_t nTopic = strPath.find("::/");
        const std::size_t nFolderEnd = strPath.rfind('\\', nTopic);
        if (nTopic == std::string::npos || nFolderEnd == std::string::npos) {
            return FALSE;
        }
        strPage =
            m_system.FindHostFile(strPath.substr(0, nFolderEnd) + "\\help\\" + strPath.substr(nTopic + 3));
        fnViewer = m_fnHelpViewer;
    }
    if (!strPage) {
        return FALSE;
    }
    if (fnViewer) {
        fnViewer(*strPage);
    }
    return TRUE;
}

std::intptr_t CSimShell::ShellExecute(const std::string& strFile, int /*nShow*/) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_astrFiles.push_back(strFile);
    if (m_strBrowser == "desktop") {
        return SimOpenInDesktop(strFile) ? 42 : SE_ERR_NOASSOC;
    }
    return m_strBrowser == "yes" ? 42 : SE_ERR_NOASSOC;
}

std::vector<std::string> CSimShell::HelpPaths() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_astrHelpPaths;
}

std::vector<std::string> CSimShell::ExecutedFiles() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_astrFiles;
}
