// Help and browser launch on the simulated machine. Every call is recorded. Whether it "opens" is
// set by the machine file's "shell" section:
//   help "file"      — a help window opens when the topic's page exists through the folder map:
//                      the compiled help file "<folder>\\Tolvane.chm::/<topic>.htm" stands for its
//                      source, the page "<folder>\\help\\<topic>.htm" (the default);
//   help "available" — always opens: the topic's page through the folder map, else the project's
//                      own page of the topic (res/help); help "missing" — never opens.
//   browser true     — ShellExecute returns 42 (success); false — SE_ERR_NOASSOC (31);
//   browser "desktop" — the desktop's opener (xdg-open) starts the browser when it is installed,
//                      else SE_ERR_NOASSOC.
// A host that shows help pages sets a viewer; it gets the host path of each page that opens. A host
// that shows what the browser was given sets a launch viewer; it gets each file that a successful
// ShellExecute handed over.
#pragma once

#include <functional>
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

    BOOL HtmlHelp(HWND hwndCaller, const std::string& strPath, UINT uCommand) override;
    std::intptr_t ShellExecute(const std::string& strFile, int nShow) override;

    // Tests: every path given to HtmlHelp and every file given to ShellExecute, in order.
    std::vector<std::string> HelpPaths();
    // The caller window of each HtmlHelp call, in the same order.
    std::vector<HWND> HelpCallers();
    std::vector<std::string> ExecutedFiles();
    void SetHelpMode(const std::string& strMode) { m_strHelp = strMode; }
    void SetBrowserAvailable(bool bAvailable) { m_strBrowser = bAvailable ? "yes" : "no"; }
    void SetHelpViewer(std::function<void(const std::string& strHostPath)> fnViewer);
    void SetLaunchViewer(std::function<void(const std::string& strFile)> fnViewer);

private:
    CSimSystem& m_system;
    std::mutex m_mutex;
    std::string m_strHelp = "file";
    std::string m_strBrowser = "yes";  // "yes", "no" or "desktop"
    std::function<void(const std::string&)> m_fnHelpViewer;
    std::function<void(const std::string&)> m_fnLaunchViewer;
    std::vector<std::string> m_astrHelpPaths;
    std::vector<HWND> m_ahHelpCallers;
    std::vector<std::string> m_astrFiles;
};
