// The Linux program: the wizard on a simulated machine, full screen in the terminal. It takes no
// arguments; NIMBREL_MACHINE may name a machine file to run instead of the built-in default. When
// standard input or output is not a terminal (a pipe, CI), it runs the line-mode front end instead.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/wizard_app.h"
#include "platform/sim/sim_machine.h"
#include "ui/line/line_host.h"
#include "ui/term/term_curses.h"
#include "ui/term/term_host.h"

namespace {
std::string ProfilePath() {
    const char* pszHome = std::getenv("HOME");
    return pszHome != nullptr && *pszHome != '\0' ? std::string(pszHome) + "/.config/nimbrel/Nimbrel.ini"
                                                  : std::string();
}
}  // namespace

int main() {
    CSimMachineOptions options;
    options.bRealTime = true;
    options.strProfilePath = ProfilePath();

    // A bad machine file is reported before the terminal is taken over.
    std::string strError;
    const char* pszMachine = std::getenv("NIMBREL_MACHINE");
    auto pMachine = pszMachine != nullptr && *pszMachine != '\0'
                        ? CSimMachine::FromFile(pszMachine, &strError, options)
                        : CSimMachine::Default(&strError, options);
    if (!pMachine) {
        std::fprintf(stderr, "nimbrel: %s\n", strError.c_str());
        return 2;
    }
    CScopedOs os(*pMachine);
    CWizardApp app;
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        CLineHost host(std::cin, std::cout);
        pMachine->Shell().SetHelpViewer([&host](const std::string& strPage) { host.ShowHelpPage(strPage); });
        app.InitInstance(host);
        return app.GetExitCode();
    }
    {
        CCursesDevice device;
        CTermHost host(device);
        pMachine->Shell().SetHelpViewer([&host](const std::string& strPage) { host.ShowHelpPage(strPage); });
        app.InitInstance(host);
    }
    return app.GetExitCode();
}
