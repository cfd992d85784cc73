#include "adapter_page/location_notice.h"

#include "platform/os.h"

BOOL g_bLocationNoticeShown = FALSE;

void TellLocationDenied(ISheetWindow& window) {
    if (g_bLocationNoticeShown) {
        return;
    }
    g_bLocationNoticeShown = TRUE;
    if (window.MessageBox(LOCATION_DENIED_TEXT, MB_YESNO) == IDYES) {
        Os().Shell().ShellExecute(LOCATION_SETTINGS_URI, SW_SHOWNORMAL);
    }
}
