// Help and browser launch on the simulated machine. Every call is recorded. Whether it "opens" is
// set by the machine file's "shell" section:
//   help "file"      — a help window opens when the help file (the part of the path before "::")
//                      exists through the folder map (the default);
//   help "available" — always opens; help "missing" — never opens.
//   browser true     — ShellExecute returns 42 (success); false — SE_ERR_NOASSOC (31).
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/sim/machine_file.h"

class CSimSystem;

constexpr std::intptr_t SE_ERR_NOASSOC = 31;

class CSimShell : public IShell {
public:
    explicit CSimShell(CSimSystem& system);

    // Section "shell".
    void Load(const CJsonNode& section);

    BOOL HtmlHelp(const std::string& strPath, UINT uCommand) override;
    std::intptr_t ShellExecute(const std::string& strFile, int nShow) override;

    // Tests: every path given to HtmlHelp and every file given to ShellExecute, in order.
    std::vector<std::string> HelpPaths();
    std::vector<std::string> ExecutedFiles();
    void SetHelpMode(const std::string& strMode) { m_strHelp = strMode; }
    void SetBrowserAvailable(bool bAvailable) { m_bBrowser = bAvailable; }

private:
    CSimSystem& m_system;
    std::mutex m_mutex;
    std::string m_strHelp = "file";
    bool m_bBrowser = true;
    std::vector<std::string> m_astrHelpPaths;
    std::vector<std::string> m_astrFiles;
};
