#include "platform/sim/sim_shell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/sim/sim_system.h"

extern char** environ;

namespace {
// The desktop's opener, found on PATH.
std::optional<std::string> FindOpener() {
    const char* pszPath = std::getenv("PATH");
    std::string strPath = pszPath != nullptr ? pszPath : "";
    for (std::size_t nStart = 0; nStart <= strPath.size();) {
        std::size_t nEnd = strPath.find(':', nStart);
        if (nEnd == std::string::npos) {
            nEnd = strPath.size();
        }
        const std::string strCandidate = strPath.substr(nStart, nEnd - nStart) + "/xdg-open";
        if (nEnd > nStart && access(strCandidate.c_str(), X_OK) == 0) {
            return strCandidate;
        }
        nStart = nEnd + 1;
    }
    return std::nullopt;
}

// Starts the opener detached from the terminal; true when it could be started.
bool RunOpener(const std::string& strOpener, const std::string& strTarget) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(strOpener.c_str()), const_cast<char*>(strTarget.c_str()), nullptr};
    pid_t pid = 0;
    const int nError = posix_spawn(&pid, strOpener.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (nError != 0) {
        return false;
    }
    int nStatus = 0;
    // xdg-open hands the address to the browser and returns; its status says whether it could.
    return waitpid(pid, &nStatus, 0) == pid && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}
}  // namespace

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
        const std::optional<std::string> strOpener = FindOpener();
        return strOpener && RunOpener(*strOpener, strFile) ? 42 : SE_ERR_NOASSOC;
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
