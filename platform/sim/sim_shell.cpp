#include "platform/sim/sim_shell.h"

#include "platform/sim/sim_system.h"

CSimShell::CSimShell(CSimSystem& system) : m_system(system) {}

void CSimShell::Load(const CJsonNode& section) {
    section.ExpectObject({"help", "browser"});
    m_strHelp = section.GetEnum("help", {"file", "available", "missing"}, m_strHelp);
    m_bBrowser = section.GetBool("browser", m_bBrowser);
}

BOOL CSimShell::HtmlHelp(const std::string& strPath, UINT uCommand) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_astrHelpPaths.push_back(strPath);
    if (uCommand != HH_DISPLAY_TOPIC || m_strHelp == "missing") {
        return FALSE;
    }
    if (m_strHelp == "available") {
        return TRUE;
    }
    const std::size_t nTopic = strPath.find("::");
    return m_system.FindHostFile(strPath.substr(0, nTopic)) ? TRUE : FALSE;
}

std::intptr_t CSimShell::ShellExecute(const std::string& strFile, int /*nShow*/) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_astrFiles.push_back(strFile);
    return m_bBrowser ? 42 : SE_ERR_NOASSOC;
}

std::vector<std::string> CSimShell::HelpPaths() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_astrHelpPaths;
}

std::vector<std::string> CSimShell::ExecutedFiles() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_astrFiles;
}
