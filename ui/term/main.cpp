// The Linux program: the wizard on a simulated machine, full screen in the terminal. It takes no
// arguments; NIMBREL_MACHINE may name a machine file to run instead of the built-in default. When
// standard input or output is not a terminal (a pipe, CI), or ncurses cannot drive the terminal
// (TERM=dumb), it runs the line-mode front end instead.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/wizard_app.h"
#include "platform/sim/sim_machine.h"
#include "ui/line/line_host.h"
#include "ui/term/term_curses.h"
#include "ui/term/term_encoding.h"
#include "ui/term/term_host.h"

namespace {
std::string ProfilePath() {
    const char* pszHome = std::getenv("HOME");
    return pszHome != nullptr && *pszHome != '\0' ? std::string(pszHome) + "/.config/nimbrel/Nimbrel.ini"
                                                  : std::string();
}

// The host runs the wizard; the machine's help pages and browser launches are shown by it.
template <typename THost>
int RunWizard(CSimMachine& machine, THost& host, CWizardApp& app) {
    machine.Shell().SetHelpViewer([&host](const std::string& strPage) { host.ShowHelpPage(strPage); });
    machine.Shell().SetLaunchViewer([&host](const std::string& strFile) { host.ShowBrowserLaunch(strFile); });
    app.InitInstance(host);
    machine.Shell().SetHelpViewer(nullptr);
    machine.Shell().SetLaunchViewer(nullptr);
    return app.GetExitCode();
}
}  // namespace

int main() {
    CSimMachineOptions options;
    options.bRealTime = true;
    options.strProfilePath = ProfilePath();

    // A bad machine file is reported before the terminal is taken over.
    std::string strError;
    const char* pszMachine = std::getenv("NIMBREL_MACHINE");
    const bool bFile = pszMachine != nullptr && *pszMachine != '\0';
    auto pMachine = bFile ? CSimMachine::FromFile(pszMachine, &strError, options)
                          : CSimMachine::Default(&strError, options);
    if (!pMachine) {
        std::fprintf(stderr, "nimbrel: %s\n", strError.c_str());
        return 2;
    }
    CScopedOs os(*pMachine);
    CWizardApp app;
    const ETermCharset eCharset = LocaleCharset();
    bool bLineMode = !isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO);
    std::string strWhy;
    if (!bLineMode && !CCursesDevice::CanDrive(&strWhy)) {
        std::fprintf(stderr, "nimbrel: line mode (%s)\n", strWhy.c_str());
        bLineMode = true;
    }
    int nExit = 0;
    if (bLineMode) {
        CLineHost host(std::cin, std::cout, eCharset);
        nExit = RunWizard(*pMachine, host, app);
    } else {
        CCursesDevice device;
        CTermHost host(device);
        nExit = RunWizard(*pMachine, host, app);
    }
    // The wizard shows no message when it cannot open; the terminal's user still learns why.
    if (!app.GetStartError().empty()) {
        std::fprintf(stderr, "nimbrel: %s: the wizard cannot open: %s\n",
                     bFile ? pszMachine : "the built-in machine", app.GetStartError().c_str());
    }
    return nExit;
}
