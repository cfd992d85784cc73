// The UI driver of the Wine tests: runs in the same Wine prefix as the program and works its
// windows from outside, as a user's automation tool would. Each argument is one command; the
// commands run in order and print what they read as lines that a shell test compares. A failed
// wait or check prints "FAIL: ..." and ends the driver with status 1; every wait is bounded.
//
//   ui_driver.exe "sheet 20000 Brellix Nimbrel" "page 5000 104" "press next" "checklist 1008"
//
// Commands (ms = the bound of a wait, id = a control id on the sheet's current page):
//   sheet <ms> <caption>        wait for the property sheet with this caption
//   page <ms> <template>        wait until the current page is the one made from this template
//   press next|back|finish|cancel|help    press a sheet button (PSM_PRESSBUTTON)
//   buttons                     the sheet's Back, Next, Finish, Cancel and Help: enabled, visible, text
//   title                       the sheet's caption
//   text <id>                   a control's text;  wait-text <ms> <id> <text>
//   enabled <id>                a control's enabled state;  checked <id>  a check box's state
//   click <id>                  click a push button of the page (BM_CLICK)
//   checklist <id>              the check list's items: index, tick (item data), text
//   tick <id> <index>           select an item and press space on it
//   listview <id>               the list view's headers and cells
//   popup <ms>                  wait for the progress popup;  popup-rect (its top-left corner)
//   popup-text <ms> <text>      wait until the popup's text holds this text (\n for a line break)
//   popup-busy <ms>             wait until the popup's thread is inside a long step (does not answer)
//   popup-key esc               press Esc in the popup
//   popup-gone <ms>             wait until the popup has closed
//   msgbox <ms>                 wait for a message box of the program, print its caption and text
//   msgbox-ok                   press its OK button
//   msgbox-yes, msgbox-no       press its Yes or its No button
//   no-msgbox <ms>              fail when a message box appears within the time
//   helpwindow <ms>             wait for an HTML Help window;  close-help
//   rect                        the sheet's window rectangle (for cropping screenshots)
//   hook                        record top-level captions of every process while the driver runs
//   gone <ms>                   wait until the sheet has closed
//   pause <ms>                  let time pass (only where the program is meant to be left alone)
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "e2e/wine/driver/driver.h"

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    setvbuf(stdout, nullptr, _IONBF, 0);
    driver::CDriver runner;
    for (int i = 1; i < argc; ++i) {
        try {
            if (!runner.Run(argv[i])) {
                std::printf("FAIL: unknown command: %s\n", argv[i]);
                return 2;
            }
        } catch (const driver::CFailure& failure) {
            std::printf("FAIL: %s: %s\n", argv[i], failure.strWhat.c_str());
            return 1;
        }
    }
    return 0;
}
