#include "platform/sim/sim_shell.h"

#include <filesystem>
#include <system_error>

#include "platform/sim/sim_opener.h"
#include "platform/sim/sim_system.h"

#ifndef NIMBREL_RES_DIR
#define NIMBREL_RES_DIR "res"
#endif

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

BOOL CSimShell::HtmlHelp(HWND hwndCaller, const std::string& strPath, UINT uCommand) {
    std::function<void(const std::string&)> fnViewer;
    std::optional<std::string> strPage;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_astrHelpPaths.push_back(strPath);
        m_ahHelpCallers.push_back(hwndCaller);
        if (uCommand != HH_DISPLAY_TOPIC || m_strHelp == "missing") {
            return FALSE;
        }
        // "<folder>\Tolvane.chm::/<topic>.htm" → "<folder>\help\<topic>.htm".
        const std::size_t nTopic = strPath.find("::/");
        const std::size_t nFolderEnd = nTopic == std::string::npos ? nTopic : strPath.rfind('\\', nTopic);
        if (nFolderEnd != std::string::npos) {
            const std::string strTopicFile = strPath.substr(nTopic + 3);
            strPage = m_system.FindHostFile(strPath.substr(0, nFolderEnd) + "\\help\\" + strTopicFile);
            // An available help file without a folder map shows the project's own page of the topic.
            if (!strPage && m_strHelp == "available") {
                const std::string strOwn = std::string(NIMBREL_RES_DIR) + "/help/" + strTopicFile;
                std::error_code ec;
                if (std::filesystem::is_regular_file(strOwn, ec)) {
                    strPage = strOwn;
                }
            }
        }
        fnViewer = m_fnHelpViewer;
    }
    if (!strPage) {
        return m_strHelp == "available" ? TRUE : FALSE;
    }
    if (fnViewer) {
        fnViewer(*strPage);
    }
    return TRUE;
}

std::intptr_t CSimShell::ShellExecute(const std::string& strFile, int /*nShow*/) {
    std::function<void(const std::string&)> fnViewer;
    std::intptr_t nResult = SE_ERR_NOASSOC;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_astrFiles.push_back(strFile);
        if (m_strBrowser == "desktop") {
            nResult = SimOpenInDesktop(strFile) ? 42 : SE_ERR_NOASSOC;
        } else if (m_strBrowser == "yes") {
            nResult = 42;
        }
        fnViewer = m_fnLaunchViewer;
    }
    if (nResult > 32 && fnViewer) {
        fnViewer(strFile);
    }
    return nResult;
}

void CSimShell::SetLaunchViewer(std::function<void(const std::string& strFile)> fnViewer) {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_fnLaunchViewer = std::move(fnViewer);
}

std::vector<std::string> CSimShell::HelpPaths() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_astrHelpPaths;
}

std::vector<HWND> CSimShell::HelpCallers() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_ahHelpCallers;
}

std::vector<std::string> CSimShell::ExecutedFiles() {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_astrFiles;
}
