// Whether ncurses can drive the terminal, asked before it takes the terminal over (initscr ends the
// program on a terminal it does not know). Kept apart: <term.h> defines names of every capability.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <curses.h>
#include <term.h>

#include "ui/term/term_curses.h"

bool CCursesDevice::CanDrive(std::string* pstrWhy) {
    const char* pszTerm = std::getenv("TERM");
    const std::string strTerm = pszTerm != nullptr ? pszTerm : "";
    int nError = 0;
    if (strTerm.empty() || setupterm(strTerm.c_str(), STDOUT_FILENO, &nError) != OK) {
        *pstrWhy = strTerm.empty() ? "TERM is not set" : "the terminal \"" + strTerm + "\" is not known";
        return false;
    }
    // Full screen needs the cursor moved anywhere on a screen that is not a printer's.
    char achCup[] = "cup";
    const char* pszCup = tigetstr(achCup);
    const bool bAddressable = pszCup != nullptr && pszCup != reinterpret_cast<char*>(-1) && !hard_copy;
    del_curterm(cur_term);
    if (!bAddressable) {
        *pstrWhy = "the terminal \"" + strTerm + "\" cannot move the cursor";
        return false;
    }
    return true;
}
