#include "platform/sim/sim_opener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

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

bool SimOpenInDesktop(const std::string& strTarget) {
    const std::optional<std::string> strOpener = FindOpener();
    return strOpener && RunOpener(*strOpener, strTarget);
}
